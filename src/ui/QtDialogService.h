#pragma once
#include "ui/DialogService.h"

namespace vexorel {

// The real dialogs: QMessageBox, QInputDialog and QFileDialog.
class QtDialogService : public DialogService {
 public:
  MsgAnswer msgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                   const QString& caption) override;
  QString inputBox(QWidget* parent, const QString& prompt, const QString& title, const QString& defaultText) override;
  QString openFileDialog(QWidget* parent, const QString& title, const QString& filter) override;
};

}  // namespace vexorel
