#pragma once
// The about box: the program's title, version, a description, a disclaimer about logos and a line
// for bug reports, laid out around its labels at load. OK or a click on its background unloads it.

#include <QString>

#include "ui/FormWindow.h"

class QFrame;
class QLabel;
class QMouseEvent;
class QPushButton;

namespace vexorel {

inline constexpr const char* kMakerWebAddress = "https://vexorel.example.org";
inline constexpr const char* kSupportMailAddress = "support@vexorel.example.org";

class frmAbout : public FormWindow {
  Q_OBJECT

 public:
  explicit frmAbout(WindowHost& host);

  QLabel* Picture1 = nullptr;
  QLabel* lblTitle = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* lblDisclaimer = nullptr;
  QPushButton* cmdOK = nullptr;
  QFrame* Line1[2] = {nullptr, nullptr};

  static QString descriptionText();
  static QString disclaimerText();  // Label1

 protected:
  void onLoad() override;
  void resetToDesign() override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void buildControls();
  void layOut();
};

}  // namespace vexorel
