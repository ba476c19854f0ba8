#include "editor/Form5.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/SharedState.h"
#include "editor/ByteItems.h"
#include "ui/WindowHost.h"

namespace vexorel {

Form5::Form5(WindowHost& host) : FormWindow(host) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QStringLiteral("Locate Unreal Tournament.exe"));
  auto* layout = new QVBoxLayout(this);
  auto* lists = new QHBoxLayout;
  QListWidget** places[] = {&List1, &List2, &List3, &List4, &List5};
  int n = 1;
  for (QListWidget** slot : places) {
    *slot = new QListWidget(this);
    (*slot)->setObjectName(QStringLiteral("List%1").arg(n++));
    lists->addWidget(*slot);
  }
  layout->addLayout(lists);
  // The design's text box stays on the window, though nothing reads or writes it.
  auto* text1 = new QLineEdit(this);
  text1->setObjectName(QStringLiteral("Text1"));
  layout->addWidget(text1);
  resize(600, 300);
}

void Form5::showState() {
  const SharedState& state = host().state();
  setAllRows(List1, state.snapshot.keys);
  setAllRows(List2, state.snapshot.values);
  List3->clear();
  List4->clear();
  List5->clear();
  for (const ChangedItem& item : state.changedItems) {
    appendRow(List3, item.newValue);
    appendRow(List4, item.key);
    appendRow(List5, item.oldValue);
  }
}

void Form5::showEvent(QShowEvent* event) {
  showState();
  FormWindow::showEvent(event);
}

bool Form5::onQueryUnload() {
  hide();
  return false;
}

}  // namespace vexorel
