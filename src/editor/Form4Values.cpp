// Editing the value list: clicks (or Space and Enter) step a row through its values, two rows are typed in, and the
// detail-bias combo and the refresh-rate warning of the display tab.
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "core/SharedState.h"
#include "editor/ByteItems.h"
#include "editor/EditorTables.h"
#include "editor/Form4.h"
#include "editor/ValueCycles.h"
#include "ui/DialogService.h"
#include "ui/TextCodec.h"
#include "ui/WindowHost.h"

namespace vexorel {

void Form4::List2_Click(int row) {
  switch (EditForRow(row)) {
    case RowEdit::None:
      return;
    case RowEdit::TypeInText1:
      Text1->show();
      break;
    case RowEdit::TypeInText2:
      Text2->show();
      break;
    case RowEdit::Cycle: {
      if (auto next = NextInCycle(row, rowBytes(List2, row))) setRow(row, *next);
      if (row == kDeviceRow) DriverType = rowBytes(List2, row);
      break;
    }
  }
  // The row is not left selected, so the next click on it steps it on again.
  List2->clearSelection();
  List2->setCurrentRow(-1);
}

void Form4::List2_KeyStep(int row) {
  if (row < 0) return;
  List2_Click(row);
  // The keyboard keeps its place: the row stays selected, and a typed row takes the keys into its box.
  switch (EditForRow(row)) {
    case RowEdit::TypeInText1:
      Text1->setFocus();
      break;
    case RowEdit::TypeInText2:
      Text2->setFocus();
      break;
    default:
      List2->setCurrentRow(row);
  }
}

bool Form4::eventFilter(QObject* watched, QEvent* event) {
  if (watched == List2 && List2->isEnabled() && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
      List2_KeyStep(List2->currentRow());
      return true;
    }
  }
  return FormWindow::eventFilter(watched, event);
}

// A typed box that had the keyboard gives it back to its row when it closes.
void Form4::closeTypedBox(QLineEdit* box, int row) {
  if (box->hasFocus()) {
    List2->setFocus();
    List2->setCurrentRow(row);
  }
  box->hide();
}

void Form4::text1Changed() {
  // Two digits (or none) are a value; one digit waits for the second.
  if (Text1->text().size() == 1) return;
  setRow(kFrameRateRow, toBytes(Text1->text()));
  closeTypedBox(Text1, kFrameRateRow);
}

void Form4::text2Changed() {
  if (Text2->text().isEmpty()) return;
  setRow(kParticleDensityRow, toBytes(Text2->text()));
  closeTypedBox(Text2, kParticleDensityRow);
}

void Form4::combo1Edited() {
  const int row = List2->currentRow();
  const int next = combo(1)->currentIndex() + 1;
  // Without a value-list row or a following item there is nothing to store.
  if (row < 0 || combo(1)->currentIndex() < 0 || next >= combo(1)->count()) return;
  setRow(row, comboItemBytes(combo(1), next));
}

void Form4::combo2DropDown() {
  if (askone) return;
  host().dialogs().msgBox(this, QStringLiteral("Warning! A too high refresh Rate may cause damage to your PC"),
                          MsgButtons::Ok, MsgIcon::Critical);
  askone = true;
}

}  // namespace vexorel
