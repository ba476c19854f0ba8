// The golden files in fixtures/, run through the backend of the build (our engine on both systems) and
// through the reference: the vexorel-profile command here, the Windows profile calls themselves in the
// cross build. Each
// NAME.ini comes with NAME.queries (SECTION<tab>KEY[<tab>DEFAULT] a line) and NAME.expected (what each
// query reads, a line each, as Windows answers it). A write fixture adds NAME.write (SECTION<tab>KEY<tab>
// VALUE a line, written in order) and NAME.after (the file's exact bytes after them); its expected reads
// are those of the written file. Then what the files cannot show: other buffer sizes, NULs, refusals.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/FixtureTable.h"
#include "formats/IniEngine.h"
#include "platform/NativePlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using namespace testing;
namespace fs = std::filesystem;

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
#ifdef _WIN32
    char reference[255] = {};
    const DWORD copied = ::GetPrivateProfileStringA(query[0].c_str(), query[1].c_str(),
                                                    query.size() > 2 ? query[2].c_str() : "", reference, 255,
                                                    file.c_str());
    EXPECT_EQ(std::string(reference, copied), value) << "the Windows call, " << query[0] << "/" << query[1];
#endif
  }
#ifndef _WIN32
  const std::string out = file + ".out";
  ASSERT_EQ(std::system(("'" VEXOREL_PROFILE_TOOL "' reads '" + file + "' '" +
                         fs::path(fixture).replace_extension(".queries").string() + "' > '" + out + "'")
                            .c_str()),
            0);
  EXPECT_EQ(readFileBytes(out), readFileBytes(fs::path(fixture).replace_extension(".expected"))) << "vexorel-profile";
#endif
}

TEST(GoldenFiles, EveryFixtureReadsAndWritesAsExpected) {
  int fixtures = 0;
  for (const auto& entry : fs::directory_iterator(kFixtures)) {
    const fs::path ini = entry.path();
    if (ini.extension() != ".ini") continue;
    SCOPED_TRACE(ini.filename().string());
    ++fixtures;
    TempFolder folder;
    NativePlatform platform(scratchOptions(folder));
    const std::string copy = folder / "game.ini";
    writeFileBytes(copy, readFileBytes(ini));
    for (const auto& write : rows(fs::path(ini).replace_extension(".write"))) {
      ASSERT_EQ(write.size(), 3u);
      ASSERT_TRUE(platform.writePrivateProfileString(write[0], write[1], write[2], copy)) << platform.lastError();
    }
    const fs::path after = fs::path(ini).replace_extension(".after");
    if (fs::exists(after)) {
      EXPECT_EQ(readFileBytes(copy), readFileBytes(after));
      // Whoever reads the bytes we write, the system's calls included, reads the expected values.
      const std::string written = folder / "after.ini";
      writeFileBytes(written, readFileBytes(after));
      expectReads(platform, ini, written);
    }
    expectReads(platform, ini, copy);
  }
  EXPECT_GE(fixtures, 40);
}

// engine.table: KEY<tab>DEFAULT<tab>BUFFER SIZE<tab>READ a line, on a file with a long value, quotes and NULs
// (a NUL ends a value; elsewhere it is an ordinary byte).
TEST(IniEngine, BufferSizesDefaultsNulsAndRefusals) {
  const std::string file = "[A]\nk=" + std::string(300, 'x') + "\nq=\"yyyy\"\nn=ab\0cd\nx\0y=1\nm=v\n"s;
  const auto reads = rows(kFixtures / "engine.table");
  ASSERT_GE(reads.size(), 8u);
  for (const auto& c : reads) {
    EXPECT_EQ(ini::readValue(file, "A", c[0], c[1], std::stoul(c[2])), c.size() > 3 ? c[3] : "") << c[0] << " " << c[2];
  }
  EXPECT_EQ(ini::readValue(std::nullopt, "A", "k", "Default ", 255), "Default") << "an unreadable file";
  EXPECT_EQ(ini::applyWrite("[A]\nx=\0\nk=1\n"s, "A", "k", "2"), "[A]\nx=\0\nk=2\n"s);
  // refused.table: SECTION<tab>KEY<tab>VALUE<tab>WHY a line, escaped, WHY empty for a write that is allowed.
  // Found by fuzzing: the line's own Ctrl-Z end mark was kept, so a value ending in one grew with every write.
  const auto refused = rows(kFixtures / "refused.table");
  ASSERT_GE(refused.size(), 13u);
  for (const auto& c : refused) {
    EXPECT_EQ(ini::whyNotWritable(unescaped(c[0]), unescaped(c[1]), unescaped(c[2])), c.size() > 3 ? c[3] : "") << c[2];
  }
}

}  // namespace
}  // namespace vexorel
