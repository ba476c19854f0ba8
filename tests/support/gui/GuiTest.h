#pragma once
// The window tests' dialog service and fixtures. GuiTest: start and game folders and a registry store of the test's
// own, the controlled backend, scripted dialogs and a fresh program. ProgramTest: as the start-up window leaves it.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "support/core/FakePlatform.h"
#include "support/core/Table.h"
#include "support/core/TempFolder.h"
#include "ui/DialogService.h"

class QComboBox;
class QListWidget;

namespace vexorel::testing {

// Every box is recorded as shown and answered from a script; only an OK-only box needs no scripted answer. A test's
// own notes stand among them (GuiTest::note).
struct DialogCall {
  enum Kind { Message, Input, OpenFile, Note } kind = Message;
  QString text;     // message text, input prompt, or dialog title
  QString caption;  // the caption as shown (the program's title when none was given)
  MsgIcon icon = MsgIcon::None;
  MsgButtons buttons = MsgButtons::Ok;
  QString extra;  // the input box's default text, or the open-file dialog's filter
};

class ScriptedDialogService : public DialogService {
 public:
  MsgAnswer msgBox(QWidget*, const QString& text, MsgButtons buttons, MsgIcon icon, const QString& caption) override {
    const bool okOnly = buttons == MsgButtons::Ok;
    const QString shown = caption.isEmpty() ? QString::fromLatin1(kProgramTitle) : caption;
    return next({DialogCall::Message, text, shown, icon, buttons, {}}, answers, okOnly ? MsgAnswer::Ok : MsgAnswer::No,
                okOnly);
  }
  QString inputBox(QWidget*, const QString& prompt, const QString& title, const QString& text) override {
    return next({DialogCall::Input, prompt, title, MsgIcon::None, MsgButtons::Ok, text}, inputs, {}, false);
  }
  QString openFileDialog(QWidget*, const QString& title, const QString& filter) override {
    return next({DialogCall::OpenFile, title, title, MsgIcon::None, MsgButtons::Ok, filter}, files, {}, false);
  }

  void answer(MsgAnswer a) { answers.push_back(a); }
  void typeInput(const QString& text) { inputs.push_back(text); }
  void cancelInput() { inputs.push_back(QString()); }
  void chooseFile(const QString& path) { files.push_back(path); }

  std::vector<DialogCall> calls;
  std::deque<MsgAnswer> answers;
  std::deque<QString> inputs, files;
  std::function<void(const DialogCall&)> onShow;  // runs as each dialog is shown, before it is answered

 private:
  // Records the call and hands out the next scripted answer; without one, `otherwise` (a failure unless allowed).
  template <typename T>
  T next(const DialogCall& call, std::deque<T>& script, T otherwise, bool allowed) {
    calls.push_back(call);
    if (onShow) onShow(call);
    if (script.empty() && !allowed) ADD_FAILURE() << "unscripted dialog: " << call.text.toStdString();
    if (script.empty()) return otherwise;
    T value = script.front();
    script.pop_front();
    return value;
  }
};

// The bytes with the first occurrence of `from` (which must be there) replaced.
std::string edited(std::string bytes, const std::string& from, const std::string& to);
// A window's caption, place and size, then one line per text its widgets and actions show: title, text, current text,
// tool tip.
QStringList captionsOf(const QWidget& window);
// A captions table as it can be compared on this system. On Windows the window sizes and places are left
// out: the offscreen platform there measures the menu bar and text differently, and the placement
// arithmetic is the same code, checked here on Linux.
std::string comparableCaptions(std::string table);
// The system's reason for a folder that cannot be made because a file stands where a folder should be.
std::string notAFolderReason();

// A box as caption|icon|buttons|text (a line break written \n); a note as its text.
QString boxLine(const DialogCall& call);
// Whether `shown` is `expected` with each "..." standing for the text `gap` matches (".*" any, ".+" some).
bool matchesWithGaps(const QString& expected, const QString& shown, const char* gap);

// A list's or combo's item texts, joined by '|'.
QString itemTexts(const QListWidget& list);
QString itemTexts(const QComboBox& combo);
void clickRow(QListWidget* list, int row);  // a real mouse click on the row
void dropDown(QComboBox* combo);            // opened as the user opens it, and closed again at once

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;

  void registerGame() {  // records the game folder in the registry store, as the game's installer does
    ASSERT_TRUE(
        app->module().WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue, gameFolder));
  }
  void writeGameIni(const std::string& bytes) { writeFileBytes(gameIniPath(), bytes); }
  std::string gameIni() const { return readFileBytes(gameIniPath()); }
  std::string gameIniPath() const { return gameFolder + "/System/UnrealTournament.ini"; }
  std::string startPath(const std::string& name) const { return startFolder + "/" + name; }
  std::string backup(const std::string& name) const { return readFileBytes(startPath("BACKUP/" + name)); }
  // A line of the test's own after the boxes shown so far, the test's folders in it written {start} and {game}.
  void note(const QString& line);
  // Every box so far and the notes among them, a line each, against a data file beside the tests, where each {path} is
  // the next of `paths` and "..." any text (the system's reason for a failure).
  void expectBoxes(const std::string& dataFile, const std::vector<std::string>& paths = {});

  TempFolder temp;
  std::string startFolder;  // the program's current working directory
  std::string gameFolder;   // holds System/UnrealTournament.ini
  std::unique_ptr<FakePlatform> platform;
  ScriptedDialogService dialogs;
  std::unique_ptr<AppContext> app;
};

inline constexpr const char* kFreshSettings = "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n";

class ProgramTest : public GuiTest {
 protected:
  void SetUp() override;
  std::string settings() const { return readFileBytes(startPath("Vexorel.ini")); }
};

// As the main window hands the game's file on: the game registered, the main window's paths on its file.
class GameFileTest : public ProgramTest {
 protected:
  void SetUp() override;
  std::string gameFileName() const { return gameFolder + "\\System\\UnrealTournament.ini"; }
};

}  // namespace vexorel::testing
