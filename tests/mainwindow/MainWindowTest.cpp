// The main window: summary, activation, the quick settings ("&Done"), exit, menu and help, and the presets.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "mainwindow/Form1.h"
#include "mainwindow/Frmmain.h"
#include "support/gui/GuiTest.h"
#include "ui/DropDownCombo.h"
#include "ui/frmAbout.h"

namespace vexorel::testing {
namespace {

class MainWindowTest : public ProgramTest {
 protected:
  Frmmain& openMain() {
    registerGame();
    app->frmmain().showForm();
    return app->frmmain();
  }
  QString panel(int number) { return app->frmmain().StatusBar1Panels[number - 1]->text(); }
  void run(void (Frmmain::*preset)()) {
    dialogs.answer(MsgAnswer::Yes);
    (app->frmmain().*preset)();
  }
  // Nothing of a preset stays on screen: no option checked, no preview, no "done" picture.
  void expectAllClear() {
    const Frmmain& main = app->frmmain();
    EXPECT_FALSE(main.Option1->isChecked() || main.Option2->isChecked() || main.Option3->isChecked());
    EXPECT_FALSE(app->form1().isVisible() || main.Picture1->isVisible());
  }
};

const std::string kDevice = "GameRenderDevice=D3DDrv.D3DRenderDevice";

TEST_F(MainWindowTest, MissingGameFolderSaysSoAndEndsTheProgram) {
  app->frmmain().showForm();
  expectBoxes("mainwindow/no-game-boxes.txt");
  EXPECT_TRUE(app->ending() && !app->frmmain().isVisible() && app->frmmain().FileName.empty());
}

TEST_F(MainWindowTest, LoadFillsTheSummaryTheListsFollowEachOtherAndOddFilesShowAsRead) {
  Frmmain& main = openMain();
  EXPECT_EQ(itemTexts(*main.List2),
            "16|True|False|True|True|False|Default|High|High|False|30.000000|True|False|0|Direct 3D");
  EXPECT_EQ(panel(2) + panel(4) + panel(6), "800 x 600 128Mb 16Mb");
  EXPECT_EQ(app->module().IniReadCount, 0);
  EXPECT_FALSE(main.Picture1->isVisible() || main.Picture2->isVisible() || main.Picture1->pixmap().isNull());
  main.List1->setCurrentRow(6);
  EXPECT_EQ(main.List2->currentRow(), 6);  // and back by a click
  clickRow(main.List2, 2);
  EXPECT_EQ(main.List1->currentRow(), 2);

  // Activation reads the file again and clears the option buttons without running a preset.
  writeGameIni(edited(demoGameIni(), kDevice, "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice"));
  main.Option2->setChecked(true);
  main.activate();
  EXPECT_EQ(QString::number(main.List2->count()) + main.List2->item(14)->text(), "15OpenGl");
  expectAllClear();
  EXPECT_TRUE(dialogs.calls.empty() && platform->log.empty());

  // Odd files are shown as read.
  writeGameIni("[Other]\r\nKey=1\r\n");
  main.leesman();
  EXPECT_EQ(itemTexts(*main.List2), QStringList(15, "Default").join('|'));
  EXPECT_EQ(panel(2) + panel(6), "Default x Default DefaultMb");
  std::string bytes = edited(demoGameIni(), "FullscreenViewportX=800", "FullscreenViewportX=");
  bytes = edited(edited(bytes, "Decals=True", "Decals="), "CacheSizeMegs=16", "CacheSizeMegs=lots");
  writeGameIni(edited(bytes, "SkinDetail=High", "SkinDetail=H\xe9ll\xf6"));  // Latin-1 bytes
  main.leesman();
  EXPECT_EQ(main.List2->item(4)->text() + main.List2->item(7)->text(), QString::fromUtf8("H\xc3\xa9ll\xc3\xb6"));
  EXPECT_EQ(panel(2) + panel(6), " x 600 lotsMb");
}

TEST_F(MainWindowTest, DoneChecksTheMemoryThenWritesCacheDeviceAndResolutionInOrderThenExitMenuAndHelp) {
  Frmmain& main = openMain();
  const auto done = [&](std::size_t boxes) {
    QTest::mouseClick(main.Command1, Qt::LeftButton);
    EXPECT_EQ(dialogs.calls.size(), boxes);
  };
  main.Text1->clear();
  QTest::keyClicks(main.Text1, "129");
  EXPECT_EQ(main.Text1->text(), "128");  // with the box that says so
  main.Text1->setText("9.5");
  done(2);
  main.Text1->clear();
  done(3);
  EXPECT_TRUE(platform->log.empty());
  main.Text1->setText(" 96");
  done(4);  // the cache size is written before the driver is asked for
  EXPECT_EQ(gameIni(), edited(demoGameIni(), "CacheSizeMegs=16\r\n", "CacheSizeMegs= 96\r\n"));
  dropDown(main.Combo1);  // the first drop-down warns and takes the placeholder away
  EXPECT_EQ(main.Combo1->itemText(0) + QString::number(main.Combo1->currentIndex()), "SoftwareRender-1");
  dropDown(main.Combo1);
  EXPECT_TRUE(main.Combo1->count() == 5 && main.dropwaarde1.value() == 2);
  done(6);                          // dropped down and closed without a choice
  main.Combo1->setCurrentIndex(2);  // OpenGLRender
  done(7);
  dropDown(main.Combo2);
  EXPECT_EQ(main.Combo2->count(), 8);
  done(9);
  EXPECT_FALSE(main.Picture2->isVisible());

  platform->log.clear();
  platform->gameRunning = true;     // the warning comes before the first write, and No stops "&Done" there
  main.Combo2->setCurrentIndex(4);  // 1024x768
  dialogs.answer(MsgAnswer::No);
  done(10);
  EXPECT_TRUE(platform->log.empty());
  platform->gameRunning = false;
  done(10);
  EXPECT_EQ(platform->writesOnly(),
            (std::vector<std::string>{"write Engine.GameEngine/CacheSizeMegs= 96",
                                      "write Engine.Engine/GameRenderDevice=OpenGLDrv.OpenGLRenderDevice",
                                      "write WinDrv.WindowsClient/FullscreenViewportX=1024",
                                      "write WinDrv.WindowsClient/FullscreenViewportY=768"}));
  EXPECT_EQ(main.List2->item(14)->text() + panel(2) + panel(6),
            "OpenGl1024 x 768 96Mb");  // read back without the blank
  EXPECT_TRUE(main.Picture2->isVisible());

  // A read-only game file is reported, not success, and the first failure stops the writes.
  const std::string before = gameIni();
  setReadOnly(gameIniPath(), true);
  platform->log.clear();
  done(11);
  EXPECT_TRUE(platform->writesOnly().size() == 1u && gameIni() == before);

  // The exit question, the menu and help.
  main.OptionsCheck = true;
  dialogs.answer(MsgAnswer::No);
  EXPECT_FALSE(main.close());  // the close box asks too
  EXPECT_TRUE(main.isVisible() && !app->ending());
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
  EXPECT_TRUE(app->ending() && !main.isVisible());
  expectBoxes("mainwindow/done-boxes.txt", {platform->displayPath(main.FileName), platform->displayPath(help)});
}

TEST_F(MainWindowTest, PresetsPreviewAskBackUpAndWriteInOrderOrStopBeforeAnyWrite) {
  Frmmain& main = openMain();
  dialogs.answer(MsgAnswer::No);
  QTest::mouseClick(main.Option2, Qt::LeftButton);
  expectAllClear();
  EXPECT_TRUE(platform->log.empty());
  std::filesystem::remove_all(startPath("BACKUP"));  // a file where the backup folder goes: stopped before any write
  writeFileBytes(startPath("BACKUP"), "");
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option1, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 4u);
  const std::string backupShown = platform->displayPath(startFolder + "\\backup\\SlowUTBackup.ini");
  EXPECT_TRUE(platform->writesOnly().empty() && gameIni() == demoGameIni());
  expectAllClear();

