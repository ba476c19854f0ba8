#include "editor/Form5.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace vexorel {

Form5::Form5(AppContext& app) : FormWindow(app) {
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
  Text1 = new QLineEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  layout->addWidget(Text1);
  resize(600, 300);
}

bool Form5::onQueryUnload() {
  hide();
  return false;
}

}  // namespace vexorel
