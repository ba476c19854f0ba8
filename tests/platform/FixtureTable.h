#pragma once
// The fixtures folder, a fixture table read as lines split at their tabs (a trailing tab gives an empty
// last field; a missing file is an empty table), and the escapes of a field.
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "support/core/TempFolder.h"

namespace vexorel::testing {

inline const std::filesystem::path kFixtures = std::filesystem::path(VEXOREL_SOURCE_DIR) / "tests/platform/fixtures";

inline std::vector<std::vector<std::string>> rows(const std::filesystem::path& path) {
  std::vector<std::vector<std::string>> result;
  std::istringstream lines(std::filesystem::exists(path) ? readFileBytes(path) : "");
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string>& fields = result.emplace_back();
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
  }
  return result;
}

// A fixture's text with its \\ and \xHH escapes undone.
inline std::string unescaped(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool hex = text[i] == '\\' && text[++i] == 'x';
    out += hex ? static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)) : text[i];
    i += hex ? 2 : 0;
  }
  return out;
}

}  // namespace vexorel::testing
