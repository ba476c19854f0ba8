#pragma once
// A drop-down list whose window runs a handler just before the list opens, as the program's
// first-drop-down rule needs (Qt has no signal for that moment).

#include <QComboBox>
#include <functional>

namespace vexorel {

class DropDownList : public QComboBox {
 public:
  explicit DropDownList(QWidget* parent = nullptr) : QComboBox(parent) {}

  std::function<void()> onDropDown;

  void showPopup() override {
    if (onDropDown) onDropDown();
    QComboBox::showPopup();
  }
};

}  // namespace vexorel
