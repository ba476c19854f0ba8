// What every backend of the platform interface promises, run against the backend of the build: the POSIX
// one natively, the Windows one in the cross build (under Wine here, on Windows for real). The read and
// write rules themselves are the golden files'; this is everything else a caller relies on. The few
// deliberate differences (docs/backend-differences.md) are the last tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/FixtureTable.h"
#include "platform/NativePlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using namespace testing;
namespace fs = std::filesystem;

class BackendContract : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  NativePlatform platform{testing::scratchOptions(folder)};
  // Windows-style names inside the test's folder, and the same file for the test's own access.
  std::string at(const std::string& name) const { return folder.path().string() + "\\" + name; }
  fs::path disk(std::string name) const {
    std::replace(name.begin(), name.end(), '\\', '/');
    return folder.path() / fs::path(name).make_preferred();
  }
  std::string read(const std::string& section, const std::string& key, const std::string& file,
                   std::size_t size = 255) {
    std::string value = "garbage";
    const std::size_t n = platform.getPrivateProfileString(section, key, "Default", value, size, file);
    EXPECT_EQ(n, value.size());
    return value;
  }
};

// fixtures/contract.script: one call or check a line, names inside the test's folder ("=NAME": as
// given, "/NAME": with forward slashes), texts with \\ and \xHH escapes, 1 and 0 for success and failure.
// A "~" before the call: the POSIX backend's own (its error texts, "$F" the folder; its registry store file).
// The registry calls work on one current key of HKEY_LOCAL_MACHINE; "get NAME -" is no such value.
TEST_F(BackendContract, FilesRegistryAndMachineAsTheScriptSays) {
  const auto script = rows(kFixtures / "contract.script");
  ASSERT_GE(script.size(), 90u);
  RegistryKey key = kNoRegistryKey;
  for (auto row : script) {
    SCOPED_TRACE(row[0] + " " + (row.size() > 1 ? row[1] : ""));
    if (row[0][0] == '~') {
#ifdef _WIN32
      continue;
#endif
      row[0].erase(0, 1);
    }
    const std::string& op = row[0];
    const auto same = [](const auto& value, const auto& expected) { EXPECT_EQ(value, expected); };
    const auto path = [&](std::size_t i) {
      return row[i][0] == '='   ? row[i].substr(1)
             : row[i][0] == '/' ? folder.path().generic_string() + row[i]
                                : at(row[i]);
    };
    const auto done = [&](bool result, const std::string& expected) {
      EXPECT_EQ(result, expected == "1");
      EXPECT_TRUE(result || platform.lastError() != "") << "a failure says why";
    };
    if (op == "dir") fs::create_directories(disk(row[1]));
    if (op == "put") writeFileBytes(disk(row[1]), unescaped(row[2]));
    if (op == "bytes") same(readFileBytes(disk(row[1])), unescaped(row.size() > 2 ? row[2] : ""));
    if (op == "remove") fs::remove_all(disk(row[1]));
    if (op == "gone") same(fs::exists(disk(row[1])), false);
    if (op == "ro")
      fs::permissions(disk(row[1]), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                      row[2] == "1" ? fs::perm_options::remove : fs::perm_options::add);
    if (op == "count")
      same(std::distance(fs::directory_iterator(disk(row[1])), {}), std::stol(row[2]));  // no temporary file left
    if (op == "read") same(read(row[1], row[2], path(3), row.size() > 5 ? std::stoul(row[5]) : 255), row[4]);
    if (op == "ini") done(platform.writePrivateProfileString(row[1], row[2], unescaped(row[3]), path(4)), row[5]);
    if (op == "find") done(platform.findFirstFile(path(1)), row[2]);
    if (op == "mkdir") done(platform.createDirectory(path(1)), row[2]);
    if (op == "empty") done(platform.createEmptyFile(path(1)), row[2]);
    if (op == "delete") done(platform.deleteFile(path(1)), row[2]);
    if (op == "copy") done(platform.copyFile(path(1), path(2), row[3] == "1"), row[4]);
    if (op == "said") {
      std::string text = unescaped(row[1]);
      for (std::size_t at; (at = text.find("$F")) != std::string::npos;) text.replace(at, 2, folder.path().string());
      same(platform.lastError(), text);
    }
    if (op == "key")
      same((key = platform.regCreateKey(RegistryRoot::LocalMachine, unescaped(row[1]))) == kNoRegistryKey, false);
    if (op == "open")
      same((key = platform.regOpenKey(RegistryRoot::LocalMachine, unescaped(row[1]))) != kNoRegistryKey, row[2] == "1");
    if (op == "close") platform.regCloseKey(key);
    if (op == "set") done(platform.regSetValue(key, row[1], static_cast<std::uint32_t>(std::stoul(row[2])), unescaped(row[3])), row[4]);
    if (op == "get") {
      const auto value = platform.regQueryValue(key, row[1]);
      EXPECT_EQ(value.has_value(), row[2] != "-");
      EXPECT_TRUE(value || platform.lastError() != "");
      EXPECT_TRUE(!value || (value->type == std::stoul(row[2]) && value->bytes == unescaped(row[3])));
    }
  }
  writeFileBytes(disk("Vexorel.ini"), "");
  EXPECT_TRUE(fs::equivalent(platform.getCurrentDirectory(), folder.path()));
  EXPECT_TRUE(fs::equivalent(platform.getFullPathName("Vexorel.ini"), disk("Vexorel.ini")));
  EXPECT_TRUE(fs::equivalent(platform.getFullPathName(".\\BACKUP\\..\\Vexorel.ini"), disk("Vexorel.ini")));
  EXPECT_TRUE(fs::equivalent(platform.displayPath(at("Vexorel.ini")), disk("Vexorel.ini")));
  EXPECT_GT(platform.totalPhysicalMemory(), 16ull << 20);
  EXPECT_EQ(platform.shellExecute("Open", at("Help\\Vexorel.hlp"), "", 1), 2) << "a missing file is 'file not found'";
  EXPECT_NE(platform.lastError(), "");
  platform.sleep(1);
}

