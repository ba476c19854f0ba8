// A game installed under Wine: Windows drive paths through a prefix's drive links, the game folder
// found in the prefix's system.reg, and the backend's registry falling back to it read-only.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

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
const std::string kWowKey = "Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament";
const std::string kPlainKey = "Software\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament";
const std::string kFolderLine = "\"Folder\"=\"C:\\\\unrealtournament\"";

std::string registryWith(const std::string& key, const std::string& line) {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n[" + key +
         "] 1700000000\n#time=1da0c1f2e3d4c5c\n" + line + "\n";
}

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
  }
  void writeRegistry(const std::string& content) const { writeFileBytes(path + "/system.reg", content); }
  std::string real(const std::string& inside) const { return fs::canonical(driveC).string() + inside; }
  std::optional<std::string> folder() const { return wine::findFolder(path, kGameKey, "Folder"); }
};

std::optional<std::string> queryGameFolder(PosixPlatform& platform) {
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  const auto data = key == kNoRegistryKey ? std::nullopt : platform.regQueryValue(key, "Folder");
  return data ? std::optional<std::string>(data->bytes) : std::nullopt;
}

TEST(WineDrivePaths, TranslateThroughTheDriveLinksWithoutRegardToCase) {
  Prefix prefix;
  const auto translate = [&](const std::string& path) { return wine::translateDrivePath(prefix.path, path); };
  EXPECT_EQ(translate("c:/unrealtournament\\SYSTEM\\"), prefix.real("/UnrealTournament/System"));
  EXPECT_EQ(translate("C:"), prefix.real(""));
  EXPECT_EQ(translate("C:\\..\\..\\UnrealTournament"), prefix.real("/UnrealTournament")) << "'..' stops at the root";
  EXPECT_EQ(translate("C:\\UnrealTournament\\New\\Deeper"), prefix.real("/UnrealTournament/New/Deeper"));
  const std::string system = fs::canonical(prefix.driveC + "/UnrealTournament/System").string();
  EXPECT_EQ(translate("Z:" + system), system);
  for (const char* nowhere : {"D:\\Games", "\\\\server\\share\\UT", "UnrealTournament", "C:UnrealTournament"}) {
    EXPECT_EQ(translate(nowhere), std::nullopt) << nowhere;
  }
  EXPECT_EQ(wine::translateDrivePath("", "C:\\UnrealTournament"), std::nullopt);
  fs::remove(prefix.path + "/dosdevices/c:");
  fs::create_directory_symlink("../drive_gone", prefix.path + "/dosdevices/c:");
  EXPECT_EQ(translate("C:\\UnrealTournament"), std::nullopt) << "a C: link pointing nowhere";
}

TEST(WineGameFolder, FoundInEitherViewAndOnlyWhenItExists) {
  Prefix prefix;
  prefix.writeRegistry(registryWith(kWowKey, kFolderLine));
  EXPECT_EQ(prefix.folder(), prefix.real("/UnrealTournament"));
  prefix.writeRegistry(registryWith(kPlainKey, kFolderLine));  // a 32-bit prefix has no Wow6432Node
  EXPECT_EQ(prefix.folder(), prefix.real("/UnrealTournament"));
  // Both present: the 32-bit view, which the game's installer writes to, comes first.
  fs::create_directory(prefix.driveC + "/Other");
  prefix.writeRegistry(registryWith(kWowKey, kFolderLine) + "\n[" + kPlainKey + "] 1\n\"Folder\"=\"C:\\\\Other\"\n");
  EXPECT_EQ(prefix.folder(), prefix.real("/UnrealTournament"));
  fs::create_directories(prefix.driveC + "/Spiele/Caf\xc3\xa9 \"UT\"");
  prefix.writeRegistry(registryWith(kWowKey, "\"Folder\"=\"C:\\\\SPIELE\\\\Caf\\xe9 \\\"UT\\\"\""));
  EXPECT_EQ(prefix.folder(), prefix.real("/Spiele/Caf\xc3\xa9 \"UT\""));
  // A stale entry, a value of another name, another key, no registry: no answer.
  for (const std::string& registry : {registryWith(kWowKey, "\"Folder\"=\"C:\\\\Uninstalled\""),
                                      registryWith(kWowKey, "\"Path\"=\"C:\\\\UnrealTournament\""),
                                      registryWith("Software\\\\Wow6432Node\\\\Epic", kFolderLine)}) {
    prefix.writeRegistry(registry);
    EXPECT_EQ(prefix.folder(), std::nullopt) << registry;
  }
  fs::remove(prefix.path + "/system.reg");
  EXPECT_EQ(prefix.folder(), std::nullopt);
}

