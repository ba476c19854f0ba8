// The program started through its real start-up sequence (offscreen, boxes answered by script) over
// program files that are damaged, huge or odd, a BACKUP that is a file, a start folder whose files
// are read-only, and a game folder on a long path with blanks and letters beyond ASCII. Each time the
// main window opens, what cannot be done is said in a box when it is tried, and nothing crashes.

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>
#include <random>

#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

std::string randomBytes(std::size_t size, unsigned seed) {
  // Weighted towards the bytes the readers look at, so lines, headers and '=' turn up everywhere.
  static constexpr char kInteresting[] = "[]=\r\n\"\\;@:,\x1A";
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) {
    const unsigned roll = random();
    c = roll % 3 == 0 ? kInteresting[roll / 3 % (sizeof kInteresting - 1)] : static_cast<char>(roll >> 8);
  }
  return bytes;
}

class HostileFiles : public GuiTest {
 protected:
  std::string settingsPath() const { return startPath("Vexorel.ini"); }

  // The start-up window's load, then its 25 ticks: true when the main window is up.
  bool startProgram() {
    app->start();
    for (int tick = 0; tick < frmSplash::kTicks && app->splash().isVisible() && !app->ending(); ++tick) {
      app->splash().tick();
    }
    return !app->ending() && app->frmmain().isVisible();
  }
  // Opens the load window and returns how many sets it lists.
  int listedSets() {
    app->form4().showForm();
    app->load().showForm();
    return app->load().Combo1->count();
  }
  void runSlowPreset() {
    dialogs.answer(MsgAnswer::Yes);
    QTest::mouseClick(app->frmmain().Option1, Qt::LeftButton);
  }
  bool anyBoxStartsWith(const QString& start) const {
    for (const DialogCall& call : dialogs.calls) {
      if (call.text.startsWith(start)) return true;
    }
    return false;
  }
};

TEST_F(HostileFiles, ProgramSettingsOfRandomBytesHugeOrOddStillStart) {
  registerGame();
  const std::string huge = std::string(10 << 20, 'x') +
                           "\r\n[Vexorel]\r\nSaveNumber=2\r\nDidBackup=No\r\n[Save1]\r\n"
                           "SaveName=Deep down\r\n";
  const std::string odd =
      "[Vexorel\r\nSaveNumber=99999999999999999999999\r\n[ vexorel ]]\r\nSaveNumber=-7\r\n[Vexorel]\r\n"
      "SaveNumber=\"3\r\n[Save1]\r\nSaveName=" +
      std::string(5000, 'n') +
      "\r\n[Save2\r\nSaveName\r\n[Save3]]\r\n"
      "SaveName='\r\n[]\r\n=\r\n" +
      std::string("\0\0", 2) + "[Save4]\r\nSaveName=\xFF\xFE\r\n";
  const std::vector<std::pair<std::string, std::string>> files = {
      {"random", randomBytes(64 << 10, 7)}, {"huge", huge}, {"odd", odd}, {"empty", ""}};
  for (const auto& [what, bytes] : files) {
    SCOPED_TRACE(what);
    app = std::make_unique<AppContext>(*platform, dialogs);
    dialogs.calls.clear();
    writeFileBytes(settingsPath(), bytes);
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(dialogs.calls.empty());
    EXPECT_GE(listedSets(), 0);
    // Only the program's own keys change: the huge file had its first-run backup marked done, the odd
    // one its unreadable set count repaired (the listing counts the sets itself), and the others got
    // the count added at their end.
    const std::string after = readFileBytes(settingsPath());
    std::string expected = bytes;
    if (what == "huge") {
      expected.replace(expected.find("DidBackup=No"), 12, "DidBackup=Yes");
      EXPECT_EQ(app->load().Combo1->itemText(0), "Deep down");
    } else if (what == "odd") {
      expected.replace(expected.find("SaveNumber=\"3"), 13, "SaveNumber=1");
    }
    EXPECT_TRUE(after.substr(0, expected.size()) == expected) << "bytes of the settings file were lost";
  }
}

