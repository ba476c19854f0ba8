#pragma once
// A plain reference reader of private-profile files, written straight from the reading rules and
// without the engine's shortcuts (it takes every line apart). The fuzz targets compare the engine with
// it, and use it to list every section and key a file holds.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexorel::fuzz {

inline bool isIgnorable(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\x1A';
}

inline std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isIgnorable(text.front())) text.remove_prefix(1);
  while (!text.empty() && isIgnorable(text.back())) text.remove_suffix(1);
  return text;
}

inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

inline std::vector<std::string_view> trimmedLines(std::string_view content) {
  if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
  std::vector<std::string_view> lines;
  // A line ends at LF, CRLF or a CR alone.
  while (!content.empty()) {
    const std::size_t end = content.find_first_of("\r\n");
    lines.push_back(trimmed(content.substr(0, end)));
    if (end == std::string_view::npos) break;
    content.remove_prefix(content.substr(end, 2) == "\r\n" ? end + 2 : end + 1);
  }
  return lines;
}

// The section name when the trimmed line is a header.
inline std::optional<std::string_view> headerOf(std::string_view line) {
  if (line.empty() || line.front() != '[') return std::nullopt;
  const std::size_t close = line.rfind(']');
  if (close == std::string_view::npos || close == 0) return std::nullopt;
  return trimmed(line.substr(1, close - 1));
}

// The raw value (trimmed, quotes on) the first matching key of the first matching section has.
inline std::optional<std::string_view> referenceFind(std::string_view content, std::string_view section,
                                                     std::string_view key) {
  section = trimmed(section);
  key = trimmed(key);
  if (key.empty()) return std::nullopt;
  bool inside = section.empty();
  bool seen = inside;
  for (const std::string_view line : trimmedLines(content)) {
    if (line.empty()) continue;
    if (const auto name = headerOf(line)) {
      if (seen) return std::nullopt;
      if (sameIgnoringCase(*name, section)) inside = seen = true;
      continue;
    }
    if (!inside) continue;
    const std::size_t equals = line.find('=');
    if (!sameIgnoringCase(trimmed(line.substr(0, equals)), key)) continue;
    if (equals == std::string_view::npos) return std::nullopt;
    return trimmed(line.substr(equals + 1));
  }
  return std::nullopt;
}

// Every (section, key) pair the file names, the nameless section as "".
inline std::vector<std::pair<std::string_view, std::string_view>> referenceKeys(std::string_view content) {
  std::vector<std::pair<std::string_view, std::string_view>> keys;
  std::string_view section;
  for (const std::string_view line : trimmedLines(content)) {
    if (line.empty()) continue;
    if (const auto name = headerOf(line)) {
      section = *name;
      continue;
    }
    const std::string_view key = trimmed(line.substr(0, line.find('=')));
    if (!key.empty()) keys.emplace_back(section, key);
  }
  return keys;
}

}  // namespace vexorel::fuzz
