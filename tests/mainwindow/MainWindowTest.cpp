// The main window: summary, activation, the quick settings ("&Done"), exit, menu and help, and the presets. The boxes
// of a test and the notes it makes among them are in its data file.

#include <QTest>
#include <QtWidgets>

#include "mainwindow/Form1.h"
#include "mainwindow/Frmmain.h"
#include "support/gui/GuiTest.h"
#include "ui/DropDownCombo.h"
#include "ui/frmAbout.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

class MainWindowTest : public ProgramTest {
 protected:
  Frmmain& openMain() {
    registerGame();
    app->frmmain().showForm();
    return app->frmmain();
  }
  QString panel(int number) { return app->frmmain().StatusBar1Panels[number - 1]->text(); }
  // The quick settings as shown: the memory box, each list's first item, choice and size, the summary's device,
  // resolution and cache, and the "done" picture ("-" when hidden); then each write tried since.
  void noteQuickSettings() {
    const Frmmain& main = app->frmmain();
    const auto list = [](const QComboBox* box) {
      return box->itemText(0) + " " + QString::number(box->currentIndex()) + "/" + QString::number(box->count());
    };
    note(QStringList{main.Text1->text(), list(main.Combo1), list(main.Combo2), main.List2->item(14)->text(), panel(2),
                     panel(6), main.Picture2->isVisible() ? "Picture2" : "-"}
             .join('|'));
    for (const std::string& entry : platform->log)
      if (entry.starts_with("write ")) note(QString::fromStdString(entry));
    platform->log.clear();
  }
};

const std::string kDevice = "GameRenderDevice=D3DDrv.D3DRenderDevice";

TEST_F(MainWindowTest, MissingGameFolderSaysSoAndEndsTheProgram) {
  app->frmmain().showForm();
  expectBoxes("mainwindow/no-game-boxes.txt");
  EXPECT_TRUE(app->ending());
  EXPECT_FALSE(app->frmmain().isVisible());
  EXPECT_EQ(app->frmmain().FileName, "");
}

// The status bar's texts and the cache size offered at load are in the captions table.
TEST_F(MainWindowTest, LoadFillsTheSummaryTheListsFollowEachOtherAndActivationShowsOddFilesAsRead) {
  Frmmain& main = openMain();
  EXPECT_EQ(itemTexts(*main.List2),
            "16|True|False|True|True|False|Default|High|High|False|30.000000|True|False|0|Direct 3D");
  EXPECT_EQ(app->module().IniReadCount, 0);
  EXPECT_FALSE(main.Picture1->isVisible());
  EXPECT_FALSE(main.Picture2->isVisible());
  EXPECT_FALSE(main.Picture1->pixmap().isNull());
  main.List1->setCurrentRow(6);
  EXPECT_EQ(main.List2->currentRow(), 6);  // and back by a click
  clickRow(main.List2, 2);
  EXPECT_EQ(main.List1->currentRow(), 2);

  // Activation reads the file again, odd values as they are, and clears the option buttons without running a preset.
  writeGameIni(testData("mainwindow/odd-game.ini"));
  main.Option2->setChecked(true);
  main.activate();
  EXPECT_EQ(main.List2->item(4)->text() + main.List2->item(7)->text() + main.List2->item(14)->text(),
            QString::fromUtf8("H\xc3\xa9ll\xc3\xb6OpenGl"));
  EXPECT_EQ(panel(2), " x 600");
  EXPECT_EQ(panel(6), " lotsMb");
  EXPECT_FALSE(main.Option2->isChecked());
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_TRUE(platform->log.empty());
}

TEST_F(MainWindowTest, DoneChecksTheMemoryThenWritesCacheDeviceAndResolutionInOrderThenExitMenuAndHelp) {
  Frmmain& main = openMain();
  const auto done = [&] {
    QTest::mouseClick(main.Command1, Qt::LeftButton);
    noteQuickSettings();
  };
  main.Text1->clear();
  QTest::keyClicks(main.Text1, "129");  // too large: said, and the maximum put in
  noteQuickSettings();
  main.Text1->setText("9.5");
  done();
  main.Text1->clear();
  done();
  main.Text1->setText(" 96");
  done();  // the cache size is written before the driver is asked for, and stands
  EXPECT_EQ(gameIni(), edited(demoGameIni(), "CacheSizeMegs=16\r\n", "CacheSizeMegs= 96\r\n"));
  dropDown(main.Combo1);  // only the first drop-down warns and takes the placeholder away
  noteQuickSettings();
  dropDown(main.Combo1);
  done();                           // dropped down and closed without a choice
  main.Combo1->setCurrentIndex(2);  // OpenGLRender
  done();
  dropDown(main.Combo2);
  done();
  platform->gameRunning = true;     // the warning comes before the first write, and No stops "&Done" there
  main.Combo2->setCurrentIndex(4);  // 1024x768
  dialogs.answer(MsgAnswer::No);
  done();
  platform->gameRunning = false;
  done();
  setReadOnly(gameIniPath(), true);  // a read-only file is reported, and the first failure stops the writes
  done();

  // The exit question, the menu and help.
  main.OptionsCheck = true;
  dialogs.answer(MsgAnswer::No);
  EXPECT_FALSE(main.close());  // the close box asks too
  EXPECT_TRUE(main.isVisible());
  EXPECT_FALSE(app->ending());
  main.mnuAbout->trigger();
  EXPECT_TRUE(app->about().isVisible());
  main.mnuHelp->trigger();
  const std::string help = startFolder + "\\Help\\Vexorel.hlp";
  EXPECT_EQ(platform->shellCalls,
            std::vector<std::string>{"Open|" + help + "|" + platform->getCurrentDirectory() + "|5"});
  platform->shellResult = 2;  // file not found
  main.mnuHelp->trigger();
  main.OptionsCheck = false;  // switched off in the options window: no question
  main.mnuExit->trigger();
  EXPECT_TRUE(app->ending());
  EXPECT_FALSE(main.isVisible());
  expectBoxes("mainwindow/done-boxes.txt", {platform->displayPath(main.FileName), platform->displayPath(help)});
}

