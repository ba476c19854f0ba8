// A game installed under Wine: Windows drive paths through a prefix's drive links, the game folder
// found in the prefix's system.reg, and the backend's registry falling back to it read-only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "core/ReadModule.h"
#include "platform/PosixPlatform.h"
#include "platform/PosixWinePrefix.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;
namespace fs = std::filesystem;

constexpr const char* kGameKey = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";

std::string registryWith(const std::string& key, const std::string& folderLine) {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n[" + key +
         "] 1700000000\n#time=1da0c1f2e3d4c5c\n" + folderLine + "\n";
}
const std::string kWowKey = "Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament";
const std::string kPlainKey = "Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament";

// A prefix as Wine makes it: drive_c, and dosdevices/c: -> ../drive_c and z: -> /.
struct Prefix {
  TempFolder temp;
  std::string path = (temp.path() / "prefix").string();
  std::string driveC = path + "/drive_c";

  Prefix() {
    fs::create_directories(driveC + "/UnrealTournament/System");
    fs::create_directories(path + "/dosdevices");
    fs::create_directory_symlink("../drive_c", path + "/dosdevices/c:");
    fs::create_directory_symlink("/", path + "/dosdevices/z:");
    writeFileBytes(driveC + "/UnrealTournament/System/UnrealTournament.ini", "[Engine.Engine]\r\nX=1\r\n");
  }
  void writeRegistry(const std::string& content) const { writeFileBytes(path + "/system.reg", content); }
  std::string real(const std::string& inside) const { return fs::canonical(driveC).string() + inside; }
};

// Sets (or clears) an environment variable for one test and puts the old value back.
class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~EnvironmentVariable() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  EnvironmentVariable(const EnvironmentVariable&) = delete;
  EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::optional<RegistryData> queryGameFolder(PosixPlatform& platform) {
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  if (key == kNoRegistryKey) return std::nullopt;
  auto data = platform.regQueryValue(key, "Folder");
  platform.regCloseKey(key);
  return data;
}

TEST(WineDrivePaths, TranslateThroughTheDriveLinksWithoutRegardToCase) {
  Prefix prefix;
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:\\UnrealTournament"), prefix.real("/UnrealTournament"));
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "c:/unrealtournament\\SYSTEM\\"),
            prefix.real("/UnrealTournament/System"));
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:\\"), prefix.real(""));
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:"), prefix.real(""));
  // ".." stops at the drive's root, as on Windows.
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:\\..\\..\\UnrealTournament"), prefix.real("/UnrealTournament"));
  // A folder that does not exist keeps its spelling from there on.
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:\\UnrealTournament\\New\\Deeper"),
            prefix.real("/UnrealTournament/New/Deeper"));
  // Z: is the Unix root.
  const std::string system = fs::canonical(prefix.driveC + "/UnrealTournament/System").string();
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "Z:" + system), system);
}

TEST(WineDrivePaths, NameNothingWithoutADriveLink) {
  Prefix prefix;
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "D:\\Games"), std::nullopt);
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "\\\\server\\share\\UT"), std::nullopt);
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "UnrealTournament"), std::nullopt);
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:UnrealTournament"), std::nullopt);
  EXPECT_EQ(wine::translateDrivePath("", "C:\\UnrealTournament"), std::nullopt);
  // A prefix whose C: link is gone (or points nowhere) has no C: drive.
  fs::remove(prefix.path + "/dosdevices/c:");
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:\\UnrealTournament"), std::nullopt);
  fs::create_directory_symlink("../drive_gone", prefix.path + "/dosdevices/c:");
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:\\UnrealTournament"), std::nullopt);
}

TEST(WineGameFolder, FoundInEitherViewAndOnlyWhenItExists) {
  Prefix prefix;
  const std::string folderLine = "\"Folder\"=\"C:\\\\unrealtournament\"";
  prefix.writeRegistry(registryWith(kWowKey, folderLine));
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), prefix.real("/UnrealTournament"));
  // A 32-bit prefix has no Wow6432Node: the key itself.
  prefix.writeRegistry(registryWith(kPlainKey, folderLine));
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), prefix.real("/UnrealTournament"));
  // Both present: the 32-bit view, which the game's installer writes to, comes first.
  prefix.writeRegistry(registryWith(kWowKey, folderLine) + "\n[" + kPlainKey + "] 1\n\"Folder\"=\"C:\\\\Other\"\n");
  fs::create_directory(prefix.driveC + "/Other");
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), prefix.real("/UnrealTournament"));
  // A stale entry whose folder is gone is no answer; nor is a value of another name, or another key.
  prefix.writeRegistry(registryWith(kWowKey, "\"Folder\"=\"C:\\\\Uninstalled\""));
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), std::nullopt);
  prefix.writeRegistry(registryWith(kWowKey, "\"Path\"=\"C:\\\\UnrealTournament\""));
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), std::nullopt);
  prefix.writeRegistry(registryWith("Software\\\\Wow6432Node\\\\Epic", folderLine));
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), std::nullopt);
  fs::remove(prefix.path + "/system.reg");
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), std::nullopt);
}

