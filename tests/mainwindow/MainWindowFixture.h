#pragma once
// The main window's tests: the start folder as the start-up window leaves it; the game is registered when the
// window opens.

#include <QLabel>
#include <QListWidget>
#include <QTest>

#include "mainwindow/Frmmain.h"
#include "support/gui/GuiTest.h"
#include "ui/DropDownCombo.h"

namespace vexorel::testing {

class MainWindowTest : public ProgramTest {
 protected:
  Frmmain& openMain() {
    registerGame();
    app->frmmain().showForm();
    return app->frmmain();
  }
  QString panel(int number) { return app->frmmain().StatusBar1Panels[number - 1]->text(); }
  static QString rows(const QListWidget* list) {
    QStringList texts;
    for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
    return texts.join('|');
  }
  static void dropDown(DropDownCombo* list) {  // opened as the user does, and closed again at once
    list->showPopup();
    list->hidePopup();
  }
};

}  // namespace vexorel::testing
