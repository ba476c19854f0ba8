// Private-profile reads and writes on real files through the POSIX backend: atomic replacement, links,
// permission bits, read-only files, missing folders, and failures reported with a reason.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/PosixPlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;
namespace fs = std::filesystem;

class ProfileFile : public ::testing::Test {
 protected:
  TempFolder folder;
  PosixPlatform platform{PosixPlatformOptions{folder / "registry.reg", folder.path().string()}};

  std::string read(const std::string& section, const std::string& key, const std::string& file) {
    std::string value = "garbage";
    const std::size_t n = platform.getPrivateProfileString(section, key, "Default", value, 255, file);
    EXPECT_EQ(n, value.size());
    return value;
  }

  std::size_t entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()));
  }
};

TEST_F(ProfileFile, ReadsThroughWindowsStylePaths) {
  fs::create_directories(folder.path() / "Game" / "System");
  writeFileBytes(folder.path() / "Game" / "System" / "UnrealTournament.ini",
                 "[Engine.Engine]\r\nGameRenderDevice=X\r\n");
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", folder / "Game\\System\\UnrealTournament.ini"), "X");
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", folder / "game\\\\system\\unrealtournament.INI"), "X");
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", "Game\\System\\UnrealTournament.ini"), "X");  // relative
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", folder / "Game\\System\\Missing.ini"), "Default");
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", folder / "Game"), "Default");  // a folder, not a file
}

TEST_F(ProfileFile, WriteReplacesAtomicallyAndLeavesNoTemporaryFile) {
  const std::string path = folder / "Game.ini";
  writeFileBytes(path, "; keep me\r\n[A]\r\nk=1\r\n\r\n[B]\r\nx=\xE9\r\n");
  ::chmod(path.c_str(), 0640);
  struct stat before {};
  ::stat(path.c_str(), &before);
  ASSERT_TRUE(platform.writePrivateProfileString("A", "k", " 96", path)) << platform.lastError();
  EXPECT_EQ(readFileBytes(path), "; keep me\r\n[A]\r\nk= 96\r\n\r\n[B]\r\nx=\xE9\r\n");
  struct stat after {};
  ::stat(path.c_str(), &after);
  EXPECT_NE(before.st_ino, after.st_ino) << "the file was rewritten in place, not replaced";
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(entries(), 1u);
  EXPECT_EQ(read("A", "k", path), "96");
}

TEST_F(ProfileFile, WriteCreatesAMissingFileButNoMissingFolder) {
  ASSERT_TRUE(platform.writePrivateProfileString("Vexorel", "SaveNumber", "0", "Vexorel.ini"));
  ASSERT_TRUE(platform.writePrivateProfileString("Vexorel", "DidBackup", "No", "Vexorel.ini"));
  EXPECT_EQ(readFileBytes(folder.path() / "Vexorel.ini"), "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=No\r\n");
  struct stat info {};
  ::stat((folder / "Vexorel.ini").c_str(), &info);
  EXPECT_EQ(info.st_mode & 0600, 0600u);

  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "v", "NoSuchFolder\\x.ini"));
  EXPECT_EQ(platform.lastError(), "cannot write " + (folder / "NoSuchFolder/x.ini") + ": No such file or directory");
  EXPECT_FALSE(fs::exists(folder.path() / "NoSuchFolder"));
}

TEST_F(ProfileFile, WriteFindsFoldersAndFilesInAnyLetterCase) {
  fs::create_directories(folder.path() / "BACKUP");
  writeFileBytes(folder.path() / "BACKUP" / "UTTemp.ini", "[A]\nk=1\n");
  ASSERT_TRUE(platform.writePrivateProfileString("A", "k", "2", folder / "backup\\uttemp.ini"));
  EXPECT_EQ(readFileBytes(folder.path() / "BACKUP" / "UTTemp.ini"), "[A]\nk=2\n");
  EXPECT_EQ(entries(), 1u);
}

