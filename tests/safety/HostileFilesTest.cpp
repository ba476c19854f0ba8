// The program started through its real start-up over hostile files (random bytes, huge, odd): what cannot be
// done is said, no byte of the user's lost. A full disk is the writer's own test; every window test on Linux has its
// game on a long path beyond ASCII.
#include <QtWidgets>
#include <filesystem>
#include <random>

#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

std::string randomBytes(std::size_t size, unsigned seed) {  // weighted towards the bytes the readers look at
  static constexpr char kInteresting[] = "[]=\r\n\"\\;@:,\x1A";
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = random() % 3 == 0 ? kInteresting[random() % 12] : static_cast<char>(random());
  return bytes;
}

class HostileFiles : public GuiTest {
 protected:
  // A fresh program through its start-up window's load and ticks: true when the main window is up.
  bool startProgram() {
    app = std::make_unique<AppContext>(*platform, dialogs);
    dialogs.calls.clear();
    app->start();
    for (int tick = 0; tick < frmSplash::kTicks && app->splash().isVisible() && !app->ending(); ++tick)
      app->splash().tick();
    return !app->ending() && app->frmmain().isVisible();
  }
  std::string lastBox() const { return dialogs.calls.empty() ? "" : dialogs.calls.back().text.toStdString(); }
};

TEST_F(HostileFiles, HostileProgramFilesKeepTheirBytesAndTheProgramStarts) {
  registerGame();
  const std::string big(10 << 20, 'x'), settings = startPath("Vexorel.ini"), odd = "SaveNumber=\"3";
  // Settings file: the program changes only its own keys (the backup marked done, an unreadable count put right).
  for (const auto& [bytes, expected] : std::vector<std::pair<std::string, std::string>>{
           {randomBytes(64 << 10, 7), ""},
           {big + "\r\n[Vexorel]\r\nSaveNumber=2\r\nDidBackup=No\r\n[Save1]\r\nSaveName=Deep down\r\n",
            big + "\r\n[Vexorel]\r\nSaveNumber=2\r\nDidBackup=Yes\r\n[Save1]\r\nSaveName=Deep down\r\n"},
           {testData("safety/odd-settings.ini"), ""},  // odd sections, a count that is no number, NULs
           {"", ""}}) {
    writeFileBytes(settings, bytes);
    ASSERT_TRUE(startProgram());
    EXPECT_TRUE(dialogs.calls.empty());
    app->form4().showForm();
    app->load().showForm();
    std::string want = expected.empty() ? bytes : expected;
    if (want.find(odd) != std::string::npos) want.replace(want.find(odd), odd.size(), "SaveNumber=1");
    EXPECT_TRUE(readFileBytes(settings).substr(0, want.size()) == want) << "bytes of the settings file were lost";
    EXPECT_TRUE(expected.empty() || app->load().Combo1->itemText(0) == "Deep down");
  }
  // A registry store naming no usable folder: the program asks for the game and adds the answer beside every byte.
  const std::string store =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Pad]\r\n\"Big\"=hex:" + big + "\r\n";
  writeFileBytes(registryFile, store);
  dialogs.chooseFile(QString::fromStdString(gameFolder + "/System/UnrealTournament.exe"));
  ASSERT_TRUE(startProgram());
  EXPECT_EQ(lastBox(), "Select Unreal Tournament.");
  EXPECT_EQ(app->frmmain().UtPath, gameFolder);  // as the main window reads it back
  EXPECT_TRUE(readFileBytes(registryFile).substr(0, store.size()) == store) << "bytes of the registry store lost";
}

}  // namespace
}  // namespace vexorel::testing
