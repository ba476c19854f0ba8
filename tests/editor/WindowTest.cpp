// The editor window: the working copy and FileName, activation, the saved-set count, Edit/Save, the
// list store, the typed rows, the display combos and the boxes' writes.
#include <sys/stat.h>

#include "core/SetRules.h"
#include "EditorFixture.h"
#include "core/SettingSetStore.h"

namespace vexorel::testing {
namespace {

TEST_F(EditorTest, OpensOnAWorkingCopyAndClosingPointsBackAtTheGameFile) {
  Form4& form = open();
  EXPECT_EQ(app->frmmain().FileName + form.OldFileName + form.Tempname,
            workingCopyName() + gameFileName() + workingCopyName());
  EXPECT_TRUE(form.isVisible() && form.once && !form.mnuFile->isEnabled() && !app->frmmain().isVisible());
  EXPECT_EQ(backup(), demoGameIni());
  EXPECT_EQ(app->form5().List2->count(), 15);  // the snapshot
  EXPECT_TRUE(form.SSTab1->widget(2)->isAncestorOf(form.checkBox(39)));
  EXPECT_EQ(form.StB1Panel1->text(), "Found 0 saved settings");
  // Cancel drops the working copy; reopening makes a fresh one and shows the design state.
  act("tab 1; tick 19 on; press Command3");
  EXPECT_FALSE(form.isVisible() || form.once || fs::exists(startPath("BACKUP/Last.ini")));
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
  EXPECT_EQ(gameIni(), demoGameIni());
  act("open");
  EXPECT_EQ(backup(), demoGameIni());
  expect("SSTab1.currentIndex=0; Check19.checked=false");
  EXPECT_TRUE(form.warzoeken.empty());
  form.close();  // the close box is the same unload
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
  // No working copy can be made: the editor stays closed and says why.
  fs::remove_all(startPath("BACKUP"));
  act("open");
  EXPECT_FALSE(form.isVisible() || form.isLoaded() || form.once);
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
  expectLastBox(1, "The working copy " + shown(workingCopyName()) + " could not be made from " + shown(gameFileName()) +
                       ", so the editor cannot open.");
  fs::create_directories(startPath("BACKUP"));
  fs::remove(gameIniPath());  // the game's own file missing: the same refusal, nothing created in its place
  act("open");
  EXPECT_FALSE(form.isLoaded() || fs::exists(gameIniPath()));
  EXPECT_TRUE(dialogs.calls.at(1).text.contains("UnrealTournament.ini"));
}

TEST_F(EditorTest, ActivationRefillsOnlyOnAReturnFromAnotherWindowAndShowsTheSavedSetCount) {
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=03\r\n");
  Form4& form = open();
  EXPECT_EQ(form.StB1Panel1->text(), "Found 03 saved settings");
  EXPECT_GE(form.StB1Panel1->minimumWidth(), 140);
  expect("Command2.enabled=true");
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nDidBackup=Yes\r\n");
  app->module().WriteIniValue("WinDrv.WindowsClient", "SkinDetail", "Low", form.Tempname);
  act("activate");  // refills; a count that is no number is rewritten as "0", the status text and button stay
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), "[Vexorel]\r\nDidBackup=Yes\r\nSaveNumber=0\r\n");
  EXPECT_EQ(form.StB1Panel1->text(), "Found 03 saved settings");
  expect("Command2.enabled=true");
  EXPECT_EQ(value(7), "Low");

  act("edit; click 7");  // Low -> Medium
  QDialog box(&form);    // a modal box over the editor, as every message box is, is no other window
  box.open();
  QCoreApplication::processEvents();
  ASSERT_TRUE(box.isActiveWindow());
  box.close();
  form.activateWindow();  // what the window system does when the box closes
  QCoreApplication::processEvents();
  ASSERT_TRUE(form.isActiveWindow());
  EXPECT_EQ(value(7), "Medium");
  form.Check->trigger();  // the list store is another window: coming back refills the lists
  QCoreApplication::processEvents();
  Form5& store = app->form5();
  ASSERT_TRUE(store.isActiveWindow());
  form.activateWindow();
  QCoreApplication::processEvents();
  EXPECT_EQ(value(7), "Low");
  store.close();  // only hides
  EXPECT_TRUE(!store.isVisible() && store.isLoaded());
  form.Check->trigger();
  EXPECT_TRUE(store.isVisible());
  EXPECT_EQ(store.List1->count(), 15);
  EXPECT_EQ(store.List2->item(0)->text(), "16");
}

TEST_F(EditorTest, EditSaveTogglesEditingAndSavesASet) {
  Form4& form = open();
  act("press Command1");
  expect("List1.enabled=true; List2.enabled=true; Command1.text=&Save; Command1.toolTip=Click to Save the Settings");
  EXPECT_TRUE(dialogs.calls.empty());
  dialogs.cancelInput();
  act("press Command1");
  expect("List1.enabled=false; List2.enabled=false; Command1.text=&Edit; Command1.toolTip=Click to Edit the Settings");
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].kind, DialogCall::Input);
  EXPECT_EQ(dialogs.calls[0].text + "|" + dialogs.calls[0].caption,
            "Please enter a name to save settings to|Save Settings");
  EXPECT_EQ(form.StB1Panel1->text(), "Found 0 saved settings");
  act("press Command1; type Fast; press Command1");
  expectLastBox(3, "Remember No Changes were made, press Apply.", MsgIcon::Information);
  EXPECT_EQ(form.StB1Panel1->text(), "Found 1 saved settings");  // counted at once
  expect("Command2.enabled=true");
  EXPECT_EQ(gameIni() + backup(), demoGameIni() + demoGameIni());
  const std::string settings = readFileBytes(startPath("Vexorel.ini"));
  EXPECT_NE(settings.find("SaveNumber=1\r\n"), std::string::npos);
  dialogs.typeInput(" Fast");  // a name the store cannot keep as typed: its reason, and nothing saved
  act("press Command1; press Command1");
  expectLastBox(5, sets::nameProblem(" Fast").value_or("(accepted)"));
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), settings);
}

