#pragma once
// The fixture of the window tests: a start folder and a game folder of the test's own, a registry
// store file, the POSIX backend with memory, sleep and shell under the test's control, the scripted
// dialog service, and a fresh application context.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/AppContext.h"
#include "support/core/FakePlatform.h"
#include "support/core/TempFolder.h"
#include "support/gui/ScriptedDialogService.h"

namespace vexorel::testing {

// The realistic game configuration file kept in the project's examples.
std::string demoGameIni();

// Shows these values in the editor's value list, as the user's clicks would leave them.
void showValues(AppContext& app, const std::vector<std::string>& values);
// Saves the editor's value list as a named set, as its Save button does.
bool saveSet(AppContext& app, const std::string& name);

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Records the game folder in the registry store, as the game's installer does.
  void registerGame();
  // Writes the game's UnrealTournament.ini (the demo file unless other bytes are given).
  void writeGameIni(const std::string& bytes);
  std::string gameIni() const;  // its bytes now
  std::string gameIniPath() const;
  std::string startPath(const std::string& name) const;  // a path inside the start folder

  TempFolder temp;
  std::string startFolder;  // the program's current working directory
  std::string gameFolder;   // holds System/UnrealTournament.ini
  std::string registryFile;
  std::unique_ptr<FakePlatform> platform;
  ScriptedDialogService dialogs;
  std::unique_ptr<AppContext> app;
};

}  // namespace vexorel::testing
