// What every backend of the platform interface promises, run against each backend a build has: the POSIX
// one natively, the Windows one in the cross build (under Wine here, on Windows for real). A difference
// between backends fails here rather than on a player's machine. The few deliberate differences are
// listed in docs/backend-differences.md, and each has its own test at the end of this file.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <random>
#include <string>

#include "platform/NativePlatform.h"
#include "support/core/ScratchOptions.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using testing::readFileBytes;
using testing::runningUnderWine;
using testing::TempFolder;
using testing::writeFileBytes;
namespace fs = std::filesystem;

struct Backend {
  std::string name;
  std::function<std::unique_ptr<Platform>(const TempFolder&)> make;
};

void PrintTo(const Backend& backend, std::ostream* out) {
  *out << backend.name;
}

std::string backendName(const ::testing::TestParamInfo<Backend>& info) {
  return info.param.name;
}

class BackendContract : public ::testing::TestWithParam<Backend> {
 protected:
  TempFolder folder;
  std::unique_ptr<Platform> platform = GetParam().make(folder);
  // Windows-style names inside the test's folder.
  std::string at(const std::string& name) const { return folder.path().string() + "\\" + name; }
  // The same file for the test's own direct access ('/' between the parts of `name`).
  fs::path disk(const std::string& name) const { return folder.path() / fs::path(name).make_preferred(); }

  std::string read(const std::string& section, const std::string& key, const std::string& file,
                   std::size_t size = 255) {
    std::string value = "garbage";
    const std::size_t n = platform->getPrivateProfileString(section, key, "Default", value, size, file);
    EXPECT_EQ(n, value.size());
    return value;
  }

  void makeReadOnly(const fs::path& path, bool readOnly) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    readOnly ? fs::perm_options::remove : fs::perm_options::add);
  }
};

TEST_P(BackendContract, ReadsThroughEveryFormOfPath) {
  fs::create_directories(folder.path() / "Game" / "System");
  writeFileBytes(folder.path() / "Game" / "System" / "UnrealTournament.ini",
                 "[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice\r\n");
  for (const std::string& path : {at("Game\\System\\UnrealTournament.ini"), at("game\\\\SYSTEM\\unrealtournament.INI"),
                                  folder.path().generic_string() + "/Game/System/UnrealTournament.ini",
                                  "Game\\System\\UnrealTournament.ini"s, "Game/System/UnrealTournament.ini"s}) {
    EXPECT_EQ(read("engine.engine", "GAMERENDERDEVICE", path), "D3DDrv.D3DRenderDevice") << path;
  }
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", at("Game\\System\\Missing.ini")), "Default");
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", at("NoFolder\\UnrealTournament.ini")), "Default");
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", at("Game")), "Default") << "a folder is no file";
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", at("Game\\System\\UnrealTournament.ini"), 4), "D3D");
}

TEST_P(BackendContract, WritesReadBackAndLeaveTheRestAlone) {
  const std::string file = at("UnrealTournament.ini");
  writeFileBytes(disk("UnrealTournament.ini"),
                 "; my notes\r\n[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice\r\nFirst=1\r\n\r\n"
                 "[WinDrv.WindowsClient]\r\nFullscreenViewportX=1024\r\n");
  ASSERT_TRUE(
      platform->writePrivateProfileString("Engine.Engine", "gamerenderdevice", "OpenGLDrv.OpenGLRenderDevice", file))
      << platform->lastError();
  ASSERT_TRUE(platform->writePrivateProfileString("Engine.Engine", "Added", "a=b;c", file));
  ASSERT_TRUE(platform->writePrivateProfileString("Engine.GameEngine", "CacheSizeMegs", "32", file));
  EXPECT_EQ(read("Engine.Engine", "GameRenderDevice", file), "OpenGLDrv.OpenGLRenderDevice");
  EXPECT_EQ(read("Engine.Engine", "Added", file), "a=b;c");
  EXPECT_EQ(read("Engine.Engine", "First", file), "1");
  EXPECT_EQ(read("Engine.GameEngine", "CacheSizeMegs", file), "32");
  EXPECT_EQ(read("WinDrv.WindowsClient", "FullscreenViewportX", file), "1024");
  const std::string bytes = readFileBytes(disk("UnrealTournament.ini"));
  EXPECT_EQ(bytes.rfind("; my notes\r\n[Engine.Engine]\r\n", 0), 0u) << bytes;
  EXPECT_NE(bytes.find("GameRenderDevice=OpenGLDrv.OpenGLRenderDevice\r\n"), std::string::npos) << "spelling kept";
  EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << "CRLF throughout";

  // A missing file is made (with CRLF lines), in a folder named in any letter case.
  fs::create_directories(folder.path() / "BACKUP");
  ASSERT_TRUE(platform->writePrivateProfileString("Vexorel", "SaveNumber", "0", at("backup\\Vexorel.ini")));
  EXPECT_EQ(readFileBytes(folder.path() / "BACKUP" / "Vexorel.ini"), "[Vexorel]\r\nSaveNumber=0\r\n");
  ASSERT_TRUE(platform->writePrivateProfileString("Vexorel", "DidBackup", "No", "Relative.ini"));
  EXPECT_EQ(read("Vexorel", "DidBackup", at("Relative.ini")), "No") << "relative names are in the current folder";
}

