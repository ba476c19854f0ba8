// The editor's load, activation and unload, the loader of the value list, and the Edit/Save and Load
// buttons.
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>

#include "app/AppContext.h"
#include "core/RenderDeviceCatalogue.h"
#include "editor/ByteItems.h"
#include "editor/EditorTables.h"
#include "editor/Form4.h"
#include "editor/Form5.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/SettingSetStore.h"
#include "settingsets/frmload.h"
#include "startup/SettingsFile.h"
#include "startup/frmSplash.h"
#include "ui/DialogService.h"
#include "ui/Placement.h"
#include "ui/TextCodec.h"
#include "ui/Twips.h"

namespace vexorel {

namespace {
constexpr double kStatusPanelMinWidth = 2200;

QString shown(Platform& platform, const std::string& path) {
  return toQString(platform.displayPath(path));
}
}  // namespace

void Form4::critical(const QString& text) {
  app().dialogs().msgBox(this, text, MsgButtons::Ok, MsgIcon::Critical);
}

void Form4::onLoad() {
  Platform& platform = app().platform();
  Frmmain& main = app().frmmain();
  warzoeken.clear();
  if (!once) {
    Tempname = platform.getCurrentDirectory() + "\\backup\\UTTemp.ini";
    if (!platform.copyFile(main.FileName, Tempname, false)) {
      // Without a fresh working copy Apply would later put a stale or missing file over the game's own.
      critical(QStringLiteral("The working copy %1 could not be made from %2, so the editor cannot open.")
                   .arg(shown(platform, Tempname), shown(platform, main.FileName)));
      OldFileName = main.FileName;
      unloadForm();
      return;
    }
  }
  OldFileName = main.FileName;
  main.FileName = Tempname;
  once = true;
  if (!platform.findFirstFile(platform.getCurrentDirectory() + "\\backup\\last.ini")) Command7->setEnabled(false);
  const TwipsPoint place =
      centreOnScreen(static_cast<float>(screenWidthTwips()), static_cast<float>(screenHeightTwips()),
                     static_cast<float>(widthTwips()), static_cast<float>(heightTwips()));
  moveTwips(place.left, place.top);
  lees();
  EenCall();
}

void Form4::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    if (!isActiveWindow()) {
      lostToDialog_ = QApplication::activeModalWidget() != nullptr;
    } else if (lostToDialog_) {
      // Coming back from a message or input box is no return from another window: the value
      // list keeps the edits not yet applied.
      lostToDialog_ = false;
      QWidget::changeEvent(event);
      return;
    }
  }
  FormWindow::changeEvent(event);
}

void Form4::onActivate() {
  if (!isLoaded()) return;
  app().frmmain().hideForm();
  lees();
  Command1->setToolTip(QStringLiteral("Click to edit the Settings"));
  readSaveCount();
}

void Form4::readSaveCount() {
  ReadModule& module = app().module();
  const std::string& settingsFile = app().splash().VEXORELPATH;
  const std::string text = module.ReadProfileValue(kSettingsSection, kSaveNumberKey, settingsFile);
  const std::optional<int> count = ParseSaveCount(text);
  if (!count) {
    // A count that is no number is put right; the button and the status text stay as they are.
    module.WriteIniValue(kSettingsSection, kSaveNumberKey, "0", settingsFile);
    return;
  }
  Command2->setEnabled(*count != 0);
  StB1Panel1->setMinimumWidth(twipsToPixels(kStatusPanelMinWidth));
  StB1Panel1->setText(QStringLiteral("Found ") + toQString(text) + QStringLiteral(" saved settings"));
}

void Form4::onUnload() {
  Frmmain& main = app().frmmain();
  // The main window is loaded whenever the program opens the editor; showing it must not load it.
  if (main.isLoaded()) main.showForm();
  once = false;
  main.FileName = OldFileName;
}

void Form4::lees() {
  ReadModule& module = app().module();
  const std::string file = app().frmmain().FileName;
  List1->clear();
  List2->clear();
  for (int row = 0; row < kValueRows; ++row) {
    const std::string key(kValueRowKeys[static_cast<std::size_t>(row)]);
    std::string value;
    if (row == kCoronasRow) {
      module.ReadIniValueUncounted(std::string(kRenderDeviceSection), std::string(kRenderDeviceKey), file);
      const std::string deviceSection = module.LastIniValue;
      module.ReadIniValue(deviceSection, key, file);
      value = module.LastIniValue;
    } else if (row == kDeviceRow) {
      module.ReadIniValue(std::string(kRenderDeviceSection), key, file);
      value = ShortNameOrClassName(module.LastIniValue);
      DriverType = value;
    } else {
      module.ReadIniValue(kWindowsClientSection, key, file);
      value = module.LastIniValue;
    }
    insertRow(List1, row, key);
    insertRow(List2, row, value);
  }
  module.IniReadCount = 0;
}

void Form4::EenCall() {
  Form5& store = app().form5();
  setAllRows(store.List1, keys());
  setAllRows(store.List2, values());
}

std::vector<std::string> Form4::keys() const {
  return allRows(List1);
}
std::vector<std::string> Form4::values() const {
  return allRows(List2);
}
void Form4::setValues(const std::vector<std::string>& rows) {
  setAllRows(List2, rows);
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
  DialogService& dialogs = app().dialogs();
  const std::string name = toBytes(dialogs.inputBox(this, QStringLiteral("Please enter a name to save settings to"),
                                                    QStringLiteral("Save Settings"), QString()));
  if (name.empty()) return;
  if (const auto problem = SettingSetNameProblem(name)) {
    critical(toQString(*problem));
    return;
  }
  if (!SaveSettingSet(app(), name)) {
    critical(QStringLiteral("The settings could not be saved: the file %1 could not be written.")
                 .arg(shown(app().platform(), app().splash().VEXORELPATH)));
    return;
  }
  // The new set counts at once: the activation that would refresh the count is skipped on the way
  // back from the boxes, so the value-list edits survive.
  readSaveCount();
  dialogs.msgBox(this, QStringLiteral("Remember No Changes were made, press Apply."), MsgButtons::Ok,
                 MsgIcon::Information);
}

void Form4::Command2_Click() {
  app().load().showForm();
}

}  // namespace vexorel
