// The start-up window through its real load, timer and close, over good and hostile settings files, and the options
// window's "AskQ".

#include <QTest>
#include <QtWidgets>
#include <random>

#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
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

std::string randomBytes(std::size_t size, unsigned seed) {  // weighted towards the bytes the readers look at
  static constexpr char kInteresting[] = "[]=\r\n\"\\;@:,\x1A";
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = random() % 3 == 0 ? kInteresting[random() % 12] : static_cast<char>(random());
  return bytes;
}

// Over a hostile settings file (random bytes, huge, odd, empty) the program starts and says nothing, the editor and
// the load window open, and the file keeps every byte but the program's own keys (the backup marked done, an
// unreadable count put right).
TEST_F(SplashTest, AHostileSettingsFileKeepsItsBytesAndTheProgramStarts) {
  registerGame();
  const std::string big(10 << 20, 'x'), odd = "SaveNumber=\"3";
  for (const auto& [bytes, expected] : std::vector<std::pair<std::string, std::string>>{
           {randomBytes(64 << 10, 7), ""},
           {big + "\r\n[Vexorel]\r\nSaveNumber=2\r\nDidBackup=No\r\n[Save1]\r\nSaveName=Deep down\r\n",
            big + "\r\n[Vexorel]\r\nSaveNumber=2\r\nDidBackup=Yes\r\n[Save1]\r\nSaveName=Deep down\r\n"},
           {testData("startup/odd-settings.ini"), ""},  // odd sections, a count that is no number, NULs
           {"", ""}}) {
    dialogs.calls.clear();
    start(bytes);
    for (int i = 0; i < frmSplash::kTicks && app->splash().isVisible(); ++i) app->splash().tick();
    ASSERT_TRUE(app->frmmain().isVisible());
    EXPECT_TRUE(dialogs.calls.empty());
    app->form4().showForm();
    app->load().showForm();
    std::string want = expected.empty() ? bytes : expected;
    if (want.find(odd) != std::string::npos) want.replace(want.find(odd), odd.size(), "SaveNumber=1");
    EXPECT_TRUE(settings().substr(0, want.size()) == want) << "bytes of the settings file were lost";
    EXPECT_TRUE(expected.empty() || app->load().Combo1->itemText(0) == "Deep down");
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
