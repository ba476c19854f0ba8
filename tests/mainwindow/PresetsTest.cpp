// The slow and fast presets: preview, question, backup, the eleven writes and what failures say.

#include <sys/stat.h>

#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "mainwindow/Form1.h"
#include "mainwindow/MainWindowFixture.h"
#include "ui/Twips.h"

namespace vexorel::testing {
namespace {

constexpr const char* kQuestion = " Changes will immediately be made in Unreal Tournament.ini. Continue update?";

class PresetsTest : public MainWindowTest {
 protected:
  std::string backupPath(const std::string& name) const { return startFolder + "/BACKUP/" + name; }
  bool noOptionChecked() {
    const Frmmain& main = app->frmmain();
    return !main.Option1->isChecked() && !main.Option2->isChecked() && !main.Option3->isChecked();
  }

  // The demo file after the slow preset, with the renderer's Coronas in the Direct 3D section.
  static std::string afterSlowPreset() {
    std::string bytes = demoGameIni();
    bytes = replaced(bytes, "CurvedSurfaces=True", "CurvedSurfaces=False");
    bytes = replaced(bytes, "Decals=True", "Decals=False");
    bytes = replaced(bytes, "NoDynamicLights=False", "NoDynamicLights=True");
    bytes = replaced(bytes, "SkinDetail=High\r\nTextureDetail=High\r\n",
                     "SkinDetail=Low\r\nTextureDetail=Low\r\nLowTextureDetail=True\r\nSlowBuffering=True\r\n");
    bytes = replaced(bytes,
                     "[D3DDrv.D3DRenderDevice]\r\nTranslucency=True\r\nVolumetricLighting=True\r\n"
                     "ShinySurfaces=True\r\nCoronas=True",
                     "[D3DDrv.D3DRenderDevice]\r\nTranslucency=True\r\nVolumetricLighting=True\r\n"
                     "ShinySurfaces=True\r\nCoronas=False");
    return replaced(bytes, "Latency=40\r\nOutputRate=22050Hz\r\nEffectsChannels",
                    "Latency=40\r\nOutputRate=11025Hz\r\nEffectsChannels");
  }
};

TEST_F(PresetsTest, SlowPresetPreviewsAsksBacksUpAndWritesInOrder) {
  Frmmain& main = openMain();
  Form1& preview = app->form1();
  QStringList previewKeys, previewValues;
  bool previewVisible = false;
  dialogs.onShow = [&](const DialogCall& call) {
    if (call.text != kQuestion) return;
    previewVisible = preview.isVisible();
    previewKeys = rows(preview.List1);
    previewValues = rows(preview.List2);
  };
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option1, Qt::LeftButton);

  ASSERT_EQ(dialogs.calls.size(), 2u);
  expectBox(0, kQuestion, "Continue update ?", MsgIcon::Question, MsgButtons::YesNo);
  expectBox(1, "Graphics changes have been applied", "Done", MsgIcon::Information);
  EXPECT_TRUE(previewVisible);
  EXPECT_EQ(preview.windowTitle(), "Slow system configuration");
  EXPECT_EQ(previewKeys, QStringList({"FullscreenColorbits", "CurvedSurfaces", "LowTextureDetail", "SlowBuffering",
                                      "NoDynamicLights", "SkinDetail", "Texturedetail", "Coronas", "Decals",
                                      "OutputRate", "Use3dHardware"}));
  EXPECT_EQ(previewValues,
            QStringList({"16", "False", "True", "True", "True", "Low", "Low", "False", "False", "11025Hz", "False"}));
  // Against the main window's right edge, centred on it vertically (by its own height at load).
  const QRect mainFrame = main.frameGeometry();
  EXPECT_NEAR(preview.x(), mainFrame.x() + mainFrame.width(), 1);
  EXPECT_NEAR(preview.y(), mainFrame.y() + (mainFrame.height() - preview.geometry().height()) / 2, 1);

  const std::vector<std::string> expectedLog{
      "copy " + gameFolder + "\\System\\UnrealTournament.ini -> " + startFolder + "\\backup\\SlowUTBackup.ini",
      "read Engine.Engine/GameRenderDevice",
      "write WinDrv.WindowsClient/FullscreenColorbits=16",
      "write WinDrv.WindowsClient/CurvedSurfaces=False",
      "write WinDrv.WindowsClient/LowTextureDetail=True",
      "write WinDrv.WindowsClient/SlowBuffering=True",
      "write WinDrv.WindowsClient/Decals=False",
      "write WinDrv.WindowsClient/NoDynamicLights=True",
      "write WinDrv.WindowsClient/SkinDetail=Low",
      "write WinDrv.WindowsClient/Texturedetail=Low",
      "write D3DDrv.D3DRenderDevice/Coronas=False",
      "write Galaxy.GalaxyAudioSubsystem/OutputRate=11025Hz",
      "write Galaxy.GalaxyAudioSubsystem/Use3dHardware=False",
  };
  const std::vector<std::string> log = recorder->logFromLast("copy ");
  ASSERT_GE(log.size(), expectedLog.size());
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + static_cast<long>(expectedLog.size())), expectedLog);
  EXPECT_EQ(readFileBytes(backupPath("SlowUTBackup.ini")), demoGameIni());
  EXPECT_EQ(gameIni(), afterSlowPreset());

  // The summary shows the fifteen keys, which the neighbouring names do not touch.
  EXPECT_EQ(main.List2->item(2)->text(), "False");  // LowDetailTextures
  EXPECT_EQ(main.List2->item(4)->text(), "False");  // Decals
  EXPECT_EQ(main.List2->item(7)->text(), "Low");    // SkinDetail
  EXPECT_TRUE(noOptionChecked());
  EXPECT_TRUE(main.Picture1->isVisible());
  EXPECT_FALSE(preview.isVisible());
}

