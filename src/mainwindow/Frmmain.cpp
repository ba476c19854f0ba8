// The main window's lifecycle: load, activation, the summary, the exit question, help and uninstall.

#include "mainwindow/Frmmain.h"

#include <QLabel>
#include <QListWidget>

#include "app/AppContext.h"
#include "core/RenderDeviceCatalogue.h"
#include "mainwindow/SummaryRows.h"
#include "startup/frmSplash.h"
#include "ui/DialogService.h"
#include "ui/Placement.h"
#include "ui/TextCodec.h"

namespace vexorel {

namespace {
constexpr int kShowNormal = 5;  // show the opened window in its current size and position
constexpr int kShellSuccessAbove = 32;
}  // namespace

void Frmmain::onLoad() {
  helpPath_ = app().splash().MainAppPath + "\\Help\\Vexorel.hlp";
  const TwipsPoint at = centreOnScreen(static_cast<float>(screenWidthTwips()), static_cast<float>(screenHeightTwips()),
                                       static_cast<float>(widthTwips()), static_cast<float>(heightTwips()));
  moveTwips(at.left, at.top);
  if (!findGameFolder()) return;
  leesman();
  showPlaceholders();
  detectMemory();
}

bool Frmmain::findGameFolder() {
  UtPath = app().module().ReadRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue);
  if (UtPath.empty()) {
    app().dialogs().msgBox(this, QStringLiteral("Unable to get tournament folder data from registry"), MsgButtons::Ok,
                           MsgIcon::Critical, QStringLiteral("Error: Unreal Tournament folder data??"));
    app().end();
    return false;
  }
  FileName = UtPath + "\\System\\UnrealTournament.ini";
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
  ReadModule& module = app().module();
  for (std::size_t row = 0; row < kSummaryRows.size(); ++row) {
    const SummaryRow& entry = kSummaryRows[row];
    module.ReadIniValue(std::string(entry.section), std::string(entry.key), FileName);
    std::string value = module.LastIniValue;
    if (row == kRenderDeviceRow) value = ShortNameOrClassName(value);
    List2->insertItem(module.IniReadCount - 1, toQString(value));
    List1->insertItem(static_cast<int>(row), toQString(std::string(entry.key)));
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
    app().end();
    return;
  }
  const MsgAnswer answer =
      app().dialogs().msgBox(this, QStringLiteral("       Exit Program ?         "), MsgButtons::YesNo,
                             MsgIcon::Information, QStringLiteral("Exit program"));
  if (answer == MsgAnswer::Yes) app().end();
}

void Frmmain::openWithShell(const std::string& path) {
  Platform& platform = app().platform();
  const int result = platform.shellExecute("Open", path, platform.getCurrentDirectory(), kShowNormal);
  if (result < kShellSuccessAbove) {
    app().dialogs().msgBox(this,
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
  openWithShell(app().platform().getCurrentDirectory() + "\\Uninstall.exe");
  app().end();
}

}  // namespace vexorel
