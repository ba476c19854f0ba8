// What only the POSIX backend has: Windows-style paths on a case-sensitive file system, its own error
// texts, the desktop opener, the registry store in export-file format, and the vexorel-profile command.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FixtureTable.h"
#include "platform/PosixPaths.h"
#include "platform/PosixPlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using namespace testing;
namespace fs = std::filesystem;

// fixtures/posix/paths.table: CALL<tab>PATH<tab>BASE<tab>RESULT a line, $F the test's folder.
TEST(PosixPaths, SeparatorsFullPathsAndLookupInAnyLetterCase) {
  TempFolder folder;
  for (const char* made : {"Game/system", "BACKUP", "backup"}) fs::create_directories(folder.path() / made);
  writeFileBytes(folder.path() / "Game" / "system" / "UnrealTournament.ini", "");
  const auto expand = [&](std::string text) {
    return text.rfind("$F", 0) == 0 ? folder.path().string() + text.substr(2) : text;
  };
  const auto table = rows(kFixtures / "posix/paths.table");
  ASSERT_GE(table.size(), 13u);
  for (const auto& row : table) {
    const std::string path = row[1], base = expand(row[2]);
    const std::string result = row[0] == "abs"      ? paths::makeAbsolute(path, base)
                               : row[0] == "sep"    ? paths::toPosixSeparators(path)
                               : row[0] == "parent" ? paths::parentOf(path)
                                                    : paths::resolve(path, base);
    EXPECT_EQ(result, expand(row[3])) << row[0] << " " << path;
  }
}

TEST(PosixFileCalls, ErrorTextsTheProcesssOwnFolderAndTheDesktopOpener) {
  TempFolder folder;
  PosixPlatform platform{PosixPlatformOptions{folder / "registry.reg", folder.path().string()}};
  const auto fails = [&](bool done, const std::string& error) {
    EXPECT_FALSE(done);
    EXPECT_EQ(platform.lastError(), error);
  };
  const std::string gone = ": No such file or directory";
  fails(platform.createDirectory("missing\\inner"), "cannot create the folder " + (folder / "missing/inner") + gone);
  fails(platform.deleteFile("gone.ini"), "cannot delete " + (folder / "gone.ini") + gone);
  fails(platform.copyFile("missing.ini", "copy.ini", false), "cannot read " + (folder / "missing.ini") + gone);
  fails(platform.writePrivateProfileString("A", "k", "v", "NoSuchFolder\\x.ini"),
        "cannot write " + (folder / "NoSuchFolder/x.ini") + gone);
  writeFileBytes(folder.path() / "x.ini", "");
  fails(platform.copyFile("x.ini", "x.INI", true), "cannot copy to " + (folder / "x.ini") + ": the file exists");
  fs::create_directories(folder.path() / "dir");
  fails(platform.copyFile("dir", "copy.ini", false), "cannot read " + (folder / "dir") + ": it is a folder");
  PosixPlatform processFolder{PosixPlatformOptions{folder / "registry.reg", ""}};
  EXPECT_EQ(processFolder.getFullPathName("x.ini"), (fs::current_path() / "x.ini").string());

  // A stand-in opener on the PATH records its folder and arguments: no shell sees the name.
  fs::create_directories(folder.path() / "bin");
  fs::create_directories(folder.path() / "Help");
  writeFileBytes(folder.path() / "Help" / "Vexorel.hlp", "help");
  const std::string record = folder / "record";
  writeFileBytes(folder.path() / "bin" / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$PWD\" \"$#\" \"$1\" > '" + record +
                                                         ".part' && mv '" + record + ".part' '" + record + "'\n");
  fs::permissions(folder.path() / "bin" / "xdg-open", fs::perms::owner_all);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", (folder.path().string() + "/bin:" + oldPath).c_str(), 1);
  const int result = platform.shellExecute("Open", "help\\vexorel.hlp; echo bad", "help", 1);
  const int found = platform.shellExecute("Open", "help\\vexorel.hlp", "help", 1);
  ::setenv("PATH", oldPath.c_str(), 1);
  EXPECT_EQ(result, 2);
  ASSERT_GT(found, 32);
  for (int i = 0; i < 1000 && !fs::exists(record); ++i) platform.sleep(10);  // waits for the opener
  EXPECT_EQ(readFileBytes(record), folder / "Help" + "\n1\n" + (folder / "Help/Vexorel.hlp") + "\n");
}

