// The start-up window through its real load, timer and close, and the options window's "AskQ".

#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "startup/frmoptions.h"
#include "support/core/Table.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;
const std::string kNotBackedUp = "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=No\r\n";

class SplashTest : public ProgramTest {
 protected:
  std::string backup() const { return GuiTest::backup("BckUpUnrealTournament.txt"); }
  std::string registryFolder() {
    return app->module().ReadRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue);
  }
  // A new run over the same files, with the game folder recorded as `folder` first when one is given.
  void start(const std::string& settingsBytes, const char* folder = nullptr, bool optionsCheck = false) {
    app = std::make_unique<AppContext>(*platform, dialogs);
    app->frmmain().OptionsCheck = optionsCheck;
    if (folder)
      app->module().WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue, folder);
    writeFileBytes(startPath("Vexorel.ini"), settingsBytes);
    app->start();
  }
};

TEST_F(SplashTest, TheTimerShowsTheMainWindowOnlyAnExactNoBacksUpAndOnlyCheckedAsksOnExit) {
  start(kNotBackedUp, gameFolder.c_str());
  EXPECT_EQ(settings() + backup(), kFreshSettings + demoGameIni());
  EXPECT_TRUE(dialogs.calls.empty() && app->splash().isVisible() && !app->frmmain().isVisible());
  for (int i = 0; i < 24; ++i) app->splash().tick();
  EXPECT_EQ(app->splash().ProgressBar1->value(), 24);  // the running timer gives the twenty-fifth tick
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->frmmain().isVisible(); }, 10000));
  EXPECT_TRUE(app->splash().X == 25 && !app->splash().isVisible());
  EXPECT_EQ(app->splash().MainAppPath, startFolder);  // outlives the window
  writeGameIni("[Engine.Engine]\r\n");
  start(kFreshSettings);  // a run after the first makes no copy
  EXPECT_EQ(backup(), demoGameIni());
  fs::remove_all(startPath("BACKUP"));
  start("[Vexorel]\r\nSaveNumber=2\r\n");
  EXPECT_FALSE(fs::exists(startPath("BACKUP")));
  EXPECT_EQ(settings(), "[Vexorel]\r\nSaveNumber=2\r\n");  // no key created
  start(kFreshSettings + std::string("AskQ=Checked\r\n"));
  EXPECT_TRUE(app->frmmain().OptionsCheck);
  start(kFreshSettings + std::string("AskQ=checked\r\n"), nullptr, true);
  EXPECT_FALSE(app->frmmain().OptionsCheck);
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
  optionsCheck = true;
  options.showForm();
  EXPECT_FALSE(options.Check1->isChecked());  // no "AskQ" yet
  EXPECT_FALSE(optionsCheck);
  for (const Row& step : readTable("startup/options-steps.txt", ' ')) {
    SCOPED_TRACE(step.where());
    const std::string &button = step[1], &stored = step[2];
    options.showForm();
    options.Check1->setChecked(step[0] == "1");
    if (button == "close")
      EXPECT_TRUE(options.close());
    else
      QTest::mouseClick(button == "ok" ? options.Command1 : options.Command2, Qt::LeftButton);
    EXPECT_FALSE(options.isLoaded());
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(settings(), std::string(kFreshSettings) + "AskQ=" + stored + "\r\n");
    EXPECT_EQ(optionsCheck, stored == "Checked");
  }
  writeFileBytes(startPath("Vexorel.ini"), kFreshSettings + std::string("AskQ=checked\r\n"));
  optionsCheck = true;
  options.showForm();
  EXPECT_FALSE(options.Check1->isChecked());  // only "Checked" opens checked
  EXPECT_FALSE(optionsCheck);
}

}  // namespace
}  // namespace vexorel::testing
