#pragma once
// The main window "Vexorel": the summary of the game's current settings, the quick display and
// memory settings, the two presets with their preview, the menu and the exit question. Its public
// values are read and set by the other windows; its controls are public as the program's windows
// reach into each other's controls.

#include <string>

#include "mainwindow/DropDownCounter.h"
#include "mainwindow/PresetTables.h"
#include "ui/FormWindow.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace vexorel {

class DropDownCombo;

class Frmmain : public FormWindow {
  Q_OBJECT

 public:
  explicit Frmmain(WindowHost& host);

  // Public values, read and set by the other windows.
  std::string& UtPath;
  std::string& FileName;
  bool& OptionsCheck;
  DropDownCounter dropwaarde1;  // drop-downs of Combo1
  DropDownCounter dropwaarde2;  // drop-downs of Combo2

  // The summary: rebuilds both lists and panels 2 and 6 from FileName.
  void leesman();

  // Handlers (the controls' signals call them; tests may too).
  void Combo1_DropDown();
  void Combo2_DropDown();
  void Text1_Change();
  void Command1_Click();
  void Option1_Click();
  void Option2_Click();
  void Option3_Click();
  void mnuHelp_Click();
  void mnuUninstall_Click();
  // The exit sequence: "E&xit", CmdExit and the close box all come here.
  void exitSequence();

  int detectedMemory() const { return detectedMemory_; }
  const std::string& helpPath() const { return helpPath_; }

  // Controls.
  QGroupBox* Frame4;
  QListWidget* List1;
  QListWidget* List2;
  QGroupBox* Frame3;
  DropDownCombo* Combo1;
  DropDownCombo* Combo2;
  QGroupBox* Frame2;
  QLabel* Label2;
  QLineEdit* Text1;
  QPushButton* Command1;
  QLabel* Picture2;
  QGroupBox* Frame1;
  QRadioButton* Option1;
  QRadioButton* Option2;
  QRadioButton* Option3;
  QLabel* Picture1;
  QPushButton* CmdExit;
  QLabel* StatusBar1Panels[6];  // panels 1 to 6 at indexes 0 to 5
  QAction* mnuOptions;
  QAction* mnuUninstall;
  QAction* mnuExit;
  QAction* mnuHelp;
  QAction* mnuAbout;

 protected:
  void onLoad() override;
  void onActivate() override;
  bool onQueryUnload() override;

 private:
  void buildDesign();
  void buildMenu(QWidget* menuHost);
  void buildStatusBar(QWidget* barHost);
  void connectHandlers();

  bool findGameFolder();
  void showPlaceholders();
  void detectMemory();
  void firstDropDown(DropDownCombo* list, DropDownCounter& counter, const char* warning);

  // "&Done" after its first check: the writes in order, stopping at a refusal or a failed write.
  bool writeQuickSettings();
  void runPreset(Preset preset);
  void showPresetPreview(Preset preset);
  bool backUpBeforePreset(Preset preset);
  bool writePreset(Preset preset);
  void clearOptionButtons();
  void openWithShell(const std::string& path);

  // Writes one key to FileName; on failure says so (naming the file) and returns false.
  bool writeOrReport(const std::string& section, const std::string& key, const std::string& value);
  void reportUnsaved(const std::string& reason);
  // Before the first write of an action to FileName: false when the game runs and the user stops.
  bool gameFileMayChange();
  void refuse(const QString& text);

  std::string helpPath_;
  int detectedMemory_ = 0;
};

}  // namespace vexorel