TEST_P(BackendContract, HostileFilesGiveBoundedText) {
  std::mt19937 random(99);
  const char alphabet[] = "[]=;\r\n\t \x1A\"'kA\xFF";  // bytes that steer a parser
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<std::size_t>(random() % 400), ' ');
    for (char& c : bytes) c = alphabet[random() % (sizeof alphabet - 1)];
    writeFileBytes(disk("Hostile.ini"), bytes + "\r\n[A]\r\nk=" + std::string(random() % 300, 'v') + "\r\n");
    const std::string value = read("A", "k", at("Hostile.ini"));
    EXPECT_LE(value.size(), 254u) << round;
    EXPECT_EQ(value.find_first_of("\r\n"), std::string::npos) << round;
  }
}

TEST_P(BackendContract, FailedWritesChangeNothing) {
  const std::string file = at("Game.ini");
  const std::string original = "[A]\r\nk=1\r\n";
  writeFileBytes(disk("Game.ini"), original);
  EXPECT_FALSE(platform->writePrivateProfileString("A", "k", "two\r\nlines", file));
  EXPECT_NE(platform->lastError(), "");
  EXPECT_FALSE(platform->writePrivateProfileString("A", "k", "a\0b"s, file));
  EXPECT_FALSE(platform->writePrivateProfileString("A", "k", "v", at("NoSuchFolder\\x.ini")));
  EXPECT_NE(platform->lastError(), "");
  EXPECT_FALSE(fs::exists(folder.path() / "NoSuchFolder"));
  makeReadOnly(disk("Game.ini"), true);
  EXPECT_FALSE(platform->writePrivateProfileString("A", "k", "2", file));
  EXPECT_NE(platform->lastError(), "");
  makeReadOnly(disk("Game.ini"), false);
  fs::create_directories(folder.path() / "dir.ini");
  EXPECT_FALSE(platform->writePrivateProfileString("A", "k", "v", at("dir.ini")));
  EXPECT_EQ(readFileBytes(disk("Game.ini")), original);
}

