// Apply, Undo and Cancel, end to end on the files.
#include <sys/stat.h>

#include "EditorFixture.h"

namespace vexorel::testing {
namespace {

using Lines = std::vector<std::string>;

const Lines kSoundAndNetworkWrites{
    "write UTTemp.ini [Galaxy.GalaxyAudioSubsystem] OutputRate=22050Hz",
    "sleep 100",
    "write UTTemp.ini [IpDrv.TcpNetDriver] MaxClientRate=20000",
    "sleep 100",
    "write UTTemp.ini [IpDrv.TcpNetDriver] NetServerMaxTickRate=20",
    "sleep 100",
    "write UTTemp.ini [IpDrv.TcpNetDriver] LanServerMaxTickRate=35",
    "write UTTemp.ini [Engine.Player] ConfiguredInternetSpeed=2600",
    "sleep 100",
    "write UTTemp.ini [Engine.Player] ConfiguredLanSpeed=20000",
    "sleep 2000",
};

TEST_F(EditorTest, OneChangeTravelsFromTheBoxToTheGameFile) {
  Form4& form = open();
  leaveGraphicsTab();
  EXPECT_EQ(form.warzoeken, "D3DDrv.D3DRenderDevice");
  ASSERT_TRUE(form.checkBox(19)->isEnabled());
  form.checkBox(19)->click();
  const std::string expected = replaced(demoGameIni(), "UseVSync=False", "UseVSync=True");
  EXPECT_EQ(workingCopy(), expected);
  EXPECT_EQ(gameIni(), demoGameIni());

  log->clear();
  form.Command6->click();
  Lines expectedLog{"copy UTTemp.ini -> Last.ini"};
  expectedLog.insert(expectedLog.end(), kSoundAndNetworkWrites.begin(), kSoundAndNetworkWrites.end());
  expectedLog.push_back("copy UTTemp.ini -> UnrealTournament.ini");
  EXPECT_EQ(*log, expectedLog);
  EXPECT_EQ(platform->sleeps, (std::vector<unsigned>{100, 100, 100, 100, 2000}));
  EXPECT_EQ(workingCopy(), expected);
  EXPECT_EQ(lastIni(), expected);
  EXPECT_EQ(gameIni(), expected);
  EXPECT_TRUE(form.Command7->isEnabled());
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "Ok it's Done remember you have a backup !!");
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Information);
  EXPECT_EQ(dialogs.calls[0].caption, "Vexorel");
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  form.Command3->click();
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
  EXPECT_EQ(gameIni(), expected);
}

TEST_F(EditorTest, ApplyWritesTheChangedRowsThenTheEnabledCombosInOrder) {
  useDevice("GlideDrv.GlideRenderDevice");
  const std::string start = gameIni();
  Form4& form = open();
  startEditing();
  clickValue(7);  // SkinDetail High -> Low
  clickValue(6);  // Coronas True -> False
  clickValue(4);  // Decals True -> False
  clickValue(4);  // ... and back: no change
  leaveGraphicsTab();
  form.combo(2)->setCurrentIndex(3);  // 75Hz
  log->clear();
  form.Command6->click();
  Lines expectedLog{
      "copy UTTemp.ini -> Last.ini",
      "write UTTemp.ini [GlideDrv.GlideRenderDevice] Coronas=False",
      "write UTTemp.ini [WinDrv.WindowsClient] SkinDetail=Low",
      "write UTTemp.ini [GlideDrv.GlideRenderDevice] DetailBias=-1.5",
      "write UTTemp.ini [GlideDrv.GlideRenderDevice] RefreshRate=75Hz",
  };
  expectedLog.insert(expectedLog.end(), kSoundAndNetworkWrites.begin(), kSoundAndNetworkWrites.end());
  expectedLog.push_back("copy UTTemp.ini -> UnrealTournament.ini");
  EXPECT_EQ(*log, expectedLog);
  // The list store holds the changed items; the value list is read back from the file.
  Form5& store = app->form5();
  ASSERT_EQ(store.List4->count(), 2);
  EXPECT_EQ(store.List4->item(0)->text(), "Coronas");
  EXPECT_EQ(store.List5->item(0)->text(), "True");
  EXPECT_EQ(store.List3->item(1)->text(), "Low");
  EXPECT_EQ(value(6), "False");
  EXPECT_EQ(value(7), "Low");
  EXPECT_EQ(lastIni(), start);
  EXPECT_EQ(gameIni(), workingCopy());
  EXPECT_EQ(app->module().ReadProfileValue("GlideDrv.GlideRenderDevice", "RefreshRate", gameFileName()), "75Hz");

  // A second Apply writes only what changed since the first.
  clickValue(7);  // Low -> Medium
  form.checkBox(23)->setChecked(true);
  const std::string afterBox = workingCopy();
  log->clear();
  form.Command6->click();
  EXPECT_EQ(log->at(1), "write UTTemp.ini [WinDrv.WindowsClient] SkinDetail=Medium");
  EXPECT_EQ(log->at(2), "write UTTemp.ini [GlideDrv.GlideRenderDevice] DetailBias=-1.5");
  EXPECT_EQ(lastIni(), afterBox);
  EXPECT_EQ(app->module().ReadProfileValue("WinDrv.WindowsClient", "SkinDetail", gameFileName()), "Medium");
}

