#pragma once
// The list store: a window that is loaded but normally hidden, whose lists hold the snapshot of the
// editor's value list and the items the last write found changed.

#include "ui/FormWindow.h"

class QListWidget;

namespace vexorel {

class Form5 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form5(WindowHost& host);

  QListWidget* List1 = nullptr;  // snapshot of the editor's keys
  QListWidget* List2 = nullptr;  // snapshot of the editor's values
  QListWidget* List3 = nullptr;  // new values of the changed items
  QListWidget* List4 = nullptr;  // keys of the changed items
  QListWidget* List5 = nullptr;  // old values of the changed items

  // Shows the snapshot and the changed items as the shared state holds them.
  void showState();

 protected:
  // Closing only hides the window, so its lists survive.
  bool onQueryUnload() override;
  void showEvent(QShowEvent* event) override;
};

}  // namespace vexorel
