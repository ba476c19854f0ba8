#pragma once
// The load window "Load setting": lists the saved setting sets by name and, on Load, writes the chosen
// set's changed values into the game's file all at once, closes the editor and returns to the main
// window. After a Load it is only hidden, so its list stays as it was until Cancel unloads it.

#include <string>

#include "core/SettingSetStore.h"
#include "ui/FormWindow.h"

class QComboBox;
class QPushButton;

namespace vexorel {

class frmload : public FormWindow {
  Q_OBJECT

 public:
  explicit frmload(WindowHost& host);

  // Handlers (the buttons call them; tests may too).
  void Command1_Click();
  void Command2_Click();

  // Controls.
  QComboBox* Combo1;
  QPushButton* Command1;
  QPushButton* Command2;

 protected:
  void onLoad() override;
  void resetToDesign() override;

 private:
  // Writes set `index` into the game's file through a copy that replaces it in one step; on failure
  // the game's file is untouched, the editor's lists are read afresh and the user is told.
  bool loadIntoGameFile(int index);
  void reportFailure(const std::string& gameFile, const SetLoadResult& result);
};

}  // namespace vexorel