TEST_F(EditorTest, ApplyingANewDeviceWritesItsClassOnly) {
  Form4& form = open();
  startEditing();
  clickValue(14);  // Direct 3D -> OpenGl
  form.Command6->click();
  ReadModule& module = app->module();
  EXPECT_EQ(module.ReadProfileValue("Engine.Engine", "GameRenderDevice", gameFileName()),
            "OpenGLDrv.OpenGLRenderDevice");
  EXPECT_EQ(module.ReadProfileValue("WinDrv.WindowsClient", "GameRenderDevice", gameFileName()), "Default");
  EXPECT_EQ(value(14), "OpenGl");
  // Without a visit to the other tabs no combo shows an item, and no key is blanked.
  EXPECT_EQ(replaced(gameIni(), "OpenGLDrv.OpenGLRenderDevice", "D3DDrv.D3DRenderDevice"), demoGameIni());
  EXPECT_EQ(platform->sleeps, (std::vector<unsigned>{100, 100, 100, 100, 2000}));
}

TEST_F(EditorTest, UndoPutsTheBackupBackAndCanBeUsedOnce) {
  Form4& form = open();
  startEditing();
  clickValue(7);
  form.Command6->click();
  const std::string applied = gameIni();
  EXPECT_NE(applied, demoGameIni());

  dialogs.answer(MsgAnswer::No);
  form.Command7->click();
  EXPECT_EQ(gameIni(), applied);

  dialogs.answer(MsgAnswer::Yes);
  form.Command7->click();
  const DialogCall& question = dialogs.calls.at(dialogs.calls.size() - 1);
  EXPECT_EQ(question.text, "Sure u want to undo last tweak ?");
  EXPECT_EQ(question.buttons, MsgButtons::YesNo);
  EXPECT_EQ(question.icon, MsgIcon::Information);
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(readFileBytes(startPath("BACKUP/last1.ini")), demoGameIni());
  EXPECT_FALSE(lastIniExists());
  // The editor opened afresh on the restored file, with nothing left to undo.
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(app->frmmain().FileName, workingCopyName());
  EXPECT_EQ(workingCopy(), demoGameIni());
  EXPECT_EQ(value(7), "High");
  EXPECT_FALSE(form.Command7->isEnabled());

  // Undo once more (the button is off; the handler still refuses without its backup).
  const std::size_t before = dialogs.calls.size();
  dialogs.answer(MsgAnswer::Yes);
  form.Command7_Click();
  ASSERT_EQ(dialogs.calls.size(), before + 2);
  EXPECT_EQ(dialogs.calls.back().text.toStdString(), "Sorry but for some reason the backup does not exist! look in: " +
                                                         platform->displayPath(startFolder + "\\backup\\Last.ini") +
                                                         " for the file!");
  EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Critical);
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_TRUE(form.isVisible());
}

