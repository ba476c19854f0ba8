// Windows-style paths on the POSIX file system, and what only the POSIX backend's file calls do: its
// error texts, the process's own folder, and the desktop opener.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/PosixPaths.h"
#include "platform/PosixPlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;
namespace fs = std::filesystem;

TEST(PathText, SeparatorsAndFullPaths) {
  EXPECT_EQ(paths::makeAbsolute("C:\\Games\\UT\\\\System\\UT.ini", "/start"), "/start/C:/Games/UT/System/UT.ini");
  EXPECT_EQ(paths::makeAbsolute("/games/ut\\\\System\\", "/start"), "/games/ut/System");
  EXPECT_EQ(paths::makeAbsolute(".\\BACKUP\\..\\Vexorel.ini", "/start"), "/start/Vexorel.ini");
  EXPECT_EQ(paths::makeAbsolute("/a/../../b", "/start"), "/b");
  EXPECT_EQ(paths::makeAbsolute("\\\\", "/start"), "/");
  EXPECT_EQ(paths::makeAbsolute("", "/start"), "/start");
  EXPECT_EQ(paths::toPosixSeparators("a\\\\b//c\\"), "a/b/c");
  EXPECT_EQ(paths::parentOf("/a"), "/");
}

TEST(PathLookup, FindsEachComponentInAnyLetterCase) {
  TempFolder folder;
  fs::create_directories(folder.path() / "Game" / "system");
  fs::create_directories(folder.path() / "BACKUP");
  writeFileBytes(folder.path() / "Game" / "system" / "UnrealTournament.ini", "");
  const std::string base = folder.path().string();
  EXPECT_EQ(paths::resolve("GAME\\System\\unrealtournament.ini", base), base + "/Game/system/UnrealTournament.ini");
  EXPECT_EQ(paths::resolve("\\game", base + "/"), "/game") << "an absolute path stays absolute";
  EXPECT_EQ(paths::resolve("game\\New\\system", base), base + "/Game/New/system") << "unknown parts stay as spelt";
  fs::create_directories(folder.path() / "backup");
  EXPECT_EQ(paths::resolve("backup", base), base + "/backup") << "the exact spelling wins";
  EXPECT_EQ(paths::resolve("Backup", base), base + "/BACKUP") << "the smallest match, not readdir's order";
}

TEST(FileCalls, ErrorTextsAndTheProcesssOwnFolder) {
  TempFolder folder;
  PosixPlatform platform{PosixPlatformOptions{folder / "registry.reg", folder.path().string()}};
  EXPECT_FALSE(platform.createDirectory("missing\\inner"));
  EXPECT_EQ(platform.lastError(),
            "cannot create the folder " + (folder / "missing/inner") + ": No such file or directory");
  EXPECT_FALSE(platform.deleteFile("gone.ini"));
  EXPECT_EQ(platform.lastError(), "cannot delete " + (folder / "gone.ini") + ": No such file or directory");
  EXPECT_FALSE(platform.copyFile("missing.ini", "copy.ini", false));
  EXPECT_EQ(platform.lastError(), "cannot read " + (folder / "missing.ini") + ": No such file or directory");
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "v", "NoSuchFolder\\x.ini"));
  EXPECT_EQ(platform.lastError(), "cannot write " + (folder / "NoSuchFolder/x.ini") + ": No such file or directory");
  writeFileBytes(folder.path() / "x.ini", "");
  EXPECT_FALSE(platform.copyFile("x.ini", "x.INI", true));
  EXPECT_EQ(platform.lastError(), "cannot copy to " + (folder / "x.ini") + ": the file exists");
  fs::create_directories(folder.path() / "dir");
  EXPECT_FALSE(platform.copyFile("dir", "copy.ini", false)) << "a folder is not copied";
  EXPECT_EQ(platform.lastError(), "cannot read " + (folder / "dir") + ": it is a folder");
  PosixPlatform processFolder{PosixPlatformOptions{folder / "registry.reg", ""}};
  EXPECT_EQ(processFolder.getFullPathName("x.ini"), (fs::current_path() / "x.ini").string());
}

TEST(FileCalls, ShellOpenStartsTheDesktopOpenerWithoutAShell) {
  TempFolder folder;
  PosixPlatform platform{PosixPlatformOptions{folder / "registry.reg", folder.path().string()}};
  // A stand-in opener on the PATH records its folder and arguments.
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

}  // namespace
}  // namespace vexorel
