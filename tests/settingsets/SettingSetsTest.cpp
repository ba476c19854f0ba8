// Setting sets: the bytes and order of the store's writes, loading a set back into the editor, the hand-edited
// and unwritable files it must survive, and the load window's all-or-nothing change of the game's file.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "core/SetRules.h"
#include "core/SettingSetStore.h"
#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

// The game registered, the main window's paths set and the editor open, as the program runs it.
class SetsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    registerGame();
    app->frmmain().UtPath = gameFolder;
    app->frmmain().FileName = gameFolder + "\\System\\UnrealTournament.ini";
    app->form4().showForm();
    demo = app->form4().values();
    changed = demo;
    changed[4] = "False";
    changed[10] = "45.000000";
  }
  std::string listed() {
    QStringList texts;
    for (int i = 0; i < app->load().Combo1->count(); ++i) texts << app->load().Combo1->itemText(i);
    return texts.join('|').toStdString();
  }
  void saveChangedSet(const std::string& name) {  // leaves the editor showing the game's values
    showValues(*app, changed);
    ASSERT_TRUE(saveSet(*app, name));
    showValues(*app, demo);
  }
  void chooseAndLoad(int index) {
    app->load().Combo1->setCurrentIndex(index);
    app->load().Command1->click();
  }
  std::string changedGameIni() const {
    return edited(edited(demoGameIni(), "Decals=True", "Decals=False"), "MinDesiredFrameRate=30.000000",
                  "MinDesiredFrameRate=45.000000");
  }
  void expectNothingChanged() {
    EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Critical);
    EXPECT_EQ(gameIni(), demoGameIni());
    EXPECT_TRUE(app->form4().isLoaded() && app->load().isVisible());
    EXPECT_EQ(app->form4().values(), demo);
    EXPECT_EQ(app->frmmain().FileName, app->form4().Tempname);
    EXPECT_FALSE(fs::exists(startPath("BACKUP/SetLoad.ini")));
  }
  static void makeReadOnly(const std::string& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
  }
  std::vector<std::string> demo, changed;
};

TEST_F(SetsTest, SavesWriteTheCountFirstThenOneSectionPerSetAndLoadBack) {
  recorder->log.clear();
  ASSERT_TRUE(saveSet(*app, "Fast"));
  ASSERT_EQ(recorder->log.size(), 17u);
  EXPECT_EQ(recorder->log[0] + recorder->log[1], "write Vexorel/SaveNumber=1write Save1/SaveName=Fast");
  saveChangedSet("Fast");  // a second set of the same name is a set of its own
  EXPECT_EQ(settings(), testData("settingsets/two-sets.ini"));
  app->load().showForm();
  EXPECT_EQ(listed(), "Fast|Fast");
  EXPECT_TRUE(dialogs.calls.empty());

  // A set trimmed by hand: no "Decals", and a "SkinDetail" that is literally "Default".
  writeFileBytes(startPath("Vexorel.ini"),
                 settings() + "[Save3]\r\nSaveName=Hand\r\nSkinDetail=Default\r\nCoronas=False\r\n");
  std::vector<std::string> current = demo;
  current[4] = "Maybe";
  current[7] = "Low";
  showValues(*app, current);
  EXPECT_EQ(LoadSettingSet(app->module(), app->state().VEXORELPATH, 1, app->state().rows), changed);
  std::vector<std::string> expected = current;
  expected[6] = "False";
  expected[7] = "Default";
  EXPECT_EQ(LoadSettingSet(app->module(), app->state().VEXORELPATH, 2, app->state().rows), expected);
}

TEST_F(SetsTest, OddNamesAreStoredAsTypedOrRefusedAndAnUnwritableFileIsLeftAsItIs) {
  for (const std::string name : {"a=b", "[x]", ";note", "Ünïcødé 日本"}) ASSERT_TRUE(saveSet(*app, name));
  std::string before = settings();
  for (const std::string& name : std::vector<std::string>{" lead", "one\ntwo", std::string(300, 'n'), "\"q\""}) {
    EXPECT_TRUE(sets::nameProblem(name).has_value()) << name;
    EXPECT_FALSE(saveSet(*app, name)) << name;
  }
  EXPECT_EQ(settings(), before);
  app->module().WriteIniValue("Vexorel", "SaveNumber", "xyz", startPath("Vexorel.ini"));
  before = settings();
  makeReadOnly(startPath("Vexorel.ini"));
  EXPECT_FALSE(saveSet(*app, "Lost"));
  app->load().showForm();  // it still lists what is there, though the count cannot be mended
  EXPECT_EQ(listed(), "a=b|[x]|;note|Ünïcødé 日本");
  EXPECT_EQ(settings(), before);
}

