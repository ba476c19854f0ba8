// The main window's load, activation, exit question, menu and help, driven offscreen.

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "editor/Form4.h"
#include "mainwindow/MainWindowFixture.h"
#include "startup/frmoptions.h"
#include "ui/Placement.h"
#include "ui/Twips.h"
#include "ui/frmAbout.h"

namespace vexorel::testing {
namespace {

using LifecycleTest = MainWindowTest;

TEST_F(LifecycleTest, MissingGameFolderSaysSoAndEndsTheProgram) {
  Frmmain& main = app->frmmain();  // nothing registered
  main.showForm();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  expectBox(0, "Unable to get tournament folder data from registry", "Error: Unreal Tournament folder data??",
            MsgIcon::Critical);
  EXPECT_TRUE(app->ending());
  EXPECT_FALSE(main.isVisible());
  EXPECT_TRUE(main.FileName.empty());
  EXPECT_TRUE(recorder->writesOnly().empty());
}

TEST_F(LifecycleTest, LoadFormsTheFileNameAndFillsEveryControl) {
  Frmmain& main = openMain();
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(main.windowTitle(), "Vexorel");
  EXPECT_EQ(main.UtPath, gameFolder);
  EXPECT_EQ(main.FileName, gameFolder + "\\System\\UnrealTournament.ini");
  EXPECT_EQ(main.helpPath(), startFolder + "\\Help\\Vexorel.hlp");

  EXPECT_EQ(rows(main.List1), QStringList({"FullscreenColorbits", "CurvedSurfaces", "LowDetailTextures",
                                           "SlowVideoBuffering", "Decals", "NoDynamicLights", "Coronas", "SkinDetail",
                                           "TextureDetail", "NoLighting", "MinDesiredFrameRate", "ScreenFlashes",
                                           "NoFractalAnim", "ParticleDensity", "GameRenderDevice"}));
  EXPECT_EQ(rows(main.List2), QStringList({"16", "True", "False", "True", "True", "False", "Default", "High", "High",
                                           "False", "30.000000", "True", "False", "0", "Direct 3D"}));
  EXPECT_EQ(app->module().IniReadCount, 0);
  const QStringList panels{panel(1), panel(2), panel(3), panel(4), panel(5), panel(6)};
  EXPECT_EQ(panels, QStringList({"Current resoltution:", "800 x 600", "Total detected  memory:", " 128Mb",
                                 "Unreal Cache:", " 16Mb"}));

  EXPECT_EQ(main.Frame4->title(), "Unreal Tournament.ini");
  EXPECT_EQ(main.Frame3->title(), "Select Display driver");
  EXPECT_EQ(main.Frame2->title(), "Memory Usage");
  EXPECT_EQ(main.Frame1->title(), "Graphics");
  EXPECT_EQ(main.Label2->text(), "Unreal Tournament  use:-->");
  EXPECT_EQ(main.Combo1->currentText(), "<<Select driver>>");
  EXPECT_EQ(main.Combo1->count(), 6);
  EXPECT_EQ(main.Combo2->currentText(), "<<Select Resolution>>");
  EXPECT_EQ(main.Combo2->itemText(4), "920x720");
  EXPECT_EQ(main.Text1->text(), " 96");
  EXPECT_EQ(main.Command1->text(), "&Done");
  EXPECT_EQ(main.CmdExit->text(), "E&xit");
  EXPECT_EQ(main.CmdExit->toolTip(), "Exit program");
  EXPECT_EQ(main.Text1->toolTip(), "Specifies memory U.T will use, use 1/2-3/4 of memory in system  ");
  EXPECT_EQ(main.Option1->text() + "|" + main.Option2->text() + "|" + main.Option3->text(),
            "Slow system|Fast system|User defined");
  EXPECT_FALSE(main.Picture1->isVisible());
  EXPECT_FALSE(main.Picture2->isVisible());
  EXPECT_FALSE(main.Picture1->pixmap().isNull());

  // Centred on the screen, by the size the window has at load (before a frame is put around it).
  const TwipsPoint centred =
      centreOnScreen(static_cast<float>(screenWidthTwips()), static_cast<float>(screenHeightTwips()),
                     static_cast<float>(pixelsToTwips(main.geometry().width())),
                     static_cast<float>(pixelsToTwips(main.geometry().height())));
  EXPECT_NEAR(main.x(), twipsToPixels(centred.left), 1);
  EXPECT_NEAR(main.y(), twipsToPixels(centred.top), 1);
}

TEST_F(LifecycleTest, MenuHasItsEntriesWithUninstallSwitchedOff) {
  Frmmain& main = openMain();
  const QMenuBar* bar = main.findChild<QMenuBar*>();
  ASSERT_NE(bar, nullptr);
  QStringList texts;
  for (QAction* menu : bar->actions()) {
    texts << menu->text();
    for (QAction* entry : menu->menu()->actions()) {
      texts << (entry->isSeparator() ? QString("-") : entry->text() + (entry->isEnabled() ? "" : "(off)"));
    }
  }
  EXPECT_EQ(texts,
            QStringList({"&File", "&Options", "-", "&Uninstall(off)", "-", "E&xit", "&Help", "H&elp", "-", "&About"}));
  EXPECT_TRUE(main.mnuUninstall->isVisible());

  main.mnuOptions->trigger();
  EXPECT_TRUE(app->options().isVisible());
  main.mnuAbout->trigger();
  EXPECT_TRUE(app->about().isVisible());
  EXPECT_FALSE(app->ending());
}

TEST_F(LifecycleTest, RowSelectionIsMirroredBetweenTheLists) {
  Frmmain& main = openMain();
  main.List1->setCurrentRow(6);
  EXPECT_EQ(main.List2->currentRow(), 6);
  QListWidget* values = main.List2;
  QTest::mouseClick(values->viewport(), Qt::LeftButton, {}, values->visualItemRect(values->item(2)).center());
  EXPECT_EQ(main.List1->currentRow(), 2);
  main.leesman();
  main.leesman();
  EXPECT_EQ(main.List1->count(), 15);
  EXPECT_EQ(main.List2->count(), 15);
}

TEST_F(LifecycleTest, ActivationRebuildsTheSummaryAndClearsTheOptionButtons) {
  Frmmain& main = openMain();
  writeGameIni(replaced(demoGameIni(), "GameRenderDevice=D3DDrv.D3DRenderDevice",
                        "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice"));
  main.Option2->setChecked(true);
  main.activate();
  EXPECT_EQ(main.List2->item(14)->text(), "OpenGl");
  EXPECT_FALSE(main.Option1->isChecked() || main.Option2->isChecked() || main.Option3->isChecked());
  EXPECT_TRUE(dialogs.calls.empty());  // clearing a button runs no preset
  EXPECT_TRUE(recorder->writesOnly().empty());
}

TEST_F(LifecycleTest, ExitWithoutTheQuestionWhenItIsSwitchedOff) {
  Frmmain& main = openMain();
  main.OptionsCheck = false;
  QTest::mouseClick(main.CmdExit, Qt::LeftButton);
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_TRUE(app->ending());
  EXPECT_FALSE(main.isVisible());
}

TEST_F(LifecycleTest, ExitQuestionNoKeepsTheWindowYesEndsTheProgram) {
  Frmmain& main = openMain();
  main.OptionsCheck = true;
  main.List1->setCurrentRow(3);
  dialogs.answer(MsgAnswer::No);
  EXPECT_FALSE(main.close());  // the close box
  expectBox(0, "       Exit Program ?         ", "Exit program", MsgIcon::Information, MsgButtons::YesNo);
  EXPECT_FALSE(app->ending());
  EXPECT_TRUE(main.isVisible());
  EXPECT_EQ(main.List1->count(), 15);
  EXPECT_EQ(main.List2->currentRow(), 3);

  dialogs.answer(MsgAnswer::Yes);
  main.mnuExit->trigger();
  ASSERT_EQ(dialogs.calls.size(), 2u);
  expectBox(1, "       Exit Program ?         ", "Exit program", MsgIcon::Information, MsgButtons::YesNo);
  EXPECT_TRUE(app->ending());
  EXPECT_FALSE(main.isVisible());
}

TEST_F(LifecycleTest, HelpOpensTheHelpFileThroughTheShellAndReportsAFailure) {
  Frmmain& main = openMain();
  main.mnuHelp->trigger();
  ASSERT_EQ(platform->shellCalls.size(), 1u);
  EXPECT_EQ(platform->shellCalls[0].verb, "Open");
  EXPECT_EQ(platform->shellCalls[0].file, startFolder + "\\Help\\Vexorel.hlp");
  EXPECT_EQ(platform->shellCalls[0].directory, platform->getCurrentDirectory());
  EXPECT_EQ(platform->shellCalls[0].showCommand, 5);
  EXPECT_TRUE(dialogs.calls.empty());

  platform->shellResult = 2;  // file not found
  main.mnuHelp->trigger();
  const std::string shown = platform->displayPath(startFolder + "\\Help\\Vexorel.hlp");
  expectBox(0, QString::fromStdString("Unable to open help file check if Help file is there. Path= " + shown),
            "Vexorel", MsgIcon::Critical);
  EXPECT_FALSE(app->ending());
}

TEST_F(LifecycleTest, UserDefinedShowsTheEditor) {
  Frmmain& main = openMain();
  QTest::mouseClick(main.Option3, Qt::LeftButton);
  EXPECT_TRUE(app->form4().isVisible());
}

}  // namespace
}  // namespace vexorel::testing
