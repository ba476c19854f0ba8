#include "ui/QtDialogService.h"

#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace vexorel {

namespace {
QMessageBox::Icon toQtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Critical:
      return QMessageBox::Critical;
    case MsgIcon::Question:
      return QMessageBox::Question;
    case MsgIcon::Exclamation:
      return QMessageBox::Warning;
    case MsgIcon::Information:
      return QMessageBox::Information;
    case MsgIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

// "Description|pattern|Description|pattern" becomes Qt's "Description (pattern);;...".
QString toQtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList entries;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    entries << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
  }
  return entries.join(QStringLiteral(";;"));
}
}  // namespace

MsgAnswer QtDialogService::msgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                                  const QString& caption) {
  QMessageBox box(toQtIcon(icon), caption.isEmpty() ? QString::fromLatin1(kProgramTitle) : caption, text,
                  buttons == MsgButtons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok, parent);
  const int answer = box.exec();
  if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
  return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

QString QtDialogService::inputBox(QWidget* parent, const QString& prompt, const QString& title,
                                  const QString& defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : QString();
}

QString QtDialogService::openFileDialog(QWidget* parent, const QString& title, const QString& filter) {
  QFileDialog dialog(parent, title, QString(), toQtFilter(filter));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  // Qt reports '/' on every platform; the program composes and stores paths with the native separator.
  return QDir::toNativeSeparators(dialog.selectedFiles().front());
}

}  // namespace vexorel
