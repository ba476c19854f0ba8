#include "support/gui/GuiTest.h"

#include <filesystem>

#include "core/SettingSetStore.h"
#include "editor/Form4.h"

namespace vexorel::testing {

void showValues(AppContext& app, const std::vector<std::string>& values) {
  ValueRows rows = app.state().rows;
  rows.values = values;
  app.form4().showRows(rows);
}

bool saveSet(AppContext& app, const std::string& name) {
  return SaveSettingSet(app.module(), app.state().VEXORELPATH, name, app.state().rows);
}

std::string demoGameIni() {
  return readFileBytes(std::filesystem::path(VEXOREL_SOURCE_DIR) / "examples/game/System/UnrealTournament.ini");
}

void GuiTest::SetUp() {
  startFolder = temp / "start";
  gameFolder = temp / "UT";
  registryFile = temp / "registry.reg";
  std::filesystem::create_directories(startFolder);
  std::filesystem::create_directories(std::filesystem::path(gameFolder) / "System");
  writeGameIni(demoGameIni());
  platform = std::make_unique<FakePlatform>(PosixPlatformOptions{registryFile, startFolder});
  app = std::make_unique<AppContext>(*platform, dialogs);
}

void GuiTest::TearDown() {
  app.reset();
}

void GuiTest::registerGame() {
  ASSERT_TRUE(
      app->module().WriteRegistryString(RegistryRoot::LocalMachine, kGameRegistryKey, kGameFolderValue, gameFolder));
}

void GuiTest::writeGameIni(const std::string& bytes) {
  writeFileBytes(gameIniPath(), bytes);
}
std::string GuiTest::gameIni() const {
  return readFileBytes(gameIniPath());
}
std::string GuiTest::gameIniPath() const {
  return gameFolder + "/System/UnrealTournament.ini";
}
std::string GuiTest::startPath(const std::string& name) const {
  return startFolder + "/" + name;
}

}  // namespace vexorel::testing
