#pragma once
// A combo box that runs a handler each time its list is about to drop down.

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
