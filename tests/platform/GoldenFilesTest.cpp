// The golden files in fixtures/, run through the backend of the build (the POSIX engine here, the
// Windows calls in the cross build). Each NAME.ini comes with NAME.queries (SECTION<tab>KEY[<tab>DEFAULT]
// a line) and NAME.expected (what each query reads, a line each, as Windows answers it). A write fixture
// adds NAME.write (SECTION<tab>KEY<tab>VALUE a line, written in order) and NAME.after (the file's exact
// bytes after them); its expected reads are those of the written file.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/NativePlatform.h"
#include "support/core/ScratchOptions.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;
namespace fs = std::filesystem;

// The lines of a fixture file, each split at its tabs.
std::vector<std::vector<std::string>> rows(const fs::path& path) {
  std::vector<std::vector<std::string>> result;
  std::istringstream lines(fs::exists(path) ? readFileBytes(path) : "");
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string>& fields = result.emplace_back();
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
  }
  return result;
}

// Reads every query from `file` and compares it with the expected line.
void expectReads(Platform& platform, const fs::path& fixture, const std::string& file) {
  const auto queries = rows(fs::path(fixture).replace_extension(".queries"));
  const auto expected = rows(fs::path(fixture).replace_extension(".expected"));
  ASSERT_EQ(queries.size(), expected.size());
  for (std::size_t i = 0; i < queries.size(); ++i) {
    const auto& query = queries[i];
    ASSERT_GE(query.size(), 2u) << "line " << i + 1;
    std::string value = "garbage";
    const std::size_t n =
        platform.getPrivateProfileString(query[0], query[1], query.size() > 2 ? query[2] : "", value, 255, file);
    EXPECT_EQ(n, value.size());
    EXPECT_EQ(value, expected[i].empty() ? "" : expected[i][0]) << "query " << query[0] << "/" << query[1];
  }
}

TEST(GoldenFiles, EveryFixtureReadsAndWritesAsExpected) {
  int fixtures = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(VEXOREL_SOURCE_DIR) / "tests/platform/fixtures")) {
    const fs::path ini = entry.path();
    if (ini.extension() != ".ini") continue;
    SCOPED_TRACE(ini.filename().string());
    ++fixtures;
    TempFolder folder;
    NativePlatform platform(testing::scratchOptions(folder));
    const std::string copy = (folder.path() / "game.ini").string();
    writeFileBytes(copy, readFileBytes(ini));
    for (const auto& write : rows(fs::path(ini).replace_extension(".write"))) {
      ASSERT_EQ(write.size(), 3u);
      ASSERT_TRUE(platform.writePrivateProfileString(write[0], write[1], write[2], copy)) << platform.lastError();
    }
    const fs::path after = fs::path(ini).replace_extension(".after");
    if (fs::exists(after)) {
      // Windows rewrites the whole file its own way; the bytes are our engine's promise only.
#ifndef _WIN32
      EXPECT_EQ(readFileBytes(copy), readFileBytes(after));
#endif
      // Whoever reads the bytes we write, the system's calls included, reads the expected values.
      const std::string written = (folder.path() / "after.ini").string();
      writeFileBytes(written, readFileBytes(after));
      expectReads(platform, ini, written);
    }
    expectReads(platform, ini, copy);
  }
  EXPECT_GE(fixtures, 40);
}

}  // namespace
}  // namespace vexorel
