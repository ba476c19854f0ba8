#pragma once
// The preset preview: key names on the left, the values the preset will write on the right. It
// places itself against the main window's right edge when it loads and is then only shown and
// hidden.

#include "ui/FormWindow.h"

class QListWidget;

namespace vexorel {

class Form1 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form1(WindowHost& host);

  QListWidget* List1;  // key names
  QListWidget* List2;  // values, row for row

 protected:
  void onLoad() override;
};

}  // namespace vexorel