TEST_F(SetsTest, AHandEditedFileLosesNoSet) {
  const std::string edited = testData("settingsets/hand-edited.ini"),
                    saved = testData("settingsets/hand-edited-saved.ini");
  writeFileBytes(startPath("Vexorel.ini"), edited);
  app->load().showForm();  // lists every set up to the highest and mends the count
  EXPECT_EQ(listed(), "One|Two|Save3|Save4|Five");
  EXPECT_EQ(app->module().ReadProfileValue("Vexorel", "SaveNumber", startPath("Vexorel.ini")), "5");
  app->load().Command2_Click();
  // Whatever the count says (fallen behind, no number, a section with keys but no name), no save writes over a set.
  for (const char* count : {"0", "abc", "2"}) {
    writeFileBytes(startPath("Vexorel.ini"), edited);
    app->module().WriteIniValue("Vexorel", "SaveNumber", count, startPath("Vexorel.ini"));
    ASSERT_TRUE(saveSet(*app, "Six"));
    EXPECT_EQ(settings(), saved) << count;
  }
}

TEST_F(SetsTest, TheLoadWindowLoadsTheChosenSetThenReturnsToTheMainWindow) {
  saveChangedSet("Quick");
  const std::string working = readFileBytes(startPath("BACKUP/UTTemp.ini"));
  app->load().showForm();
  EXPECT_FALSE(app->load().Combo1->isEditable());
  EXPECT_EQ(app->load().Combo1->currentIndex(), -1);
  app->load().Command1->click();
  expectBox(0, "Please choose a setting set to load.", "Vexorel", MsgIcon::Information);
  EXPECT_TRUE(app->form4().isLoaded() && app->load().isVisible() && !fs::exists(startPath("BACKUP/Last.ini")));

  bool editorOpenWhenTold = false;
  dialogs.onShow = [&](const DialogCall&) {
    editorOpenWhenTold = app->form4().isLoaded() && gameIni() == changedGameIni();
  };
  chooseAndLoad(0);
  expectBox(1, "Graphics changes have been applied", "Done", MsgIcon::Information);
  EXPECT_TRUE(editorOpenWhenTold);
  EXPECT_EQ(gameIni(), changedGameIni());
  EXPECT_EQ(readFileBytes(startPath("BACKUP/Last.ini")) + readFileBytes(startPath("BACKUP/UTTemp.ini")),
            working + working);
  EXPECT_FALSE(fs::exists(startPath("BACKUP/SetLoad.ini")) || app->form4().isLoaded() || app->load().isVisible());
  EXPECT_TRUE(app->frmmain().isVisible() && app->frmmain().Picture1->isVisible() && app->load().isLoaded());
  EXPECT_EQ(app->frmmain().FileName, app->form4().OldFileName);

  // The hidden window keeps its list until it is cancelled.
  app->form4().showForm();
  saveChangedSet("Second");
  app->load().showForm();
  EXPECT_EQ(listed(), "Quick");
  app->load().Command2->click();
  EXPECT_FALSE(app->load().isLoaded() || app->load().isVisible());
  app->load().showForm();
  EXPECT_EQ(listed(), "Quick|Second");
  EXPECT_EQ(app->load().Combo1->currentIndex(), -1);
}

TEST_F(SetsTest, AFailedLoadChangesNothing) {
  saveChangedSet("Quick");
  makeReadOnly(gameIniPath());
  app->load().showForm();
  chooseAndLoad(0);
  const QString text = dialogs.calls.back().text;
  EXPECT_TRUE(text.startsWith(QString::fromStdString("The setting set was not loaded into " +
                                                     platform->displayPath(gameIniPath()) + ": ")) &&
              text.endsWith(". The file was not changed."))
      << text.toStdString();
  expectNothingChanged();
  fs::permissions(gameIniPath(), fs::perms::owner_write, fs::perm_options::add);

  recorder->failCopy = [](const std::string& to) { return to.find("Last.ini") != std::string::npos; };
  chooseAndLoad(0);
  EXPECT_TRUE(dialogs.calls.back().text.contains("Last.ini")) << dialogs.calls.back().text.toStdString();
  expectNothingChanged();
  recorder->failCopy = nullptr;
  // The second of the two changed rows fails: the first one must not reach the game's file either.
  int writes = 0;
  recorder->failWrite = [&writes](const std::string&) { return ++writes == 2; };
  chooseAndLoad(0);
  expectNothingChanged();
  recorder->failWrite = nullptr;

  // With the editor closed, a failed load leaves it closed and the main window on the game's file; then it loads.
  app->form4().Command3_Click();
  const std::string gameFile = app->frmmain().FileName;
  makeReadOnly(gameIniPath());
  chooseAndLoad(0);
  EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Critical);
  EXPECT_FALSE(app->form4().isLoaded());
  EXPECT_EQ(app->frmmain().FileName, gameFile);
  fs::permissions(gameIniPath(), fs::perms::owner_write, fs::perm_options::add);
  chooseAndLoad(0);
  EXPECT_EQ(dialogs.calls.back().text, "Graphics changes have been applied");
  EXPECT_EQ(gameIni(), changedGameIni());
  EXPECT_FALSE(app->form4().isLoaded());
}

}  // namespace
}  // namespace vexorel::testing
