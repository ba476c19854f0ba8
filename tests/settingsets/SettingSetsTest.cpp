// Setting sets: the rules of a name (refused exactly when the real engine would not read it back as typed), the
// store's bytes and order of writes, odd files it must survive, and the load window's all-or-nothing change.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "core/SetRules.h"
#include "core/SettingSetStore.h"
#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "support/core/Table.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

// The game registered, the main window's paths set and the editor open, as the program runs it.
class SetsTest : public GameFileTest {
 protected:
  void SetUp() override {
    GameFileTest::SetUp();
    app->form4().showForm();
    demo = changed = app->form4().values();
    changed[4] = "False";
    changed[10] = "45.000000";
  }
  std::string listed() { return itemTexts(*app->load().Combo1).toStdString(); }
  // The value list saved as the editor's Save button saves it, with these values when given.
  bool saveSet(const std::string& name, const std::vector<std::string>& values = {}) {
    ValueRows rows = app->state().rows;
    if (!values.empty()) rows.values = values;
    return SaveSettingSet(app->module(), app->state().VEXORELPATH, name, rows);
  }
  void chooseAndLoad(int index) {
    app->load().Combo1->setCurrentIndex(index);
    app->load().Command1->click();
  }
  std::string changedGameIni() const {
    return edited(edited(demoGameIni(), "Decals=True", "Decals=False"), "MinDesiredFrameRate=30.000000",
                  "MinDesiredFrameRate=45.000000");
  }
  std::vector<std::string> demo, changed;
};

TEST_F(SetsTest, TheRulesOfTheTableHoldForTheStoreAndAnUnwritableFileIsLeftAsItIs) {
  const std::string file = startPath("names.ini");
  std::string kept;
  for (const Row& row : readTable("settingsets/setrules.txt")) {
    SCOPED_TRACE(row.where());
    const std::string& kind = row[0];
    const std::string typed = unescaped(row[1]);
    // Written as a set's "SaveName" and read back the way the load window does.
    const bool readsBack = platform->writePrivateProfileString("Save1", "SaveName", typed, file) &&
                           app->module().ReadProfileValue("Save1", "SaveName", file) == typed;
    const std::string before = settings();
    EXPECT_EQ(!sets::nameProblem(typed).has_value(), kind == "keep");
    EXPECT_EQ(readsBack, kind == "keep");
    EXPECT_EQ(saveSet(typed), kind == "keep");
    EXPECT_EQ(settings() == before, kind != "keep");  // a refused name writes nothing
    if (kind == "keep") kept += (kept.empty() ? "" : "|") + typed;
  }
  app->load().showForm();  // every kept name is listed as typed
  EXPECT_EQ(listed(), kept);
  app->load().Command2_Click();
  // Unwritable, with a count that is no number: nothing is saved, and what is there is still listed.
  app->module().WriteIniValue("Vexorel", "SaveNumber", "xyz", startPath("Vexorel.ini"));
  const std::string before = settings();
  setReadOnly(startPath("Vexorel.ini"), true);
  EXPECT_FALSE(saveSet("Lost"));
  app->load().showForm();
  EXPECT_EQ(listed(), kept);
  EXPECT_EQ(settings(), before);
}

