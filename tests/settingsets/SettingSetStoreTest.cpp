// The setting-set store: the bytes it writes into the settings file, the order of its writes, loading
// a set back into the editor, and the hand-edited and unwritable files it must survive.

#include <QComboBox>

#include "SetsFixture.h"
#include "core/SetRules.h"
#include "core/SettingSetStore.h"
#include "editor/ByteItems.h"
#include "editor/Form5.h"
#include "settingsets/frmload.h"

namespace vexorel::testing {
namespace {

std::vector<std::string> comboTexts(const QComboBox& combo) {
  std::vector<std::string> texts;
  for (int i = 0; i < combo.count(); ++i) texts.push_back(combo.itemText(i).toStdString());
  return texts;
}

TEST_F(SetsTest, SavesWriteTheCountFirstThenOneSectionPerSet) {
  ASSERT_EQ(app->form4().values(), demoValues());
  recorder->writes.clear();
  ASSERT_TRUE(saveSet(*app, "Fast"));

  ASSERT_EQ(recorder->writes.size(), 17u);
  EXPECT_EQ(recorder->writes[0], std::make_pair(std::string("Vexorel"), std::string("SaveNumber")));
  EXPECT_EQ(recorder->writes[1], std::make_pair(std::string("Save1"), std::string("SaveName")));
  for (std::size_t i = 0; i < 15; ++i) EXPECT_EQ(recorder->writes[i + 2].second, kDemoRows[i][0]);

  std::vector<std::string> changed = demoValues();
  changed[4] = "False";
  changed[10] = "45.000000";
  showValues(*app, changed);
  ASSERT_TRUE(saveSet(*app, "Fast"));  // a second set of the same name is a set of its own

  EXPECT_EQ(settings(), "[Vexorel]\r\nSaveNumber=2\r\nDidBackup=Yes\r\n" + setSection(1, "Fast", demoValues()) +
                            setSection(2, "Fast", changed));
  app->load().showForm();
  EXPECT_EQ(comboTexts(*app->load().Combo1), (std::vector<std::string>{"Fast", "Fast"}));
  EXPECT_EQ(dialogs.calls.size(), 0u);
}

TEST_F(SetsTest, LoadingPutsTheSetBackAndKeepsRowsTheSetLacks) {
  ASSERT_TRUE(saveSet(*app, "Base"));
  // A set trimmed by hand: no "Decals", and a "SkinDetail" that is literally "Default".
  writeFileBytes(settingsPath(), settings() + "[Save2]\r\nSaveName=Hand\r\nSkinDetail=Default\r\nCoronas=False\r\n");

  std::vector<std::string> current = demoValues();
  current[4] = "Maybe";
  current[7] = "Low";
  showValues(*app, current);

  showValues(*app, LoadSettingSet(app->module(), app->state().VEXORELPATH, 0, app->state().rows));
  EXPECT_EQ(app->form4().values(), demoValues());

  showValues(*app, current);
  showValues(*app, LoadSettingSet(app->module(), app->state().VEXORELPATH, 1, app->state().rows));
  std::vector<std::string> expected = current;
  expected[6] = "False";
  expected[7] = "Default";
  EXPECT_EQ(app->form4().values(), expected);
  EXPECT_EQ(app->form4().keys().size(), 15u);
}

TEST_F(SetsTest, AnOddNameIsStoredAsTypedOrRefusedUntouched) {
  for (const std::string name : {"a=b", "[x]", ";note", "Ünïcødé 日本"}) ASSERT_TRUE(saveSet(*app, name));
  const std::string before = settings();
  for (const std::string& name : std::vector<std::string>{" lead", "one\ntwo", std::string(300, 'n'), "\"q\""}) {
    EXPECT_TRUE(sets::nameProblem(name).has_value()) << name;
    EXPECT_FALSE(saveSet(*app, name)) << name;
  }
  EXPECT_EQ(settings(), before);

  app->load().showForm();
  EXPECT_EQ(comboTexts(*app->load().Combo1), (std::vector<std::string>{"a=b", "[x]", ";note", "Ünïcødé 日本"}));
}

TEST_F(SetsTest, AHandEditedFileLosesNoSet) {
  // Gaps, a section without a name, a count that is not a number.
  const std::string edited = "[Vexorel]\r\nSaveNumber=abc\r\nDidBackup=Yes\r\n" + setSection(1, "One", demoValues()) +
                             setSection(2, "Two", demoValues()) + "[Save3]\r\nDecals=False\r\n" +
                             setSection(5, "Five", demoValues());
  writeFileBytes(settingsPath(), edited);

  // Opening the load window lists every set up to the highest and mends the count.
  app->load().showForm();
  EXPECT_EQ(comboTexts(*app->load().Combo1), (std::vector<std::string>{"One", "Two", "Save3", "Save4", "Five"}));
  EXPECT_EQ(app->module().ReadProfileValue("Vexorel", "SaveNumber", settingsPath()), "5");
  app->load().Command2_Click();

  // A count that has fallen behind (reset to 0) never leads a save over an existing set.
  writeFileBytes(settingsPath(), edited);
  app->module().WriteIniValue("Vexorel", "SaveNumber", "0", settingsPath());
  ASSERT_TRUE(saveSet(*app, "Six"));
  std::string expected = edited;
  expected.replace(expected.find("abc"), 3, "6");
  EXPECT_EQ(settings(), expected + setSection(6, "Six", demoValues()));

  // The same with the count not a number at the moment of saving.
  writeFileBytes(settingsPath(), edited);
  ASSERT_TRUE(saveSet(*app, "Six"));
  EXPECT_EQ(settings(), expected + setSection(6, "Six", demoValues()));

  // A count pointing at a section that holds keys but no name does not write into it.
  writeFileBytes(settingsPath(), edited);
  app->module().WriteIniValue("Vexorel", "SaveNumber", "2", settingsPath());
  ASSERT_TRUE(saveSet(*app, "Six"));
  EXPECT_EQ(app->module().ReadProfileValue("Save3", "SaveName", settingsPath()), "Default");
  EXPECT_EQ(app->module().ReadProfileValue("Vexorel", "SaveNumber", settingsPath()), "6");
}

TEST_F(SetsTest, AReadOnlySettingsFileIsLeftAsItIs) {
  ASSERT_TRUE(saveSet(*app, "Kept"));
  app->module().WriteIniValue("Vexorel", "SaveNumber", "xyz", settingsPath());
  const std::string before = settings();
  makeReadOnly(settingsPath());

  EXPECT_FALSE(saveSet(*app, "Lost"));
  EXPECT_EQ(settings(), before);

  // The load window still lists what is there, though the count cannot be mended.
  app->load().showForm();
  EXPECT_EQ(comboTexts(*app->load().Combo1), (std::vector<std::string>{"Kept"}));
  EXPECT_EQ(settings(), before);
}

}  // namespace
}  // namespace vexorel::testing