TEST_P(BackendContract, FoldersAndFiles) {
  EXPECT_FALSE(platform->findFirstFile(at("BACKUP")));
  EXPECT_NE(platform->lastError(), "");
  ASSERT_TRUE(platform->createDirectory(at("BACKUP"))) << platform->lastError();
  EXPECT_TRUE(platform->findFirstFile(at("backup")));
  EXPECT_TRUE(platform->findFirstFile(folder.path().generic_string() + "/BACKUP/"));
  EXPECT_FALSE(platform->createDirectory(at("backup"))) << "an existing folder is a failure";
  EXPECT_FALSE(platform->createDirectory(at("missing\\inner"))) << "the parent must exist";

  writeFileBytes(folder.path() / "Vexorel.ini", "old");
  ASSERT_TRUE(platform->createEmptyFile(at("vexorel.INI")));
  EXPECT_EQ(readFileBytes(folder.path() / "Vexorel.ini"), "");
  EXPECT_FALSE(platform->createEmptyFile(at("missing\\New.ini")));

  const std::string game = at("UnrealTournament.ini");
  writeFileBytes(disk("UnrealTournament.ini"), "[A]\r\nk=1\r\n");
  ASSERT_TRUE(platform->copyFile(game, at("backup\\Last.ini"), true)) << platform->lastError();
  writeFileBytes(disk("UnrealTournament.ini"), "[A]\r\nk=2\r\n");
  EXPECT_FALSE(platform->copyFile(game, at("BACKUP\\last.ini"), true)) << "the target exists";
  EXPECT_EQ(readFileBytes(folder.path() / "BACKUP" / "Last.ini"), "[A]\r\nk=1\r\n");
  ASSERT_TRUE(platform->copyFile(game, at("BACKUP\\Last.ini"), false)) << platform->lastError();
  EXPECT_EQ(readFileBytes(folder.path() / "BACKUP" / "Last.ini"), "[A]\r\nk=2\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "BACKUP"), fs::directory_iterator()), 1)
      << "no temporary file left";
  makeReadOnly(disk("BACKUP/Last.ini"), true);
  EXPECT_FALSE(platform->copyFile(game, at("BACKUP\\Last.ini"), false)) << "a read-only file is not replaced";
  makeReadOnly(disk("BACKUP/Last.ini"), false);
  EXPECT_EQ(readFileBytes(folder.path() / "BACKUP" / "Last.ini"), "[A]\r\nk=2\r\n");
  EXPECT_FALSE(platform->copyFile(at("missing.ini"), at("copy.ini"), false));
  EXPECT_FALSE(platform->copyFile(game, at("nofolder\\copy.ini"), false));

  ASSERT_TRUE(platform->deleteFile(at("Backup\\Last.ini")));
  EXPECT_FALSE(fs::exists(folder.path() / "BACKUP" / "Last.ini"));
  EXPECT_FALSE(platform->deleteFile(at("Backup\\Last.ini")));
  EXPECT_NE(platform->lastError(), "");
  EXPECT_FALSE(platform->deleteFile(at("backup"))) << "a folder is not a file";
}

TEST_P(BackendContract, FullPathsAndTheCurrentFolder) {
  const fs::path current = platform->getCurrentDirectory();
  EXPECT_TRUE(fs::equivalent(current, folder.path()));
  writeFileBytes(folder.path() / "Vexorel.ini", "");
  EXPECT_TRUE(fs::equivalent(platform->getFullPathName("Vexorel.ini"), folder.path() / "Vexorel.ini"));
  EXPECT_TRUE(fs::equivalent(platform->getFullPathName(".\\BACKUP\\..\\Vexorel.ini"), folder.path() / "Vexorel.ini"));
  EXPECT_TRUE(fs::equivalent(platform->displayPath(at("Vexorel.ini")), folder.path() / "Vexorel.ini"));
}

TEST_P(BackendContract, RegistryValuesOfEveryKind) {
  const std::string key = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
  EXPECT_EQ(platform->regOpenKey(RegistryRoot::LocalMachine, key), kNoRegistryKey);
  EXPECT_FALSE(platform->regQueryValue(kNoRegistryKey, "Folder").has_value());
  const RegistryKey created = platform->regCreateKey(RegistryRoot::LocalMachine, key);
  ASSERT_NE(created, kNoRegistryKey) << platform->lastError();
  ASSERT_TRUE(platform->regSetValue(created, "Folder", RegSz, "C:\\Games\\UT")) << platform->lastError();
  ASSERT_TRUE(platform->regSetValue(created, "Version", RegBinary, "\x90\x01"));
  ASSERT_TRUE(platform->regSetValue(created, "Count", RegDword, "\x2a\0\0\0"s));
  platform->regCloseKey(created);

  const RegistryKey opened =
      platform->regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\unreal technology\\Installed Apps\\UnrealTournament");
  ASSERT_NE(opened, kNoRegistryKey);
  const struct {
    const char* name;
    std::uint32_t type;
    std::string bytes;
  } expected[] = {
      {"folder", RegSz, "C:\\Games\\UT\0"s},
      {"Version", RegBinary, "\x90\x01"},
      {"Count", RegDword, "\x2a\0\0\0"s},
  };
  for (const auto& e : expected) {
    const auto value = platform->regQueryValue(opened, e.name);
    ASSERT_TRUE(value.has_value()) << e.name;
    EXPECT_EQ(value->type, e.type) << e.name;
    EXPECT_EQ(value->bytes, e.bytes) << e.name;
  }
  EXPECT_FALSE(platform->regQueryValue(opened, "Missing").has_value());
  EXPECT_NE(platform->lastError(), "");
  // The same value replaced by one of another type.
  ASSERT_TRUE(platform->regSetValue(opened, "Folder", RegBinary, "\x01"));
  EXPECT_EQ(platform->regQueryValue(opened, "Folder")->type, RegBinary);
  platform->regCloseKey(opened);
  EXPECT_FALSE(platform->regQueryValue(opened, "Folder").has_value()) << "a closed handle is no longer valid";
  EXPECT_FALSE(platform->regSetValue(opened, "Folder", RegSz, "x"));
}

TEST_P(BackendContract, MachineShellAndPauses) {
  EXPECT_GT(platform->totalPhysicalMemory(), 16ull << 20);
  EXPECT_EQ(platform->shellExecute("Open", at("Help\\Vexorel.hlp"), "", 1), 2) << "a missing file is 'file not found'";
  EXPECT_NE(platform->lastError(), "");
  platform->sleep(1);
}

// --- The deliberate differences (docs/backend-differences.md) ---

TEST_P(BackendContract, ALeadingBlankIsWrittenExceptByWine) {
  const std::string file = at("UnrealTournament.ini");
  writeFileBytes(disk("UnrealTournament.ini"), "[Engine.GameEngine]\r\nCacheSizeMegs=4\r\n");
  ASSERT_TRUE(platform->writePrivateProfileString("Engine.GameEngine", "CacheSizeMegs", " 96", file));
  const char* line = runningUnderWine() ? "CacheSizeMegs=96\r\n" : "CacheSizeMegs= 96\r\n";
  EXPECT_EQ(readFileBytes(disk("UnrealTournament.ini")), "[Engine.GameEngine]\r\n"s + line);
  EXPECT_EQ(read("Engine.GameEngine", "CacheSizeMegs", file), "96") << "reads trim it everywhere";
}

TEST_P(BackendContract, Utf16FilesAreTextOnlyToWindows) {
  std::string wide;
  for (char c : "[A]\r\nk=v\r\n"s) wide += std::string(1, c) + '\0';
  writeFileBytes(disk("Wide.ini"), wide);
  writeFileBytes(disk("Marked.ini"), "\xFF\xFE" + wide);
#ifdef _WIN32
  // Windows guesses UTF-16 even without a byte-order mark; Wine only trusts the mark.
  EXPECT_EQ(read("A", "k", at("Wide.ini")), runningUnderWine() ? "Default" : "v");
  EXPECT_EQ(read("A", "k", at("Marked.ini")), "v");
#else
  // The POSIX engine reads bytes: the NULs break every line up, so nothing matches.
  EXPECT_EQ(read("A", "k", at("Wide.ini")), "Default");
  EXPECT_EQ(read("A", "k", at("Marked.ini")), "Default");
#endif
}

TEST_P(BackendContract, WildcardsFindFilesOnlyOnWindows) {
  writeFileBytes(disk("Last.ini"), "");
#ifdef _WIN32
  EXPECT_TRUE(platform->findFirstFile(at("*.ini")));
  EXPECT_TRUE(platform->findFirstFile(at("L?st.ini")));
#else
  EXPECT_FALSE(platform->findFirstFile(at("*.ini")));
  EXPECT_FALSE(platform->findFirstFile(at("L?st.ini")));
#endif
}

#ifdef _WIN32
constexpr const char* kNativeName = "Win32";
#else
constexpr const char* kNativeName = "Posix";
#endif

INSTANTIATE_TEST_SUITE_P(Native, BackendContract,
                         ::testing::Values(Backend{kNativeName,
                                                   [](const TempFolder& folder) -> std::unique_ptr<Platform> {
                                                     return std::make_unique<NativePlatform>(
                                                         testing::scratchOptions(folder));
                                                   }}),
                         backendName);

}  // namespace
}  // namespace vexorel
