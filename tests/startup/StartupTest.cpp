// The start-up window through its real load, timer and close, and the options window's "AskQ".

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "startup/frmoptions.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;
const std::string kNotBackedUp = "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=No\r\n";

class SplashTest : public GuiTest {
 protected:
  std::string settings() const { return readFileBytes(startPath("Vexorel.ini")); }
  std::string backup() const { return readFileBytes(startPath("BACKUP/BckUpUnrealTournament.txt")); }
  std::string registryFolder() {
    return app->module().ReadRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue);
  }
  // A new run over the same files, with the game folder recorded as `folder` first when one is given.
  void start(const std::string& settingsBytes = {}, const char* folder = nullptr) {
    app = std::make_unique<AppContext>(*platform, dialogs);
    if (folder)
      app->module().WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue, folder);
    if (!settingsBytes.empty()) writeFileBytes(startPath("Vexorel.ini"), settingsBytes);
    app->start();
  }
};

TEST_F(SplashTest, TheTimerShowsTheMainWindowOnlyAnExactNoBacksUpAndOnlyCheckedAsksOnExit) {
  start({}, gameFolder.c_str());
  EXPECT_EQ(settings() + backup(), kFreshSettings + demoGameIni());
  EXPECT_TRUE(dialogs.calls.empty() && app->splash().isVisible() && !app->frmmain().isVisible());
  for (int i = 0; i < 24; ++i) app->splash().tick();
  EXPECT_EQ(app->splash().ProgressBar1->value(), 24);  // the running timer gives the twenty-fifth tick
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->frmmain().isVisible(); }, 10000));
  EXPECT_TRUE(app->splash().X == 25 && !app->splash().isVisible());
  EXPECT_EQ(app->splash().MainAppPath, startFolder);  // outlives the window
  writeGameIni("[Engine.Engine]\r\n");
  start();  // the second run makes no copy
  EXPECT_EQ(backup(), demoGameIni());
  fs::remove_all(startPath("BACKUP"));
  start("[Vexorel]\r\nSaveNumber=2\r\n");
  EXPECT_FALSE(fs::exists(startPath("BACKUP")));
  EXPECT_EQ(settings(), "[Vexorel]\r\nSaveNumber=2\r\n");  // no key created
  for (const auto& [askQ, expected] :
       {std::pair{"AskQ=Checked", true}, {"AskQ=checked", false}, {"AskQ=Unchecked", false}}) {
    app = std::make_unique<AppContext>(*platform, dialogs);
    app->frmmain().OptionsCheck = !expected;
    writeFileBytes(startPath("Vexorel.ini"), kFreshSettings + std::string(askQ) + "\r\n");
    app->start();
    EXPECT_EQ(app->frmmain().OptionsCheck, expected) << askQ;
  }
}

TEST_F(SplashTest, AnUnknownFolderIsAskedForAndTheParentOfTheExesFolderRecorded) {
  std::string settingsWhenAsked;
  dialogs.onShow = [&](const DialogCall&) { settingsWhenAsked = settings(); };
  dialogs.chooseFile(QString::fromStdString(gameFolder + "/System/UnrealTournament.exe"));
  start(kNotBackedUp);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].extra, "UnrealTournament.exe|UnrealTournament.exe");
  EXPECT_EQ(settingsWhenAsked + registryFolder(), kNotBackedUp + gameFolder);

  // An empty folder asks too; an executable in a root folder gives the root, and the failed copy counts as done.
  fs::remove_all(startPath("BACKUP"));
  dialogs.chooseFile(QStringLiteral("/UnrealTournament.exe"));
  start(kNotBackedUp, "");
  EXPECT_EQ(registryFolder(), "/");
  EXPECT_FALSE(fs::exists(startPath("BACKUP/BckUpUnrealTournament.txt")));
  EXPECT_EQ(settings(), kFreshSettings);

  dialogs.chooseFile(QString());  // cancelled: the program ends before any window shows
  start(kNotBackedUp, "");
  EXPECT_TRUE(app->ending());
  EXPECT_FALSE(app->splash().isVisible() || app->splash().Timer1.isActive() || app->frmmain().isLoaded());
  EXPECT_EQ(registryFolder() + settings(), kNotBackedUp);
}

TEST_F(ProgramTest, OptionsStoreAskQOnOkAndTheCloseBoxFollowsTheLastButton) {
  frmoptions& options = app->options();
  bool& optionsCheck = app->frmmain().OptionsCheck;
  const auto reopen = [&](bool check) {
    options.showForm();
    options.Check1->setChecked(check);
  };
  const auto stored = [&](const char* askQ) { EXPECT_EQ(settings(), kFreshSettings + std::string(askQ) + "\r\n"); };
  optionsCheck = true;
  options.showForm();
  EXPECT_FALSE(options.Check1->isChecked() || optionsCheck);  // no "AskQ" yet
  QTest::mouseClick(options.Command1, Qt::LeftButton);
  EXPECT_FALSE(options.isLoaded() || options.isVisible());
  stored("AskQ=Unchecked");
  reopen(true);
  QTest::mouseClick(options.Command2, Qt::LeftButton);
  reopen(true);
  EXPECT_TRUE(options.close());  // Cancel was last: the close box stores nothing either
  stored("AskQ=Unchecked");
  EXPECT_TRUE(options.Cancelled && !optionsCheck);
  reopen(true);  // after Ok the close box stores too
  QTest::mouseClick(options.Command1, Qt::LeftButton);
  stored("AskQ=Checked");
  reopen(false);
  options.close();
  stored("AskQ=Unchecked");
  writeFileBytes(startPath("Vexorel.ini"), kFreshSettings + std::string("AskQ=checked\r\n"));
  optionsCheck = true;
  options.showForm();
  EXPECT_FALSE(options.Check1->isChecked() || optionsCheck);  // only "Checked" opens checked
}

}  // namespace
}  // namespace vexorel::testing
