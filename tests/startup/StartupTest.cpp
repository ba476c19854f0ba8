// The start-up window through its real load, timer and close, and the options window's "AskQ".

#include <QTest>
#include <QtWidgets>

#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "startup/frmoptions.h"
#include "support/core/Table.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

std::string settingsFile(const std::string& lines) {  // its lines below the section, split at ';'
  std::string bytes = "[Vexorel]\r\n";
  for (const std::string& line : split(lines, ';')) bytes += line + "\r\n";
  return bytes;
}

class SplashTest : public ProgramTest {
 protected:
  // A new run over the same files.
  void start(const std::string& settingsBytes, bool optionsCheck = false) {
    app = std::make_unique<AppContext>(*platform, dialogs);
    app->frmmain().OptionsCheck = optionsCheck;
    writeFileBytes(startPath("Vexorel.ini"), settingsBytes);
    app->start();
  }
  std::string withFolder(const std::string& text) const {
    return text.starts_with("{game}") ? gameFolder + text.substr(6) : text;
  }
};

TEST_F(SplashTest, TheTimerShowsTheMainWindowAtTheTwentyFifthTick) {
  registerGame();
  start(kFreshSettings);
  for (int i = 0; i < 24; ++i) app->splash().tick();
  const QProgressBar& bar = *app->splash().ProgressBar1;  // the running timer gives the twenty-fifth tick
  EXPECT_EQ(QString("%1 of %2").arg(bar.value()).arg(bar.maximum()), "24 of 25");
  ASSERT_TRUE(QTest::qWaitFor([&] { return app->frmmain().isVisible(); }, 10000));
  EXPECT_EQ(app->splash().X, 25);
  EXPECT_FALSE(app->splash().isVisible());
  EXPECT_EQ(app->splash().MainAppPath, startFolder);  // outlives the window
}

// starts.txt: a start over a settings file, a game folder recorded and the locate dialog's answer, and what it leaves.
TEST_F(SplashTest, EachStartDoesWhatTheTableSays) {
  for (const Row& row : readTable("startup/starts.txt")) {
    SCOPED_TRACE(row.where());
    fs::remove_all(startPath("BACKUP"));
    dialogs.calls.clear();
    app->module().WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue,
                                      withFolder(row[1]));
    if (row[2] != "-") dialogs.chooseFile(QString::fromStdString(withFolder(row[2])));
    start(settingsFile(row[0]), row[6].find("asks") == std::string::npos);  // the opposite, for the start to put right
    const QString filter = dialogs.calls.empty() ? "-" : dialogs.calls.back().extra;
    EXPECT_EQ(filter, row[2] == "-" ? "-" : "UnrealTournament.exe|UnrealTournament.exe");
    EXPECT_EQ(settings(), settingsFile(row[3]));
    EXPECT_EQ(app->module().ReadRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue),
              withFolder(row[4]));
    const std::string copy = backup("BckUpUnrealTournament.txt") == demoGameIni() ? "copied" : "folder";
    EXPECT_EQ(fs::exists(startPath("BACKUP")) ? copy : "none", row[5]);
    std::string shown = app->ending() ? "ended" : app->frmmain().OptionsCheck ? "running asks" : "running";
    if (app->splash().isVisible()) shown += " splash";
    if (app->splash().Timer1.isActive()) shown += " timer";
    if (app->frmmain().isLoaded()) shown += " main";
    EXPECT_EQ(shown, row[6]);
  }
}

// options-steps.txt: the options window opened over a stored "AskQ", ticked or not, and closed.
TEST_F(ProgramTest, OptionsShowAndStoreAskQAndTheCloseBoxFollowsTheLastButton) {
  frmoptions& options = app->options();
  bool& optionsCheck = app->frmmain().OptionsCheck;
  for (const Row& step : readTable("startup/options-steps.txt", ' ')) {
    SCOPED_TRACE(step.where());
    const std::string &before = step[0], &button = step[3], &stored = step[4];
    writeFileBytes(startPath("Vexorel.ini"), kFreshSettings + (before == "-" ? "" : "AskQ=" + before + "\r\n"));
    optionsCheck = step[1] == "0";  // put right as the window opens
    options.showForm();
    EXPECT_EQ(options.Check1->isChecked(), step[1] == "1");
    EXPECT_EQ(optionsCheck, step[1] == "1");
    options.Check1->setChecked(step[2] == "1");
    if (button == "close")
      EXPECT_TRUE(options.close());
    else
      QTest::mouseClick(button == "ok" ? options.Command1 : options.Command2, Qt::LeftButton);
    EXPECT_FALSE(options.isLoaded());
    EXPECT_FALSE(options.isVisible());
    EXPECT_EQ(settings(), std::string(kFreshSettings) + "AskQ=" + stored + "\r\n");
    EXPECT_EQ(optionsCheck, stored == "Checked");
  }
}

}  // namespace
}  // namespace vexorel::testing
