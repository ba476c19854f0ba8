// The golden files in fixtures/, each a case of its own, run through the backend of the build (our engine
// on both systems) and, in the cross build, through the Windows profile calls themselves. Each NAME.queries
// (SECTION<tab>KEY[<tab>DEFAULT] a line) comes with NAME.expected (what each query reads, a line each, as Windows
// answers it) and the file NAME.ini. A write fixture adds NAME.write (SECTION<tab>KEY<tab>VALUE a line, written in
// order) and NAME.after (the file's exact bytes after them); its expected reads are those of the written file. Then
// what the files cannot show: other buffer sizes, NULs, refusals.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "platform/NativePlatform.h"
#include "platform/formats/IniEngine.h"
#include "support/core/Table.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using namespace testing;
namespace fs = std::filesystem;

const fs::path kFixtures = testFile("platform/fixtures");

std::vector<std::string> fixtureNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kFixtures))
    if (entry.path().extension() == ".queries") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The file a fixture starts from. Two are not kept beside the others: "demo" is the example game file the
// project ships, and "many-sections" (three thousand sections of one key each) is made here.
std::string original(const std::string& name) {
  if (name == "demo") return demoGameIni();
  if (name != "many-sections") return readFileBytes(kFixtures / (name + ".ini"));
  std::string text;
  for (int i = 0; i < 3000; ++i) text += "[S" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n";
  return text;
}

class GoldenFile : public ::testing::TestWithParam<std::string> {
 protected:
  TempFolder folder;
  NativePlatform platform{scratchOptions(folder)};
  std::string fixture(const std::string& extension) const { return "platform/fixtures/" + GetParam() + extension; }

  // Every query of the fixture, on `file`, reads its expected line.
  void expectReads(const std::string& file) {
    const auto queries = readTable(fixture(".queries"), '\t');
    std::vector<std::string> expected;
    std::istringstream lines(readFileBytes(testFile(fixture(".expected"))));
    for (std::string line; std::getline(lines, line);) expected.push_back(line);
    ASSERT_EQ(queries.size(), expected.size());
    for (std::size_t i = 0; i < queries.size(); ++i) {
      const Row& query = queries[i];
      std::string value = "garbage";
      const std::size_t n = platform.getPrivateProfileString(query[0], query[1], query.field(2), value, 255, file);
      EXPECT_EQ(n, value.size()) << query.where();
      EXPECT_EQ(value, expected[i]) << query.where();
#ifdef _WIN32
      char reference[255] = {};
      const DWORD copied = ::GetPrivateProfileStringA(query[0].c_str(), query[1].c_str(), query.field(2).c_str(),
                                                      reference, 255, file.c_str());
      EXPECT_EQ(std::string(reference, copied), value) << "the Windows call, " << query.where();
#endif
    }
  }
};

TEST_P(GoldenFile, ReadsAndWritesAsExpected) {
  const std::string copy = folder / "game.ini";
  writeFileBytes(copy, original(GetParam()));
  if (fs::exists(testFile(fixture(".write")))) {
    for (const Row& write : readTable(fixture(".write"), '\t')) {
      ASSERT_TRUE(platform.writePrivateProfileString(write[0], write[1], write[2], copy))
          << write.where() << ": " << platform.lastError();
    }
  }
  if (const fs::path after = testFile(fixture(".after")); fs::exists(after)) {
    EXPECT_EQ(readFileBytes(copy), readFileBytes(after));
  }
  expectReads(copy);  // in the cross build the system's own calls read what we wrote, too
}

INSTANTIATE_TEST_SUITE_P(Fixtures, GoldenFile, ::testing::ValuesIn(fixtureNames()),
                         [](const auto& c) { return caseName(c.param); });

TABLE_TEST(EngineRead, ReadsAsTheTableSays, RowName({0, 1, 2}), "platform/fixtures/engine.table", '\t') {
  const std::string file = "[A]\nk=" + std::string(300, 'x') + "\nq=\"yyyy\"\nn=ab\0cd\nx\0y=1\nm=v\n"s;
  EXPECT_EQ(ini::readValue(file, "A", row[0], row[1], std::stoul(row[2])), row.field(3));
}

TABLE_TEST(EngineRefusal, RefusesAsTheTableSays, RowName({3}), "platform/fixtures/refused.table", '\t') {
  EXPECT_EQ(ini::whyNotWritable(unescaped(row[0]), unescaped(row[1]), unescaped(row[2])), row.field(3));
}

TEST(IniEngine, AnUnreadableFileGivesTheDefaultAndANulElsewhereIsAnOrdinaryByte) {
  EXPECT_EQ(ini::readValue(std::nullopt, "A", "k", "Default ", 255), "Default");
  EXPECT_EQ(ini::applyWrite("[A]\nx=\0\nk=1\n"s, "A", "k", "2"), "[A]\nx=\0\nk=2\n"s);
}

}  // namespace
}  // namespace vexorel