  std::filesystem::remove(startPath("BACKUP"));  // a folder deleted by hand is made again
  platform->log.clear();
  Form1& preview = app->form1();
  QString shown;
  dialogs.onShow = [&](const DialogCall&) {
    if (preview.isVisible())
      shown = preview.windowTitle() + ":" + itemTexts(*preview.List1) + ":" + itemTexts(*preview.List2);
  };
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option1, Qt::LeftButton);
  dialogs.onShow = nullptr;
  // The preview as the question showed it, then the backup and every write in order.
  for (const std::string& line : platform->log) shown += QString::fromStdString("\n" + line);
  const QString expected = QString::fromStdString(testData("mainwindow/slow-preset.txt"))
                               .replace("{game}", QString::fromStdString(main.FileName))
                               .replace("{start}", QString::fromStdString(startFolder));
  EXPECT_EQ(shown.toStdString() + "\n", expected.toStdString());
  // The summary shows its fifteen keys, which the neighbouring names do not touch.
  EXPECT_EQ(main.List2->item(2)->text() + main.List2->item(4)->text() + main.List2->item(7)->text(), "FalseFalseLow");
  EXPECT_TRUE(!main.Option1->isChecked() && !preview.isVisible() && main.Picture1->isVisible());

  // The fast preset backs up the file as it is each time.
  const std::string slow = gameIni();
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option2, Qt::LeftButton);
  EXPECT_EQ(preview.windowTitle() + itemTexts(*preview.List2),
            "Fast system configuration16|True|False|True|True|High|High|True|True|22050Hz|True");
  const std::string afterFirst = gameIni();
  EXPECT_EQ(backup("FastUTbackup.ini"), slow);
  run(&Frmmain::Option2_Click);
  EXPECT_EQ(backup("FastUTbackup.ini") + gameIni(), afterFirst + afterFirst);

  // A missing game file is created with the eleven keys; the device section then reads as "Default".
  std::filesystem::remove(gameIniPath());
  platform->log.clear();
  run(&Frmmain::Option2_Click);
  EXPECT_EQ(platform->writesOnly().size(), 11u);
  EXPECT_EQ(app->module().ReadProfileValue("Default", "Coronas", main.FileName), "True");
  EXPECT_EQ(main.List2->item(14)->text(), "Default");

  // On the editor's working copy the writes go there, in its device's section; an empty device names no section.
  const std::string copy = startPath("BACKUP/UTTemp.ini");
  writeFileBytes(copy, edited(demoGameIni(), kDevice, "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice"));
  main.FileName = copy;
  writeGameIni(demoGameIni());
  platform->log.clear();
  run(&Frmmain::Option2_Click);
  EXPECT_EQ(gameIni() + backup("FastUTbackup.ini"), demoGameIni() + demoGameIni());  // backed up from the game's file
  EXPECT_EQ(platform->writesOnly().at(8), "write OpenGLDrv.OpenGLRenderDevice/Coronas=True");

  main.FileName = main.UtPath + "\\System\\UnrealTournament.ini";
  writeGameIni(edited(demoGameIni(), kDevice, "GameRenderDevice="));
  main.leesman();
  EXPECT_EQ(main.List2->item(14)->text(), "");
  platform->log.clear();
  run(&Frmmain::Option1_Click);
  EXPECT_EQ(platform->writesOnly().size(), 10u);
  EXPECT_EQ(gameIni().find("[]"), std::string::npos);

  // A failure at the first, a middle or the last write, or at the replace of a read-only game file: the file
  // stays byte for byte as it was, the failure is said once, and the scratch copy is gone.
  writeGameIni(demoGameIni());
  for (const int failing : {1, 6, 11, 12}) {
    int writes = 0;
    platform->failWrite = [&](const std::string&) { return ++writes == failing; };
    if (failing == 12) setReadOnly(gameIniPath(), true);  // the box below says "read-only"
    run(&Frmmain::Option1_Click);
    EXPECT_EQ(writes, std::min(failing, 11));
    EXPECT_TRUE(gameIni() == demoGameIni() && !std::filesystem::exists(startPath("BACKUP/Preset.ini"))) << failing;
  }
  const std::string game = platform->displayPath(main.FileName);
  expectBoxes("mainwindow/preset-boxes.txt", {backupShown, notAFolderReason(), game, game, game, game});
}

}  // namespace
}  // namespace vexorel::testing
