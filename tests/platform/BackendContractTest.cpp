// What every backend of the platform interface promises, run against the backend of the build: the POSIX
// one natively, the Windows one in the cross build (under Wine here, on Windows for real). The read and
// write rules themselves are the golden files'; this is everything else a caller relies on. The few
// deliberate differences (docs/backend-differences.md) are the last tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/NativePlatform.h"
#include "support/core/ScratchOptions.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using testing::readFileBytes;
using testing::runningUnderWine;
using testing::writeFileBytes;
namespace fs = std::filesystem;

class BackendContract : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  NativePlatform platform{testing::scratchOptions(folder)};
  // Windows-style names inside the test's folder, and the same file for the test's own access.
  std::string at(const std::string& name) const { return folder.path().string() + "\\" + name; }
  fs::path disk(const std::string& name) const { return folder.path() / fs::path(name).make_preferred(); }
  std::string read(const std::string& section, const std::string& key, const std::string& file,
                   std::size_t size = 255) {
    std::string value = "garbage";
    const std::size_t n = platform.getPrivateProfileString(section, key, "Default", value, size, file);
    EXPECT_EQ(n, value.size());
    return value;
  }
  void makeReadOnly(const std::string& name, bool readOnly) {
    fs::permissions(disk(name), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
  }
  std::size_t entriesIn(const std::string& name) const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(disk(name)), fs::directory_iterator()));
  }
};

TEST_F(BackendContract, EveryFormOfPathReadsAndMissingFilesAreMade) {
  fs::create_directories(folder.path() / "Game" / "System");
  writeFileBytes(disk("Game/System/UnrealTournament.ini"),
                 "[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice\r\n");
  for (const std::string& path : {at("Game\\System\\UnrealTournament.ini"), at("game\\\\SYSTEM\\unrealtournament.INI"),
                                  folder.path().generic_string() + "/Game/System/UnrealTournament.ini",
                                  "Game\\System\\UnrealTournament.ini"s, "Game/System/UnrealTournament.ini"s}) {
    EXPECT_EQ(read("engine.engine", "GAMERENDERDEVICE", path), "D3DDrv.D3DRenderDevice") << path;
  }
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", at("Game\\System\\UnrealTournament.ini"), 4), "D3D");
  for (const char* missing : {"Game\\System\\Missing.ini", "NoFolder\\UnrealTournament.ini", "Game"}) {
    EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", at(missing)), "Default") << missing;
  }
  // A missing file is made (with CRLF lines), in a folder named in any letter case; relative names are in
  // the current folder.
  fs::create_directories(folder.path() / "BACKUP");
  ASSERT_TRUE(platform.writePrivateProfileString("Vexorel", "SaveNumber", "0", at("backup\\Vexorel.ini")));
  EXPECT_EQ(readFileBytes(disk("BACKUP/Vexorel.ini")), "[Vexorel]\r\nSaveNumber=0\r\n");
  ASSERT_TRUE(platform.writePrivateProfileString("Vexorel", "DidBackup", "No", "Relative.ini"));
  EXPECT_EQ(read("Vexorel", "DidBackup", at("Relative.ini")), "No");
}

TEST_F(BackendContract, FailedWritesChangeNothing) {
  const std::string file = at("Game.ini"), original = "[A]\r\nk=1\r\n";
  writeFileBytes(disk("Game.ini"), original);
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "two\r\nlines", file));
  EXPECT_NE(platform.lastError(), "");
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "a\0b"s, file));
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "v", at("NoSuchFolder\\x.ini")));
  EXPECT_NE(platform.lastError(), "");
  EXPECT_FALSE(fs::exists(folder.path() / "NoSuchFolder"));
  makeReadOnly("Game.ini", true);
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "2", file));
  EXPECT_NE(platform.lastError(), "");
  makeReadOnly("Game.ini", false);
  fs::create_directories(folder.path() / "dir.ini");
  EXPECT_FALSE(platform.writePrivateProfileString("A", "k", "v", at("dir.ini")));
  EXPECT_EQ(readFileBytes(disk("Game.ini")), original);
  EXPECT_EQ(entriesIn(""), 2u) << "no temporary file left";
}

