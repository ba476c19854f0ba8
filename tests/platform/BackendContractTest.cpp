// What every backend of the platform interface promises, run against the backend of the build: the POSIX
// one natively, the Windows one in the cross build (under Wine here, on Windows for real). The read and
// write rules themselves are the golden files'; this is everything else a caller relies on, and the few
// deliberate differences (docs/backend-differences.md).
#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/NativePlatform.h"
#include "support/core/Table.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using namespace testing;
namespace fs = std::filesystem;

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

class BackendContract : public ::testing::Test {
 protected:
  TempFolder folder;
  NativePlatform platform{scratchOptions(folder)};
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

// fixtures/contract.script, a case a block of lines, each block from its "case NAME" line on.
std::vector<std::vector<Row>> scenes() {
  std::vector<std::vector<Row>> found;
  for (const Row& row : readTable("platform/fixtures/contract.script", '\t')) {
    if (row.field(0) == "case") found.emplace_back();
    if (!found.empty()) found.back().push_back(row);
  }
  return found;
}

class BackendScript : public BackendContract, public ::testing::WithParamInterface<std::vector<Row>> {
 protected:
  const RegistryRoot hklm = RegistryRoot::LocalMachine;
  RegistryKey key = kNoRegistryKey;

  std::string path(const std::string& name) const {
    return name[0] == '=' ? name.substr(1) : name[0] == '/' ? folder.path().generic_string() + name : at(name);
  }
  // A call's success as the line expects it; a failure always says why.
  void done(bool result, const std::string& expected) {
    EXPECT_EQ(result, expected == "1");
    EXPECT_TRUE(result || !platform.lastError().empty()) << "a failure says why";
  }

