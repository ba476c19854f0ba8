// The start-up window through its real load, timer and close, offscreen.

#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <filesystem>

#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;
const std::string kFresh = "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=No\r\n";
const std::string kBackedUp = "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n";

class SplashTest : public GuiTest {
 protected:
  std::string settings() const { return readFileBytes(startPath("Vexorel.ini")); }
  std::string backup() const { return readFileBytes(startPath("BACKUP/BckUpUnrealTournament.txt")); }
  std::string registryFolder() {
    return app->module().ReadRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue);
  }
  frmSplash& splash() { return app->splash(); }
  void restart() {  // a new run over the same folders and registry
    app = std::make_unique<AppContext>(*platform, dialogs);
  }
};

TEST_F(SplashTest, FirstRunBacksUpOnceAndCounts) {
  registerGame();
  app->start();
  EXPECT_EQ(splash().VEXORELPATH, startPath("Vexorel.ini"));
  EXPECT_EQ(splash().MainAppPath, startFolder);
  EXPECT_EQ(settings(), kBackedUp);
  EXPECT_EQ(backup(), demoGameIni());
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(splash().lblVersion->text(), "Version 1.6.0");
  const QLabel* name = splash().lblProductName;
  EXPECT_LE(std::abs(name->x() - (splash().width() - name->x() - name->width())), 1);
  EXPECT_TRUE(splash().isVisible() && splash().Timer1.isActive());
  EXPECT_FALSE(app->frmmain().isVisible());

  restart();  // second run: no copy even though the game file changed
  writeGameIni("[Engine.Engine]\r\n");
  app->start();
  EXPECT_EQ(backup(), demoGameIni());
  EXPECT_EQ(settings(), kBackedUp);
}

TEST_F(SplashTest, OnlyAnExactNoMakesABackup) {
  registerGame();
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=2\r\n");
  app->start();
  EXPECT_FALSE(fs::exists(startPath("BACKUP")));
  EXPECT_EQ(settings(), "[Vexorel]\r\nSaveNumber=2\r\n");  // no key created

  restart();
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nDidBackup=No\r\n");
  app->start();
  EXPECT_EQ(backup(), demoGameIni());
  EXPECT_EQ(settings(), "[Vexorel]\r\nDidBackup=Yes\r\n");
}

TEST_F(SplashTest, UnknownOrEmptyFolderAsksAndRecordsTheParentOfTheExesFolder) {
  ASSERT_TRUE(app->module().WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue, ""));
  std::string settingsWhenAsked;
  dialogs.onShow = [&](const DialogCall&) { settingsWhenAsked = settings(); };
  dialogs.chooseFile(QString::fromStdString(gameFolder + "/System/UnrealTournament.exe"));
  app->start();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "Select Unreal Tournament.");
  EXPECT_EQ(dialogs.calls[0].extra, "UnrealTournament.exe|UnrealTournament.exe");
  EXPECT_EQ(settingsWhenAsked, kFresh);
  EXPECT_EQ(registryFolder(), gameFolder);
  EXPECT_EQ(backup(), demoGameIni());

  restart();  // an executable in a root folder: the root; the failed copy still counts as done
  fs::remove_all(startPath("BACKUP"));
  writeFileBytes(startPath("Vexorel.ini"), kFresh);
  dialogs.chooseFile(QStringLiteral("/UnrealTournament.exe"));
  ASSERT_TRUE(app->module().WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue, ""));
  app->start();
  EXPECT_EQ(registryFolder(), "/");
  EXPECT_FALSE(fs::exists(startPath("BACKUP/BckUpUnrealTournament.txt")));
  EXPECT_EQ(settings(), kBackedUp);
}

TEST_F(SplashTest, CancelledDialogEndsTheProgramBeforeAnyWindowShows) {
  dialogs.chooseFile(QString());
  app->start();
  EXPECT_TRUE(app->ending());
  EXPECT_FALSE(splash().isVisible() || splash().Timer1.isActive());
  EXPECT_FALSE(app->frmmain().isVisible() || app->frmmain().isLoaded());
  EXPECT_EQ(registryFolder(), "");
  EXPECT_EQ(settings(), kFresh);
}

TEST_F(SplashTest, OnlyAskQCheckedSwitchesTheQuestionOn) {
  registerGame();
  for (const auto& [askQ, expected] :
       {std::pair{"AskQ=Checked\r\n", true}, {"AskQ=checked\r\n", false}, {"AskQ=Unchecked\r\n", false}, {"", false}}) {
    restart();
    writeFileBytes(startPath("Vexorel.ini"), kBackedUp + askQ);
    app->frmmain().OptionsCheck = !expected;
    app->start();
    EXPECT_EQ(app->frmmain().OptionsCheck, expected) << askQ;
  }
}

TEST_F(SplashTest, CloseIsRefusedUntilTheTwentyFifthTickWhichShowsTheMainWindow) {
  registerGame();
  app->start();
  for (int i = 0; i < 24; ++i) splash().tick();
  EXPECT_EQ(splash().ProgressBar1->value(), 24);
  EXPECT_FALSE(splash().close());  // the user's close request is refused too
  EXPECT_TRUE(splash().isVisible());
  EXPECT_FALSE(app->frmmain().isVisible());

  splash().tick();
  EXPECT_EQ(splash().X, 25);
  EXPECT_FALSE(splash().isVisible());
  EXPECT_TRUE(app->frmmain().isVisible());
  EXPECT_EQ(splash().MainAppPath, startFolder);  // outlives the window
}

TEST_F(SplashTest, TheRunningTimerHandsOverToTheMainWindow) {
  registerGame();
  app->start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->frmmain().isVisible(); }, 10000));
  EXPECT_EQ(splash().X, 25);
}

}  // namespace
}  // namespace vexorel::testing