// --- The deliberate differences ---

TEST_F(BackendContract, ALeadingBlankIsWrittenUtf16FilesAreBytesAndWildcardsAreOnlyWindows) {
  writeFileBytes(disk("UT.ini"), "[Engine.GameEngine]\r\nCacheSizeMegs=4\r\n");
  ASSERT_TRUE(platform.writePrivateProfileString("Engine.GameEngine", "CacheSizeMegs", " 96", at("UT.ini")));
  EXPECT_EQ(readFileBytes(disk("UT.ini")), "[Engine.GameEngine]\r\nCacheSizeMegs= 96\r\n"s) << "written as given";
  EXPECT_EQ(read("Engine.GameEngine", "CacheSizeMegs", at("UT.ini")), "96") << "reads trim it";
  // The engine reads bytes: in a UTF-16 file the NULs break every line up, so nothing matches. (The
  // Windows calls would read one with a byte-order mark; the game never writes such a file.)
  std::string wide;
  for (char c : "[A]\r\nk=v\r\n"s) wide += std::string(1, c) + '\0';
  writeFileBytes(disk("Wide.ini"), wide);
  writeFileBytes(disk("Marked.ini"), "\xFF\xFE" + wide);
  writeFileBytes(disk("Last.ini"), "");
  EXPECT_EQ(read("A", "k", at("Wide.ini")), "Default");
  EXPECT_EQ(read("A", "k", at("Marked.ini")), "Default");
#ifdef _WIN32
  EXPECT_TRUE(platform.findFirstFile(at("*.ini")));
  EXPECT_TRUE(platform.findFirstFile(at("L?st.ini")));
#else
  EXPECT_FALSE(platform.findFirstFile(at("*.ini")));
  EXPECT_FALSE(platform.findFirstFile(at("L?st.ini")));
#endif
}

}  // namespace
}  // namespace vexorel
