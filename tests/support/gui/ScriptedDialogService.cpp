#include "support/gui/ScriptedDialogService.h"

#include <gtest/gtest.h>

namespace vexorel::testing {

MsgAnswer ScriptedDialogService::msgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon,
                                        const QString& caption) {
  DialogCall call{
      DialogCall::Message, text, caption.isEmpty() ? QString::fromLatin1(kProgramTitle) : caption, icon, buttons, {}};
  calls.push_back(call);
  if (onShow) onShow(call);
  if (!answers.empty()) {
    const MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
  ADD_FAILURE() << "unscripted question: " << text.toStdString();
  return MsgAnswer::No;
}

QString ScriptedDialogService::inputBox(QWidget*, const QString& prompt, const QString& title,
                                        const QString& defaultText) {
  DialogCall call{DialogCall::Input, prompt, title, MsgIcon::None, MsgButtons::Ok, defaultText};
  calls.push_back(call);
  if (onShow) onShow(call);
  if (inputs.empty()) {
    ADD_FAILURE() << "unscripted input box: " << prompt.toStdString();
    return QString();
  }
  QString text = inputs.front();
  inputs.pop_front();
  return text;
}

QString ScriptedDialogService::openFileDialog(QWidget*, const QString& title, const QString& filter) {
  DialogCall call{DialogCall::OpenFile, title, title, MsgIcon::None, MsgButtons::Ok, filter};
  calls.push_back(call);
  if (onShow) onShow(call);
  if (files.empty()) {
    ADD_FAILURE() << "unscripted open-file dialog: " << title.toStdString();
    return QString();
  }
  QString path = files.front();
  files.pop_front();
  return path;
}

std::vector<QString> ScriptedDialogService::messageTexts() const {
  std::vector<QString> texts;
  for (const DialogCall& call : calls) {
    if (call.kind == DialogCall::Message) texts.push_back(call.text);
  }
  return texts;
}

}  // namespace vexorel::testing
