#pragma once
// The tests' data tables, all read one way: a case a line, its fields split at a separator ('|', or a
// tab for the platform fixtures, whose texts hold '|'), lines starting with '#' and empty lines passed
// over. A row keeps its file and line, so that a failing case says where it stands, and names its case
// in a parameterised test:
//   INSTANTIATE_TEST_SUITE_P(Table, Rule, ::testing::ValuesIn(readTable("core/rules.txt")), RowName{});
#include <gtest/gtest.h>

#include <filesystem>
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

// A table by its path under tests/ (or an absolute one). A file that cannot be read gives one row at
// line 0 with no fields, so that its case fails rather than the table running no case at all.
std::vector<Row> readTable(const std::filesystem::path& file, char separator = '|');

// A text with its \\ and \xHH escapes undone.
std::string unescaped(std::string_view text);

// A test name made of the text: letters and digits kept, every run of others one '_'.
std::string caseName(std::string_view text);
// A row's case: its line number and first fields ("L12_memory_33554432").
std::string caseName(const Row& row, std::size_t fields = 2);
struct RowName {
  std::string operator()(const ::testing::TestParamInfo<Row>& info) const { return caseName(info.param); }
};

// How a failing case shows its row: file, line and the line itself.
void PrintTo(const Row& row, std::ostream* out);

}  // namespace vexorel::testing
