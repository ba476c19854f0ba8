// A set count that is no count, put right by the editor's activation: the status line and the load window show
// every set in the file, and only the count's bytes change.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

using SaveNumberRepairTest = ProgramTest;

TEST_F(SaveNumberRepairTest, ACountThatIsNoNumberBecomesTheLastSetAndHidesNone) {
  app->frmmain().FileName = gameFolder + "\\System\\UnrealTournament.ini";
  // Sets 1, 2 and 5 named, 3 with values only, 4 missing; the count reads "abc".
  const std::string stored = testData("settingsets/hand-edited.ini");
  writeFileBytes(startPath("Vexorel.ini"), stored);
  Form4& editor = app->form4();
  editor.showForm();
  editor.activate();
  EXPECT_EQ(editor.StB1Panel1->text(), "Found 5 saved settings");
  EXPECT_EQ(settings(), edited(stored, "SaveNumber=abc", "SaveNumber=5"));
  editor.Command2->click();
  QStringList listed;
  for (int i = 0; i < app->load().Combo1->count(); ++i) listed << app->load().Combo1->itemText(i);
  EXPECT_EQ(listed.join('|'), "One|Two|Save3|Save4|Five");
}

}  // namespace
}  // namespace vexorel::testing
