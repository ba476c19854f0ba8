// The main window: load, summary over odd files, activation, exit question, menu and help, and the quick
// settings (drop-downs, the memory check and "&Done").

#include <sys/stat.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/Form4.h"
#include "mainwindow/MainWindowFixture.h"
#include "startup/frmoptions.h"
#include "ui/frmAbout.h"

namespace vexorel::testing {
namespace {

const std::string kDevice = "GameRenderDevice=D3DDrv.D3DRenderDevice";

TEST_F(MainWindowTest, MissingGameFolderSaysSoAndEndsTheProgram) {
  app->frmmain().showForm();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  expectBox(0, "Unable to get tournament folder data from registry", "Error: Unreal Tournament folder data??",
            MsgIcon::Critical);
  EXPECT_TRUE(app->ending());
  EXPECT_FALSE(app->frmmain().isVisible());
  EXPECT_TRUE(app->frmmain().FileName.empty());
}

TEST_F(MainWindowTest, LoadFillsTheSummaryAndTheListsFollowEachOther) {
  Frmmain& main = openMain();
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(main.UtPath, gameFolder);
  EXPECT_EQ(main.FileName, gameFolder + "\\System\\UnrealTournament.ini");
  EXPECT_EQ(main.helpPath(), startFolder + "\\Help\\Vexorel.hlp");
  EXPECT_EQ(rows(main.List1),
            "FullscreenColorbits|CurvedSurfaces|LowDetailTextures|SlowVideoBuffering|Decals|NoDynamicLights|Coronas|"
            "SkinDetail|TextureDetail|NoLighting|MinDesiredFrameRate|ScreenFlashes|NoFractalAnim|ParticleDensity|"
            "GameRenderDevice");
  EXPECT_EQ(rows(main.List2), "16|True|False|True|True|False|Default|High|High|False|30.000000|True|False|0|Direct 3D");
  EXPECT_EQ(panel(2) + panel(4) + panel(6), "800 x 600 128Mb 16Mb");
  EXPECT_EQ(app->module().IniReadCount, 0);
  EXPECT_FALSE(main.Picture1->isVisible() || main.Picture2->isVisible() || main.Picture1->pixmap().isNull());

  main.List1->setCurrentRow(6);
  EXPECT_EQ(main.List2->currentRow(), 6);
  QTest::mouseClick(main.List2->viewport(), Qt::LeftButton, {},
                    main.List2->visualItemRect(main.List2->item(2)).center());
  EXPECT_EQ(main.List1->currentRow(), 2);

  // Activation reads the file again and clears the option buttons without running a preset.
  writeGameIni(edited(demoGameIni(), kDevice, "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice"));
  main.Option2->setChecked(true);
  main.activate();
  EXPECT_EQ(main.List2->count(), 15);
  EXPECT_EQ(main.List2->item(14)->text(), "OpenGl");
  EXPECT_FALSE(main.Option1->isChecked() || main.Option2->isChecked() || main.Option3->isChecked());
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_TRUE(recorder->log.empty());
}

TEST_F(MainWindowTest, TheSummaryShowsOddFilesAsRead) {
  writeGameIni("[Other]\r\nKey=1\r\n");
  Frmmain& main = openMain();
  EXPECT_EQ(rows(main.List2), QStringList(15, "Default").join('|'));
  EXPECT_EQ(panel(2) + panel(6), "Default x Default DefaultMb");
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 131 + 7) % 256);
  writeGameIni(noise);
  main.leesman();
  std::filesystem::remove(gameIniPath());
  main.leesman();
  EXPECT_EQ(main.List1->count() + main.List2->count(), 30);
  std::string bytes = edited(demoGameIni(), "FullscreenViewportX=800", "FullscreenViewportX=");
  bytes = edited(edited(bytes, "Decals=True", "Decals="), "CacheSizeMegs=16", "CacheSizeMegs=lots");
  writeGameIni(edited(bytes, "SkinDetail=High", "SkinDetail=H\xe9ll\xf6"));  // Latin-1 bytes
  main.leesman();
  EXPECT_EQ(main.List2->item(4)->text() + main.List2->item(7)->text(), QString::fromUtf8("H\xc3\xa9ll\xc3\xb6"));
  EXPECT_EQ(panel(2) + panel(6), " x 600 lotsMb");
  for (const auto& [stored, shown] : {std::pair{"OpenGLDrv.OpenGLRenderDevice", "OpenGl"},
                                      {"MetalDrv.MetalRenderDevice", "S3"},
                                      {"SglDrv.SglRenderDevice", "SglDrv.SglRenderDevice"},
                                      {"d3ddrv.d3drenderdevice", "d3ddrv.d3drenderdevice"}}) {
    writeGameIni(edited(demoGameIni(), kDevice, std::string("GameRenderDevice=") + stored));
    main.leesman();
    EXPECT_EQ(main.List2->item(14)->text(), shown);
  }
  EXPECT_EQ(app->module().IniReadCount, 0);
}

