// Windows-style paths on the POSIX file system, and the file and folder calls of the backend.
#include <gtest/gtest.h>
#include <sys/stat.h>

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
  const struct {
    const char* path;
    const char* absolute;
  } cases[] = {
      {"C:\\Games\\UT\\\\System\\UnrealTournament.ini", "/start/C:/Games/UT/System/UnrealTournament.ini"},
      {"/games/ut\\\\System\\", "/games/ut/System"},
      {"Vexorel.ini", "/start/Vexorel.ini"},
      {".\\BACKUP\\..\\Vexorel.ini", "/start/Vexorel.ini"},
      {"\\\\", "/"},
      {"/a/../../b", "/b"},
      {"", "/start"},
  };
  for (const auto& c : cases) EXPECT_EQ(paths::makeAbsolute(c.path, "/start"), c.absolute) << c.path;
  EXPECT_EQ(paths::toPosixSeparators("a\\\\b//c\\"), "a/b/c");
  EXPECT_EQ(paths::toPosixSeparators("\\"), "/");
  EXPECT_EQ(paths::parentOf("/a/b"), "/a");
  EXPECT_EQ(paths::parentOf("/a"), "/");
}

TEST(PathLookup, FindsEachComponentInAnyLetterCase) {
  TempFolder folder;
  fs::create_directories(folder.path() / "Game" / "system");
  fs::create_directories(folder.path() / "BACKUP");
  writeFileBytes(folder.path() / "Game" / "system" / "UnrealTournament.ini", "");
  const std::string base = folder.path().string();
  EXPECT_EQ(paths::resolve("GAME\\System\\unrealtournament.ini", base), base + "/Game/system/UnrealTournament.ini");
  EXPECT_EQ(paths::resolve("\\backup", base + "/"), "/backup");  // an absolute path stays absolute
  EXPECT_EQ(paths::resolve(base + "\\backup\\Last.ini", "/"), base + "/BACKUP/Last.ini");
  // Components found nowhere stay as spelt, and so does everything below them.
  EXPECT_EQ(paths::resolve("game\\New\\system", base), base + "/Game/New/system");
  // A name that exists as spelt wins over another spelling.
  fs::create_directories(folder.path() / "backup");
  EXPECT_EQ(paths::resolve("backup", base), base + "/backup");
  EXPECT_EQ(paths::resolve("Backup", base), base + "/BACKUP");  // the smallest match, not readdir's order
}

class FileCalls : public ::testing::Test {
 protected:
  TempFolder folder;
  PosixPlatform platform{PosixPlatformOptions{folder / "registry.reg", folder.path().string()}};
};

TEST_F(FileCalls, FullPathAndCurrentDirectory) {
  EXPECT_EQ(platform.getCurrentDirectory(), folder.path().string());
  EXPECT_EQ(platform.getFullPathName("Vexorel.ini"), folder / "Vexorel.ini");
  fs::create_directories(folder.path() / "BACKUP");
  EXPECT_EQ(platform.getFullPathName("backup\\x.ini"), folder / "BACKUP/x.ini");
  EXPECT_EQ(platform.displayPath(folder.path().string() + "\\backup\\\\x.ini"), folder / "BACKUP/x.ini");

  PosixPlatform processRelative{PosixPlatformOptions{folder / "registry.reg", ""}};
  EXPECT_EQ(processRelative.getCurrentDirectory(), fs::current_path().string());
  EXPECT_EQ(processRelative.getFullPathName("x.ini"), (fs::current_path() / "x.ini").string());
}

TEST_F(FileCalls, FindCreateAndDelete) {
  EXPECT_FALSE(platform.findFirstFile("BACKUP"));
  EXPECT_NE(platform.lastError(), "");
  ASSERT_TRUE(platform.createDirectory("BACKUP"));
  EXPECT_TRUE(platform.findFirstFile(folder.path().string() + "\\backup"));
  EXPECT_FALSE(platform.createDirectory("backup")) << "an existing folder is a failure";
  EXPECT_FALSE(platform.createDirectory("missing\\inner")) << "the parent must exist";
  EXPECT_EQ(platform.lastError(),
            "cannot create the folder " + (folder / "missing/inner") + ": No such file or directory");

  writeFileBytes(folder.path() / "Vexorel.ini", "old");
  ASSERT_TRUE(platform.createEmptyFile("vexorel.INI"));
  EXPECT_EQ(readFileBytes(folder.path() / "Vexorel.ini"), "");
  ASSERT_TRUE(platform.createEmptyFile("backup\\New.ini"));
  EXPECT_TRUE(fs::exists(folder.path() / "BACKUP" / "New.ini"));
  EXPECT_FALSE(platform.createEmptyFile("missing\\New.ini"));

  ASSERT_TRUE(platform.deleteFile("Backup\\new.ini"));
  EXPECT_FALSE(fs::exists(folder.path() / "BACKUP" / "New.ini"));
  EXPECT_FALSE(platform.deleteFile("Backup\\new.ini"));
  EXPECT_EQ(platform.lastError(), "cannot delete " + (folder / "BACKUP/new.ini") + ": No such file or directory");
  EXPECT_FALSE(platform.deleteFile("backup")) << "a folder is not a file";
}

