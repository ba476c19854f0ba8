#include "core/SettingSetStore.h"

#include "core/AllOrNothing.h"
#include "core/BackupFolder.h"
#include "core/GameFiles.h"
#include "core/ReadModule.h"
#include "core/SetFile.h"
#include "core/SetRules.h"
#include "platform/Platform.h"

namespace vexorel {

bool SaveSettingSet(ReadModule& module, const std::string& settingsFile, const std::string& name,
                    const ValueRows& rows) {
  if (sets::nameProblem(name)) return false;
  const auto number = sets::numberForNewSet(module, settingsFile, rows.keys);
  if (!number) return false;
  // The count goes first, so a set is never written beyond the count the load window lists.
  if (!module.WriteIniValue(sets::kProgramSection, sets::kSaveNumberKey, std::to_string(*number), settingsFile)) {
    return false;
  }
  const std::string section = sets::sectionName(*number);
  if (!module.WriteIniValue(section, sets::kSaveNameKey, name, settingsFile)) return false;
  for (std::size_t i = 0; i < rows.keys.size(); ++i) {
    const std::string value = i < rows.values.size() ? rows.values[i] : std::string();
    if (!module.WriteIniValue(section, rows.keys[i], value, settingsFile)) return false;
  }
  return true;
}

std::vector<std::string> LoadSettingSet(ReadModule& module, const std::string& settingsFile, int index,
                                        const ValueRows& rows) {
  if (index < 0 || index >= sets::kHighestSetNumber) return rows.values;
  const std::string section = sets::sectionName(index + 1);
  std::vector<std::string> loaded;
  loaded.reserve(rows.keys.size());
  for (std::size_t i = 0; i < rows.keys.size(); ++i) {
    // A set saved before a key existed, or trimmed by hand, leaves that row as it is: reading it as
    // "Default" would put that word into the game's file.
    auto value = sets::readIfPresent(module, section, rows.keys[i], settingsFile);
    if (!value) value = i < rows.values.size() ? rows.values[i] : std::string(kDefaultValue);
    loaded.push_back(std::move(*value));
  }
  return loaded;
}

SetLoadResult LoadSetIntoGameFile(Platform& platform, ReadModule& module, const SetLoadRequest& request) {
  SetLoadResult result;
  const std::string scratch = backupPath(request.startFolder, kSetLoadScratchName);

  // The backup the editor's Undo puts back: the working copy as it stands.
  const std::string lastIni = backupPath(request.startFolder, kLastApplyName);
  if (!EnsureBackupFolder(platform, request.startFolder) || !platform.copyFile(request.workingCopy, lastIni, false)) {
    result.reason = platform.lastReason();
    result.failure = "the backup " + platform.displayPath(lastIni) + " could not be made";
    return result;
  }
  ValueRows rows = request.rows;
  rows.values = LoadSettingSet(module, request.settingsFile, request.index, rows);
  const AllOrNothingWrite write =
      WriteAllOrNothing(platform, request.gameFile, scratch, false, [&](const std::string& copy) {
        const ChangedItemsWrite written = WriteChangedItems(module, copy, rows, request.snapshot);
        result.changed = written.changed;
        result.failedKey = written.failedKey;
        if (written.stored()) result.rowsAfter = ReadValueRows(module, copy);
        return written.stored();
      });
  result.loaded = write.done();
  if (write.failedAt == AllOrNothingWrite::Step::Write) {
    result.failure = "the changed settings could not be written";
  } else if (!write.done()) {
    result.reason = write.reason;
    result.failure = write.failedAt == AllOrNothingWrite::Step::Copy
                         ? "it could not be copied to " + platform.displayPath(scratch)
                         : "it could not be replaced";
  }
  return result;
}

}  // namespace vexorel