TEST_F(PresetsTest, AnsweringNoChangesNothing) {
  Frmmain& main = openMain();
  dialogs.answer(MsgAnswer::No);
  QTest::mouseClick(main.Option1, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 2u);
  expectBox(1, "No Update", "Information", MsgIcon::Information);
  EXPECT_FALSE(main.Option1->isChecked());
  EXPECT_FALSE(app->form1().isVisible());
  EXPECT_FALSE(main.Picture1->isVisible());
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_TRUE(recorder->writesOnly().empty());
  EXPECT_FALSE(std::filesystem::exists(backupPath("SlowUTBackup.ini")));
}

TEST_F(PresetsTest, FastPresetTwiceBacksUpTheFileAsTheFirstRunLeftIt) {
  Frmmain& main = openMain();
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option2, Qt::LeftButton);
  EXPECT_EQ(app->form1().windowTitle(), "Fast system configuration");
  EXPECT_EQ(rows(app->form1().List2),
            QStringList({"16", "True", "False", "True", "True", "High", "High", "True", "True", "22050Hz", "True"}));
  const std::string afterFirst = gameIni();
  EXPECT_EQ(readFileBytes(backupPath("FastUTbackup.ini")), demoGameIni());
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option2, Qt::LeftButton);
  EXPECT_EQ(readFileBytes(backupPath("FastUTbackup.ini")), afterFirst);
  EXPECT_EQ(gameIni(), afterFirst);  // the same values again
  EXPECT_EQ(dialogs.messageTexts().back(), "Graphics changes have been applied");
}

TEST_F(PresetsTest, NoBackupFolderStopsBeforeAnyWrite) {
  Frmmain& main = openMain();
  std::filesystem::remove_all(startFolder + "/BACKUP");
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
  EXPECT_TRUE(noOptionChecked());
  EXPECT_FALSE(app->form1().isVisible());
  EXPECT_FALSE(main.Picture1->isVisible());
}

TEST_F(PresetsTest, MissingGameFileIsCreatedWithTheElevenKeys) {
  Frmmain& main = openMain();
  std::filesystem::remove(gameIniPath());
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option2, Qt::LeftButton);
  EXPECT_EQ(dialogs.messageTexts().back(), "Graphics changes have been applied");
  EXPECT_EQ(recorder->writesOnly().size(), 11u);
  std::string value;
  platform->getPrivateProfileString("Default", "Coronas", "x", value, 255, main.FileName);
  EXPECT_EQ(value, "True");  // the device section reads as "Default"
  EXPECT_EQ(main.List2->item(14)->text(), "Default");
}

TEST_F(PresetsTest, AReadOnlyGameFileIsReportedAndNothingIsWritten) {
  Frmmain& main = openMain();
  ASSERT_EQ(::chmod(gameIniPath().c_str(), 0444), 0);
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option1, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 2u);
  expectWriteFailureReported(dialogs.calls[1]);
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(readFileBytes(backupPath("SlowUTBackup.ini")), demoGameIni());
  EXPECT_FALSE(main.Picture1->isVisible());
  EXPECT_FALSE(app->form1().isVisible());
  EXPECT_TRUE(noOptionChecked());
}

TEST_F(PresetsTest, AWriteFailingHalfWayStopsTheSequenceAndSaysSo) {
  Frmmain& main = openMain();
  recorder->beforeWrite = [&](int number) {
    if (number == 5) ::chmod(gameIniPath().c_str(), 0444);
  };
  dialogs.answer(MsgAnswer::Yes);
  QTest::mouseClick(main.Option1, Qt::LeftButton);
  EXPECT_EQ(recorder->writesOnly().size(), 5u);
  EXPECT_TRUE(dialogs.calls.back().text.startsWith("Unable to save the changes in "));
  std::string expected = replaced(demoGameIni(), "CurvedSurfaces=True", "CurvedSurfaces=False");
  expected = replaced(expected, "TextureDetail=High\r\n",
                      "TextureDetail=High\r\nLowTextureDetail=True\r\nSlowBuffering=True\r\n");
  EXPECT_EQ(gameIni(), expected);
  EXPECT_FALSE(main.Picture1->isVisible());
}

TEST_F(PresetsTest, WorkingCopyIsWrittenWhileTheBackupComesFromTheGameFile) {
  Frmmain& main = openMain();
  const std::string copy = startFolder + "/BACKUP/UTTemp.ini";
  writeFileBytes(copy, replaced(demoGameIni(), "GameRenderDevice=D3DDrv.D3DRenderDevice",
                                "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice"));
  main.FileName = copy;
  dialogs.answer(MsgAnswer::Yes);
  main.Option2_Click();
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(readFileBytes(backupPath("FastUTbackup.ini")), demoGameIni());
  EXPECT_NE(std::find(recorder->log.begin(), recorder->log.end(), "write OpenGLDrv.OpenGLRenderDevice/Coronas=True"),
            recorder->log.end());
}

TEST_F(PresetsTest, AnEmptyDeviceValueWritesNoNamelessSection) {
  writeGameIni(replaced(demoGameIni(), "GameRenderDevice=D3DDrv.D3DRenderDevice", "GameRenderDevice="));
  Frmmain& main = openMain();
  EXPECT_EQ(main.List2->item(14)->text(), "");
  dialogs.answer(MsgAnswer::Yes);
  main.Option1_Click();
  EXPECT_EQ(recorder->writesOnly().size(), 10u);
  EXPECT_EQ(gameIni().find("[]"), std::string::npos);
  EXPECT_EQ(dialogs.messageTexts().back(), "Graphics changes have been applied");
}

}  // namespace
}  // namespace vexorel::testing
