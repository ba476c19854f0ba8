// The "Graphics" frame: the slow and fast presets with their preview, and "User defined".

#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "core/AllOrNothing.h"
#include "core/BackupFolder.h"
#include "core/ReadModule.h"
#include "core/RenderDeviceCatalogue.h"
#include "core/SharedState.h"
#include "mainwindow/Form1.h"
#include "mainwindow/Frmmain.h"
#include "ui/DialogService.h"
#include "ui/FailureText.h"
#include "ui/TextCodec.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {

// Clearing from code: an exclusive group would refuse to leave no button checked, and no click
// handler runs.
void clearOption(QRadioButton* option) {
  option->setAutoExclusive(false);
  option->setChecked(false);
  option->setAutoExclusive(true);
}

}  // namespace

void Frmmain::Option1_Click() {
  runPreset(Preset::Slow);
}
void Frmmain::Option2_Click() {
  runPreset(Preset::Fast);
}
void Frmmain::Option3_Click() {
  host().show(WindowName::Editor);
}

void Frmmain::clearOptionButtons() {
  clearOption(Option1);
  clearOption(Option2);
  clearOption(Option3);
}

void Frmmain::showPresetPreview(Preset preset) {
  auto& preview = static_cast<Form1&>(host().window(WindowName::Preview));
  preview.ensureLoaded();  // its load places it beside this window
  preview.List1->clear();
  preview.List2->clear();
  preview.setWindowTitle(viewText(presetCaption(preset)));
  const std::vector<PresetEntry> rows = presetPreview(preset);
  for (std::size_t row = 0; row < rows.size(); ++row) {
    preview.List1->insertItem(static_cast<int>(row), toQString(rows[row].key));
    preview.List2->insertItem(static_cast<int>(row), toQString(rows[row].value));
  }
  preview.showForm();
}

void Frmmain::runPreset(Preset preset) {
  QRadioButton* own = preset == Preset::Slow ? Option1 : Option2;
  showPresetPreview(preset);
  const MsgAnswer answer = host().dialogs().msgBox(
      this, QStringLiteral(" Changes will immediately be made in Unreal Tournament.ini. Continue update?"),
      MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Continue update ?"));
  if (answer != MsgAnswer::Yes) {
    host().dialogs().msgBox(this, QStringLiteral("No Update"), MsgButtons::Ok, MsgIcon::Information,
                            QStringLiteral("Information"));
    clearOption(own);
    host().hide(WindowName::Preview);
    return;
  }
  if (!gameFileMayChange() || !backUpBeforePreset(preset)) {
    clearOption(own);
    host().hide(WindowName::Preview);
    return;
  }
  const bool written = writePreset(preset);
  leesman();
  clearOptionButtons();
  if (written) {
    host().dialogs().msgBox(this, QStringLiteral("Graphics changes have been applied"), MsgButtons::Ok,
                            MsgIcon::Information, QStringLiteral("Done"));
    Picture1->show();
  }
  host().hide(WindowName::Preview);
}

bool Frmmain::backUpBeforePreset(Preset preset) {
  // Always taken from the game's own file, even while the editor's working copy is the target.
  Platform& platform = host().platform();
  const std::string gameFile = gameIniPath(UtPath);
  const std::string startFolder = host().state().MainAppPath;
  const std::string backup = backupPath(startFolder, presetBackupName(preset));
  if (!EnsureBackupFolder(platform, startFolder)) {
    refuse(withReason(QStringLiteral("Unable to make the backup folder ") +
                          toQString(platform.displayPath(backupFolder(startFolder))) +
                          QStringLiteral(". Nothing was changed."),
                      platform.lastReason()));
    return false;
  }
  if (platform.copyFile(gameFile, backup, false)) return true;
  const std::string reason = platform.lastReason();
  // A missing game file has nothing to back up: the preset then creates the file.
  if (!platform.findFirstFile(gameFile)) return true;
  refuse(withReason(QStringLiteral("Unable to make the backup copy ") + toQString(platform.displayPath(backup)) +
                        QStringLiteral(". Nothing was changed."),
                    reason));
  return false;
}

bool Frmmain::writePreset(Preset preset) {
  ReadModule& module = host().module();
  module.ReadIniValueUncounted(std::string(kEngineSection), std::string(kRenderDeviceKey), FileName);
  const std::string deviceSection = module.LastIniValue;
  // All eleven values land, or the file stays byte for byte as it was. A missing file is created.
  const std::string scratch = backupPath(host().state().MainAppPath, kPresetScratchName);
  const AllOrNothingWrite write =
      WriteAllOrNothing(host().platform(), FileName, scratch, true, [&](const std::string& copy) {
        for (const PresetEntry& entry : presetWrites(preset, deviceSection)) {
          // An empty device value names no section; a "[]" section would only clutter the file.
          if (entry.section.empty()) continue;
          if (!module.WriteIniValue(entry.section, entry.key, entry.value, copy)) return false;
        }
        return true;
      });
  if (!write.done()) reportUnsaved(write.reason);
  return write.done();
}

}  // namespace vexorel
