// The editor's load, activation and unload, the loader of the value list, and the Edit/Save and Load
// buttons.
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

#include "core/BackupFolder.h"
#include "core/ReadModule.h"
#include "core/RenderDeviceCatalogue.h"
#include "core/SetFile.h"
#include "core/SetRules.h"
#include "core/SettingSetStore.h"
#include "core/SharedState.h"
#include "editor/ByteItems.h"
#include "editor/EditorTables.h"
#include "editor/Form4.h"
#include "editor/Form5.h"
#include "ui/DialogService.h"
#include "ui/FailureText.h"
#include "ui/Placement.h"
#include "ui/TextCodec.h"
#include "ui/Twips.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {
constexpr double kStatusPanelMinWidth = 2200;

QString shown(Platform& platform, const std::string& path) {
  return toQString(platform.displayPath(path));
}
}  // namespace

void Form4::critical(const QString& text) {
  host().dialogs().msgBox(this, text, MsgButtons::Ok, MsgIcon::Critical);
}

void Form4::onLoad() {
  Platform& platform = host().platform();
  std::string& FileName = state_.FileName;
  warzoeken.clear();
  if (!once) {
    const std::string startFolder = platform.getCurrentDirectory();
    Tempname = backupPath(startFolder, kWorkingCopyName);
    if (!EnsureBackupFolder(platform, startFolder) || !platform.copyFile(FileName, Tempname, false)) {
      // Without a fresh working copy Apply would later put a stale or missing file over the game's own.
      const std::string reason = platform.lastReason();
      critical(withReason(QStringLiteral("The working copy %1 could not be made from %2, so the editor cannot open.")
                              .arg(shown(platform, Tempname), shown(platform, FileName)),
                          reason));
      OldFileName = FileName;
      unloadForm();
      return;
    }
  }
  OldFileName = FileName;
  FileName = Tempname;
  once = true;
  if (!platform.findFirstFile(backupPath(platform.getCurrentDirectory(), kLastApplyName))) Command7->setEnabled(false);
  centreWindow();
  lees();
  EenCall();
}

void Form4::onActivate() {
  if (!isLoaded()) return;
  host().hide(WindowName::Main);
  lees();
  Command1->setToolTip(QStringLiteral("Click to edit the Settings"));
  readSaveCount();
}

void Form4::readSaveCount() {
  // A count that is no count is put right, as the number of the last set in the file.
  const sets::SetCount saved = sets::readSetCount(host().module(), state_.VEXORELPATH);
  // With no set in the file nothing was hidden: the button and the status text stay as they are.
  if (saved.replaced && saved.count == 0) return;
  Command2->setEnabled(saved.count != 0);
  StB1Panel1->setMinimumWidth(twipsToPixels(kStatusPanelMinWidth));
  StB1Panel1->setText(QStringLiteral("Found ") + toQString(saved.text) + QStringLiteral(" saved settings"));
}

void Form4::onUnload() {
  // The main window is loaded whenever the program opens the editor; showing it must not load it.
  if (host().isLoaded(WindowName::Main)) host().show(WindowName::Main);
  once = false;
  state_.FileName = OldFileName;
}

void Form4::lees() {
  showRows(ReadValueRows(host().module(), state_.FileName));
  DriverType = values().at(kDeviceRow);
}

void Form4::showRows(const ValueRows& rows) {
  state_.rows = rows;
  List1->clear();
  List2->clear();
  for (std::size_t row = 0; row < rows.keys.size(); ++row) {
    insertRow(List1, static_cast<int>(row), rows.keys[row]);
    insertRow(List2, static_cast<int>(row), row < rows.values.size() ? rows.values[row] : std::string());
  }
}

void Form4::setRow(int row, const std::string& bytes) {
  std::vector<std::string>& values = state_.rows.values;
  if (row < 0 || static_cast<std::size_t>(row) >= values.size()) return;
  values[static_cast<std::size_t>(row)] = bytes;
  replaceRow(List2, row, bytes);
}

void Form4::EenCall() {
  state_.snapshot = state_.rows;
  listStore().showState();
}

Form5& Form4::listStore() {
  return static_cast<Form5&>(host().window(WindowName::ListStore));
}

const std::vector<std::string>& Form4::keys() const {
  return state_.rows.keys;
}
const std::vector<std::string>& Form4::values() const {
  return state_.rows.values;
}

void Form4::Command1_Click() {
  if (!List2->isEnabled()) {
    List2->setEnabled(true);
    List1->setEnabled(true);
    Command1->setText(QStringLiteral("&Save"));
    Command1->setToolTip(QStringLiteral("Click to Save the Settings"));
    return;
  }
  List2->setEnabled(false);
  List1->setEnabled(false);
  Command1->setText(QStringLiteral("&Edit"));
  Command1->setToolTip(QStringLiteral("Click to Edit the Settings"));
  DialogService& dialogs = host().dialogs();
  const std::string name = toBytes(dialogs.inputBox(this, QStringLiteral("Please enter a name to save settings to"),
                                                    QStringLiteral("Save Settings"), QString()));
  if (name.empty()) return;
  if (const auto problem = sets::nameProblem(name)) {
    critical(toQString(*problem));
    return;
  }
  if (!SaveSettingSet(host().module(), state_.VEXORELPATH, name, state_.rows)) {
    const std::string reason = host().platform().lastReason();
    critical(withReason(QStringLiteral("The settings could not be saved: the file %1 could not be written.")
                            .arg(shown(host().platform(), state_.VEXORELPATH)),
                        reason));
    return;
  }
  // The new set counts at once: the activation that would refresh the count is skipped on the way
  // back from the boxes, so the value-list edits survive.
  readSaveCount();
  dialogs.msgBox(this, QStringLiteral("Remember No Changes were made, press Apply."), MsgButtons::Ok,
                 MsgIcon::Information);
}

void Form4::Command2_Click() {
  host().show(WindowName::Load);
}

}  // namespace vexorel