  void step(const Row& r) {
    std::string op = r[0];
    if (op.starts_with('~') || op.starts_with('!')) {  // one backend's own line
      if ((op[0] == '!') != kWindows) return;
      op.erase(0, 1);
    }
    const std::map<std::string, std::function<void()>> calls{
        {"case", [] {}},
        {"dir", [&] { fs::create_directories(disk(r[1])); }},
        {"put", [&] { writeFileBytes(disk(r[1]), unescaped(r[2])); }},
        {"bytes", [&] { EXPECT_EQ(readFileBytes(disk(r[1])), unescaped(r.field(2))); }},
        {"remove", [&] { fs::remove_all(disk(r[1])); }},
        {"gone", [&] { EXPECT_FALSE(fs::exists(disk(r[1]))); }},
        {"ro", [&] { setReadOnly(disk(r[1]), r[2] == "1"); }},
        {"mode", [&] { fs::permissions(disk(r[1]), static_cast<fs::perms>(std::stoul(r[2], nullptr, 8))); }},
        {"hasmode", [&] { EXPECT_EQ(unsigned(fs::status(disk(r[1])).permissions()), std::stoul(r[2], nullptr, 8)); }},
        {"old", [&] { fs::last_write_time(disk(r[1]), fs::last_write_time(disk(r[1])) - std::chrono::hours(2)); }},
        {"hardlink", [&] { fs::create_hard_link(disk(r[1]), disk(r[2])); }},
        {"links", [&] { EXPECT_EQ(fs::hard_link_count(disk(r[1])), std::stoul(r[2])); }},
        {"symlink", [&] { fs::create_symlink(folder.expanded(r[1]), disk(r[2])); }},
        {"islink", [&] { EXPECT_EQ(fs::read_symlink(disk(r[1])).string(), folder.expanded(r[2])); }},
        // No temporary file left.
        {"count", [&] { EXPECT_EQ(std::distance(fs::directory_iterator(disk(r[1])), {}), std::stol(r[2])); }},
        {"read", [&] { EXPECT_EQ(read(r[1], r[2], path(r[3]), std::stoul(r.field(5, "255"))), r[4]); }},
        {"ini", [&] { done(platform.writePrivateProfileString(r[1], r[2], unescaped(r[3]), path(r[4])), r[5]); }},
        {"find", [&] { done(platform.findFirstFile(path(r[1])), r[2]); }},
        {"mkdir", [&] { done(platform.createDirectory(path(r[1])), r[2]); }},
        {"empty", [&] { done(platform.createEmptyFile(path(r[1])), r[2]); }},
        {"delete", [&] { done(platform.deleteFile(path(r[1])), r[2]); }},
        {"copy", [&] { done(platform.copyFile(path(r[1]), path(r[2]), r[3] == "1"), r[4]); }},
#ifdef _WIN32
        {"attrs", [&] { ::SetFileAttributesW(disk(r[1]).c_str(), std::stoul(r[2], nullptr, 16)); }},
        {"hasattrs", [&] { EXPECT_EQ(::GetFileAttributesW(disk(r[1]).c_str()), std::stoul(r[2], nullptr, 16)); }},
#endif
        {"said", [&] { EXPECT_EQ(platform.lastError(), folder.expanded(unescaped(r[1]))); }},
        {"key", [&] { EXPECT_NE(key = platform.regCreateKey(hklm, unescaped(r[1])), kNoRegistryKey); }},
        {"open", [&] { EXPECT_EQ((key = platform.regOpenKey(hklm, unescaped(r[1]))) != kNoRegistryKey, r[2] == "1"); }},
        {"close", [&] { platform.regCloseKey(key); }},
        {"set",
         [&] {
           done(platform.regSetValue(key, r[1], static_cast<std::uint32_t>(std::stoul(r[2])), unescaped(r[3])), r[4]);
         }},
        {"get",
         [&] {
           const auto value = platform.regQueryValue(key, r[1]);
           EXPECT_EQ(value ? std::to_string(value->type) : "-", r[2]);
           EXPECT_EQ(value ? value->bytes : "", unescaped(r.field(3)));
           EXPECT_TRUE(value || !platform.lastError().empty()) << "a failure says why";
         }},
    };
    ASSERT_TRUE(calls.count(op)) << "unknown operation " << op;
    calls.at(op)();
  }
};

TEST_P(BackendScript, DoesWhatTheScriptSays) {
  for (const Row& row : GetParam()) {
    SCOPED_TRACE(row.where() + ": " + row.text);
    step(row);
  }
}

INSTANTIATE_TEST_SUITE_P(Contract, BackendScript, ::testing::ValuesIn(scenes()),
                         [](const auto& c) { return caseName(c.param[0].field(1)); });

TEST_F(BackendContract, FullPathsTheCurrentFolderTheMachineAndTheShell) {
  writeFileBytes(disk("Vexorel.ini"), "");
  EXPECT_TRUE(fs::equivalent(platform.getCurrentDirectory(), folder.path()));
  EXPECT_TRUE(fs::equivalent(platform.getFullPathName("Vexorel.ini"), disk("Vexorel.ini")));
  EXPECT_TRUE(fs::equivalent(platform.getFullPathName(".\\BACKUP\\..\\Vexorel.ini"), disk("Vexorel.ini")));
  EXPECT_TRUE(fs::equivalent(platform.displayPath(at("Vexorel.ini")), disk("Vexorel.ini")));
  EXPECT_GT(platform.totalPhysicalMemory(), 16ull << 20);
  EXPECT_EQ(platform.shellExecute("Open", at("Help\\Vexorel.hlp"), "", 1), 2) << "a missing file is 'file not found'";
  EXPECT_NE(platform.lastError(), "");
  // Without a folder of its own a backend takes the process's current one (never the Windows folder).
  NativePlatformOptions options = scratchOptions(folder);
  options.currentDirectory.clear();
  const fs::path before = fs::current_path();
  fs::current_path(folder.path());
  NativePlatform processFolder{options};
  const bool written = processFolder.writePrivateProfileString("Vexorel", "SaveNumber", "0", "Relative.ini");
  fs::current_path(before);
  EXPECT_TRUE(written) << processFolder.lastError();
  EXPECT_TRUE(fs::exists(disk("Relative.ini")));
}

}  // namespace
}  // namespace vexorel
