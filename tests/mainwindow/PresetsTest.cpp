// The slow and fast presets: preview, question, backup, the eleven writes in order, and where a failure stops.

#include <QLabel>
#include <QRadioButton>

#include "mainwindow/Form1.h"
#include "mainwindow/MainWindowFixture.h"

namespace vexorel::testing {
namespace {

constexpr const char* kQuestion = " Changes will immediately be made in Unreal Tournament.ini. Continue update?";
constexpr const char* kApplied = "Graphics changes have been applied";

class PresetsTest : public MainWindowTest {
 protected:
  std::string backup(const std::string& name) const { return readFileBytes(startPath("BACKUP/" + name)); }
  // Nothing of a preset stays on screen: no option checked, no preview, no "done" picture.
  void expectAllClear() {
    const Frmmain& main = app->frmmain();
    EXPECT_FALSE(main.Option1->isChecked() || main.Option2->isChecked() || main.Option3->isChecked());
    EXPECT_FALSE(app->form1().isVisible() || main.Picture1->isVisible());
  }
};

TEST_F(PresetsTest, SlowPresetPreviewsAsksBacksUpAndWritesInOrder) {
  Frmmain& main = openMain();
  Form1& preview = app->form1();
  QString shown;
  dialogs.onShow = [&](const DialogCall&) {
    if (preview.isVisible()) shown = preview.windowTitle() + ":" + rows(preview.List1) + ":" + rows(preview.List2);
  };
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option1, Qt::LeftButton);

  ASSERT_EQ(dialogs.calls.size(), 2u);
  expectBox(0, kQuestion, "Continue update ?", MsgIcon::Question, MsgButtons::YesNo);
  expectBox(1, kApplied, "Done", MsgIcon::Information);
  EXPECT_EQ(shown,
            "Slow system configuration:FullscreenColorbits|CurvedSurfaces|LowTextureDetail|SlowBuffering|"
            "NoDynamicLights|SkinDetail|Texturedetail|Coronas|Decals|OutputRate|Use3dHardware:"
            "16|False|True|True|True|Low|Low|False|False|11025Hz|False");
  // Against the main window's right edge, centred on it vertically.
  EXPECT_NEAR(preview.x(), main.frameGeometry().right() + 1, 1);
  EXPECT_NEAR(preview.y(), main.frameGeometry().y() + (main.frameGeometry().height() - preview.height()) / 2, 1);

  const std::string w = "write WinDrv.WindowsClient/";
  EXPECT_EQ(
      recorder->log,
      (std::vector<std::string>{
          "copy " + main.FileName + " -> " + startFolder + "\\backup\\SlowUTBackup.ini", w + "FullscreenColorbits=16",
          w + "CurvedSurfaces=False", w + "LowTextureDetail=True", w + "SlowBuffering=True", w + "Decals=False",
          w + "NoDynamicLights=True", w + "SkinDetail=Low", w + "Texturedetail=Low",
          "write D3DDrv.D3DRenderDevice/Coronas=False", "write Galaxy.GalaxyAudioSubsystem/OutputRate=11025Hz",
          "write Galaxy.GalaxyAudioSubsystem/Use3dHardware=False"}));
  EXPECT_EQ(backup("SlowUTBackup.ini"), demoGameIni());
  std::string bytes = edited(demoGameIni(), "CurvedSurfaces=True", "CurvedSurfaces=False");
  bytes = edited(edited(bytes, "Decals=True", "Decals=False"), "NoDynamicLights=False", "NoDynamicLights=True");
  bytes = edited(bytes, "SkinDetail=High\r\nTextureDetail=High\r\n",
                 "SkinDetail=Low\r\nTextureDetail=Low\r\nLowTextureDetail=True\r\nSlowBuffering=True\r\n");
  bytes = edited(bytes, "Coronas=True\r\nHighDetailActors=True\r\nUseMipmapping", "Coronas=False\r\nHighDetailActors=True\r\nUseMipmapping");
  EXPECT_EQ(gameIni(), edited(bytes, "OutputRate=22050Hz\r\nEffectsChannels", "OutputRate=11025Hz\r\nEffectsChannels"));
  // The summary shows its fifteen keys, which the neighbouring names do not touch.
  EXPECT_EQ(main.List2->item(2)->text() + main.List2->item(4)->text() + main.List2->item(7)->text(), "FalseFalseLow");
  EXPECT_FALSE(main.Option1->isChecked() || preview.isVisible());
  EXPECT_TRUE(main.Picture1->isVisible());
}

TEST_F(PresetsTest, NoChangesNothingAndTheFastPresetBacksUpTheFileAsItIsEachTime) {
  Frmmain& main = openMain();
  dialogs.answer(MsgAnswer::No);
  QTest::mouseClick(main.Option2, Qt::LeftButton);
  expectBox(1, "No Update", "Information", MsgIcon::Information);
  expectAllClear();
  EXPECT_TRUE(recorder->log.empty());

  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option2, Qt::LeftButton);
  EXPECT_EQ(app->form1().windowTitle() + rows(app->form1().List2),
            "Fast system configuration16|True|False|True|True|High|High|True|True|22050Hz|True");
  const std::string afterFirst = gameIni();
  EXPECT_EQ(backup("FastUTbackup.ini"), demoGameIni());
  dialogs.answer(MsgAnswer::Yes);
  main.Option2_Click();
  EXPECT_EQ(backup("FastUTbackup.ini"), afterFirst);
  EXPECT_EQ(gameIni(), afterFirst);
  EXPECT_EQ(dialogs.messageTexts().back(), kApplied);