TEST_F(MainWindowTest, ExitQuestionMenuAndHelp) {
  Frmmain& main = openMain();
  main.OptionsCheck = true;
  main.List1->setCurrentRow(3);
  dialogs.answer(MsgAnswer::No);
  EXPECT_FALSE(main.close());  // the close box
  expectBox(0, "       Exit Program ?         ", "Exit program", MsgIcon::Information, MsgButtons::YesNo);
  EXPECT_TRUE(main.isVisible() && !app->ending());
  EXPECT_EQ(main.List2->currentRow(), 3);

  EXPECT_FALSE(main.mnuUninstall->isEnabled());
  EXPECT_TRUE(main.mnuUninstall->isVisible());
  main.mnuOptions->trigger();
  main.mnuAbout->trigger();
  QTest::mouseClick(main.Option3, Qt::LeftButton);
  EXPECT_TRUE(app->options().isVisible() && app->about().isVisible() && app->form4().isVisible());

  main.mnuHelp->trigger();
  ASSERT_EQ(platform->shellCalls.size(), 1u);
  const ShellCall& call = platform->shellCalls[0];
  EXPECT_EQ(call.verb + "|" + call.file + "|" + std::to_string(call.showCommand), "Open|" + main.helpPath() + "|5");
  EXPECT_EQ(call.directory, platform->getCurrentDirectory());
  EXPECT_EQ(dialogs.calls.size(), 1u);
  platform->shellResult = 2;  // file not found
  main.mnuHelp->trigger();
  expectBox(1,
            QString::fromStdString("Unable to open help file check if Help file is there. Path= " +
                                   platform->displayPath(main.helpPath())),
            "Vexorel", MsgIcon::Critical);

  main.OptionsCheck = true;  // the options window set it from the settings file
  dialogs.answer(MsgAnswer::Yes);
  main.mnuExit->trigger();
  expectBox(2, "       Exit Program ?         ", "Exit program", MsgIcon::Information, MsgButtons::YesNo);
  EXPECT_TRUE(app->ending() && !main.isVisible());
}

TEST_F(MainWindowTest, ExitWithoutTheQuestionWhenItIsSwitchedOff) {
  Frmmain& main = openMain();
  main.OptionsCheck = false;
  QTest::mouseClick(main.CmdExit, Qt::LeftButton);
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_TRUE(app->ending() && !main.isVisible());
}

