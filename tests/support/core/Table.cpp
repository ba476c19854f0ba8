#include "support/core/Table.h"

#include <cctype>
#include <fstream>
#include <stdexcept>

#include "support/core/TempFolder.h"

namespace vexorel::testing {

const std::string& Row::operator[](std::size_t i) const {
  if (i >= fields.size()) throw std::out_of_range(where() + ": no field " + std::to_string(i + 1) + " in: " + text);
  return fields[i];
}

std::filesystem::path testFile(const std::filesystem::path& name) {
  return std::filesystem::path(VEXOREL_SOURCE_DIR) / "tests" / name;
}

std::string testData(const std::filesystem::path& name) {
  return readFileBytes(testFile(name));
}

std::string demoGameIni() {
  return testData("../examples/game/System/UnrealTournament.ini");
}

std::vector<Row> readTable(const std::filesystem::path& file, char separator) {
  std::ifstream in(testFile(file), std::ios::binary);
  if (!in) return {Row{file.generic_string() + " (cannot be read)", 0, "", {}}};
  std::vector<Row> rows;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    rows.push_back(Row{file.generic_string(), number, line, split(line, separator)});
  }
  return rows;
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  for (std::size_t start = 0, end = 0; !text.empty() && end != std::string::npos; start = end + 1)
    parts.push_back(text.substr(start, (end = text.find(separator, start)) - start));
  return parts;
}

std::string unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {  // after a backslash, the character it escapes, or \xHH
    const bool hex = text[i] == '\\' && i + 1 < text.size() && text[++i] == 'x';
    out += hex ? static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)) : text[i];
    i += hex ? 2 : 0;
  }
  return out;
}

std::string caseName(std::string_view text) {
  std::string name;
  for (const char c : text) {
    const bool kept = std::isalnum(static_cast<unsigned char>(c)) != 0;
    if (kept || (!name.empty() && name.back() != '_')) name += kept ? c : '_';
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "_" : name.substr(0, 60);
}

std::string RowName::operator()(const ::testing::TestParamInfo<Row>& info) const {
  std::string text = "L" + std::to_string(info.param.line);
  for (const std::size_t i : fields) text += "_" + info.param.field(i);
  return caseName(text);
}

void PrintTo(const Row& row, std::ostream* out) {
  *out << row.where();
}

}  // namespace vexorel::testing
