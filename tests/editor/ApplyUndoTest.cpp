// Apply, Undo and their failures, end to end on the files.
#include <sys/stat.h>

#include "EditorFixture.h"

namespace vexorel::testing {
namespace {

// Apply's log: the backup, the changed rows (`middle`), the sound and network combos (when shown) with
// their pauses, and the copy over the game's file.
Lines applyLog(const Lines& middle, bool combos = true) {
  Lines log{"copy UTTemp.ini -> Last.ini"};
  log.insert(log.end(), middle.begin(), middle.end());
  for (const char* line :
       {"[Galaxy.GalaxyAudioSubsystem] OutputRate=22050Hz", "sleep 100", "[IpDrv.TcpNetDriver] MaxClientRate=20000",
        "sleep 100", "[IpDrv.TcpNetDriver] NetServerMaxTickRate=20", "sleep 100",
        "[IpDrv.TcpNetDriver] LanServerMaxTickRate=35", "[Engine.Player] ConfiguredInternetSpeed=2600", "sleep 100",
        "[Engine.Player] ConfiguredLanSpeed=20000", "sleep 2000"}) {
    if (line[0] != '[') log.push_back(line);
    if (line[0] == '[' && combos) log.push_back(std::string("write UTTemp.ini ") + line);
  }
  log.push_back("copy UTTemp.ini -> UnrealTournament.ini");
  return log;
}

TEST_F(EditorTest, ApplyWritesTheChangedRowsThenTheEnabledCombosAndNextTimeOnlyWhatChanged) {
  useDevice("GlideDrv.GlideRenderDevice");
  const std::string start = gameIni();
  Form4& form = open();
  act("edit; click 7 6 4 4; tab 1; combo 2 3");  // SkinDetail -> Low, Coronas -> False, Decals back; 75Hz
  log->clear();
  act("press Command6");
  const std::string glide = "write UTTemp.ini [GlideDrv.GlideRenderDevice] ";
  EXPECT_EQ(*log, applyLog({glide + "Coronas=False", "write UTTemp.ini [WinDrv.WindowsClient] SkinDetail=Low",
                            glide + "DetailBias=-1.5", glide + "RefreshRate=75Hz"}));
  expectLastBox(1, "Ok it's Done remember you have a backup !!", MsgIcon::Information);
  EXPECT_TRUE(form.isVisible() && form.Command7->isEnabled() && !QApplication::overrideCursor());
  Form5& store = app->form5();  // the list store holds the changed items
  ASSERT_EQ(store.List4->count(), 2);
  EXPECT_EQ(store.List4->item(0)->text() + store.List5->item(0)->text() + store.List3->item(1)->text(),
            "CoronasTrueLow");
  EXPECT_EQ(value(6) + value(7), "FalseLow");  // read back from the file
  EXPECT_EQ(backup("Last.ini"), start);
  EXPECT_EQ(gameIni(), backup());
  EXPECT_EQ(key("GlideDrv.GlideRenderDevice", "RefreshRate", gameFileName()), "75Hz");

  act("click 7; tick 23 on");  // Low -> Medium, and a tick straight into the working copy
  const std::string ticked = backup();
  log->clear();
  act("press Command6");
  EXPECT_EQ(log->at(1), "write UTTemp.ini [WinDrv.WindowsClient] SkinDetail=Medium");
  EXPECT_EQ(log->at(2), glide + "DetailBias=-1.5");
  EXPECT_EQ(backup("Last.ini"), ticked);
  EXPECT_EQ(gameIni(), backup());
  EXPECT_EQ(key("GlideDrv.GlideRenderDevice", "FastUglyRefresh", gameFileName()), "True");
}

TEST_F(EditorTest, ANewDeviceIsAppliedAsItsClassAndUndoPutsTheBackupBackOnce) {
  Form4& form = open();
  log->clear();
  act("edit; click 14 7; press Command6");  // OpenGl, SkinDetail Low
  // Without a visit to the other tabs no combo shows an item, and no key is blanked.
  EXPECT_EQ(*log, applyLog({"write UTTemp.ini [WinDrv.WindowsClient] SkinDetail=Low",
                            "write UTTemp.ini [Engine.Engine] GameRenderDevice=OpenGLDrv.OpenGLRenderDevice"},
                           false));
  EXPECT_EQ(key("WinDrv.WindowsClient", "GameRenderDevice", gameFileName()), "Default");
  EXPECT_EQ(value(14), "OpenGl");
  const std::string applied = gameIni();
  act("answer No; press Command7");
  EXPECT_EQ(gameIni(), applied);
  EXPECT_EQ(dialogs.calls.back().text, "Sure u want to undo last tweak ?");
  EXPECT_EQ(dialogs.calls.back().buttons, MsgButtons::YesNo);
  EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Information);
  act("answer Yes; press Command7");
  EXPECT_EQ(gameIni() + backup("last1.ini"), demoGameIni() + demoGameIni());
  EXPECT_FALSE(fs::exists(startPath("BACKUP/Last.ini")));
  // The editor opened afresh on the restored file, with nothing left to undo.
  EXPECT_TRUE(form.isVisible() && !form.Command7->isEnabled());
  EXPECT_EQ(app->frmmain().FileName, workingCopyName());
  EXPECT_EQ(backup() + value(7), demoGameIni() + "High");
  dialogs.answer(MsgAnswer::Yes);
  form.Command7_Click();  // the handler itself still refuses without its backup
  expectLastBox(5, "Sorry but for some reason the backup does not exist! look in: " +
                       shown(startFolder + "\\backup\\Last.ini") + " for the file!");
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(app->frmmain().FileName, workingCopyName());
}

TEST_F(EditorTest, ApplyFailuresStopItAndSayWhere) {
  Form4& form = open();
  fs::create_directories(startPath("BACKUP/Last.ini"));  // a folder where the backup should go
  log->clear();
  act("edit; click 8; press Command6");  // TextureDetail
  EXPECT_EQ(*log, Lines{"copy UTTemp.ini -> Last.ini"});
  expectLastBox(1, "The backup " + shown(startFolder + "\\backup\\Last.ini") +
                       " could not be made, so nothing was applied. The game's file is unchanged.");
  EXPECT_EQ(backup() + value(8), demoGameIni() + "Low");
  fs::remove_all(startPath("BACKUP/Last.ini"));
  fs::remove(startPath("BACKUP/UTTemp.ini"));  // deleted by hand: the same stop, and nothing is recreated
  act("press Command6");
  EXPECT_EQ(dialogs.calls.size(), 2u);
  EXPECT_FALSE(fs::exists(startPath("BACKUP/UTTemp.ini")) || fs::exists(startPath("BACKUP/Last.ini")));

  writeFileBytes(startPath("BACKUP/UTTemp.ini"), demoGameIni());
  ::chmod(startPath("BACKUP/UTTemp.ini").c_str(), 0444);
  act("press Command6");  // the item's name; the edit is kept for another try
  expectLastBox(3, "Error when saving this itemTextureDetail = ");
  EXPECT_FALSE(app->ending() || form.Command7->isEnabled());
  EXPECT_EQ(value(8), "Low");
  act("click 8 8; tab 1; press Command6");  // the row stepped back: the first combo write fails
  EXPECT_EQ(dialogs.calls.back().text, "Error when saving this itemOutputRate = ");
  EXPECT_TRUE(platform->sleeps.empty());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  ::chmod(startPath("BACKUP/UTTemp.ini").c_str(), 0644);
  fs::remove(gameIniPath());
  fs::create_directories(gameIniPath());  // the game's file cannot be replaced
  act("press Command6");
  EXPECT_EQ(dialogs.calls.back().text.toStdString(),
            "The settings could not be copied over " + shown(gameFileName()) +
                ", so the game's file was not changed. The editor still holds your changes.");
  EXPECT_FALSE(form.Command7->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace vexorel::testing