TEST_F(SetsTest, SavesWriteTheCountFirstThenOneSectionPerSetLoadBackAndLoseNoSetOfAHandEditedFile) {
  platform->log.clear();
  ASSERT_TRUE(saveSet("Fast"));
  ASSERT_EQ(platform->log.size(), 17u);
  EXPECT_EQ(platform->log[0], "write Vexorel/SaveNumber=1");
  EXPECT_EQ(platform->log[1], "write Save1/SaveName=Fast");
  ASSERT_TRUE(saveSet("Fast", changed));  // a second set of the same name is a set of its own
  EXPECT_EQ(settings(), testData("settingsets/two-sets.ini"));

  // A set trimmed by hand: no "Decals", and a "SkinDetail" that is literally "Default".
  writeFileBytes(startPath("Vexorel.ini"),
                 settings() + "[Save3]\r\nSaveName=Hand\r\nSkinDetail=Default\r\nCoronas=False\r\n");
  ValueRows rows = app->state().rows;
  rows.values[4] = "Maybe";
  const std::vector<std::string> loaded = LoadSettingSet(app->module(), app->state().VEXORELPATH, 2, rows);
  rows.values[6] = "False";
  rows.values[7] = "Default";
  EXPECT_EQ(loaded, rows.values);

  // A file edited by hand loses no set.
  const std::string edited = testData("settingsets/hand-edited.ini");
  // Whatever the count says (fallen behind, no number, a section with keys but no name), no save writes over a set.
  for (const char* count : {"0", "abc", "2"}) {
    writeFileBytes(startPath("Vexorel.ini"), edited);
    app->module().WriteIniValue("Vexorel", "SaveNumber", count, startPath("Vexorel.ini"));
    ASSERT_TRUE(saveSet("Six"));
    EXPECT_EQ(settings(), testData("settingsets/hand-edited-saved.ini")) << count;
  }
}

TEST_F(SetsTest, TheLoadWindowLoadsAllOrNothingThenReturnsToTheMainWindow) {
  ASSERT_TRUE(saveSet("Quick", changed));
  const std::string working = backup("UTTemp.ini");
  app->load().showForm();
  EXPECT_FALSE(app->load().Combo1->isEditable());
  EXPECT_EQ(app->load().Combo1->currentIndex(), -1);
  app->load().Command1->click();  // with nothing chosen: the box says so, and nothing more happens

  // The second of the two changed rows fails: the first one must not reach the game's file either.
  int writes = 0;
  platform->failWrite = [&writes](const std::string&) { return ++writes == 2; };
  chooseAndLoad(0);
  platform->failWrite = nullptr;
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(app->form4().values(), demo);
  EXPECT_FALSE(fs::exists(startPath("BACKUP/SetLoad.ini")));
  EXPECT_TRUE(app->form4().isLoaded());
  EXPECT_TRUE(app->load().isVisible());
  EXPECT_EQ(app->frmmain().FileName, app->form4().Tempname);

  bool editorOpenWhenTold = false;
  dialogs.onShow = [&](const DialogCall&) {
    editorOpenWhenTold = app->form4().isLoaded() && gameIni() == changedGameIni();
  };
  chooseAndLoad(0);
  dialogs.onShow = nullptr;
  EXPECT_TRUE(editorOpenWhenTold);
  EXPECT_EQ(backup("Last.ini"), working);
  EXPECT_EQ(backup("UTTemp.ini"), working);
  EXPECT_FALSE(fs::exists(startPath("BACKUP/SetLoad.ini")));
  EXPECT_FALSE(app->form4().isLoaded());
  EXPECT_FALSE(app->load().isVisible());
  EXPECT_TRUE(app->load().isLoaded());  // hidden, not unloaded
  EXPECT_TRUE(app->frmmain().isVisible());
  EXPECT_TRUE(app->frmmain().Picture1->isVisible());
  EXPECT_EQ(app->frmmain().FileName, app->form4().OldFileName);

  // With the editor closed, a failed load leaves it closed and the main window on the game's file; then it loads.
  const std::string gameFile = app->frmmain().FileName;
  writeGameIni(demoGameIni());
  setReadOnly(gameIniPath(), true);
  app->load().showForm();
  chooseAndLoad(0);
  EXPECT_FALSE(app->form4().isLoaded());
  EXPECT_EQ(app->frmmain().FileName, gameFile);
  EXPECT_EQ(gameIni(), demoGameIni());
  setReadOnly(gameIniPath(), false);
  chooseAndLoad(0);
  EXPECT_EQ(gameIni(), changedGameIni());
  EXPECT_FALSE(app->form4().isLoaded());
  const std::string shown = platform->displayPath(gameIniPath());
  expectBoxes("settingsets/load-boxes.txt", {shown, shown});
}

}  // namespace
}  // namespace vexorel::testing