TEST_F(EditorTest, UndoWithTheBackupRemovedByHandChangesNothing) {
  writeFileBytes(startPath("BACKUP/Last.ini"), "[Old]\r\n");
  Form4& form = open();
  EXPECT_TRUE(form.Command7->isEnabled());
  std::filesystem::remove(startPath("BACKUP/Last.ini"));
  dialogs.answer(MsgAnswer::Yes);
  form.Command7->click();
  EXPECT_TRUE(dialogs.calls.back().text.startsWith("Sorry but for some reason the backup does not exist! look in: /"));
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(app->frmmain().FileName, workingCopyName());
}

TEST_F(EditorTest, CancelLeavesTheGameFileAsItWas) {
  Form4& form = open();
  startEditing();
  clickValue(1);
  clickValue(14);
  leaveGraphicsTab();
  form.checkBox(19)->setChecked(true);
  form.combo(6)->setCurrentIndex(0);
  form.Command3->click();
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_FALSE(lastIniExists());
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
}

TEST_F(EditorTest, ApplyStopsBeforeWritingWhenTheBackupCannotBeMade) {
  Form4& form = open();
  // A folder where the backup should go makes the copy fail.
  std::filesystem::create_directories(startPath("BACKUP/Last.ini"));
  startEditing();
  clickValue(7);
  log->clear();
  form.Command6->click();
  EXPECT_EQ(*log, Lines{"copy UTTemp.ini -> Last.ini"});
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  const std::string backup = platform->displayPath(startFolder + "\\backup\\Last.ini");
  EXPECT_TRUE(dialogs.calls[0].text.contains(QString::fromStdString(backup)));
  EXPECT_EQ(workingCopy(), demoGameIni());
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(value(7), "Low");

  // The working copy deleted by hand: the same stop, and nothing is recreated.
  std::filesystem::remove_all(startPath("BACKUP/Last.ini"));
  std::filesystem::remove(startPath("BACKUP/UTTemp.ini"));
  form.Command6->click();
  EXPECT_EQ(dialogs.calls.size(), 2u);
  EXPECT_FALSE(std::filesystem::exists(startPath("BACKUP/UTTemp.ini")));
  EXPECT_FALSE(lastIniExists());
  EXPECT_EQ(gameIni(), demoGameIni());
}

TEST_F(EditorTest, AReadOnlyWorkingCopyStopsApplyWithTheItemsName) {
  Form4& form = open();
  startEditing();
  clickValue(8);  // TextureDetail
  ::chmod(startPath("BACKUP/UTTemp.ini").c_str(), 0444);
  form.Command6->click();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].text, "Error when saving this itemTextureDetail = ");
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  EXPECT_EQ(dialogs.calls[0].caption, "Vexorel");
  EXPECT_FALSE(app->ending());
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_FALSE(form.Command7->isEnabled());
  EXPECT_EQ(value(8), "Low");  // the edit is kept for another try
  EXPECT_TRUE(platform->sleeps.empty());

  // With the row stepped back, the first combo write is the one that fails.
  clickValue(8);
  clickValue(8);
  leaveGraphicsTab();
  form.Command6->click();
  EXPECT_EQ(dialogs.calls.back().text, "Error when saving this itemOutputRate = ");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(gameIni(), demoGameIni());
}

TEST_F(EditorTest, AFailedFinalCopyIsReportedAndUndoStaysAsItWas) {
  Form4& form = open();
  std::filesystem::remove(gameIniPath());
  std::filesystem::create_directories(gameIniPath());  // the game's file cannot be replaced now
  form.Command6->click();
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  EXPECT_TRUE(dialogs.calls[0].text.contains("UnrealTournament.ini"));
  EXPECT_FALSE(form.Command7->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace vexorel::testing