constexpr const char* kGameKey = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
const std::string kFullKey = "HKEY_LOCAL_MACHINE\\"s + kGameKey;
TEST(RegistryBackend, TheStoreFileIsReadAfreshWrittenLateAndFollowsTheConfigurationFolder) {
  TempFolder folder;
  const std::string store = folder / "config/vexorel/registry.reg";
  PosixPlatform platform{PosixPlatformOptions{store, folder.path().string()}};
  const RegistryKey created = platform.regCreateKey(RegistryRoot::LocalMachine, kGameKey);
  EXPECT_FALSE(fs::exists(store)) << "the store is written with the first value, not before";
  const RegistryKey again = platform.regOpenKey(RegistryRoot::LocalMachine,
                                                "software\\UNREAL technology\\Installed Apps\\UnrealTournament\\");
  EXPECT_NE(again, kNoRegistryKey) << "a created key opens before it holds a value, in any letter case";
  ASSERT_TRUE(platform.regSetValue(created, "Folder", RegSz, "/games/ut")) << platform.lastError();
  EXPECT_EQ(readFileBytes(store),
            "Windows Registry Editor Version 5.00\n\n[" + kFullKey + "]\n\"Folder\"=\"/games/ut\"\n");
  writeFileBytes(store, "[" + kFullKey + "]\n\"Folder\"=\"two\"\n");
  EXPECT_EQ(platform.regQueryValue(again, "folder")->bytes, "two\0"s);
  EXPECT_FALSE(
      platform.regSetValue(platform.regCreateKey(RegistryRoot::LocalMachine, "Software\\Two\nLines"), "F", RegSz, "x"));
  fs::remove(store);
  fs::create_directories(store);
  EXPECT_FALSE(platform.regSetValue(created, "Folder", RegSz, "x")) << "a store that cannot be read is not overwritten";
  EXPECT_TRUE(fs::is_directory(store));

  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  {
    PosixPlatform users;
    EXPECT_TRUE(users.regSetValue(users.regCreateKey(RegistryRoot::LocalMachine, kGameKey), "Folder", RegSz, "x"));
  }
  old ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_TRUE(fs::exists(folder.path() / "vexorel" / "registry.reg"));
}

// The vexorel-profile command run as a program (its reads are checked on every golden file).
// fixtures/posix/profile.table: EXIT<tab>OUTPUT<tab>ARGUMENTS... a line, escaped, $F the test's folder;
// the output (stdout and stderr together) is whole, for usage errors its start.
TEST(ProfileTool, GetSetReadsAndFailures) {
  TempFolder folder;
  const auto expand = [&](std::string text) {
    for (std::size_t at; (at = text.find("$F")) != std::string::npos;) text.replace(at, 2, folder.path().string());
    return text;
  };
  writeFileBytes(folder / "UT.ini", "[A]\r\nk=1\r\n[B]\nj = two words \n");
  writeFileBytes(folder / "queries", "A\tk\r\nb\tJ\n\nA\tmissing\tFallback  \nC");
  const auto table = rows(kFixtures / "posix/profile.table");
  ASSERT_GE(table.size(), 10u);
  for (const auto& row : table) {
    std::string command = "'" VEXOREL_PROFILE_TOOL "'";
    for (std::size_t i = 2; i < row.size(); ++i) command += " '" + expand(unescaped(row[i])) + "'";
    const int status = std::system((command + " >'" + folder / "out" + "' 2>&1").c_str());
    EXPECT_EQ(WEXITSTATUS(status), std::stoi(row[0])) << command;
    const std::string said = readFileBytes(folder / "out"), expected = expand(unescaped(row[1]));
    EXPECT_EQ(row[0] == "2" ? said.substr(0, expected.size()) : said, expected) << command;
  }
  EXPECT_EQ(readFileBytes(folder / "UT.ini"), "[A]\r\nk=1\r\n[B]\nj = two words \n[C]\r\nn= 96\r\n");
}

}  // namespace
}  // namespace vexorel
