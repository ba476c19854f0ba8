// What only the POSIX backend has: Windows-style paths on a case-sensitive file system, the desktop opener, the
// vexorel-profile command, and a game installed under Wine, its registry read as a read-only fallback.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/linux/LinuxPlatform.h"
#include "platform/linux/Paths.h"
#include "platform/linux/WinePrefix.h"
#include "support/core/Table.h"
#include "support/core/TempFolder.h"

extern char** environ;

namespace vexorel {
namespace {

using namespace std::string_literals;
using namespace testing;
namespace fs = std::filesystem;

struct Folder : TempFolder {
  Folder() {
    for (const char* made : {"Game/system", "BACKUP", "backup"}) fs::create_directories(path() / made);
    writeFileBytes(path() / "Game" / "system" / "UnrealTournament.ini", "");
  }
};

TABLE_TEST(LinuxPath, IsWhatTheTableSays, RowName(), "platform/fixtures/posix/paths.table", '\t') {
  const Folder folder;
  const std::string path = row[1], base = folder.expanded(row[2]);
  const std::string result = row[0] == "abs"      ? paths::makeAbsolute(path, base)
                             : row[0] == "sep"    ? paths::toPosixSeparators(path)
                             : row[0] == "parent" ? paths::parentOf(path)
                                                  : paths::resolve(path, base);
  EXPECT_EQ(result, folder.expanded(row[3]));
}

// The vexorel-profile command run as a program.
TEST(ProfileTool, RunsAsTheTableSays) {
  const Folder folder;
  writeFileBytes(folder / "UT.ini", "[A]\r\nk=1\r\n[B]\nj = two words \n");
  writeFileBytes(folder / "queries", "A\tk\r\nb\tJ\n\nA\tmissing\tFallback  \nC");
  for (const Row& row : readTable("platform/fixtures/posix/profile.table", '\t')) {
    std::string command = "'" VEXOREL_PROFILE_TOOL "'";
    for (std::size_t i = 2; i < row.size(); ++i) command += " '" + folder.expanded(unescaped(row[i])) + "'";
    const std::string out = folder / "out", err = folder / "err";
    const int status = std::system((command + " >'" + out + "' 2>'" + err + "'").c_str());
    EXPECT_EQ(WEXITSTATUS(status), std::stoi(row[0])) << row.where();
    const bool failed = row[0] != "0";
    const std::string said = readFileBytes(failed ? err : out), expected = folder.expanded(unescaped(row[1]));
    EXPECT_EQ(readFileBytes(failed ? out : err), "") << row.where();
    EXPECT_EQ(row[0] == "2" ? said.substr(0, expected.size()) : said, expected) << row.where();
  }
  EXPECT_EQ(readFileBytes(folder / "UT.ini"), "[A]\r\nk=1\r\n[B]\nj = two words \n[C]\r\nn= 96\r\n");
}

TEST(LinuxFileCalls, TheDesktopOpener) {
  TempFolder folder;
  LinuxPlatform platform{LinuxPlatformOptions{folder / "registry.reg", folder.path().string()}};
  // A stand-in opener on the PATH records its folder and arguments: no shell sees the name.
  for (const char* made : {"bin", "Help"}) fs::create_directories(folder.path() / made);
  writeFileBytes(folder.path() / "Help" / "Vexorel.hlp", "help");
  const std::string record = folder / "record";
  writeFileBytes(folder.path() / "bin" / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$#\" \"$1\" > '" + record +
                                                         ".part' && mv '" + record + ".part' '" + record + "'\n");
  fs::permissions(folder.path() / "bin" / "xdg-open", fs::perms::owner_all);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (folder.path().string() + "/bin:" + oldPath).c_str(), 1);
  const int found = platform.shellExecute("Open", "help\\vexorel.hlp", "help", 1);
  ::setenv("PATH", oldPath.c_str(), 1);
  ASSERT_GT(found, 32);
  for (int i = 0; i < 1000 && !fs::exists(record); ++i) platform.sleep(10);  // waits for the opener
  EXPECT_EQ(readFileBytes(record), folder / "Help" + "\n1\n" + (folder / "Help/Vexorel.hlp") + "\n");
}

constexpr const char* kGameKey = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
const fs::path kWine = testFile("platform/fixtures/wine");

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

std::optional<std::string> queryGameFolder(LinuxPlatform& platform) {
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  const auto data = key == kNoRegistryKey ? std::nullopt : platform.regQueryValue(key, "Folder");
  return data ? std::optional<std::string>(data->bytes) : std::nullopt;
}

TABLE_TEST(WinePath, IsWhereTheTableSays, RowName({0}), "platform/fixtures/wine/paths.table", '\t') {
  const Prefix prefix;
  EXPECT_EQ(wine::translateDrivePath(prefix.path, *prefix.expand(row[0])), prefix.expand(row[1]));
}

TABLE_TEST(WineFolder, IsTheOneTheTableSays, RowName({0}), "platform/fixtures/wine/folders.table", '\t') {
  const Prefix prefix;
  fs::remove(prefix.path + "/system.reg");
  if (fs::exists(kWine / (row[0] + ".reg"))) fs::copy_file(kWine / (row[0] + ".reg"), prefix.path + "/system.reg");
  EXPECT_EQ(wine::findFolder(prefix.path, kGameKey, "Folder"), prefix.expand(row[1]));
}

TEST(WinePrefix, TheReadOnlyRegistryFallbackAndThePrefixOfTheEnvironment) {
  Prefix prefix;
  EXPECT_EQ(wine::translateDrivePath("", "C:\\UnrealTournament"), std::nullopt);
  const std::string store = prefix.temp / "registry.reg", real = *prefix.expand("$C/UnrealTournament");
  LinuxPlatform platform{LinuxPlatformOptions{store, prefix.temp.path().string(), prefix.path}};
  EXPECT_EQ(queryGameFolder(platform), real + '\0');
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  EXPECT_EQ(platform.regQueryValue(key, "Path"), std::nullopt) << "the borrowing is for the game folder only";
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::LocalMachine, "Software\\Unreal Technology"), kNoRegistryKey);
  EXPECT_FALSE(fs::exists(store));
  ASSERT_TRUE(platform.regSetValue(key, "Folder", RegSz, "/games/ut"));
  EXPECT_EQ(queryGameFolder(platform), std::string("/games/ut") + '\0');
  EXPECT_EQ(readFileBytes(prefix.path + "/system.reg"), readFileBytes(kWine / "wow.reg")) << "never written";
  LinuxPlatform off{LinuxPlatformOptions{prefix.temp / "none.reg", "", prefix.path, false}};
  EXPECT_EQ(queryGameFolder(off), std::nullopt);

  // The prefix comes from the environment only for the user's own store: WINEPREFIX, then ~/.wine.
  const std::string home = prefix.temp / "home";
  fs::create_directories(home);
  const auto set = [](const char* name, const char* value) { value ? ::setenv(name, value, 1) : ::unsetenv(name); };
  std::vector<std::pair<const char*, std::optional<std::string>>> saved;
  for (const char* name : {"XDG_CONFIG_HOME", "WINEPREFIX", "HOME"})
    saved.emplace_back(name, std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
  set("XDG_CONFIG_HOME", (prefix.temp / "config").c_str());
  set("WINEPREFIX", prefix.path.c_str());
  set("HOME", home.c_str());
  LinuxPlatform users;  // the program's own construction, its store in the configuration folder
  EXPECT_EQ(queryGameFolder(users), real + '\0');
  ASSERT_TRUE(users.regSetValue(users.regCreateKey(RegistryRoot::LocalMachine, kGameKey), "Folder", RegSz, "x"));
  EXPECT_TRUE(fs::remove(prefix.temp / "config/vexorel/registry.reg")) << "the store follows the configuration folder";
  LinuxPlatform named{LinuxPlatformOptions{prefix.temp / "store.reg", ""}};
  EXPECT_EQ(queryGameFolder(named), std::nullopt) << "a caller with a store of its own never reads the prefix";
  set("WINEPREFIX", "prefix");
  EXPECT_EQ(wine::prefixFromEnvironment(), "") << "a relative prefix is refused, as Wine refuses it";
  set("WINEPREFIX", nullptr);
  EXPECT_EQ(wine::prefixFromEnvironment(), home + "/.wine");
  fs::rename(prefix.path, home + "/.wine");
  LinuxPlatform fallback;
  EXPECT_EQ(queryGameFolder(fallback), fs::canonical(home + "/.wine/drive_c/UnrealTournament").string() + '\0');
  for (const auto& [name, value] : saved) set(name, value ? value->c_str() : nullptr);
  fs::remove(home + "/.wine/dosdevices/c:");
  fs::create_directory_symlink("../drive_gone", home + "/.wine/dosdevices/c:");
  EXPECT_EQ(wine::translateDrivePath(home + "/.wine", "C:\\UnrealTournament"), std::nullopt) << "a C: link to nowhere";
}

