// A game installed under Wine: Windows drive paths through a prefix's drive links (fixtures/wine/
// paths.table), the game folder found in the prefix's system.reg (folders.table: a NAME.reg and the
// folder found), and the backend's registry falling back to it read-only. "$C" stands for the prefix's
// real drive_c folder, "-" for no answer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "platform/FixtureTable.h"
#include "platform/PosixPlatform.h"
#include "platform/PosixWinePrefix.h"

namespace vexorel {
namespace {

using namespace testing;
namespace fs = std::filesystem;

constexpr const char* kGameKey = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
const fs::path kWine = kFixtures / "wine";

// A prefix as Wine makes it: drive_c, and dosdevices/c: -> ../drive_c and z: -> /.
struct Prefix {
  TempFolder temp;
  std::string path = temp / "prefix", driveC = path + "/drive_c";
  Prefix() {
    for (const char* folder : {"/UnrealTournament/System", "/Other", "/Spiele/Caf\xc3\xa9 \"UT\""}) {
      fs::create_directories(driveC + folder);
    }
    fs::create_directories(path + "/dosdevices");
    fs::create_directory_symlink("../drive_c", path + "/dosdevices/c:");
    fs::create_directory_symlink("/", path + "/dosdevices/z:");
    fs::copy_file(kWine / "wow.reg", path + "/system.reg");
  }
  std::optional<std::string> expand(std::string text) const {
    if (text == "-") return std::nullopt;
    if (const auto at = text.find("$C"); at != std::string::npos) text.replace(at, 2, fs::canonical(driveC).string());
    return text;
  }
};

std::optional<std::string> queryGameFolder(PosixPlatform& platform) {
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  const auto data = key == kNoRegistryKey ? std::nullopt : platform.regQueryValue(key, "Folder");
  return data ? std::optional<std::string>(data->bytes) : std::nullopt;
}

TEST(WinePrefix, DrivePathsAndTheGameFolderAsTheTablesSay) {
  Prefix prefix;
  const auto paths = rows(kWine / "paths.table"), folders = rows(kWine / "folders.table");
  ASSERT_GE(paths.size() + folders.size(), 16u);
  for (const auto& row : paths) {
    EXPECT_EQ(wine::translateDrivePath(prefix.path, *prefix.expand(row[0])), prefix.expand(row[1])) << row[0];
  }
  for (const auto& row : folders) {
    fs::remove(prefix.path + "/system.reg");
    if (fs::exists(kWine / (row[0] + ".reg"))) fs::copy_file(kWine / (row[0] + ".reg"), prefix.path + "/system.reg");
    EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), prefix.expand(row[1])) << row[0];
  }
  EXPECT_EQ(wine::translateDrivePath("", "C:\\UnrealTournament"), std::nullopt);
  fs::remove(prefix.path + "/dosdevices/c:");
  fs::create_directory_symlink("../drive_gone", prefix.path + "/dosdevices/c:");
  EXPECT_EQ(wine::translateDrivePath(prefix.path, "C:\\UnrealTournament"), std::nullopt) << "a C: link to nowhere";
}

TEST(WinePrefix, TheRegistryFallbackIsForTheGameFolderOnlyReadOnlyAndOurStoreFirst) {
  Prefix prefix;
  const std::string store = prefix.temp / "registry.reg", real = *prefix.expand("$C/UnrealTournament");
  PosixPlatform platform{PosixPlatformOptions{store, prefix.temp.path().string(), prefix.path}};
  EXPECT_EQ(queryGameFolder(platform), real + '\0');
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  EXPECT_EQ(platform.regQueryValue(key, "Path"), std::nullopt) << "the borrowing is for the game folder only";
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::LocalMachine, "Software\\Unreal Technology"), kNoRegistryKey);
  EXPECT_FALSE(fs::exists(store));
  ASSERT_TRUE(platform.regSetValue(key, "Folder", RegSz, "/games/ut"));
  EXPECT_EQ(queryGameFolder(platform), std::string("/games/ut") + '\0');
  EXPECT_EQ(readFileBytes(prefix.path + "/system.reg"), readFileBytes(kWine / "wow.reg")) << "never written";
  PosixPlatform off{PosixPlatformOptions{prefix.temp / "none.reg", "", prefix.path, false}};
  EXPECT_EQ(queryGameFolder(off), std::nullopt);

  // The prefix comes from the environment only for the user's own store: WINEPREFIX, then ~/.wine.
  const std::string home = prefix.temp / "home";
  fs::create_directories(home);
  const auto set = [](const char* name, const char* value) { value ? ::setenv(name, value, 1) : ::unsetenv(name); };
  const char* names[] = {"XDG_CONFIG_HOME", "WINEPREFIX", "HOME"};
  std::optional<std::string> saved[3];
  for (int i = 0; i < 3; ++i)
    saved[i] = std::getenv(names[i]) ? std::optional<std::string>(std::getenv(names[i])) : std::nullopt;
  set("XDG_CONFIG_HOME", (prefix.temp / "config").c_str());
  set("WINEPREFIX", prefix.path.c_str());
  set("HOME", home.c_str());
  PosixPlatform users;  // the program's own construction
  EXPECT_EQ(queryGameFolder(users), real + '\0');
  PosixPlatform named{PosixPlatformOptions{prefix.temp / "store.reg", ""}};
  EXPECT_EQ(queryGameFolder(named), std::nullopt) << "a caller with a store of its own never reads the prefix";
  set("WINEPREFIX", "prefix");  // relative: refused, as Wine refuses it
  const fs::path before = fs::current_path();
  fs::current_path(prefix.temp.path());
  PosixPlatform relative;
  EXPECT_EQ(queryGameFolder(relative), std::nullopt);
  fs::current_path(before);
  set("WINEPREFIX", nullptr);
  EXPECT_EQ(wine::prefixFromEnvironment(), home + "/.wine");
  fs::rename(prefix.path, home + "/.wine");
  PosixPlatform fallback;
  EXPECT_EQ(queryGameFolder(fallback), fs::canonical(home + "/.wine/drive_c/UnrealTournament").string() + '\0');
  for (int i = 0; i < 3; ++i) set(names[i], saved[i] ? saved[i]->c_str() : nullptr);
}

}  // namespace
}  // namespace vexorel
