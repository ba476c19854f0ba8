#pragma once
// The start-up window. Its load prepares everything the rest of the program relies on (the settings
// file, the game folder, the first-run backup, the exit-question switch); then a progress bar fills in
// 25 timer ticks, the window refuses to close before the 25th, and its closing shows the main window.

#include <QTimer>
#include <cstdint>
#include <string>

#include "ui/FormWindow.h"

class QFrame;
class QLabel;
class QProgressBar;

namespace vexorel {

class frmSplash : public FormWindow {
  Q_OBJECT

 public:
  explicit frmSplash(WindowHost& host);

  // Public values that outlive the window, kept in the shared state.
  std::string& VEXORELPATH;  // full path of Vexorel.ini
  std::string& MainAppPath;  // the folder that holds it
  std::int16_t X = 0;        // timer ticks so far

  static constexpr std::int16_t kTicks = 25;

  // One tick of Timer1 (public so tests can drive the count without waiting).
  void tick();

  QFrame* Frame1 = nullptr;
  QLabel* imgLogo = nullptr;
  QLabel* lblProductName = nullptr;
  QLabel* lblVersion = nullptr;
  QProgressBar* ProgressBar1 = nullptr;
  QTimer Timer1;

 protected:
  void onLoad() override;
  bool onQueryUnload() override;
  void onUnload() override;
  void resetToDesign() override;

 private:
  void buildControls();
  void resolveSettingsFile();
  // The game folder from the registry, or from the locate dialog; "" when the user cancelled it.
  std::string findGameFolder();
  void makeFirstRunBackup(const std::string& gameFolder);
  void loadExitQuestionSwitch();
};

}  // namespace vexorel