TEST_F(BackendContract, FoldersFilesAndFullPaths) {
  EXPECT_FALSE(platform.findFirstFile(at("BACKUP")));
  EXPECT_NE(platform.lastError(), "");
  ASSERT_TRUE(platform.createDirectory(at("BACKUP"))) << platform.lastError();
  EXPECT_TRUE(platform.findFirstFile(at("backup")));
  EXPECT_TRUE(platform.findFirstFile(folder.path().generic_string() + "/BACKUP/"));
  EXPECT_FALSE(platform.createDirectory(at("backup"))) << "an existing folder is a failure";
  EXPECT_FALSE(platform.createDirectory(at("missing\\inner"))) << "the parent must exist";

  writeFileBytes(disk("Vexorel.ini"), "old");
  ASSERT_TRUE(platform.createEmptyFile(at("vexorel.INI")));
  EXPECT_EQ(readFileBytes(disk("Vexorel.ini")), "");
  EXPECT_FALSE(platform.createEmptyFile(at("missing\\New.ini")));

  const std::string game = at("UnrealTournament.ini");
  writeFileBytes(disk("UnrealTournament.ini"), "[A]\r\nk=1\r\n");
  ASSERT_TRUE(platform.copyFile(game, at("backup\\Last.ini"), true)) << platform.lastError();
  writeFileBytes(disk("UnrealTournament.ini"), "[A]\r\nk=2\r\n");
  EXPECT_FALSE(platform.copyFile(game, at("BACKUP\\last.ini"), true)) << "the target exists";
  EXPECT_EQ(readFileBytes(disk("BACKUP/Last.ini")), "[A]\r\nk=1\r\n");
  ASSERT_TRUE(platform.copyFile(game, at("BACKUP\\Last.ini"), false)) << platform.lastError();
  EXPECT_EQ(readFileBytes(disk("BACKUP/Last.ini")), "[A]\r\nk=2\r\n");
  EXPECT_EQ(entriesIn("BACKUP"), 1u) << "no temporary file left";
  makeReadOnly("BACKUP/Last.ini", true);
  EXPECT_FALSE(platform.copyFile(game, at("BACKUP\\Last.ini"), false)) << "a read-only file is not replaced";
  makeReadOnly("BACKUP/Last.ini", false);
  EXPECT_EQ(readFileBytes(disk("BACKUP/Last.ini")), "[A]\r\nk=2\r\n");
  EXPECT_FALSE(platform.copyFile(at("missing.ini"), at("copy.ini"), false));
  EXPECT_FALSE(platform.copyFile(game, at("nofolder\\copy.ini"), false));

  ASSERT_TRUE(platform.deleteFile(at("Backup\\Last.ini")));
  EXPECT_FALSE(fs::exists(disk("BACKUP/Last.ini")));
  EXPECT_FALSE(platform.deleteFile(at("Backup\\Last.ini")));
  EXPECT_NE(platform.lastError(), "");
  EXPECT_FALSE(platform.deleteFile(at("backup"))) << "a folder is not a file";

  EXPECT_TRUE(fs::equivalent(platform.getCurrentDirectory(), folder.path()));
  EXPECT_TRUE(fs::equivalent(platform.getFullPathName("Vexorel.ini"), disk("Vexorel.ini")));
  EXPECT_TRUE(fs::equivalent(platform.getFullPathName(".\\BACKUP\\..\\Vexorel.ini"), disk("Vexorel.ini")));
  EXPECT_TRUE(fs::equivalent(platform.displayPath(at("Vexorel.ini")), disk("Vexorel.ini")));
}

