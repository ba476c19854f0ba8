#include "support/gui/GuiTest.h"

#include <filesystem>

namespace vexorel::testing {

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