TEST(WineRegistryFallback, TheGameFolderOnlyReadOnlyAndOurStoreFirst) {
  Prefix prefix;
  const std::string wineRegistry = registryWith(kWowKey, kFolderLine);
  prefix.writeRegistry(wineRegistry);
  const std::string store = prefix.temp / "registry.reg";
  PosixPlatform platform{PosixPlatformOptions{store, prefix.temp.path().string(), prefix.path}};
  EXPECT_EQ(queryGameFolder(platform), prefix.real("/UnrealTournament") + '\0');
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  EXPECT_EQ(platform.regQueryValue(key, "Path"), std::nullopt) << "the borrowing is for the game folder only";
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::LocalMachine, "Software\\Unreal Technology"), kNoRegistryKey);
  EXPECT_FALSE(fs::exists(store));
  ASSERT_TRUE(platform.regSetValue(key, "Folder", RegSz, "/games/ut"));
  EXPECT_EQ(queryGameFolder(platform), std::string("/games/ut") + '\0');
  EXPECT_EQ(readFileBytes(prefix.path + "/system.reg"), wineRegistry) << "Wine's registry is never written";
  PosixPlatform off{PosixPlatformOptions{prefix.temp / "none.reg", "", prefix.path, false}};
  EXPECT_EQ(queryGameFolder(off), std::nullopt);
}

TEST(WineRegistryFallback, ThePrefixComesFromTheEnvironmentOnlyForTheUsersOwnStore) {
  Prefix prefix;
  prefix.writeRegistry(registryWith(kWowKey, kFolderLine));
  const std::string home = prefix.temp / "home";
  fs::create_directories(home);
  const auto set = [](const char* name, const char* value) { value ? ::setenv(name, value, 1) : ::unsetenv(name); };
  const char* names[] = {"XDG_CONFIG_HOME", "WINEPREFIX", "HOME"};
  std::optional<std::string> saved[3];
  for (int i = 0; i < 3; ++i) {
    if (const char* old = std::getenv(names[i])) saved[i] = old;
  }
  set("XDG_CONFIG_HOME", (prefix.temp / "config").c_str());
  set("WINEPREFIX", prefix.path.c_str());
  set("HOME", home.c_str());
  PosixPlatform users;  // the program's own construction
  EXPECT_EQ(queryGameFolder(users), prefix.real("/UnrealTournament") + '\0');
  PosixPlatform named{PosixPlatformOptions{prefix.temp / "store.reg", ""}};
  EXPECT_EQ(queryGameFolder(named), std::nullopt) << "a caller with a store of its own never reads the prefix";
  set("WINEPREFIX", "prefix");  // relative: refused, as Wine refuses it
  const fs::path before = fs::current_path();
  fs::current_path(prefix.temp.path());
  PosixPlatform relative;
  EXPECT_EQ(queryGameFolder(relative), std::nullopt);
  fs::current_path(before);
  set("WINEPREFIX", nullptr);  // then ~/.wine
  EXPECT_EQ(wine::prefixFromEnvironment(), home + "/.wine");
  fs::rename(prefix.path, home + "/.wine");
  PosixPlatform fallback;
  EXPECT_EQ(queryGameFolder(fallback), fs::canonical(home + "/.wine/drive_c/UnrealTournament").string() + '\0');
  for (int i = 0; i < 3; ++i) set(names[i], saved[i] ? saved[i]->c_str() : nullptr);
}

}  // namespace
}  // namespace vexorel