TEST_F(BackendContract, RegistryValuesOfEveryKind) {
  const std::string key = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::LocalMachine, key), kNoRegistryKey);
  EXPECT_FALSE(platform.regQueryValue(kNoRegistryKey, "Folder").has_value());
  const RegistryKey created = platform.regCreateKey(RegistryRoot::LocalMachine, key);
  ASSERT_NE(created, kNoRegistryKey) << platform.lastError();
  ASSERT_TRUE(platform.regSetValue(created, "Folder", RegSz, "C:\\Games\\UT")) << platform.lastError();
  ASSERT_TRUE(platform.regSetValue(created, "Version", RegBinary, "\x90\x01"));
  ASSERT_TRUE(platform.regSetValue(created, "Count", RegDword, "\x2a\0\0\0"s));
  platform.regCloseKey(created);

  const RegistryKey opened =
      platform.regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\unreal technology\\Installed Apps\\UnrealTournament");
  ASSERT_NE(opened, kNoRegistryKey);
  const auto expect = [&](const char* name, std::uint32_t type, const std::string& bytes) {
    const auto value = platform.regQueryValue(opened, name);
    ASSERT_TRUE(value.has_value()) << name;
    EXPECT_EQ(value->type, type) << name;
    EXPECT_EQ(value->bytes, bytes) << name;
  };
  expect("folder", RegSz, "C:\\Games\\UT\0"s);
  expect("Version", RegBinary, "\x90\x01");
  expect("Count", RegDword, "\x2a\0\0\0"s);
  EXPECT_FALSE(platform.regQueryValue(opened, "Missing").has_value());
  EXPECT_NE(platform.lastError(), "");
  ASSERT_TRUE(platform.regSetValue(opened, "Folder", RegBinary, "\x01")) << "replaced by a value of another type";
  expect("Folder", RegBinary, "\x01");
  platform.regCloseKey(opened);
  EXPECT_FALSE(platform.regQueryValue(opened, "Folder").has_value()) << "a closed handle is no longer valid";
  EXPECT_FALSE(platform.regSetValue(opened, "Folder", RegSz, "x"));
}

TEST_F(BackendContract, MachineShellAndPauses) {
  EXPECT_GT(platform.totalPhysicalMemory(), 16ull << 20);
  EXPECT_EQ(platform.shellExecute("Open", at("Help\\Vexorel.hlp"), "", 1), 2) << "a missing file is 'file not found'";
  EXPECT_NE(platform.lastError(), "");
  platform.sleep(1);
}

// --- The deliberate differences ---

TEST_F(BackendContract, ALeadingBlankIsWrittenExceptByWine) {
  writeFileBytes(disk("UT.ini"), "[Engine.GameEngine]\r\nCacheSizeMegs=4\r\n");
  ASSERT_TRUE(platform.writePrivateProfileString("Engine.GameEngine", "CacheSizeMegs", " 96", at("UT.ini")));
  const char* line = runningUnderWine() ? "CacheSizeMegs=96\r\n" : "CacheSizeMegs= 96\r\n";
  EXPECT_EQ(readFileBytes(disk("UT.ini")), "[Engine.GameEngine]\r\n"s + line);
  EXPECT_EQ(read("Engine.GameEngine", "CacheSizeMegs", at("UT.ini")), "96") << "reads trim it everywhere";
}

TEST_F(BackendContract, Utf16FilesAndWildcardsAreOnlyWindows) {
  std::string wide;
  for (char c : "[A]\r\nk=v\r\n"s) wide += std::string(1, c) + '\0';
  writeFileBytes(disk("Wide.ini"), wide);
  writeFileBytes(disk("Marked.ini"), "\xFF\xFE" + wide);
  writeFileBytes(disk("Last.ini"), "");
#ifdef _WIN32
  // Windows guesses UTF-16 even without a byte-order mark; Wine only trusts the mark.
  EXPECT_EQ(read("A", "k", at("Wide.ini")), runningUnderWine() ? "Default" : "v");
  EXPECT_EQ(read("A", "k", at("Marked.ini")), "v");
  EXPECT_TRUE(platform.findFirstFile(at("*.ini")));
  EXPECT_TRUE(platform.findFirstFile(at("L?st.ini")));
#else
  // The POSIX engine reads bytes: the NULs break every line up, so nothing matches.
  EXPECT_EQ(read("A", "k", at("Wide.ini")), "Default");
  EXPECT_EQ(read("A", "k", at("Marked.ini")), "Default");
  EXPECT_FALSE(platform.findFirstFile(at("*.ini")));
  EXPECT_FALSE(platform.findFirstFile(at("L?st.ini")));
#endif
}

}  // namespace
}  // namespace vexorel
