// The editor window: its controls, opening on a working copy, activation, closing, Edit/Save, Form5.
#include <QMenu>
#include <QStatusBar>

#include "EditorFixture.h"
#include "core/SetRules.h"
#include "core/SettingSetStore.h"

namespace vexorel::testing {
namespace {

using Rows = std::vector<std::string>;

TEST_F(EditorTest, OpensOnAWorkingCopyWithTheFifteenRowsAndEditingOff) {
  Form4& form = open();
  ASSERT_TRUE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), "User Defined Control");
  EXPECT_EQ(app->frmmain().FileName, workingCopyName());
  EXPECT_EQ(form.OldFileName, gameFileName());
  EXPECT_EQ(form.Tempname, workingCopyName());
  EXPECT_TRUE(form.once);
  EXPECT_EQ(workingCopy(), demoGameIni());
  EXPECT_EQ(form.keys(),
            (Rows{"FullscreenColorbits", "CurvedSurfaces", "LowDetailTextures", "SlowVideoBuffering", "Decals",
                  "NoDynamicLights", "Coronas", "SkinDetail", "TextureDetail", "NoLighting", "MinDesiredFrameRate",
                  "ScreenFlashes", "NoFractalAnim", "ParticleDensity", "GameRenderDevice"}));
  const Rows values{"16",   "True",  "False",     "True", "True",  "False", "True",     "High",
                    "High", "False", "30.000000", "True", "False", "0",     "Direct 3D"};
  EXPECT_EQ(form.values(), values);
  EXPECT_EQ(form.DriverType, "Direct 3D");
  EXPECT_EQ(app->module().IniReadCount, 0);
  EXPECT_EQ(app->form5().List2->count(), 15);  // the snapshot

  QStringList captions;
  for (int i = 0; i < form.SSTab1->count(); ++i) captions << form.SSTab1->tabText(i);
  for (QAbstractButton* b : {form.Command1, form.Command2, form.Command6, form.Command7, form.Command3}) {
    captions << b->text();
  }
  for (QAction* a : form.mnuFile->actions()) captions << a->text();
  EXPECT_EQ(captions.join("|"),
            "Graphics |Advanced Display settings|Sound|Network Settings|&Edit|&Load |&Apply|"
            "&Undo last Tweak|&Cancel|Save|Load");
  EXPECT_EQ(form.SSTab1->currentIndex(), 0);
  EXPECT_FALSE(form.mnuFile->isEnabled());
  EXPECT_EQ(form.Check->text(), "Form5");
  EXPECT_EQ(form.checkBox(34)->text() + form.checkBox(39)->text(), "UseSpatialUseSpatial");
  EXPECT_TRUE(form.SSTab1->widget(2)->isAncestorOf(form.checkBox(39)));
  for (int n = 1; n <= 9; ++n) EXPECT_EQ(form.combo(n)->isEditable(), n <= 4) << n;
  EXPECT_EQ(form.List2->toolTip(), "Click on the item to edit");
  EXPECT_EQ(form.Command1->toolTip(), "Click to edit the Settings");
  EXPECT_EQ(form.Command7->toolTip(),
            "Undo 's last changes to Unral tournament. Note: the changes which u made here!!");
  EXPECT_FALSE(form.List1->isEnabled());
  EXPECT_FALSE(form.List2->isEnabled());
  EXPECT_FALSE(form.Command7->isEnabled());  // no backup yet: nothing to undo
  EXPECT_TRUE(form.Text1->isHidden() && form.Text2->isHidden());
  EXPECT_EQ(form.StB1Panel1->text(), "Found 0 saved settings");
  EXPECT_FALSE(form.Command2->isEnabled());
  EXPECT_FALSE(app->frmmain().isVisible());
}

TEST_F(EditorTest, MissingWorkingCopyKeepsTheEditorClosed) {
  std::filesystem::remove_all(startPath("BACKUP"));
  Form4& form = open();
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(form.isLoaded());
  EXPECT_FALSE(form.once);
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].icon, MsgIcon::Critical);
  EXPECT_EQ(dialogs.calls[0].caption, "Vexorel");
  EXPECT_TRUE(dialogs.calls[0].text.contains(QString::fromStdString(startFolder + "/backup/UTTemp.ini")))
      << dialogs.calls[0].text.toStdString();
  EXPECT_EQ(gameIni(), demoGameIni());

  // The game's own file missing: the same refusal, and nothing is created in its place.
  std::filesystem::create_directories(startPath("BACKUP"));
  std::filesystem::remove(gameIniPath());
  open();
  EXPECT_FALSE(form.isLoaded());
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_TRUE(dialogs.calls[1].text.contains("UnrealTournament.ini"));
  EXPECT_FALSE(std::filesystem::exists(gameIniPath()));
}

TEST_F(EditorTest, ClosingPointsBackAtTheGameFileAndReopeningMakesAFreshCopy) {
  Form4& form = open();
  leaveGraphicsTab();
  form.checkBox(19)->setChecked(true);
  EXPECT_NE(workingCopy(), demoGameIni());
  form.Command3->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(form.once);
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
  EXPECT_EQ(gameIni(), demoGameIni());

  open();
  EXPECT_EQ(workingCopy(), demoGameIni());
  EXPECT_EQ(form.SSTab1->currentIndex(), 0);
  EXPECT_FALSE(form.checkBox(19)->isChecked());
  EXPECT_TRUE(form.warzoeken.empty());
  // Closing with the close box is the same unload.
  form.close();
  EXPECT_EQ(app->frmmain().FileName, gameFileName());
}

