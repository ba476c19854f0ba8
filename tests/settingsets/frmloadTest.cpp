// The load window: its design, the Load sequence's order of effects, the all-or-nothing change of
// the game's file, and the list that stays as it was while the window is only hidden.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "SetsFixture.h"
#include "core/SettingSetStore.h"
#include "settingsets/frmload.h"

namespace vexorel::testing {
namespace {

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  text.replace(text.find(from), from.size(), to);
  return text;
}

class LoadWindowTest : public SetsTest {
 protected:
  // Saves a set with two rows changed from the game's values, leaving the editor as it was.
  void saveChangedSet(const std::string& name) {
    std::vector<std::string> changed = demoValues();
    changed[4] = "False";
    changed[10] = "45.000000";
    showValues(*app, changed);
    ASSERT_TRUE(saveSet(*app, name));
    showValues(*app, demoValues());
  }
  std::string changedGameIni() const {
    return replaced(replaced(demoGameIni(), "Decals=True", "Decals=False"), "MinDesiredFrameRate=30.000000",
                    "MinDesiredFrameRate=45.000000");
  }
  frmload& window() { return app->load(); }
  void chooseAndLoad(int index) {
    window().Combo1->setCurrentIndex(index);
    window().Command1->click();
  }
};

TEST_F(LoadWindowTest, OpensWithNothingChosenAndLoadsNothingUntilASetIs) {
  saveChangedSet("Quick");
  window().showForm();
  EXPECT_EQ(window().windowTitle(), "Load setting");
  EXPECT_EQ(window().Command1->text(), "&Load");
  EXPECT_EQ(window().Command2->text(), "&Cancel");
  EXPECT_FALSE(window().Combo1->isEditable());
  EXPECT_EQ(window().Combo1->count(), 1);
  EXPECT_EQ(window().Combo1->currentIndex(), -1);

  window().Command1->click();
  EXPECT_EQ(dialogs.calls.back().text, "Please choose a setting set to load.");
  EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Information);
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_FALSE(std::filesystem::exists(startPath("BACKUP/Last.ini")));
  EXPECT_TRUE(app->form4().isLoaded());
  EXPECT_TRUE(window().isVisible());
}

TEST_F(LoadWindowTest, LoadWritesTheChangedRowsIntoTheGameFileThenReturnsToTheMainWindow) {
  saveChangedSet("Quick");
  const std::string working = workingCopy();
  window().showForm();

  bool askedWithEditorOpen = false;
  std::string gameWhenAsked;
  dialogs.onShow = [&](const DialogCall&) {
    askedWithEditorOpen = app->form4().isLoaded() && window().isVisible();
    gameWhenAsked = gameIni();
  };
  const std::size_t before = dialogs.calls.size();
  chooseAndLoad(0);

  ASSERT_EQ(dialogs.calls.size(), before + 1);
  EXPECT_EQ(dialogs.calls.back().text, "Graphics changes have been applied");
  EXPECT_EQ(dialogs.calls.back().caption, "Done");
  EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Information);
  EXPECT_TRUE(askedWithEditorOpen);
  EXPECT_EQ(gameWhenAsked, changedGameIni());

  EXPECT_EQ(gameIni(), changedGameIni());
  EXPECT_EQ(readFileBytes(startPath("BACKUP/Last.ini")), working);
  EXPECT_EQ(workingCopy(), working);
  EXPECT_FALSE(std::filesystem::exists(startPath("BACKUP/SetLoad.ini")));
  EXPECT_FALSE(app->form4().isLoaded());
  EXPECT_TRUE(app->frmmain().isVisible());
  EXPECT_TRUE(app->frmmain().Picture1->isVisible());
  EXPECT_EQ(app->frmmain().FileName, app->form4().OldFileName);
  EXPECT_TRUE(window().isLoaded());
  EXPECT_FALSE(window().isVisible());
}