// Stand-ins for the game under its name: a program file called UnrealTournament.exe (the kernel cuts its
// short name to "UnrealTournamen") and a program started the Wine way, with the Windows path as its first
// argument. The scan of /proc finds each while it runs, and neither once it has ended.
TEST(LinuxBackend, TheProcessScanFindsAStandInGameRunNativelyOrUnderWine) {
  TempFolder folder;
  const std::string standIn = folder / "UnrealTournament.exe";
  fs::copy_file("/bin/sleep", standIn);
  LinuxPlatform platform{scratchOptions(folder)};
  for (const auto& [program, name] :
       {std::pair{standIn, "sleep"s},
        std::pair{"/bin/sleep"s, "C:\\UnrealTournament\\System\\UnrealTournament.exe"s}}) {
    EXPECT_FALSE(platform.processRunning("UnrealTournament.exe"));
    char* argv[] = {const_cast<char*>(name.c_str()), const_cast<char*>("60"), nullptr};
    pid_t game = 0;
    ASSERT_EQ(::posix_spawn(&game, program.c_str(), nullptr, nullptr, argv, environ), 0);
    // posix_spawn comes back while the kernel is still giving the child its new name and arguments, so
    // the scan is given a moment (at most five seconds) to see them.
    bool seen = false;
    for (int i = 0; i < 500 && !seen; ++i) {
      seen = platform.processRunning("unrealtournament.EXE");
      if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(seen) << name;
    ::kill(game, SIGKILL);
    ::waitpid(game, nullptr, 0);
  }
  EXPECT_FALSE(platform.processRunning("UnrealTournament.exe"));
}

}  // namespace
}  // namespace vexorel