TEST_F(HostileFiles, ARegistryStoreOfRandomBytesHugeOrOddKeepsItsBytesAndAsksForTheGame) {
  const std::string gameKey = "[HKEY_LOCAL_MACHINE\\Software\\Unreal Technology\\Installed Apps\\UnrealTournament]";
  const std::vector<std::pair<std::string, std::string>> stores = {
      {"random", randomBytes(64 << 10, 11)},
      {"huge", "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Pad]\r\n\"Big\"=hex:" +
                   std::string(10 << 20, '0') + "\r\n"},
      {"odd", "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n" + gameKey + "\r\n\"Folder\"=hex:zz,\\\r\n" +
                  gameKey + "]\r\n\"Folder\"=\"C:\\\\nowhere\r\n[\r\n@=dword:123456789\r\n\"Folder\"=hex(2):\\"}};
  for (const auto& [what, bytes] : stores) {
    SCOPED_TRACE(what);
    app = std::make_unique<AppContext>(*platform, dialogs);
    dialogs.calls.clear();
    writeFileBytes(registryFile, bytes);
    // The store names no usable folder: the program asks for the game and records the answer.
    dialogs.chooseFile(QString::fromStdString(gameFolder + "/System/UnrealTournament.exe"));
    ASSERT_TRUE(startProgram());
    ASSERT_EQ(dialogs.calls.size(), 1u);
    EXPECT_EQ(dialogs.calls[0].text, "Select Unreal Tournament.");
    EXPECT_EQ(app->frmmain().UtPath, gameFolder);
    // Every byte the store had is still there; the answer went in beside them.
    const std::string after = readFileBytes(registryFile);
    std::string expected = bytes;
    if (what == "odd") {
      // The game's unreadable value (continued on the next line) is the one line replaced.
      const std::string unreadable = "\"Folder\"=hex:zz,\\\r\n" + gameKey + "]";
      expected.replace(expected.find(unreadable), unreadable.size(), "\"Folder\"=\"" + gameFolder + "\"");
      EXPECT_TRUE(after == expected) << after.substr(0, 400);
    }
    EXPECT_TRUE(after.substr(0, expected.size()) == expected) << "bytes of the registry store were lost";
    EXPECT_EQ(app->module().ReadRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue),
              gameFolder);
  }
}

TEST_F(HostileFiles, ABackupThatIsAFileIsReportedWhenABackupIsTried) {
  registerGame();
  writeFileBytes(startPath("BACKUP"), "not a folder");
  ASSERT_TRUE(startProgram());
  EXPECT_TRUE(dialogs.calls.empty());  // the first-run backup does not report, as designed
  EXPECT_EQ(readFileBytes(settingsPath()), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n");

  runSlowPreset();
  EXPECT_TRUE(anyBoxStartsWith("Unable to make the backup copy ")) << dialogs.messageTexts().back().toStdString();
  EXPECT_FALSE(anyBoxStartsWith("Graphics changes have been applied"));

  app->frmmain().Option3->click();  // the editor needs its working copy in BACKUP
  EXPECT_TRUE(anyBoxStartsWith("The working copy ")) << dialogs.messageTexts().back().toStdString();
  EXPECT_FALSE(app->form4().isLoaded());
  EXPECT_EQ(readFileBytes(startPath("BACKUP")), "not a folder");
  EXPECT_EQ(gameIni(), demoGameIni());
}

TEST_F(HostileFiles, ReadOnlyProgramFilesStartAndSavingASetSaysItCannot) {
  // A start folder the user may not write in, as the owner-write bit of its files tells the program.
  registerGame();
  writeFileBytes(settingsPath(), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=No\r\n");
  fs::permissions(settingsPath(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(readFileBytes(startPath("BACKUP/BckUpUnrealTournament.txt")), demoGameIni());
  EXPECT_EQ(readFileBytes(settingsPath()), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=No\r\n");

  app->frmmain().Option3->click();
  Form4& editor = app->form4();
  ASSERT_TRUE(editor.isLoaded());
  editor.Command1->click();  // edit
  dialogs.typeInput("Mine");
  editor.Command1->click();  // save: asks for the name
  EXPECT_EQ(dialogs.messageTexts().back(),
            QString::fromStdString("The settings could not be saved: the file " +
                                   platform->displayPath(settingsPath()) + " could not be written."));
  EXPECT_EQ(readFileBytes(settingsPath()), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=No\r\n");
}

TEST_F(HostileFiles, AGameFolderOnALongPathWithBlanksAndOtherLettersWorks) {
  std::string folder = temp / "Unreal Tournament – Spiele für Mañana 日本語 (GOTY)";
  folder += '/';
  folder.append(250 - folder.size(), 'e');
  ASSERT_EQ(folder.size(), 250u);
  fs::create_directories(folder + "/System");
  writeFileBytes(folder + "/System/UnrealTournament.ini", demoGameIni());
  ASSERT_TRUE(
      app->module().WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue, folder));

  ASSERT_TRUE(startProgram());
  EXPECT_EQ(app->frmmain().UtPath, folder);
  EXPECT_EQ(readFileBytes(startPath("BACKUP/BckUpUnrealTournament.txt")), demoGameIni());
  runSlowPreset();
  EXPECT_EQ(dialogs.messageTexts().back(), "Graphics changes have been applied");
  EXPECT_EQ(readFileBytes(startPath("BACKUP/SlowUTBackup.ini")), demoGameIni());
  const std::string changed = readFileBytes(folder + "/System/UnrealTournament.ini");
  EXPECT_NE(changed, demoGameIni());
  EXPECT_EQ(gameIni(), demoGameIni());  // the fixture's own game folder is not the one in use

  app->frmmain().Option3->click();
  EXPECT_TRUE(app->form4().isLoaded());
  EXPECT_EQ(readFileBytes(startPath("BACKUP/UTTemp.ini")), changed);
}

}  // namespace
}  // namespace vexorel::testing