TEST(WineGameFolder, EscapedPathsAndAMissingDriveLink) {
  Prefix prefix;
  fs::create_directories(prefix.driveC + "/Spiele/Caf\xc3\xa9 \"UT\"");
  prefix.writeRegistry(registryWith(kWowKey, "\"Folder\"=\"C:\\\\SPIELE\\\\Caf\\xe9 \\\"UT\\\"\""));
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), prefix.real("/Spiele/Caf\xc3\xa9 \"UT\""));
  prefix.writeRegistry(registryWith(kWowKey, "\"Folder\"=\"C:\\\\UnrealTournament\""));
  fs::remove(prefix.path + "/dosdevices/c:");
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), std::nullopt);
}

TEST(WineRegistryFallback, TheBackendHandsOutTheRealFolderAndNeverWritesWine) {
  Prefix prefix;
  const std::string wineRegistry = registryWith(kWowKey, "\"Folder\"=\"C:\\\\UnrealTournament\"");
  prefix.writeRegistry(wineRegistry);
  const std::string store = (prefix.temp.path() / "registry.reg").string();
  PosixPlatform platform{PosixPlatformOptions{store, prefix.temp.path().string(), prefix.path}};

  const auto data = queryGameFolder(platform);
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->type, RegSz);
  EXPECT_EQ(data->bytes, prefix.real("/UnrealTournament") + '\0');
  // The borrowing is for the game folder only.
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  EXPECT_EQ(platform.regQueryValue(key, "Path"), std::nullopt);
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::LocalMachine, "Software\\Unreal Technology"), kNoRegistryKey);

  // Through the shared module, the folder leads to the game's own file.
  ReadModule module{platform};
  const std::string folder = module.ReadRegistryString(RegistryRoot::LocalMachine, kGameKey, "Folder");
  module.ReadIniValue("Engine.Engine", "X", folder + "\\system\\unrealtournament.ini");
  EXPECT_EQ(module.LastIniValue, "1");

  // Nothing was written: not Wine's registry, not our store.
  EXPECT_EQ(readFileBytes(prefix.path + "/system.reg"), wineRegistry);
  EXPECT_FALSE(fs::exists(store));
}

TEST(WineRegistryFallback, OurOwnStoreTakesPrecedence) {
  Prefix prefix;
  const std::string wineRegistry = registryWith(kWowKey, "\"Folder\"=\"C:\\\\UnrealTournament\"");
  prefix.writeRegistry(wineRegistry);
  const std::string store = (prefix.temp.path() / "registry.reg").string();
  PosixPlatform platform{PosixPlatformOptions{store, prefix.temp.path().string(), prefix.path}};
  // What the user picks in the locate dialog is written to our store, and read back from there.
  ReadModule module{platform};
  EXPECT_TRUE(module.WriteRegistryString(RegistryRoot::LocalMachine, kGameKey, "Folder", "/games/ut"));
  EXPECT_EQ(module.ReadRegistryString(RegistryRoot::LocalMachine, kGameKey, "Folder"), "/games/ut");
  EXPECT_EQ(readFileBytes(prefix.path + "/system.reg"), wineRegistry);
  // Switched off, the prefix is not consulted at all.
  PosixPlatform off{PosixPlatformOptions{prefix.temp / "none.reg", "", prefix.path, false}};
  EXPECT_EQ(queryGameFolder(off), std::nullopt);
}

TEST(WineRegistryFallback, ThePrefixComesFromTheEnvironmentOnlyForTheUsersOwnStore) {
  Prefix prefix;
  prefix.writeRegistry(registryWith(kWowKey, "\"Folder\"=\"C:\\\\UnrealTournament\""));
  const std::string home = (prefix.temp.path() / "home").string();
  fs::create_directories(home);
  EnvironmentVariable config("XDG_CONFIG_HOME", (prefix.temp.path() / "config").string().c_str());
  EnvironmentVariable wineprefix("WINEPREFIX", prefix.path.c_str());
  EnvironmentVariable homeVariable("HOME", home.c_str());

  PosixPlatform users;  // the program's own construction
  const auto data = queryGameFolder(users);
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->bytes, prefix.real("/UnrealTournament") + '\0');
  // A caller with a store of its own (every test) never reads the environment's prefix.
  PosixPlatform named{PosixPlatformOptions{prefix.temp / "store.reg", ""}};
  EXPECT_EQ(queryGameFolder(named), std::nullopt);
  {
    // Wine refuses a relative WINEPREFIX; so do we, even where it would name the prefix.
    const fs::path before = fs::current_path();
    fs::current_path(prefix.temp.path());
    EnvironmentVariable relative("WINEPREFIX", "prefix");
    PosixPlatform platform;
    EXPECT_EQ(queryGameFolder(platform), std::nullopt);
    fs::current_path(before);
  }
  {
    // Without WINEPREFIX, ~/.wine.
    EnvironmentVariable unset("WINEPREFIX", nullptr);
    EXPECT_EQ(wine::prefixFromEnvironment(), home + "/.wine");
    fs::rename(prefix.path, home + "/.wine");
    PosixPlatform platform;
    const auto found = queryGameFolder(platform);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->bytes, fs::canonical(home + "/.wine/drive_c/UnrealTournament").string() + '\0');
  }
}

}  // namespace
}  // namespace vexorel
