#pragma once
// The tests' data tables, all read one way: a case a line, its fields split at a separator ('|', or a
// tab for the platform fixtures, whose texts hold '|'), lines starting with '#' and empty lines passed
// over. A row keeps its file and line, so that a failing case names where it stands.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vexorel::testing {

struct Row {
  std::string file;  // as the test named it
  int line = 0;      // from 1; 0 for a file that could not be read
  std::string text;  // the whole line
  std::vector<std::string> fields;

  std::size_t size() const { return fields.size(); }
  // A field the case needs: a missing one throws, which fails the case and names its line.
  const std::string& operator[](std::size_t i) const;
  // A field the line may leave out.
  std::string field(std::size_t i, const std::string& missing = "") const {
    return i < fields.size() ? fields[i] : missing;
  }
  std::string where() const { return file + ":" + std::to_string(line); }
};

std::filesystem::path testFile(const std::filesystem::path& name);  // a file by its path under tests/
std::string testData(const std::filesystem::path& name);            // that file's bytes
std::string demoGameIni();  // the realistic game configuration file kept in the project's examples
// A table by its path under tests/. One that cannot be read gives a row at line 0 with no fields, so that
// its case fails rather than the table running no case at all.
std::vector<Row> readTable(const std::filesystem::path& file, char separator = '|');
std::vector<std::string> split(const std::string& text, char separator);  // none for an empty text
std::string unescaped(std::string_view text);                             // its \\ and \xHH escapes undone

// A test name made of the text: letters and digits kept, every run of others one '_'.
std::string caseName(std::string_view text);
// Names a row's case by its line and the fields given ("L12_memory_33554432").
struct RowName {
  RowName(std::initializer_list<std::size_t> named = {0, 1}) : fields(named) {}
  std::vector<std::size_t> fields;
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const;
};
// Only the file and line: a line's text may end in a backslash, which the test discovery takes for an escape.
void PrintTo(const Row& row, std::ostream* out);

}  // namespace vexorel::testing

// A parameterised test with a case a row of a table (readTable's arguments), named as `naming` says; the
// body has its case as `row`.
#define TABLE_TEST(suite, test, naming, ...)                                                                       \
  class suite : public ::testing::TestWithParam<::vexorel::testing::Row> {                                         \
   protected:                                                                                                      \
    const ::vexorel::testing::Row& row = GetParam();                                                               \
  };                                                                                                               \
  INSTANTIATE_TEST_SUITE_P(Table, suite, ::testing::ValuesIn(::vexorel::testing::readTable(__VA_ARGS__)), naming); \
  TEST_P(suite, test)
