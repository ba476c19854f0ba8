#pragma once
// The options window: the program's one user option, whether the main window asks before the
// program exits. Closing it stores the option ("AskQ" in the settings file and the main window's
// OptionsCheck) unless "&Cancel" was the last button pressed in it.

#include "ui/FormWindow.h"

class QCheckBox;
class QPushButton;

namespace vexorel {

class frmoptions : public FormWindow {
  Q_OBJECT

 public:
  explicit frmoptions(WindowHost& host);

  // Which button closed the window last; kept for the whole run, also while unloaded.
  bool Cancelled = false;

  QCheckBox* Check1 = nullptr;
  QPushButton* Command1 = nullptr;  // "&Ok"
  QPushButton* Command2 = nullptr;  // "&Cancel"

  static constexpr float kButtonGap = 375;

 protected:
  void onLoad() override;
  void onUnload() override;
  void resetToDesign() override;

 private:
  void Command1_Click();
  void Command2_Click();
};

}  // namespace vexorel
