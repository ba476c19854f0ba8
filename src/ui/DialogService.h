#pragma once
// Every message box, input box and open-file dialog of the program goes through this service, so the
// program shows them one way and tests can answer them and check the exact words.

#include <QString>

class QWidget;

namespace vexorel {

inline constexpr const char* kProgramTitle = "Vexorel";

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

class DialogService {
 public:
  virtual ~DialogService() = default;

  // A modal message box. An empty caption shows the program's title.
  virtual MsgAnswer msgBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                           const QString& caption = QString()) = 0;
  // The input box: the typed text, or "" when cancelled.
  virtual QString inputBox(QWidget* parent, const QString& prompt, const QString& title,
                           const QString& defaultText = QString()) = 0;
  // The open-file dialog. `filter` is in the "Description|pattern" form; the chosen file's full path,
  // or "" when cancelled.
  virtual QString openFileDialog(QWidget* parent, const QString& title, const QString& filter) = 0;
};

}  // namespace vexorel