TEST_F(LoadWindowTest, TheHiddenWindowKeepsItsListUntilCancelled) {
  saveChangedSet("First");
  window().showForm();
  chooseAndLoad(0);
  ASSERT_FALSE(window().isVisible());

  app->form4().showForm();
  saveChangedSet("Second");
  window().showForm();
  EXPECT_EQ(window().Combo1->count(), 1);
  window().Command2->click();
  EXPECT_FALSE(window().isLoaded());
  EXPECT_FALSE(window().isVisible());

  window().showForm();
  ASSERT_EQ(window().Combo1->count(), 2);
  EXPECT_EQ(window().Combo1->itemText(1), "Second");
  EXPECT_EQ(window().Combo1->currentIndex(), -1);
}

TEST_F(LoadWindowTest, LoadAfterTheEditorWasClosedStillWritesTheSet) {
  saveChangedSet("Quick");
  window().showForm();
  app->form4().Command3_Click();
  ASSERT_FALSE(app->form4().isLoaded());
  const std::string gameFile = app->frmmain().FileName;

  // A failed load leaves the editor closed and the main window on the game's file.
  makeReadOnly(gameIniPath());
  chooseAndLoad(0);
  EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Critical);
  EXPECT_FALSE(app->form4().isLoaded());
  EXPECT_EQ(app->frmmain().FileName, gameFile);

  std::filesystem::permissions(gameIniPath(), std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  chooseAndLoad(0);
  EXPECT_EQ(dialogs.calls.back().text, "Graphics changes have been applied");
  EXPECT_EQ(gameIni(), changedGameIni());
  EXPECT_FALSE(app->form4().isLoaded());
}

TEST_F(LoadWindowTest, AGameFileThatCannotBeReplacedStaysByteForByte) {
  saveChangedSet("Quick");
  makeReadOnly(gameIniPath());
  window().showForm();
  const std::size_t before = dialogs.calls.size();
  chooseAndLoad(0);

  ASSERT_EQ(dialogs.calls.size(), before + 1);
  const DialogCall& call = dialogs.calls.back();
  EXPECT_EQ(call.icon, MsgIcon::Critical);
  EXPECT_TRUE(call.text.startsWith(
      QString::fromStdString("The setting set was not loaded into " + platform->displayPath(gameIniPath()) + ": ")))
      << call.text.toStdString();
  EXPECT_TRUE(call.text.endsWith(". The file was not changed.")) << call.text.toStdString();
  EXPECT_EQ(gameIni(), demoGameIni());

  // Everything else is as before the press: the editor open on its working copy, showing its values.
  EXPECT_TRUE(app->form4().isLoaded());
  EXPECT_EQ(app->frmmain().FileName, app->form4().Tempname);
  EXPECT_EQ(app->form4().values(), demoValues());
  EXPECT_TRUE(window().isVisible());
  EXPECT_FALSE(std::filesystem::exists(startPath("BACKUP/SetLoad.ini")));
}

TEST_F(LoadWindowTest, AFailedBackupOrWriteChangesNothing) {
  saveChangedSet("Quick");
  window().showForm();

  recorder->failCopy = [](const std::string&, const std::string& to) {
    return to.find("Last.ini") != std::string::npos;
  };
  chooseAndLoad(0);
  EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Critical);
  EXPECT_TRUE(dialogs.calls.back().text.contains("Last.ini")) << dialogs.calls.back().text.toStdString();
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_EQ(app->form4().values(), demoValues());

  recorder->failCopy = nullptr;
  // The second of the two changed rows fails: the first one must not reach the game's file either.
  int writes = 0;
  recorder->failWrite = [&writes](const std::string&) { return ++writes == 2; };
  chooseAndLoad(0);
  EXPECT_EQ(dialogs.calls.back().icon, MsgIcon::Critical);
  EXPECT_TRUE(dialogs.calls.back().text.endsWith(". The file was not changed."));
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_TRUE(app->form4().isLoaded());
  EXPECT_EQ(app->frmmain().FileName, app->form4().Tempname);
}

}  // namespace
}  // namespace vexorel::testing
