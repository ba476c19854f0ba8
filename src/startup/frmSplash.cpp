#include "startup/frmSplash.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QProgressBar>

#include "core/GameFiles.h"
#include "core/ReadModule.h"
#include "core/SettingsFile.h"
#include "core/SharedState.h"
#include "ui/DesignGeometry.h"
#include "ui/DialogService.h"
#include "ui/Placement.h"
#include "ui/TextCodec.h"
#include "ui/Twips.h"
#include "ui/Version.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {
// The window's design, in twips.
constexpr float kWidth = 6750;
constexpr float kHeight = 3600;

constexpr const char* kLocateTitle = "Select Unreal Tournament.";
}  // namespace

frmSplash::frmSplash(WindowHost& host)
    : FormWindow(host), VEXORELPATH(host.state().VEXORELPATH), MainAppPath(host.state().MainAppPath) {
  setWindowTitle(QString::fromLatin1(kProgramTitle));
  // A start-up window has no title bar; its frame encloses the content.
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setFixedSize(twipsToPixels(kWidth), twipsToPixels(kHeight));
  // The design puts the window in the middle of the screen; no load step moves it.
  const TwipsPoint where =
      centreOnScreen(static_cast<float>(screenWidthTwips()), static_cast<float>(screenHeightTwips()), kWidth, kHeight);
  moveTwips(where.left, where.top);
  buildControls();
  Timer1.setInterval(1);
  connect(&Timer1, &QTimer::timeout, this, &frmSplash::tick);
}

void frmSplash::buildControls() {
  Frame1 = new QFrame(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  Frame1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Frame1->setLineWidth(2);
  placeTwips(Frame1, 0, 0, kWidth, kHeight);

  imgLogo = new QLabel(Frame1);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setPixmap(QIcon(QStringLiteral(":/vexorel/logo.png")).pixmap(128));  // picks logo@2x.png on sharp screens
  imgLogo->setScaledContents(true);
  imgLogo->setAccessibleName(QString::fromLatin1(kProgramTitle));
  placeTwips(imgLogo, 300, 420, 1920, 1920);

  lblProductName = new QLabel(Frame1);
  lblProductName->setObjectName(QStringLiteral("lblProductName"));
  QFont titleFont = lblProductName->font();
  titleFont.setPointSize(24);
  titleFont.setBold(true);
  lblProductName->setFont(titleFont);
  lblProductName->move(twipsToPixels(2520), twipsToPixels(420));

  lblVersion = new QLabel(Frame1);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblVersion->move(twipsToPixels(2520), twipsToPixels(1500));

  ProgressBar1 = new QProgressBar(Frame1);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setRange(0, kTicks);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);
  placeTwips(ProgressBar1, 300, 2760, kWidth - 600, 300);
}

void frmSplash::onLoad() {
  lblVersion->setText(versionCaption());
  lblVersion->adjustSize();

  lblProductName->setText(QString::fromLatin1(kProgramTitle));
  lblProductName->adjustSize();
  const double labelWidth = pixelsToTwips(lblProductName->width());
  lblProductName->move(twipsToPixels((kWidth - labelWidth) / 2), lblProductName->y());

  resolveSettingsFile();
  MainAppPath = folderPart(VEXORELPATH);

  const std::string gameFolder = findGameFolder();
  if (gameFolder.empty()) {
    // The user cancelled the locate dialog: the program ends here, before any window is shown.
    host().end();
    return;
  }
  makeFirstRunBackup(gameFolder);
  loadExitQuestionSwitch();
  Timer1.start();
}

void frmSplash::resolveSettingsFile() {
  Platform& platform = host().platform();
  VEXORELPATH = platform.getFullPathName(kSettingsFileName);
  if (platform.findFirstFile(VEXORELPATH)) return;
  // First run: an empty file, then the two keys in this order.
  platform.createEmptyFile(VEXORELPATH);
  host().module().WriteIniValue(kSettingsSection, kSaveNumberKey, "0", VEXORELPATH);
  host().module().WriteIniValue(kSettingsSection, kDidBackupKey, "No", VEXORELPATH);
}

std::string frmSplash::findGameFolder() {
  ReadModule& module = host().module();
  std::string gameFolder = module.ReadRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue);
  if (!gameFolder.empty()) return gameFolder;

  const QString exe = QString::fromLatin1(kGameExeName);
  const QString chosen = host().dialogs().openFileDialog(this, QString::fromLatin1(kLocateTitle), exe + '|' + exe);
  if (chosen.isEmpty()) return "";
  gameFolder = gameFolderFromExecutable(toBytes(chosen));
  // A failed write is not fatal here: the backup below still uses the chosen folder, and the main
  // window's own registry read reports the missing folder.
  module.WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue, gameFolder);
  return gameFolder;
}

void frmSplash::makeFirstRunBackup(const std::string& gameFolder) {
  ReadModule& module = host().module();
  if (module.ReadProfileValue(kSettingsSection, kDidBackupKey, VEXORELPATH) != "No") return;
  Platform& platform = host().platform();
  platform.createDirectory(backupFolder(MainAppPath));  // fails harmlessly when it exists
  platform.copyFile(gameIniPath(gameFolder), backupFolder(MainAppPath) + "\\" + kFirstRunBackupName, false);
  // Marked done even when the copy failed, so the first-run backup is tried only once.
  module.WriteIniValue(kSettingsSection, kDidBackupKey, "Yes", VEXORELPATH);
}

void frmSplash::loadExitQuestionSwitch() {
  const std::string askQ = host().module().ReadProfileValue(kSettingsSection, kAskQKey, VEXORELPATH);
  host().state().OptionsCheck = askQ == kAskQChecked;
}

void frmSplash::tick() {
  if (host().ending()) {
    Timer1.stop();
    return;
  }
  ++X;
  ProgressBar1->setValue(X);
  close();
}

bool frmSplash::onQueryUnload() {
  return X == kTicks;
}

void frmSplash::onUnload() {
  Timer1.stop();
  host().show(WindowName::Main);
}

void frmSplash::resetToDesign() {
  Timer1.stop();
  ProgressBar1->setValue(0);
}

}  // namespace vexorel
