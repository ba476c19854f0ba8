#pragma once
// The editor window worked the way its user works it. Controls are named by their members, so a test that names
// one the window does not have does not compile. Each step returns the driver, so steps read in the order done.

#include <QTest>
#include <QtWidgets>
#include <initializer_list>
#include <memory>
#include <string>

#include "app/AppContext.h"
#include "editor/Form4.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {

class EditorDriver {
 public:
  using Step = const EditorDriver&;
  // The program the test holds now: a test may start a new one.
  explicit EditorDriver(const std::unique_ptr<AppContext>& app) : app_(app) {}

  Form4& window() const { return app_->form4(); }
  Form4* operator->() const { return &window(); }
  std::string value(int row) const { return window().values().at(static_cast<std::size_t>(row)); }

  // Shown as the main window shows it; once loaded, activated as the desktop activates a window it shows.
  Step open() const {
    window().showForm();
    QCoreApplication::processEvents();
    if (window().isLoaded()) window().activate();
    return *this;
  }
  Step tab(int index) const { return window().SSTab1->setCurrentIndex(index), *this; }
  Step press(QAbstractButton* button) const { return button->click(), *this; }
  // Edit, unless the value list takes clicks already.
  Step unlockLists() const { return window().List2->isEnabled() ? *this : press(window().Command1); }
  Step clickValues(std::initializer_list<int> rows) const {
    for (const int row : rows) clickRow(window().List2, row);
    return *this;
  }
  Step clickValue(int row) const { return clickValues({row}); }
  Step select(int row) const { return window().List2->setCurrentRow(row), *this; }
  Step tick(int box, bool on = true) const { return window().checkBox(box)->setChecked(on), *this; }
  Step choose(int combo, int index) const { return window().combo(combo)->setCurrentIndex(index), *this; }
  Step dropDown(int combo) const { return vexorel::testing::dropDown(window().combo(combo)), *this; }
  Step typeKeys(QWidget* box, const QString& keys) const { return QTest::keyClicks(box, keys), *this; }
  Step backspace(QWidget* box) const { return QTest::keyClick(box, Qt::Key_Backspace), *this; }
  // Keys go to the typed box that has the keyboard, or else to the value list.
  Step pressKeys(std::initializer_list<Qt::Key> keys) const {
    for (const Qt::Key key : keys) {
      QWidget* to = QApplication::focusWidget();
      if (to != window().Text1 && to != window().Text2) window().List2->setFocus(), to = window().List2;
      QTest::keyClick(to, key);
    }
    return *this;
  }

 private:
  const std::unique_ptr<AppContext>& app_;
};

}  // namespace vexorel::testing