TEST_F(EditorTest, TypedRowsDetailBiasAndTheRefreshRateWarning) {
  useDevice("GlideDrv.GlideRenderDevice");
  Form4& form = open();
  act("edit; click 10");
  QTest::keyClicks(form.Text1, "3");  // one digit waits for the second
  EXPECT_EQ(value(10), "30.000000");
  expect("Text1.visible=true");
  QTest::keyClicks(form.Text1, "0");
  EXPECT_EQ(value(10), "30");
  expect("Text1.visible=false");
  act("click 10");
  QTest::keyClick(form.Text1, Qt::Key_Backspace);  // the box kept what it stored
  QTest::keyClicks(form.Text1, "5");
  EXPECT_EQ(value(10), "35");
  act("click 10");
  form.Text1->clear();  // an empty box stores an empty value
  EXPECT_EQ(value(10), "");
  act("click 10");
  QTest::keyClicks(form.Text1, "123");  // at most two characters
  EXPECT_EQ(value(10), "12");
  act("click 13");
  QTest::keyClicks(form.Text2, "2");
  EXPECT_EQ(value(13), "2");
  expect("Text1.visible=false; Text2.visible=false");

  // Typing into DetailBias stores the item after the combo's selection into the selected row, if any.
  act("tab 1");
  QTest::keyClicks(form.combo(1)->lineEdit(), "5");
  EXPECT_EQ(value(13), "2");
  act("combo 1 0");
  form.List2->setCurrentRow(13);
  QTest::keyClicks(form.combo(1)->lineEdit(), "x");
  EXPECT_EQ(value(13), "0");
  act("combo 1 1");  // the last item has no follower
  form.List2->setCurrentRow(12);
  QTest::keyClicks(form.combo(1)->lineEdit(), "y");
  EXPECT_EQ(value(12), "False");

  for (int i = 0; i < 2; ++i) form.combo(2)->showPopup(), form.combo(2)->hidePopup();
  expectLastBox(1, "Warning! A too high refresh Rate may cause damage to your PC");
  act("press Command3; open; tab 1");
  form.combo(2)->showPopup();  // once per run
  EXPECT_EQ(dialogs.calls.size(), 1u);
}

TEST_F(EditorTest, ATickWritesItsKeyIntoTheWorkingCopyAndAFailedOneIsTakenBackAndSaid) {
  Form4& form = open();
  act("tab 1; tick 2 off; tick 21 on; tick 34 on; tick 39 on; tick 39 off; tick 41 on");
  form.checkBox(16)->setCheckState(Qt::PartiallyChecked);  // greyed counts as clear
  EXPECT_EQ(key("D3DDrv.D3DRenderDevice", "Translucency") + key("D3DDrv.D3DRenderDevice", "Use32BitTextures"),
            "FalseFalse");
  EXPECT_EQ(key("D3DDrv.D3DRenderDevice", "UseVertexFog"), "True");  // a key the section lacks is added
  const std::string held = backup();
  EXPECT_EQ(held.find("UseSpatial", held.find("UseSpatial") + 1), std::string::npos) << "one key, not two";
  EXPECT_EQ(key("Galaxy.GalaxyAudioSubsystem", "UseSpatial") + key("IpDrv.TcpNetDriver", "OverrideBufferAllocation"),
            "FalseTrue");
  act("tick 1 on");  // UseMultitexture writes nothing
  EXPECT_EQ(backup(), held);
  EXPECT_EQ(gameIni(), demoGameIni());

  ::chmod(startPath("BACKUP/UTTemp.ini").c_str(), 0444);
  form.checkBox(19)->click();
  expect("Check19.checked=false");
  ASSERT_EQ(dialogs.calls.size(), 1u);
  const QString prefix = QString::fromStdString("The setting UseVSync could not be saved in the working copy " +
                                                shown(form.Tempname) + ", so it was not changed.\n");
  EXPECT_TRUE(dialogs.calls[0].text.startsWith(prefix) && dialogs.calls[0].text.size() > prefix.size())
      << "the system's reason follows: " << dialogs.calls[0].text.toStdString();
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  EXPECT_EQ(backup(), held);
  ::chmod(startPath("BACKUP/UTTemp.ini").c_str(), 0644);
  form.checkBox(19)->click();  // writable again: the same tick is saved
  EXPECT_EQ(key("D3DDrv.D3DRenderDevice", "UseVSync"), "True");
  EXPECT_EQ(dialogs.calls.size(), 1u);
}

}  // namespace
}  // namespace vexorel::testing