  // A missing game file is created with the eleven keys; the device section then reads as "Default".
  std::filesystem::remove(gameIniPath());
  recorder->log.clear();
  dialogs.answer(MsgAnswer::Yes);
  main.Option2_Click();
  EXPECT_EQ(dialogs.messageTexts().back(), kApplied);
  EXPECT_EQ(recorder->writesOnly().size(), 11u);
  EXPECT_EQ(app->module().ReadProfileValue("Default", "Coronas", main.FileName), "True");
  EXPECT_EQ(main.List2->item(14)->text(), "Default");
}

TEST_F(PresetsTest, NoBackupFolderOrAFailingWriteStopsTheSequence) {
  Frmmain& main = openMain();
  std::filesystem::remove_all(startPath("BACKUP"));
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option1, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 2u);
  const QString prefix = QString::fromStdString("Unable to make the backup copy " +
                                                platform->displayPath(startFolder + "\\backup\\SlowUTBackup.ini"));
  EXPECT_TRUE(dialogs.calls[1].text.startsWith(prefix + ". Nothing was changed.\n"))
      << dialogs.calls[1].text.toStdString();
  EXPECT_EQ(dialogs.calls[1].caption, "Error");
  EXPECT_EQ(dialogs.calls[1].icon, MsgIcon::Critical);
  EXPECT_TRUE(recorder->writesOnly().empty());
  EXPECT_EQ(gameIni(), demoGameIni());
  expectAllClear();

  std::filesystem::create_directories(startPath("BACKUP"));
  int writes = 0;
  recorder->failWrite = [&](const std::string&) { return ++writes == 5; };
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option1, Qt::LeftButton);
  EXPECT_EQ(writes, 5);
  EXPECT_TRUE(dialogs.calls.back().text.startsWith("Unable to save the changes in "));
  EXPECT_EQ(gameIni(),
            edited(edited(demoGameIni(), "CurvedSurfaces=True", "CurvedSurfaces=False"), "TextureDetail=High\r\n",
                   "TextureDetail=High\r\nLowTextureDetail=True\r\nSlowBuffering=True\r\n"));
  expectAllClear();
}

TEST_F(PresetsTest, TheWorkingCopyIsWrittenAndAnEmptyDeviceWritesNoNamelessSection) {
  Frmmain& main = openMain();
  const std::string copy = startPath("BACKUP/UTTemp.ini");
  writeFileBytes(copy, edited(demoGameIni(), "GameRenderDevice=D3DDrv.D3DRenderDevice",
                              "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice"));
  main.FileName = copy;
  dialogs.answer(MsgAnswer::Yes);
  main.Option2_Click();
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(backup("FastUTbackup.ini"), demoGameIni());  // the backup still comes from the game's file
  EXPECT_EQ(recorder->writesOnly().at(8), "write OpenGLDrv.OpenGLRenderDevice/Coronas=True");

  main.FileName = main.UtPath + "\\System\\UnrealTournament.ini";
  writeGameIni(edited(demoGameIni(), "GameRenderDevice=D3DDrv.D3DRenderDevice", "GameRenderDevice="));
  main.leesman();
  EXPECT_EQ(main.List2->item(14)->text(), "");
  recorder->log.clear();
  dialogs.answer(MsgAnswer::Yes);
  main.Option1_Click();
  EXPECT_EQ(recorder->writesOnly().size(), 10u);
  EXPECT_EQ(gameIni().find("[]"), std::string::npos);
  EXPECT_EQ(dialogs.messageTexts().back(), kApplied);
}

}  // namespace
}  // namespace vexorel::testing
