#pragma once
// The fixtures folder, and a fixture table read as lines split at their tabs (a trailing tab gives an
// empty last field; a missing file is an empty table).
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

}  // namespace vexorel::testing
