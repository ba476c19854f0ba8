#pragma once
// What the fuzz targets share: the input layout (a few leading lines give the call's texts, the rest of
// the bytes are the file, so seeds from real files keep their shape), the invariant check, and a plain
// reference reader of private-profile files written straight from the reading rules, without the
// engine's shortcuts, to compare the engine with and to list every section and key a file holds.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

// A broken invariant names itself and stops the run (libFuzzer keeps the input).
#define FUZZ_CHECK(condition) \
  ((condition) ? void() : (std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__), std::abort()))

namespace vexorel::fuzz {

struct FuzzInput {
  std::string_view rest;
  // The next line (without its '\n'); empty once the input runs out.
  std::string_view line() {
    const std::size_t end = rest.find('\n');
    const std::string_view text = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    return text;
  }
};

inline bool isIgnorable(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\x1A'; }

inline std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isIgnorable(text.front())) text.remove_prefix(1);
  while (!text.empty() && isIgnorable(text.back())) text.remove_suffix(1);
  return text;
}

inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The file's lines, trimmed: a line ends at LF, CRLF or a CR alone; a UTF-8 byte-order mark is no text.
inline std::vector<std::string_view> trimmedLines(std::string_view content) {
  if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
  std::vector<std::string_view> lines;
  while (!content.empty()) {
    const std::size_t end = content.find_first_of("\r\n");
    lines.push_back(trimmed(content.substr(0, end)));
    if (end == std::string_view::npos) break;
    content.remove_prefix(content.substr(end, 2) == "\r\n" ? end + 2 : end + 1);
  }
  return lines;
}

// The section name when the trimmed line is a header: between the '[' and the last ']'.
inline std::optional<std::string_view> headerOf(std::string_view line) {
  const std::size_t close = line.rfind(']');
  if (line.empty() || line.front() != '[' || close == std::string_view::npos || close == 0) return std::nullopt;
  return trimmed(line.substr(1, close - 1));
}

// The raw value (trimmed, quotes on) of the first matching key of the first matching section.
inline std::optional<std::string_view> referenceFind(std::string_view content, std::string_view section,
                                                     std::string_view key) {
  section = trimmed(section);
  key = trimmed(key);
  if (key.empty()) return std::nullopt;
  bool inside = section.empty(), seen = inside;
  for (const std::string_view line : trimmedLines(content)) {
    if (line.empty()) continue;
    if (const auto name = headerOf(line)) {
      if (seen) return std::nullopt;
      if (sameIgnoringCase(*name, section)) inside = seen = true;
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!inside || !sameIgnoringCase(trimmed(line.substr(0, equals)), key)) continue;
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
    if (const auto name = headerOf(line)) {
      section = *name;
    } else if (const std::string_view key = trimmed(line.substr(0, line.find('='))); !key.empty()) {
      keys.emplace_back(section, key);
    }
  }
  return keys;
}

}  // namespace vexorel::fuzz
