#pragma once
// The setting-set tests start like the program: the game registered, the start folder with its
// settings file and backup folder, the main window's paths set, and the editor open. The platform
// records every profile write and can be told to fail chosen calls.

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "editor/Form4.h"
#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {

class RecordingPlatform : public FakePlatform {
 public:
  using FakePlatform::FakePlatform;

  bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                 const std::string& fileName) override {
    writes.emplace_back(section, key);
    if (failWrite && failWrite(fileName)) return false;
    return FakePlatform::writePrivateProfileString(section, key, value, fileName);
  }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    if (failCopy && failCopy(from, to)) return false;
    return FakePlatform::copyFile(from, to, failIfExists);
  }

  std::vector<std::pair<std::string, std::string>> writes;  // (section, key) in order
  std::function<bool(const std::string& file)> failWrite;
  std::function<bool(const std::string& from, const std::string& to)> failCopy;
};

inline constexpr const char* kFreshSettings = "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n";

// The editor's value list for the demo game file, as key=value lines in row order.
inline const char* const kDemoRows[15][2] = {
    {"FullscreenColorbits", "16"},
    {"CurvedSurfaces", "True"},
    {"LowDetailTextures", "False"},
    {"SlowVideoBuffering", "True"},
    {"Decals", "True"},
    {"NoDynamicLights", "False"},
    {"Coronas", "True"},
    {"SkinDetail", "High"},
    {"TextureDetail", "High"},
    {"NoLighting", "False"},
    {"MinDesiredFrameRate", "30.000000"},
    {"ScreenFlashes", "True"},
    {"NoFractalAnim", "False"},
    {"ParticleDensity", "0"},
    {"GameRenderDevice", "Direct 3D"},
};

class SetsTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    app.reset();
    auto recording = std::make_unique<RecordingPlatform>(PosixPlatformOptions{registryFile, startFolder});
    recorder = recording.get();
    platform = std::move(recording);
    app = std::make_unique<AppContext>(*platform, dialogs);

    registerGame();
    app->splash().MainAppPath = startFolder;
    app->splash().VEXORELPATH = settingsPath();
    writeFileBytes(settingsPath(), kFreshSettings);
    std::filesystem::create_directories(startPath("BACKUP"));
    app->frmmain().UtPath = gameFolder;
    app->frmmain().FileName = app->frmmain().UtPath + "\\System\\UnrealTournament.ini";
    app->form4().showForm();
  }

  std::string settingsPath() const { return startPath("Vexorel.ini"); }
  std::string settings() const { return readFileBytes(settingsPath()); }
  std::string workingCopy() const { return readFileBytes(startPath("BACKUP/UTTemp.ini")); }

  // Section "Save" + n as the store writes it for the given value list.
  static std::string setSection(int n, const std::string& name, const std::vector<std::string>& values) {
    std::string text = "[Save" + std::to_string(n) + "]\r\nSaveName=" + name + "\r\n";
    for (std::size_t i = 0; i < 15; ++i) text += std::string(kDemoRows[i][0]) + "=" + values.at(i) + "\r\n";
    return text;
  }
  static std::vector<std::string> demoValues() {
    std::vector<std::string> values;
    for (const auto& row : kDemoRows) values.emplace_back(row[1]);
    return values;
  }
  static void makeReadOnly(const std::string& path) {
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
  }

  RecordingPlatform* recorder = nullptr;
};

}  // namespace vexorel::testing