TEST_F(MainWindowTest, DoneChecksTheMemoryThenWritesCacheDeviceAndResolutionInOrder) {
  Frmmain& main = openMain();
  EXPECT_EQ(main.Text1->text(), " 96");
  main.Text1->clear();
  QTest::keyClicks(main.Text1, "129");
  expectBox(0, "Memory value you specified is too large, maximum=128 Mb", "Error", MsgIcon::Information);
  EXPECT_EQ(main.Text1->text(), "128");
  for (const char* accepted : {"128", "abc"}) {
    main.Text1->clear();
    QTest::keyClicks(main.Text1, accepted);
  }
  main.Text1->setText("9.5");
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  expectBox(1, "Memory value must be a whole number of megabytes", "Error", MsgIcon::Critical);
  main.Text1->clear();
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  expectBox(2, "No value specified for memory usage", "Error", MsgIcon::Critical);
  EXPECT_EQ(dialogs.calls.size(), 3u);
  EXPECT_TRUE(recorder->log.empty());

  main.Text1->setText(" 96");
  QTest::mouseClick(main.Command1, Qt::LeftButton);  // the cache size is written before the driver is asked for
  expectBox(3, "Please select Drivertype", "Error", MsgIcon::Critical);
  EXPECT_EQ(gameIni(), edited(demoGameIni(), "CacheSizeMegs=16\r\n", "CacheSizeMegs= 96\r\n"));
  dropDown(main.Combo1);
  expectBox(4, "Warning! choose a resolution according to videocard specifications! ", "WARNING!",
            MsgIcon::Exclamation);
  EXPECT_EQ(main.Combo1->count(), 5);
  EXPECT_EQ(main.Combo1->itemText(0) + QString::number(main.Combo1->currentIndex()), "SoftwareRender-1");
  dropDown(main.Combo1);
  EXPECT_EQ(main.Combo1->count(), 5);
  EXPECT_EQ(main.dropwaarde1.value(), 2);
  QTest::mouseClick(main.Command1, Qt::LeftButton);  // dropped down and closed without a choice
  expectBox(5, "Please select Drivertype", "Error", MsgIcon::Critical);
  main.Combo1->setCurrentIndex(2);  // OpenGLRender
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  expectBox(6, "Please select Resolution", "Error", MsgIcon::Critical);
  dropDown(main.Combo2);
  expectBox(7, "Warning! high resolutions may cause damage to your PC", "WARNING!", MsgIcon::Exclamation);
  EXPECT_EQ(main.Combo2->count(), 8);
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  expectBox(8, "Please select your resolution!", "Error", MsgIcon::Critical);
  EXPECT_FALSE(main.Picture2->isVisible());

  recorder->log.clear();
  main.Combo2->setCurrentIndex(4);  // 1024x768
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  EXPECT_EQ(dialogs.calls.size(), 9u);
  EXPECT_EQ(recorder->writesOnly(),
            (std::vector<std::string>{"write Engine.GameEngine/CacheSizeMegs= 96",
                                      "write Engine.Engine/GameRenderDevice=OpenGLDrv.OpenGLRenderDevice",
                                      "write WinDrv.WindowsClient/FullscreenViewportX=1024",
                                      "write WinDrv.WindowsClient/FullscreenViewportY=768"}));
  std::string expected = edited(demoGameIni(), "CacheSizeMegs=16\r\n", "CacheSizeMegs= 96\r\n");
  expected = edited(expected, kDevice, "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice");
  EXPECT_EQ(gameIni(), edited(expected, "FullscreenViewportX=800\r\nFullscreenViewportY=600",
                              "FullscreenViewportX=1024\r\nFullscreenViewportY=768"));
  EXPECT_EQ(main.List2->item(14)->text() + panel(2) + panel(6),
            "OpenGl1024 x 768 96Mb");  // read back without the blank
  EXPECT_TRUE(main.Picture2->isVisible());
}

TEST_F(MainWindowTest, AReadOnlyGameFileIsReportedNotSuccess) {
  Frmmain& main = openMain();
  ASSERT_EQ(::chmod(gameIniPath().c_str(), 0444), 0);
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  const QString prefix =
      QString::fromStdString("Unable to save the changes in " + platform->displayPath(main.FileName) + ".\n");
  EXPECT_TRUE(dialogs.calls[0].text.startsWith(prefix)) << dialogs.calls[0].text.toStdString();
  EXPECT_EQ(dialogs.calls[0].caption, "Error");
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  EXPECT_EQ(recorder->writesOnly().size(), 1u);  // stopped at the first failure
  EXPECT_EQ(gameIni(), demoGameIni());
}

}  // namespace
}  // namespace vexorel::testing
