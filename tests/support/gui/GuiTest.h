#pragma once
// The fixtures of the window tests. GuiTest: a start folder and a game folder of the test's own, a registry store
// file, the POSIX backend with memory, sleep and shell under the test's control, the scripted dialog service,
// and a fresh application context. ProgramTest: the same as the start-up window leaves it, every write and
// copy logged.

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "support/core/FakePlatform.h"
#include "support/core/TempFolder.h"
#include "support/gui/ScriptedDialogService.h"

namespace vexorel::testing {

std::string demoGameIni();  // the realistic game configuration file kept in the project's examples
// The bytes with the first occurrence of `from` (which must be there) replaced.
std::string edited(std::string bytes, const std::string& from, const std::string& to);
std::string testData(const std::string& name);  // a data file beside the tests, by its path under tests/
// A window's caption, then one line per text its widgets and actions show: title, text, current text, tool tip.
QStringList captionsOf(const QWidget& window);

// Shows these values in the editor's value list, as the user's clicks would leave them.
void showValues(AppContext& app, const std::vector<std::string>& values);
// Saves the editor's value list as a named set, as its Save button does.
bool saveSet(AppContext& app, const std::string& name);

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { app.reset(); }

  void registerGame();  // records the game folder in the registry store, as the game's installer does
  void writeGameIni(const std::string& bytes) { writeFileBytes(gameIniPath(), bytes); }
  std::string gameIni() const { return readFileBytes(gameIniPath()); }
  std::string gameIniPath() const { return gameFolder + "/System/UnrealTournament.ini"; }
  std::string startPath(const std::string& name) const { return startFolder + "/" + name; }

  TempFolder temp;
  std::string startFolder;  // the program's current working directory
  std::string gameFolder;   // holds System/UnrealTournament.ini
  std::string registryFile;
  std::unique_ptr<FakePlatform> platform;
  ScriptedDialogService dialogs;
  std::unique_ptr<AppContext> app;
};

inline constexpr const char* kFreshSettings = "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n";

class ProgramTest : public GuiTest {
 protected:
  void SetUp() override;
  std::string settings() const { return readFileBytes(startPath("Vexorel.ini")); }
  void expectBox(std::size_t index, const QString& text, const QString& caption, MsgIcon icon,
                 MsgButtons buttons = MsgButtons::Ok);

  RecordingPlatform* recorder = nullptr;
};

}  // namespace vexorel::testing
