// The whole program walked once, as a new user would, with the game left running: a fresh start folder,
// the locate dialog, the main window, a preset, the editor with a toggle and a value-list change, Apply,
// Undo, saving and loading a setting set, and Exit. Real mouse clicks on the real windows; every box is
// checked word for word and every file the program owns or touches byte for byte.

#include <QTest>
#include <QtWidgets>
#include <filesystem>
#include <map>

#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

class EndToEnd : public GuiTest {
 protected:
  static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
  // A check box takes clicks on its box and caption, not on the empty rest of its row.
  static void tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }
  // The focus moves to the window for real, as a click on it would move it on a desktop.
  static void focus(QWidget& window) {
    window.show();
    window.activateWindow();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  }
};

TEST_F(EndToEnd, ANewUserTunesTheGameAndLeaves) {
  const std::string original = gameIni();
  writeFileBytes(gameFolder + "/System/UnrealTournament.exe", "");
  dialogs.chooseFile(QString::fromStdString(gameFolder + "/System/UnrealTournament.exe"));

  // Start: the settings file, the game folder from the locate dialog, the first-run backup; the start-up window
  // refuses to close before its 25th tick, then hands over to the main window.
  app->start();
  frmSplash& splash = app->splash();
  splash.close();
  EXPECT_TRUE(splash.isVisible());
  while (splash.X < 25) splash.tick();
  Frmmain& main = app->frmmain();
  ASSERT_TRUE(main.isVisible());

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

  // The editor: tick "UseVSync" on Direct 3D, step "CurvedSurfaces" in the value list, Apply.
  click(main.Option3);
  Form4& editor = app->form4();
  focus(editor);  // the main window hands over: the editor reads its working copy and hides the main window
  EXPECT_TRUE(editor.isVisible());
  EXPECT_FALSE(main.isVisible());
  editor.SSTab1->setCurrentIndex(1);
  tick(editor.checkBox(19));  // straight into the working copy, a copy of the game's file
  const std::string ticked = edited(slow, "UseVSync=False", "UseVSync=True");
  EXPECT_EQ(backup("UTTemp.ini"), ticked);
  editor.SSTab1->setCurrentIndex(0);
  click(editor.Command1);
  clickRow(editor.List2, 1);
  QWidget stranger;  // another program's window, or a message box, takes the focus and gives it back
  focus(stranger);
  focus(editor);
  EXPECT_EQ(editor.List2->item(1)->text(), "True") << "the edit not yet applied survives";
  stopThenGo(editor.Command6, false);
  EXPECT_EQ(gameIni(), edited(ticked, "CurvedSurfaces=False", "CurvedSurfaces=True"));

  // Undo puts the state before Apply back and reopens the editor on it.
  stopThenGo(editor.Command7, true);
  EXPECT_EQ(gameIni(), ticked);
  focus(editor);

  // Save the value list, with "SkinDetail" stepped to "Medium", as a set.
  click(editor.Command1);
  clickRow(editor.List2, 7);
  dialogs.typeInput(QStringLiteral("LAN party"));
  click(editor.Command1);
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), testData("app/walk-saved-set.ini"));

  // Load it: straight into the game's file, then back to the main window.
  click(editor.Command2);
  app->load().Combo1->setCurrentIndex(0);
  stopThenGo(app->load().Command1, false);
  EXPECT_EQ(gameIni(), edited(ticked, "SkinDetail=Low", "SkinDetail=Medium"));
  EXPECT_TRUE(main.isVisible());

  click(main.CmdExit);  // no question unless the options window turned it on
  EXPECT_TRUE(app->ending());

  // Every box the walk showed, in order.
  expectBoxes("app/walk-boxes.txt");

  // The backup folder holds exactly the program's own files, byte for byte: the game's file as it was before the
  // walk (the first-run and preset backups) and as Undo put it back (Undo's copy, the working copy made then and the
  // load's backup of it); the load's scratch copy is gone.
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(startPath("BACKUP")))
    files[entry.path().filename().string()] = readFileBytes(entry.path());
  EXPECT_EQ(files.size(), 5u);
  for (const char* name : {"BckUpUnrealTournament.txt", "SlowUTBackup.ini"}) EXPECT_EQ(files[name], original) << name;
  for (const char* name : {"last1.ini", "UTTemp.ini", "Last.ini"}) EXPECT_EQ(files[name], ticked) << name;
}

}  // namespace
}  // namespace vexorel::testing
