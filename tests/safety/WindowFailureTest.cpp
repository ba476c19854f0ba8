// The windows on a full disk: "&Done", a preset and the load of a setting set each say that the game's
// file could not be written (with the system's reason, and never their success text), and the game's
// file keeps its bytes. The editor's own failures are checked by its suite.
#include <sys/resource.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <functional>

#include "editor/Form4.h"
#include "ui/DropDownCombo.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

// A full disk while `action` runs: the file-size limit lowered, SIGXFSZ ignored so write() fails with EFBIG.
void onAFullDisk(rlim_t bytes, const std::function<void()>& action) {
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{bytes, old.rlim_max};
  ::setrlimit(RLIMIT_FSIZE, &limit);
  action();
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, handler);
}

class WindowsOnAFullDisk : public GuiTest {
 protected:
  static constexpr rlim_t kNoRoom = 4096;  // half the game's file
  void SetUp() override {
    GuiTest::SetUp();
    registerGame();
    app->splash().MainAppPath = startFolder;
    app->splash().VEXORELPATH = startPath("Vexorel.ini");
    writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n");
    std::filesystem::create_directories(startPath("BACKUP"));
    app->frmmain().showForm();
  }
  // The last box was an error starting so (with the full disk's reason when the window gives one), no box
  // said the work was done, and the game's file is as it was.
  void expectFailure(const QString& start, bool givesReason = true, bool unchanged = true) {
    ASSERT_FALSE(dialogs.calls.empty());
    const DialogCall& last = dialogs.calls.back();
    EXPECT_EQ(last.icon, MsgIcon::Critical) << last.text.toStdString();
    EXPECT_TRUE(last.text.startsWith(start) && last.text.contains("File too large") == givesReason)
        << last.text.toStdString();
    for (const DialogCall& call : dialogs.calls) EXPECT_NE(call.text, "Graphics changes have been applied");
    if (unchanged) {
      EXPECT_EQ(gameIni(), demoGameIni());
    }
  }
};

TEST_F(WindowsOnAFullDisk, DoneAPresetAndLoadingASetSayTheFileWasNotWritten) {
  Frmmain& main = app->frmmain();
  for (DropDownCombo* list : {main.Combo1, main.Combo2}) list->showPopup(), list->hidePopup();
  main.Combo1->setCurrentIndex(2);
  main.Combo2->setCurrentIndex(4);
  onAFullDisk(kNoRoom, [&] { QTest::mouseClick(main.Command1, Qt::LeftButton); });
  expectFailure("Unable to save the changes in " + QString::fromStdString(platform->displayPath(main.FileName)));
  EXPECT_FALSE(main.Picture2->isVisible());

  // A preset: no room for its backup; then room for the backup but not for the file as it grows.
  dialogs.answer(MsgAnswer::Yes);
  onAFullDisk(kNoRoom, [&] { QTest::mouseClick(main.Option1, Qt::LeftButton); });
  expectFailure("Unable to make the backup copy ");
  dialogs.answer(MsgAnswer::Yes);
  onAFullDisk(demoGameIni().size(), [&] { QTest::mouseClick(main.Option1, Qt::LeftButton); });
  expectFailure("Unable to save the changes in ", true, false);  // the writes before the longer one stay
  EXPECT_LE(gameIni().size(), demoGameIni().size());
  EXPECT_FALSE(main.Picture1->isVisible());

  // A set loaded into the game's file: a failed backup names its reason, a failed scratch copy only says so.
  Form4& editor = app->form4();
  editor.showForm();
  ASSERT_TRUE(editor.isLoaded());
  const std::vector<std::string> values = editor.values();
  std::vector<std::string> changed = values;
  changed[4] = changed[4] == "True" ? "False" : "True";
  showValues(*app, changed);
  ASSERT_TRUE(saveSet(*app, "Quick"));
  showValues(*app, values);
  frmload& window = app->load();
  window.showForm();
  window.Combo1->setCurrentIndex(0);
  for (const rlim_t room : {kNoRoom, static_cast<rlim_t>(demoGameIni().size())}) {
    onAFullDisk(room, [&] { window.Command1->click(); });
    expectFailure(
        QString::fromStdString("The setting set was not loaded into " + platform->displayPath(gameIniPath()) + ": "),
        room == kNoRoom);
    EXPECT_TRUE(dialogs.calls.back().text.endsWith(". The file was not changed."));
    EXPECT_EQ(editor.values(), values);
  }
}

}  // namespace
}  // namespace vexorel::testing
