// The main window's lifecycle: load, activation, the summary, the exit question, help and uninstall.

#include "mainwindow/Frmmain.h"

#include <QLabel>
#include <QListWidget>

#include "core/ReadModule.h"
#include "core/SharedState.h"
#include "core/ValueRows.h"
#include "mainwindow/SummaryRows.h"
#include "ui/DialogService.h"
#include "ui/Placement.h"
#include "ui/TextCodec.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {
constexpr int kShowNormal = 5;  // show the opened window in its current size and position
constexpr int kShellSuccessAbove = 32;
}  // namespace

void Frmmain::onLoad() {
  helpPath_ = host().state().MainAppPath + "\\Help\\Vexorel.hlp";
  centreWindow();
  if (!findGameFolder()) return;
  leesman();
  showPlaceholders();
  detectMemory();
}

bool Frmmain::findGameFolder() {
  UtPath = host().module().ReadRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue);
  if (UtPath.empty()) {
    host().dialogs().msgBox(this, QStringLiteral("Unable to get tournament folder data from registry"), MsgButtons::Ok,
                            MsgIcon::Critical, QStringLiteral("Error: Unreal Tournament folder data??"));
    host().end();
    return false;
  }
  FileName = gameIniPath(UtPath);
  return true;
}

void Frmmain::onActivate() {
  if (!isLoaded() || FileName.empty()) return;
  // Other windows may have changed the file: show what it says now.
  leesman();
  clearOptionButtons();
}

void Frmmain::leesman() {
  List1->clear();
  List2->clear();
  ReadModule& module = host().module();
  const ValueRows rows = ReadValueRows(module, FileName, CoronasSection::Client);
  for (std::size_t row = 0; row < rows.keys.size(); ++row) {
    List1->addItem(toQString(rows.keys[row]));
    List2->addItem(toQString(rows.values[row]));
  }
  module.ReadIniValue(std::string(kClientSection), std::string(kViewportXKey), FileName);
  const std::string width = module.LastIniValue;
  module.ReadIniValue(std::string(kClientSection), std::string(kViewportYKey), FileName);
  const std::string height = module.LastIniValue;
  StatusBar1Panels[1]->setText(toQString(resolutionPanelText(width, height)));
  module.IniReadCount = 0;
  module.ReadIniValueUncounted(std::string(kCacheSection), std::string(kCacheKey), FileName);
  StatusBar1Panels[5]->setText(toQString(cachePanelText(module.LastIniValue)));
}

bool Frmmain::onQueryUnload() {
  // The window never unloads on its own: either the program ends or the window stays.
  exitSequence();
  return false;
}

void Frmmain::exitSequence() {
  if (!OptionsCheck) {
    host().end();
    return;
  }
  const MsgAnswer answer =
      host().dialogs().msgBox(this, QStringLiteral("       Exit Program ?         "), MsgButtons::YesNo,
                              MsgIcon::Information, QStringLiteral("Exit program"));
  if (answer == MsgAnswer::Yes) host().end();
}

void Frmmain::openWithShell(const std::string& path) {
  Platform& platform = host().platform();
  const int result = platform.shellExecute("Open", path, platform.getCurrentDirectory(), kShowNormal);
  if (result < kShellSuccessAbove) {
    host().dialogs().msgBox(this,
                            QStringLiteral("Unable to open help file check if Help file is there.") +
                                QStringLiteral(" Path= ") + toQString(platform.displayPath(path)),
                            MsgButtons::Ok, MsgIcon::Critical);
  }
}

void Frmmain::mnuHelp_Click() {
  openWithShell(helpPath_);
}

void Frmmain::mnuUninstall_Click() {
  // The entry is switched off in the design; kept so the menu's action is complete if it is enabled.
  openWithShell(host().platform().getCurrentDirectory() + "\\Uninstall.exe");
  host().end();
}

}  // namespace vexorel
