// The windows on a full disk: "&Done", a preset, the editor's Apply and the load of a setting set each
// say in a message that the game's file could not be written (never their success text), and the
// game's file keeps its bytes.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "core/SettingSetStore.h"
#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "safety/FullDisk.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"
#include "ui/DropDownCombo.h"

namespace vexorel::testing {
namespace {

class WindowsOnAFullDisk : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    registerGame();
    app->splash().MainAppPath = startFolder;
    app->splash().VEXORELPATH = startPath("Vexorel.ini");
    writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n");
    std::filesystem::create_directories(startPath("BACKUP"));
  }

  // Half the game's file: nothing of its size can be written.
  static constexpr rlim_t kNoRoom = 4096;

  // The last box was an error (naming the full disk where the window gives reasons), and no box said the
  // work was done.
  void expectFailureReported(const QString& start, const std::vector<QString>& successTexts, bool givesReason = true) {
    ASSERT_FALSE(dialogs.calls.empty());
    const DialogCall& last = dialogs.calls.back();
    EXPECT_EQ(last.icon, MsgIcon::Critical) << last.text.toStdString();
    EXPECT_TRUE(last.text.startsWith(start)) << last.text.toStdString();
    if (givesReason) {
      EXPECT_TRUE(last.text.contains("File too large")) << last.text.toStdString();
    }
    for (const DialogCall& call : dialogs.calls) {
      for (const QString& success : successTexts) EXPECT_FALSE(call.text.startsWith(success)) << success.toStdString();
    }
    EXPECT_EQ(gameIni(), demoGameIni());
  }

  Frmmain& openMain() {
    Frmmain& main = app->frmmain();
    main.showForm();
    return main;
  }
  Form4& openEditor() {
    Frmmain& main = openMain();
    main.Option3->click();
    QCoreApplication::processEvents();
    Form4& editor = app->form4();
    if (editor.isLoaded()) editor.activate();
    return editor;
  }
};

TEST_F(WindowsOnAFullDisk, DoneSaysTheChangesWereNotSaved) {
  Frmmain& main = openMain();
  for (DropDownCombo* list : {main.Combo1, main.Combo2}) {
    list->showPopup();
    list->hidePopup();
  }
  main.Combo1->setCurrentIndex(2);
  main.Combo2->setCurrentIndex(4);
  {
    FullDisk disk(kNoRoom);
    QTest::mouseClick(main.Command1, Qt::LeftButton);
  }
  expectFailureReported("Unable to save the changes in " + QString::fromStdString(platform->displayPath(main.FileName)),
                        {});
  EXPECT_FALSE(main.Picture2->isVisible());
}

TEST_F(WindowsOnAFullDisk, APresetSaysSoWhetherTheBackupOrAWriteFails) {
  Frmmain& main = openMain();
  dialogs.answer(MsgAnswer::Yes);
  {
    FullDisk disk(kNoRoom);
    QTest::mouseClick(main.Option1, Qt::LeftButton);
  }
  expectFailureReported("Unable to make the backup copy ", {"Graphics changes have been applied"});

  // Room for the backup (the file as it is) but not for a file that grows: the first longer write fails.
  dialogs.answer(MsgAnswer::Yes);
  {
    FullDisk disk(demoGameIni().size());
    QTest::mouseClick(main.Option1, Qt::LeftButton);
  }
  const DialogCall& last = dialogs.calls.back();
  EXPECT_TRUE(last.text.startsWith("Unable to save the changes in ")) << last.text.toStdString();
  EXPECT_TRUE(last.text.contains("File too large"));
  for (const DialogCall& call : dialogs.calls) EXPECT_NE(call.text, "Graphics changes have been applied");
  EXPECT_LE(gameIni().size(), demoGameIni().size());
  EXPECT_FALSE(main.Picture1->isVisible());
}

TEST_F(WindowsOnAFullDisk, ApplySaysNothingWasApplied) {
  Form4& editor = openEditor();
  ASSERT_TRUE(editor.isLoaded());
  editor.Command1->click();  // editing on
  QListWidget* list = editor.List2;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(8)).center());
  {
    FullDisk disk(kNoRoom);
    editor.Command6->click();
  }
  // The editor names the file it could not make, without the system's reason.
  expectFailureReported("The backup " + QString::fromStdString(platform->displayPath(startPath("BACKUP/Last.ini"))) +
                            " could not be made, so nothing was applied. The game's file is unchanged.",
                        {"Ok it's Done"}, false);
  EXPECT_FALSE(editor.Command7->isEnabled());
}

TEST_F(WindowsOnAFullDisk, ATickThatCannotBeSavedIsTakenBackAndSaid) {
  Form4& editor = openEditor();
  ASSERT_TRUE(editor.isLoaded());
  editor.SSTab1->setCurrentIndex(1);  // leaving the first tab finds the device and enables its boxes
  QCheckBox* vsync = editor.checkBox(19);
  ASSERT_TRUE(vsync->isEnabled());
  const bool before = vsync->isChecked();
  const std::string workingCopy = readFileBytes(startPath("BACKUP/UTTemp.ini"));
  {
    FullDisk disk(kNoRoom);
    vsync->click();
  }
  EXPECT_EQ(vsync->isChecked(), before);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  const QString text = dialogs.calls[0].text;
  EXPECT_TRUE(text.startsWith("The setting UseVSync could not be saved in the working copy " +
                              QString::fromStdString(platform->displayPath(editor.Tempname)) +
                              ", so it was not changed.\n"))
      << text.toStdString();
  EXPECT_TRUE(text.contains("File too large"));
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  EXPECT_TRUE(readFileBytes(startPath("BACKUP/UTTemp.ini")) == workingCopy);
  // With room again the same tick is saved.
  vsync->click();
  EXPECT_NE(vsync->isChecked(), before);
  EXPECT_EQ(dialogs.calls.size(), 1u);
}

TEST_F(WindowsOnAFullDisk, LoadingASetSaysTheFileWasNotChanged) {
  Form4& editor = openEditor();
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
  const QString start =
      QString::fromStdString("The setting set was not loaded into " + platform->displayPath(gameIniPath()) + ": ");
  for (const rlim_t room : {kNoRoom, static_cast<rlim_t>(demoGameIni().size())}) {
    {
      FullDisk disk(room);
      window.Command1->click();
    }
    // A failed backup names its reason; a failed write into the scratch copy only says so.
    expectFailureReported(start, {"Graphics changes have been applied"}, room == kNoRoom);
    EXPECT_TRUE(dialogs.calls.back().text.endsWith(". The file was not changed."));
    EXPECT_EQ(editor.values(), values);
  }
}

}  // namespace
}  // namespace vexorel::testing