TEST_F(FileCalls, CopyWithAndWithoutOverwrite) {
  fs::create_directories(folder.path() / "BACKUP");
  const std::string game = folder / "UnrealTournament.ini";
  writeFileBytes(game, "[A]\r\nk=1\r\n");
  ::chmod(game.c_str(), 0640);
  ASSERT_TRUE(platform.copyFile(game, "backup\\Last.ini", true)) << platform.lastError();
  EXPECT_EQ(readFileBytes(folder.path() / "BACKUP" / "Last.ini"), "[A]\r\nk=1\r\n");
  struct stat info {};
  ::stat((folder / "BACKUP/Last.ini").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u) << "a new copy takes the source's permission bits";

  writeFileBytes(game, "[A]\r\nk=2\r\n");
  EXPECT_FALSE(platform.copyFile(game, "backup\\last.ini", true));
  EXPECT_EQ(platform.lastError(), "cannot copy to " + (folder / "BACKUP/Last.ini") + ": the file exists");
  EXPECT_EQ(readFileBytes(folder.path() / "BACKUP" / "Last.ini"), "[A]\r\nk=1\r\n");

  ::chmod((folder / "BACKUP/Last.ini").c_str(), 0600);
  ASSERT_TRUE(platform.copyFile(game, "backup\\last.ini", false));
  EXPECT_EQ(readFileBytes(folder.path() / "BACKUP" / "Last.ini"), "[A]\r\nk=2\r\n");
  ::stat((folder / "BACKUP/Last.ini").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0600u) << "a replaced file keeps its own permission bits";
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "BACKUP"), fs::directory_iterator()), 1);
}

TEST_F(FileCalls, CopyOverALinkReplacesItsTargetAndFailuresKeepTheOldFile) {
  const std::string source = folder / "source.ini";
  writeFileBytes(source, "new");
  fs::create_directories(folder.path() / "real");
  writeFileBytes(folder.path() / "real" / "target.ini", "old");
  fs::create_symlink(folder.path() / "real" / "target.ini", folder.path() / "link.ini");
  ASSERT_TRUE(platform.copyFile(source, "link.ini", false)) << platform.lastError();
  EXPECT_TRUE(fs::is_symlink(folder.path() / "link.ini"));
  EXPECT_EQ(readFileBytes(folder.path() / "real" / "target.ini"), "new");

  writeFileBytes(folder.path() / "readonly.ini", "keep");
  ::chmod((folder / "readonly.ini").c_str(), 0444);
  EXPECT_FALSE(platform.copyFile(source, "readonly.ini", false));
  EXPECT_EQ(platform.lastError(), "cannot write " + (folder / "readonly.ini") + ": the file is read-only");
  EXPECT_EQ(readFileBytes(folder.path() / "readonly.ini"), "keep");

  EXPECT_FALSE(platform.copyFile("missing.ini", "copy.ini", false));
  EXPECT_EQ(platform.lastError(), "cannot read " + (folder / "missing.ini") + ": No such file or directory");
  EXPECT_FALSE(platform.copyFile(source, "nofolder\\copy.ini", false));
  EXPECT_FALSE(fs::exists(folder.path() / "copy.ini"));
  EXPECT_FALSE(platform.copyFile("real", "copy.ini", false)) << "a folder is not copied";
}

TEST_F(FileCalls, MachineShellAndSleep) {
  EXPECT_GT(platform.totalPhysicalMemory(), 16ull << 20);
  EXPECT_EQ(platform.shellExecute("Open", "Help\\Vexorel.hlp", "", 1), 2) << "a missing file is 'file not found'";
  EXPECT_NE(platform.lastError(), "");
  platform.sleep(1);
}

TEST_F(FileCalls, ShellOpenStartsTheDesktopOpenerWithoutAShell) {
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
  for (int i = 0; i < 1000 && !fs::exists(record); ++i) platform.sleep(10);  // waits for the opener, asserts nothing
  EXPECT_EQ(readFileBytes(record), folder / "Help" + "\n1\n" + (folder / "Help/Vexorel.hlp") + "\n");
}

}  // namespace
}  // namespace vexorel
