// The whole program walked once, as a new user would, with the game left running: a fresh start folder,
// the locate dialog, the main window, a preset, the editor with a toggle and a value-list change, Apply,
// Undo, saving and loading a setting set, the options window and the exit question. Real mouse clicks on
// the real windows; every box is checked word for word and every file the program owns or touches byte
// for byte.

#include <QTest>
#include <QtWidgets>
#include <filesystem>

#include "editor/Form4.h"
#include "mainwindow/Form1.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "startup/frmoptions.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

void click(QAbstractButton* button) {
  QTest::mouseClick(button, Qt::LeftButton);
}

// A check box takes clicks on its box and caption, not on the empty rest of its row.
void tick(QCheckBox* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

// The focus moves to the window for real, as a click on it would move it on a desktop.
void focus(QWidget& window) {
  window.show();
  window.activateWindow();
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

using EndToEnd = GuiTest;

TEST_F(EndToEnd, ANewUserTunesTheGameAndLeaves) {
  const std::string original = gameIni();
  writeFileBytes(gameFolder + "/System/UnrealTournament.exe", "");
  dialogs.chooseFile(QString::fromStdString(gameFolder + "/System/UnrealTournament.exe"));

  // Start: the settings file, the game folder from the locate dialog, the first-run backup.
  app->start();
  frmSplash& splash = app->splash();
  ASSERT_TRUE(splash.isVisible());
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n");
  EXPECT_EQ(backup("BckUpUnrealTournament.txt"), original);
  splash.close();  // refused before the 25th tick
  EXPECT_TRUE(splash.isVisible());
  while (splash.X < 25) splash.tick();
  EXPECT_FALSE(splash.isVisible());

  // The main window shows the game's file.
  Frmmain& main = app->frmmain();
  ASSERT_TRUE(main.isVisible());
  EXPECT_EQ(main.FileName, gameFolder + "\\System\\UnrealTournament.ini");

  // The game runs from here on. Each change of its file warns once, before its first write: No leaves the
  // file as it was, Yes goes on. Nothing else warns.
  platform->gameRunning = true;
  const auto stopThenGo = [&](QAbstractButton* button, bool askedFirst) {
    const std::string before = gameIni();
    for (const MsgAnswer warned : {MsgAnswer::No, MsgAnswer::Yes}) {
      if (askedFirst) dialogs.answer(MsgAnswer::Yes);
      dialogs.answer(warned);
      click(button);
      EXPECT_TRUE(warned == MsgAnswer::Yes || gameIni() == before) << "No changed the game's file";
    }
  };

  // The slow preset, confirmed, backed up and written.
  stopThenGo(main.Option1, true);
  const std::string slow = testData("app/walk-slow.ini");  // the eleven keys of the slow preset
  EXPECT_EQ(gameIni(), slow);
  EXPECT_EQ(backup("SlowUTBackup.ini"), original);
  EXPECT_TRUE(main.Picture1->isVisible() && !main.Option1->isChecked() && !app->form1().isVisible());

  // The editor: tick "UseVSync" on Direct 3D, step "CurvedSurfaces" in the value list, Apply.
  click(main.Option3);
  Form4& editor = app->form4();
  focus(editor);  // the main window hands over: the editor reads its working copy and hides the main window
  ASSERT_TRUE(editor.isVisible());
  EXPECT_FALSE(main.isVisible());
  EXPECT_EQ(backup("UTTemp.ini"), slow);
  EXPECT_FALSE(editor.Command7->isEnabled());
  editor.SSTab1->setCurrentIndex(1);
  ASSERT_TRUE(editor.checkBox(19)->isEnabled());
  tick(editor.checkBox(19));
  const std::string ticked = edited(slow, "UseVSync=False", "UseVSync=True");
  EXPECT_EQ(backup("UTTemp.ini"), ticked);
  editor.SSTab1->setCurrentIndex(0);
  click(editor.Command1);
  ASSERT_TRUE(editor.List2->isEnabled());
  clickRow(editor.List2, 1);
  QWidget stranger;  // another program's window, or a message box, takes the focus and gives it back
  focus(stranger);
  focus(editor);
  EXPECT_EQ(editor.List2->item(1)->text(), "True") << "the edit not yet applied survives";
  stopThenGo(editor.Command6, false);
  const std::string applied = edited(ticked, "CurvedSurfaces=False", "CurvedSurfaces=True");
  EXPECT_EQ(gameIni(), applied);
  EXPECT_EQ(backup("UTTemp.ini"), applied);
  EXPECT_EQ(backup("Last.ini"), ticked);
  EXPECT_TRUE(editor.Command7->isEnabled());

  // Undo puts the state before Apply back and reopens the editor on it.
  stopThenGo(editor.Command7, true);
  EXPECT_EQ(gameIni() + backup("last1.ini"), ticked + ticked);
  EXPECT_FALSE(std::filesystem::exists(startPath("BACKUP/Last.ini")));
  focus(editor);
  ASSERT_TRUE(editor.isVisible());
  EXPECT_TRUE(!editor.Command7->isEnabled() && editor.Command1->text() == "&Edit");

  // Save the value list, with "SkinDetail" stepped to "Medium", as a set.
  click(editor.Command1);
  clickRow(editor.List2, 7);
  EXPECT_EQ(editor.List2->item(7)->text(), "Medium");
  dialogs.typeInput(QStringLiteral("LAN party"));
  click(editor.Command1);
  EXPECT_EQ(gameIni(), ticked);
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), testData("app/walk-saved-set.ini"));

  // Load it: straight into the game's file, then back to the main window.
  click(editor.Command2);
  frmload& load = app->load();
  ASSERT_TRUE(load.isVisible());
  ASSERT_EQ(itemTexts(*load.Combo1), "LAN party");
  load.Combo1->setCurrentIndex(0);
  stopThenGo(load.Command1, false);
  const std::string loaded = edited(ticked, "SkinDetail=Low", "SkinDetail=Medium");
  EXPECT_EQ(gameIni(), loaded);
  EXPECT_EQ(backup("Last.ini"), ticked);
  EXPECT_TRUE(!editor.isVisible() && !load.isVisible() && main.isVisible());
  EXPECT_EQ(main.FileName, gameFolder + "\\System\\UnrealTournament.ini");

  // Options: ask before exiting from now on.
  main.mnuOptions->trigger();
  frmoptions& options = app->options();
  ASSERT_TRUE(options.isVisible());
  tick(options.Check1);
  click(options.Command1);
  EXPECT_TRUE(main.OptionsCheck);

  // Exit: No keeps the window, Yes ends the program.
  dialogs.answer(MsgAnswer::No);
  click(main.CmdExit);
  EXPECT_TRUE(main.isVisible() && !app->ending());
  dialogs.answer(MsgAnswer::Yes);
  click(main.CmdExit);
  EXPECT_TRUE(app->ending());

  // Every box the walk showed, in order.
  expectBoxes("app/walk-boxes.txt");

  // The backup folder holds exactly the program's own files; the scratch copy of the load is gone.
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(startPath("BACKUP")))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"BckUpUnrealTournament.txt", "Last.ini", "SlowUTBackup.ini", "UTTemp.ini",
                                             "last1.ini"}));
}

}  // namespace
}  // namespace vexorel::testing
