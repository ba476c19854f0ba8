#include "support/gui/ScriptedDialogService.h"

#include <gtest/gtest.h>

namespace vexorel::testing {

namespace {

// Records the call and hands out the next scripted answer; without one, `otherwise` (a failure unless allowed).
template <typename T>
T next(ScriptedDialogService& service, const DialogCall& call, std::deque<T>& script, T otherwise, bool allowed) {
  service.calls.push_back(call);
  if (service.onShow) service.onShow(call);
  if (script.empty()) {
    if (!allowed) ADD_FAILURE() << "unscripted dialog: " << call.text.toStdString();
    return otherwise;
  }
  T value = script.front();
  script.pop_front();
  return value;
}

}  // namespace

MsgAnswer ScriptedDialogService::msgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon,
                                        const QString& caption) {
  const bool okOnly = buttons == MsgButtons::Ok;
  const QString shown = caption.isEmpty() ? QString::fromLatin1(kProgramTitle) : caption;
  return next(*this, {DialogCall::Message, text, shown, icon, buttons, {}}, answers,
              okOnly ? MsgAnswer::Ok : MsgAnswer::No, okOnly);
}

QString ScriptedDialogService::inputBox(QWidget*, const QString& prompt, const QString& title, const QString& text) {
  return next(*this, {DialogCall::Input, prompt, title, MsgIcon::None, MsgButtons::Ok, text}, inputs, {}, false);
}

QString ScriptedDialogService::openFileDialog(QWidget*, const QString& title, const QString& filter) {
  return next(*this, {DialogCall::OpenFile, title, title, MsgIcon::None, MsgButtons::Ok, filter}, files, {}, false);
}

std::vector<QString> ScriptedDialogService::messageTexts() const {
  std::vector<QString> texts;
  for (const DialogCall& call : calls) {
    if (call.kind == DialogCall::Message) texts.push_back(call.text);
  }
  return texts;
}

}  // namespace vexorel::testing
