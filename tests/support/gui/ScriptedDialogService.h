#pragma once
// The dialog service for tests: every box is recorded (kind, text, caption as shown, icon, buttons) and answered
// from a script. An OK-only box needs no scripted answer; a question, an input box or an open-file dialog
// without one fails the test.

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "ui/DialogService.h"

namespace vexorel::testing {

struct DialogCall {
  enum Kind { Message, Input, OpenFile } kind = Message;
  QString text;     // message text, input prompt, or dialog title
  QString caption;  // the caption as shown (the program's title when none was given)
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
  QString extra;  // the input box's default text, or the open-file dialog's filter
};

class ScriptedDialogService : public DialogService {
 public:
  MsgAnswer msgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon, const QString& caption) override;
  QString inputBox(QWidget*, const QString& prompt, const QString& title, const QString& defaultText) override;
  QString openFileDialog(QWidget*, const QString& title, const QString& filter) override;

  void answer(MsgAnswer a) { answers.push_back(a); }
  void typeInput(const QString& text) { inputs.push_back(text); }
  void cancelInput() { inputs.push_back(QString()); }
  void chooseFile(const QString& path) { files.push_back(path); }
  std::vector<QString> messageTexts() const;  // texts of the message boxes shown so far, in order

  std::vector<DialogCall> calls;
  std::deque<MsgAnswer> answers;
  std::deque<QString> inputs, files;
  // Runs as each dialog is shown, before it is answered (to look at the program's state then).
  std::function<void(const DialogCall&)> onShow;
};

}  // namespace vexorel::testing
