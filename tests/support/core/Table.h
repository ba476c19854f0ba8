#pragma once
// The tests' data tables, all read one way: a case a line, its fields split at a separator ('|', or a
// tab for the platform fixtures, whose texts hold '|'), lines starting with '#' and empty lines passed
// over. A row keeps its file and line, so that a failing case says where it stands, and names its case
// in a parameterised test:
//   INSTANTIATE_TEST_SUITE_P(Table, Rule, ::testing::ValuesIn(readTable("core/rules.txt")), RowName{});
// (RowName({1, 2}) names the cases by other fields.)
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

// A file beside the tests, by its path under tests/.
std::filesystem::path testFile(const std::filesystem::path& name);

// A table by its path under tests/ (or an absolute one). A file that cannot be read gives one row at
// line 0 with no fields, so that its case fails rather than the table running no case at all.
std::vector<Row> readTable(const std::filesystem::path& file, char separator = '|');

// A text with its \\ and \xHH escapes undone.
std::string unescaped(std::string_view text);

// A test name made of the text: letters and digits kept, every run of others one '_'.
std::string caseName(std::string_view text);
// A row's case: its line number and the fields named ("L12_memory_33554432"), by default the first two.
std::string caseName(const Row& row, const std::vector<std::size_t>& fields = {0, 1});
struct RowName {
  RowName(std::initializer_list<std::size_t> named = {0, 1}) : fields(named) {}
  std::vector<std::size_t> fields;
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const { return caseName(info.param, fields); }
};

// A row as the test list shows it: its file and line (its text may end in a backslash, which the
// discovery of the tests would take for an escape).
void PrintTo(const Row& row, std::ostream* out);

}  // namespace vexorel::testing