TEST_F(MainWindowTest, PresetsPreviewAskBackUpAndWriteInOrderOrStopBeforeAnyWrite) {
  Frmmain& main = openMain();
  Form1& preview = app->form1();
  dialogs.onShow = [&](const DialogCall& box) {  // the preview as the question shows it
    if (box.buttons == MsgButtons::YesNo && preview.isVisible())
      note(preview.windowTitle() + ":" + itemTexts(*preview.List1) + ":" + itemTexts(*preview.List2));
  };
  // A preset chosen and answered; then its copies and writes, and the summary's rows 3, 5, 8 and 15, whether the
  // game's file changed and was backed up as it was, and what is left: an option checked, the preview, the "done"
  // picture, the scratch copy.
  const auto run = [&](QRadioButton* option, MsgAnswer answer) {
    const std::string before = gameIni();
    platform->log.clear();
    dialogs.answer(answer);
    QTest::mouseClick(option, Qt::LeftButton);
    for (const std::string& line : platform->log) note(QString::fromStdString(line));
    QStringList after{main.List2->item(2)->text(), main.List2->item(4)->text(), main.List2->item(7)->text(),
                      main.List2->item(14)->text(), gameIni() == before ? "as it was" : "changed"};
    if (backup(option == main.Option1 ? "SlowUTBackup.ini" : "FastUTbackup.ini") == before) after << "backed up";
    if (main.Option1->isChecked() || main.Option2->isChecked()) after << "checked";
    if (preview.isVisible()) after << "Form1";
    if (main.Picture1->isVisible()) after << "Picture1";
    if (fs::exists(startPath("BACKUP/Preset.ini"))) after << "Preset.ini";
    note(after.join(' '));
  };
  run(main.Option2, MsgAnswer::No);
  fs::remove_all(startPath("BACKUP"));  // a file where the backup folder goes: stopped before any write
  writeFileBytes(startPath("BACKUP"), "");
  run(main.Option1, MsgAnswer::Yes);
  fs::remove(startPath("BACKUP"));  // a folder deleted by hand is made again
  run(main.Option1, MsgAnswer::Yes);
  run(main.Option2, MsgAnswer::Yes);  // the fast preset backs up the file as it is each time
  run(main.Option2, MsgAnswer::Yes);

  fs::remove(gameIniPath());  // a missing game file is created; the device section then reads as "Default"
  run(main.Option2, MsgAnswer::Yes);

  // On the editor's working copy the writes go there, in its device's section, and the game's file is backed up.
  const std::string copy = startPath("BACKUP/UTTemp.ini");
  writeFileBytes(copy, edited(demoGameIni(), kDevice, "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice"));
  main.FileName = copy;
  writeGameIni(demoGameIni());
  run(main.Option2, MsgAnswer::Yes);
  main.FileName = main.UtPath + "\\System\\UnrealTournament.ini";
  writeGameIni(edited(demoGameIni(), kDevice, "GameRenderDevice="));  // an empty device names no section
  run(main.Option1, MsgAnswer::Yes);

  // A failure at the first, a middle or the last write, or at the replace of a read-only game file: the file
  // stays byte for byte as it was, the failure is said once, and the scratch copy is gone.
  writeGameIni(demoGameIni());
  for (const int failing : {1, 6, 11, 12}) {
    int writes = 0;
    platform->failWrite = [&](const std::string&) { return ++writes == failing; };
    if (failing == 12) setReadOnly(gameIniPath(), true);  // the box below says "read-only"
    run(main.Option1, MsgAnswer::Yes);
  }
  const std::string game = platform->displayPath(main.FileName);
  expectBoxes("mainwindow/preset-boxes.txt", {platform->displayPath(startFolder + "\\backup\\SlowUTBackup.ini"),
                                              notAFolderReason(), game, game, game, game});
}

}  // namespace
}  // namespace vexorel::testing
