#pragma once
// The advanced editor, "User Defined Control": a working copy of the game's configuration file, four
// tabs of check boxes, combos and the value list, and the buttons that apply, undo or drop the
// changes. While it is loaded the main window's FileName names the working copy.

#include <array>
#include <string>
#include <vector>

#include "ui/FormWindow.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabWidget;

namespace vexorel {

class DropDownCombo;
class Form5;
struct SharedState;
struct ValueRows;

class Form4 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form4(WindowHost& host);

  // Public values, read and set by the other windows.
  bool& once;
  std::string& OldFileName;
  std::string& Tempname;
  std::string& DriverType;
  std::string& warzoeken;
  bool& askone;

  // Controls other windows (and tests) use.
  QTabWidget* SSTab1 = nullptr;
  QListWidget* List1 = nullptr;
  QListWidget* List2 = nullptr;
  QLineEdit* Text1 = nullptr;
  QLineEdit* Text2 = nullptr;
  QPushButton* Command1 = nullptr;  // "&Edit" / "&Save"
  QPushButton* Command2 = nullptr;  // "&Load "
  QPushButton* Command3 = nullptr;  // "&Cancel"
  QPushButton* Command6 = nullptr;  // "&Apply"
  QPushButton* Command7 = nullptr;  // "&Undo last Tweak"
  QStatusBar* StB1 = nullptr;
  QLabel* StB1Panel1 = nullptr;
  QMenu* mnuFile = nullptr;
  QAction* Check = nullptr;  // the menu item captioned "Form5"

  QCheckBox* checkBox(int n) const { return checks_.at(static_cast<std::size_t>(n)); }
  QComboBox* combo(int n) const;
  QLabel* label(int n) const { return labels_.at(static_cast<std::size_t>(n)); }

  // The value list as bytes, row by row, as the shared state holds it: the keys (List1) and the
  // values (List2).
  const std::vector<std::string>& keys() const;
  const std::vector<std::string>& values() const;
  // Shows these rows in the value list.
  void showRows(const ValueRows& rows);
  // Replaces one value of the value list.
  void setRow(int row, const std::string& bytes);

  // Refills the key and value lists from FileName.
  void lees();
  // The list store's snapshot := the value list.
  void EenCall();

  // Event handlers, public so they can be raised the way the toolkit raises them.
  void SSTab1_Click(int previousTab);
  void List2_Click(int row);
  // Space or Enter on the value list's selected row.
  void List2_KeyStep(int row);
  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command6_Click();
  void Command7_Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void onLoad() override;
  void onActivate() override;
  void onUnload() override;
  void resetToDesign() override;

 private:
  void buildControls();
  QWidget* buildGraphicsTab();
  QWidget* buildDisplayTab();
  QWidget* buildSoundTab();
  QWidget* buildNetworkTab();
  QCheckBox* makeCheck(int n, QWidget* parent);
  QComboBox* makeCombo(int n, bool editable, QWidget* parent);
  QLabel* makeLabel(int n, const char* caption, QWidget* parent);
  void setToolTips();
  void fillComboDesignItems();

  // Tab strip step (leaving the first tab).
  void resolveDevice();
  void loadCheckBoxes();
  void applyAvailability();
  void loadGlideCombos();
  void loadSglCombo();
  void colourDisplayCombos();
  void loadSoundAndNetworkCombos();
  bool selectByText(QComboBox* box, const std::string& value);

  // Toggles, value list and the small combo handlers.
  void checkChanged(int n);
  void text1Changed();
  void closeTypedBox(QLineEdit* box, int row);
  void text2Changed();
  void combo1Edited();
  void combo2DropDown();

  Form5& listStore();
  // The changed rows into FileName, kept in the list store; on a failed write says which item.
  bool writeChangedItems();

  // Apply's steps.
  bool backUpWorkingCopy(const std::string& backup);
  // The key of the first write that failed, or empty when all went through.
  std::string writeComboSettings();
  bool copyOverGameFile();
  void readSaveCount();

  void critical(const QString& text);

  SharedState& state_;
  std::array<QCheckBox*, 42> checks_{};
  std::array<QComboBox*, 10> combos_{};
  std::array<QLabel*, 16> labels_{};
  DropDownCombo* refreshRateCombo_ = nullptr;
  int shownTab_ = 0;
};

}  // namespace vexorel