TEST_F(ProfileFile, WriteReplacesTheTargetOfASymbolicLink) {
  fs::create_directories(folder.path() / "real");
  writeFileBytes(folder.path() / "real" / "UT.ini", "[A]\nk=1\n");
  fs::create_symlink("real/UT.ini", folder.path() / "link.ini");
  ASSERT_TRUE(platform.writePrivateProfileString("A", "k", "2", folder / "link.ini")) << platform.lastError();
  EXPECT_TRUE(fs::is_symlink(folder.path() / "link.ini"));
  EXPECT_EQ(readFileBytes(folder.path() / "real" / "UT.ini"), "[A]\nk=2\n");
  EXPECT_EQ(read("A", "k", folder / "link.ini"), "2");
}

TEST_F(ProfileFile, FailuresAreReportedAndTheFileStaysAsItWas) {
  const std::string path = folder / "Game.ini";
  const std::string original = "[A]\r\nk=1\r\n";
  writeFileBytes(path, original);

  ::chmod(path.c_str(), 0444);
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "2", path));
  EXPECT_EQ(platform.lastError(), "cannot write " + path + ": the file is read-only");
  ::chmod(path.c_str(), 0644);

  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "two\r\nlines", path));
  EXPECT_EQ(platform.lastError(), "cannot write " + path + ": the value contains a line break");
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", std::string("a\0b", 3), path));
  EXPECT_FALSE(platform.writePrivateProfileString("A", "", "v", path));

  fs::create_directories(folder.path() / "dir.ini");
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "v", folder / "dir.ini"));
  EXPECT_EQ(platform.lastError(), "cannot write " + (folder / "dir.ini") + ": it is a folder");

  EXPECT_EQ(readFileBytes(path), original);
  EXPECT_EQ(entries(), 2u);
}

TEST_F(ProfileFile, LeftoverTemporaryFilesAreNeverReadAndAreCleanedUp) {
  const std::string path = folder / "Game.ini";
  writeFileBytes(path, "[A]\nk=1\n");
  // What a writer killed between creating and renaming its temporary file leaves behind (no process
  // has id 999999999).
  writeFileBytes(folder.path() / ".Game.ini.vxtmp-999999999-0", "[A]\nk=half");
  EXPECT_EQ(read("A", "k", folder / "game.ini"), "1");
  ASSERT_TRUE(platform.writePrivateProfileString("A", "k", "2", path));
  EXPECT_FALSE(fs::exists(folder.path() / ".Game.ini.vxtmp-999999999-0"));
  EXPECT_EQ(entries(), 1u);
}

TEST_F(ProfileFile, SameValueAgainLeavesTheFileAlone) {
  const std::string path = folder / "Game.ini";
  writeFileBytes(path, "[A]\nk=1\n");
  struct stat before {};
  ::stat(path.c_str(), &before);
  ASSERT_TRUE(platform.writePrivateProfileString("A", "k", "1", path));
  struct stat after {};
  ::stat(path.c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);
}

TEST_F(ProfileFile, DemoGameFileSurvivesASeriesOfWrites) {
  const fs::path demo = fs::path(VEXOREL_SOURCE_DIR) / "examples" / "game" / "System" / "UnrealTournament.ini";
  const std::string original = readFileBytes(demo);
  ASSERT_FALSE(original.empty());
  const std::string path = folder / "UnrealTournament.ini";
  writeFileBytes(path, original);
  const std::string device = read("Engine.Engine", "GameRenderDevice", path);
  ASSERT_NE(device, "Default");
  const std::string cache = read("Engine.GameEngine", "CacheSizeMegs", path);
  ASSERT_TRUE(platform.writePrivateProfileString("Engine.GameEngine", "CacheSizeMegs", " 96", path));
  ASSERT_TRUE(platform.writePrivateProfileString("Engine.GameEngine", "CacheSizeMegs", cache, path));
  EXPECT_EQ(readFileBytes(path), original);
}

}  // namespace
}  // namespace vexorel
