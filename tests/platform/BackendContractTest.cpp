// What every backend of the platform interface promises, run against the backend of the build: the POSIX
// one natively, the Windows one in the cross build (under Wine here, on Windows for real). The read and
// write rules themselves are the golden files'; this is everything else a caller relies on. The few
// deliberate differences (docs/backend-differences.md) are the last tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
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

// fixtures/contract.script, a case a block of lines that starts with "case NAME".
struct Scene {
  std::string name;
  std::vector<Row> steps;
};

std::vector<Scene> scenes() {
  std::vector<Scene> found;
  for (const Row& row : readTable("platform/fixtures/contract.script", '\t')) {
    if (row.field(0) == "case" || found.empty()) found.push_back({row.field(0) == "case" ? row.field(1) : row.where(), {}});
    if (row.field(0) != "case") found.back().steps.push_back(row);
  }
  return found;
}

void PrintTo(const Scene& scene, std::ostream* out) {
  *out << scene.name;
}

class BackendScript : public BackendContract, public ::testing::WithParamInterface<Scene> {
 protected:
  RegistryKey key = kNoRegistryKey;

  std::string path(const Row& row, std::size_t i) const {
    return row[i][0] == '='   ? row[i].substr(1)
           : row[i][0] == '/' ? folder.path().generic_string() + row[i]
                              : at(row[i]);
  }
  // A call's success as the line expects it; a failure always says why.
  void done(bool result, const std::string& expected) {
    EXPECT_EQ(result, expected == "1");
    if (!result) {
      EXPECT_NE(platform.lastError(), "") << "a failure says why";
    }
  }

  void step(const Row& row) {
    std::string op = row[0];
    if (op.starts_with('~')) {
#ifdef _WIN32
      return;
#endif
      op.erase(0, 1);
    }
    if (op == "dir") {
      fs::create_directories(disk(row[1]));
    } else if (op == "put") {
      writeFileBytes(disk(row[1]), unescaped(row[2]));
    } else if (op == "bytes") {
      EXPECT_EQ(readFileBytes(disk(row[1])), unescaped(row.field(2)));
    } else if (op == "remove") {
      fs::remove_all(disk(row[1]));
    } else if (op == "gone") {
      EXPECT_FALSE(fs::exists(disk(row[1])));
    } else if (op == "ro") {
      setReadOnly(disk(row[1]), row[2] == "1");
    } else if (op == "count") {  // no temporary file left
      EXPECT_EQ(std::distance(fs::directory_iterator(disk(row[1])), {}), std::stol(row[2]));
    } else if (op == "read") {
      EXPECT_EQ(read(row[1], row[2], path(row, 3), std::stoul(row.field(5, "255"))), row[4]);
    } else if (op == "ini") {
      done(platform.writePrivateProfileString(row[1], row[2], unescaped(row[3]), path(row, 4)), row[5]);
    } else if (op == "find") {
      done(platform.findFirstFile(path(row, 1)), row[2]);
    } else if (op == "mkdir") {
      done(platform.createDirectory(path(row, 1)), row[2]);
    } else if (op == "empty") {
      done(platform.createEmptyFile(path(row, 1)), row[2]);
    } else if (op == "delete") {
      done(platform.deleteFile(path(row, 1)), row[2]);
    } else if (op == "copy") {
      done(platform.copyFile(path(row, 1), path(row, 2), row[3] == "1"), row[4]);
    } else if (op == "said") {
      std::string text = unescaped(row[1]);
      for (std::size_t at; (at = text.find("$F")) != std::string::npos;) text.replace(at, 2, folder.path().string());
      EXPECT_EQ(platform.lastError(), text);
    } else if (op == "key") {
      key = platform.regCreateKey(RegistryRoot::LocalMachine, unescaped(row[1]));
      EXPECT_NE(key, kNoRegistryKey);
    } else if (op == "open") {
      key = platform.regOpenKey(RegistryRoot::LocalMachine, unescaped(row[1]));
      EXPECT_EQ(key != kNoRegistryKey, row[2] == "1");
    } else if (op == "close") {
      platform.regCloseKey(key);
    } else if (op == "set") {
      done(platform.regSetValue(key, row[1], std::stoul(row[2]), unescaped(row[3])), row[4]);
    } else if (op == "get") {
      const auto value = platform.regQueryValue(key, row[1]);
      ASSERT_EQ(value.has_value(), row[2] != "-");
      if (!value) {
        EXPECT_NE(platform.lastError(), "");
        return;
      }
      EXPECT_EQ(value->type, std::stoul(row[2]));
      EXPECT_EQ(value->bytes, unescaped(row[3]));
    } else {
      ADD_FAILURE() << "unknown operation " << op;
    }
  }
};

TEST_P(BackendScript, DoesWhatTheScriptSays) {
  for (const Row& row : GetParam().steps) {
    SCOPED_TRACE(row.where() + ": " + row.text);
    step(row);
  }
}

INSTANTIATE_TEST_SUITE_P(Contract, BackendScript, ::testing::ValuesIn(scenes()),
                         [](const auto& info) { return caseName(info.param.name); });

TEST_F(BackendContract, FullPathsTheCurrentFolderTheMachineAndTheShell) {
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