TEST_F(EditorTest, ActivationShowsTheSavedSetCountAsStored) {
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nSaveNumber=03\r\n");
  Form4& form = open();
  EXPECT_EQ(form.StB1Panel1->text(), "Found 03 saved settings");
  EXPECT_TRUE(form.Command2->isEnabled());
  EXPECT_GE(form.StB1Panel1->minimumWidth(), 140);

  // A count that is no number is rewritten as "0"; the status text and the button stay.
  writeFileBytes(startPath("Vexorel.ini"), "[Vexorel]\r\nDidBackup=Yes\r\n");
  form.activate();
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), "[Vexorel]\r\nDidBackup=Yes\r\nSaveNumber=0\r\n");
  EXPECT_EQ(form.StB1Panel1->text(), "Found 03 saved settings");
  EXPECT_TRUE(form.Command2->isEnabled());

  // Activation refills the lists from the working copy.
  app->module().WriteIniValue("WinDrv.WindowsClient", "SkinDetail", "Low", form.Tempname);
  form.activate();
  EXPECT_EQ(value(7), "Low");
}

TEST_F(EditorTest, OnlyAReturnFromAnotherWindowRefillsTheValueList) {
  Form4& form = open();
  startEditing();
  clickValue(7);
  // A modal box over the editor (as every message box is) does not count as another window.
  QDialog box(&form);
  box.open();
  QCoreApplication::processEvents();
  ASSERT_TRUE(box.isActiveWindow());
  box.close();
  form.activateWindow();  // what the window system does when the box closes
  QCoreApplication::processEvents();
  ASSERT_TRUE(form.isActiveWindow());
  EXPECT_EQ(value(7), "Low");
  // The list store is another window: coming back refills the lists from the working copy.
  form.Check->trigger();
  QCoreApplication::processEvents();
  ASSERT_TRUE(app->form5().isActiveWindow());
  form.activateWindow();
  QCoreApplication::processEvents();
  EXPECT_EQ(value(7), "High");
}

TEST_F(EditorTest, EditSaveTogglesEditingAndOffersToSave) {
  Form4& form = open();
  form.Command1->click();
  EXPECT_TRUE(form.List1->isEnabled());
  EXPECT_TRUE(form.List2->isEnabled());
  EXPECT_EQ(form.Command1->text(), "&Save");
  EXPECT_EQ(form.Command1->toolTip(), "Click to Save the Settings");
  EXPECT_TRUE(dialogs.calls.empty());

  dialogs.cancelInput();
  form.Command1->click();
  EXPECT_FALSE(form.List2->isEnabled());
  EXPECT_EQ(form.Command1->text(), "&Edit");
  EXPECT_EQ(form.Command1->toolTip(), "Click to Edit the Settings");
  ASSERT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(dialogs.calls[0].kind, DialogCall::Input);
  EXPECT_EQ(dialogs.calls[0].text, "Please enter a name to save settings to");
  EXPECT_EQ(dialogs.calls[0].caption, "Save Settings");

  form.Command1->click();
  dialogs.typeInput("Fast");
  form.Command1->click();
  ASSERT_EQ(dialogs.calls.size(), 3u);
  EXPECT_EQ(dialogs.calls[2].text, "Remember No Changes were made, press Apply.");
  EXPECT_EQ(dialogs.calls[2].icon, MsgIcon::Information);
  EXPECT_EQ(dialogs.calls[2].caption, "Vexorel");
  EXPECT_EQ(app->module().ReadProfileValue("Vexorel", "SaveNumber", app->splash().VEXORELPATH), "1");
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(workingCopy(), demoGameIni());

  // A name the store cannot keep as typed: its reason, and nothing saved.
  const std::string settingsBefore = readFileBytes(startPath("Vexorel.ini"));
  form.Command1->click();
  dialogs.typeInput(" Fast");
  form.Command1->click();
  ASSERT_EQ(dialogs.calls.size(), 5u);
  EXPECT_EQ(dialogs.calls[4].text.toStdString(), sets::nameProblem(" Fast").value_or("(accepted)"));
  EXPECT_EQ(dialogs.calls[4].icon, MsgIcon::Critical);
  EXPECT_EQ(readFileBytes(startPath("Vexorel.ini")), settingsBefore);
}

TEST_F(EditorTest, TheListStoreOnlyHidesWhenClosed) {
  Form4& form = open();
  form.Check->trigger();
  Form5& store = app->form5();
  EXPECT_TRUE(store.isVisible());
  store.close();
  EXPECT_FALSE(store.isVisible());
  EXPECT_TRUE(store.isLoaded());
  EXPECT_EQ(store.List1->count(), 15);
  form.Check->trigger();
  EXPECT_TRUE(store.isVisible());
  EXPECT_EQ(store.List2->item(0)->text(), "16");
}

}  // namespace
}  // namespace vexorel::testing
