// Activation is the hand-over between the program's own windows: the editor reads the working copy
// again when the main window hands it the focus, but a window that is none of the program's (another
// program, a message box) taking the focus and giving it back leaves the unapplied edits alone.

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

void focus(QWidget& window) {
  window.show();
  window.activateWindow();
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

class Activation : public GuiTest {};

TEST_F(Activation, OnlyAnotherWindowOfTheProgramRefillsTheEditor) {
  registerGame();
  std::filesystem::create_directories(startPath("BACKUP"));
  app->state().VEXORELPATH = startPath("Vexorel.ini");
  Frmmain& main = app->frmmain();
  main.showForm();
  main.Option3->click();
  Form4& editor = app->form4();
  focus(editor);
  editor.Command1->click();
  editor.List2_Click(7);
  ASSERT_EQ(editor.List2->count(), 15);
  ASSERT_EQ(editor.List2->item(7)->text(), "Low");

  QWidget stranger;
  focus(stranger);
  ASSERT_FALSE(editor.isActiveWindow());
  focus(editor);
  ASSERT_TRUE(editor.isActiveWindow());
  EXPECT_EQ(editor.List2->item(7)->text(), "Low") << "a window that is not the program's handed the focus back";

  focus(main);
  focus(editor);
  EXPECT_EQ(editor.List2->item(7)->text(), "High") << "the main window handed over: the working copy is read again";
  EXPECT_FALSE(main.isVisible());
}

}  // namespace
}  // namespace vexorel::testing
