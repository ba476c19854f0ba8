// Apply, Undo and Cancel: the working copy is backed up, completed and copied over the game's file;
// the backup is put back; or everything not applied is dropped.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>

#include "core/BackupFolder.h"
#include "core/ReadModule.h"
#include "core/SharedState.h"
#include "editor/ByteItems.h"
#include "editor/EditorTables.h"
#include "editor/Form4.h"
#include "editor/Form5.h"
#include "ui/DialogService.h"
#include "ui/FailureText.h"
#include "ui/RunningGame.h"
#include "ui/TextCodec.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {
struct ComboWrite {
  int combo;
  bool onlyWhenEnabled;
  const char* section;  // nullptr: the selected device's section
  const char* key;
  unsigned pauseAfter;  // milliseconds
};

constexpr std::array<ComboWrite, 9> kComboWrites{{
    {1, true, nullptr, "DetailBias", 0},
    {2, true, nullptr, "RefreshRate", 0},
    {3, true, nullptr, "ColorDepth", 0},
    {4, false, kGalaxySection, "OutputRate", 100},
    {5, false, kTcpNetSection, "MaxClientRate", 100},
    {6, false, kTcpNetSection, "NetServerMaxTickRate", 100},
    {7, false, kTcpNetSection, "LanServerMaxTickRate", 0},
    {8, false, kPlayerSection, "ConfiguredInternetSpeed", 100},
    {9, false, kPlayerSection, "ConfiguredLanSpeed", 2000},
}};

// The wait cursor shows while Apply holds the window still.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { done(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
  void done() {
    if (active_) QApplication::restoreOverrideCursor();
    active_ = false;
  }

 private:
  bool active_ = true;
};
}  // namespace

void Form4::Command6_Click() {
  // Asked before anything is written, as Apply ends by copying over the game's file.
  if (!goAheadWhileGameRuns(host(), this)) return;
  Platform& platform = host().platform();
  const std::string backup = backupPath(platform.getCurrentDirectory(), kLastApplyName);
  if (!backUpWorkingCopy(backup)) return;
  if (!writeChangedItems()) return;
  EenCall();
  WaitCursor wait;
  const std::string failedKey = writeComboSettings();
  const bool copied = failedKey.empty() && copyOverGameFile();
  const std::string reason = copied ? std::string() : platform.lastReason();
  wait.done();
  if (!failedKey.empty()) {
    critical(itemNotSaved(failedKey));
    return;
  }
  if (!copied) {
    critical(withReason(QStringLiteral("The settings could not be copied over %1, so the game's file was not changed. "
                                       "The editor still holds your changes.")
                            .arg(toQString(platform.displayPath(OldFileName))),
                        reason));
    return;
  }
  Command7->setEnabled(true);
  host().dialogs().msgBox(this, QStringLiteral("Ok it's Done remember you have a backup !!"), MsgButtons::Ok,
                          MsgIcon::Information);
}

bool Form4::writeChangedItems() {
  const ChangedItemsWrite result = WriteChangedItems(host().module(), state_.FileName, state_.rows, state_.snapshot);
  state_.changedItems = result.changed;
  listStore().showState();
  if (!result.stored()) {
    // The value list keeps the user's edits; the caller must not carry on as if they were stored.
    critical(itemNotSaved(result.failedKey));
    return false;
  }
  lees();
  return true;
}

bool Form4::backUpWorkingCopy(const std::string& backup) {
  Platform& platform = host().platform();
  if (EnsureBackupFolder(platform, platform.getCurrentDirectory()) &&
      platform.copyFile(state_.FileName, backup, false)) {
    return true;
  }
  // Without this backup Undo would restore an older state than the user expects: apply nothing.
  const std::string reason = platform.lastReason();
  critical(withReason(
      QStringLiteral("The backup %1 could not be made, so nothing was applied. The game's file is unchanged.")
          .arg(toQString(platform.displayPath(backup))),
      reason));
  return false;
}

std::string Form4::writeComboSettings() {
  ReadModule& module = host().module();
  for (const ComboWrite& step : kComboWrites) {
    QComboBox* box = combo(step.combo);
    const std::string section = step.section ? std::string(step.section) : warzoeken;
    // A combo showing no item, or a device setting with no device known, writes nothing rather
    // than blank a key of the game's file.
    const bool wanted = (!step.onlyWhenEnabled || box->isEnabled()) && box->currentIndex() >= 0 && !section.empty();
    if (wanted && !module.WriteIniValue(section, step.key, comboItemBytes(box, box->currentIndex()), Tempname)) {
      return step.key;
    }
    if (step.pauseAfter > 0) host().platform().sleep(step.pauseAfter);
  }
  return {};
}

bool Form4::copyOverGameFile() {
  return host().platform().copyFile(Tempname, OldFileName, false);
}

void Form4::Command7_Click() {
  DialogService& dialogs = host().dialogs();
  if (dialogs.msgBox(this, QStringLiteral("Sure u want to undo last tweak ?"), MsgButtons::YesNo,
                     MsgIcon::Information) != MsgAnswer::Yes ||
      !goAheadWhileGameRuns(host(), this)) {
    return;
  }
  Platform& platform = host().platform();
  const std::string startFolder = platform.getCurrentDirectory();
  const std::string backup = backupPath(startFolder, kLastApplyName);
  if (!platform.copyFile(backup, OldFileName, false) ||
      !platform.copyFile(backup, backupPath(startFolder, kLastUndoName), false)) {
    critical(QStringLiteral("Sorry but for some reason the backup does not exist! look in: ") +
             toQString(platform.displayPath(backup)) + QStringLiteral(" for the file!"));
    return;
  }
  platform.deleteFile(backup);
  // Reopened afresh: a new working copy of the restored file, and no backup left to undo.
  unloadForm();
  showForm();
}

void Form4::Command3_Click() {
  unloadForm();
}

}  // namespace vexorel
