#pragma once
// A combo box that runs a handler just before its list drops down, as the first-drop-down rule of the
// main window and the editor's refresh-rate warning need (Qt has no signal for that moment).

#include <QComboBox>
#include <functional>

namespace vexorel {

class DropDownCombo : public QComboBox {
 public:
  using QComboBox::QComboBox;

  std::function<void()> onDropDown;

  void showPopup() override {
    if (onDropDown) onDropDown();
    QComboBox::showPopup();
  }
};

}  // namespace vexorel
