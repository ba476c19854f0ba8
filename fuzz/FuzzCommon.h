#pragma once
// What the fuzz targets share: the input layout (a few leading lines give the call's texts, the rest of
// the bytes are the file, so seeds from real files keep their shape), the invariant check, and a plain
// reference reader of private-profile files written straight from the reading rules, without the
// engine's shortcuts, to compare the engine with and to list every section and key a file holds.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

// A broken invariant names itself and stops the run (libFuzzer keeps the input).
#define FUZZ_CHECK(condition) vexorel::fuzz::check(condition, #condition, __FILE__, __LINE__)

namespace vexorel::fuzz {

inline void check(bool holds, const char* what, const char* file, int line) {
  if (!holds) std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", what, file, line), std::abort();
}

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

inline bool isIgnorable(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\x1A';
}

inline std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isIgnorable(text.front())) text.remove_prefix(1);
  while (!text.empty() && isIgnorable(text.back())) text.remove_suffix(1);
  return text;
}

inline bool sameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

// A section header (key empty) or an entry of the file, with the number of the header it is under (0:
// none, the nameless section) and that header's name.
struct Entry {
  std::size_t header;
  std::string_view section, key;
  std::optional<std::string_view> value;  // trimmed, quotes on; none for a line without '='
};

// Every header and entry in order. A line ends at LF, CRLF or a CR alone and is trimmed; a UTF-8
// byte-order mark is no text; a header is a line starting with '[', named up to its last ']'.
inline std::vector<Entry> referenceEntries(std::string_view content) {
  if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
  std::vector<Entry> entries;
  std::size_t header = 0;
  std::string_view section;
  while (!content.empty()) {
    const std::size_t end = content.find_first_of("\r\n"), close = trimmed(content.substr(0, end)).rfind(']');
    const std::string_view line = trimmed(content.substr(0, end)), key = trimmed(line.substr(0, line.find('=')));
    if (line.starts_with('[') && close != std::string_view::npos && close != 0) {
      section = trimmed(line.substr(1, close - 1));
      entries.push_back({++header, section, {}, {}});
    } else if (!key.empty()) {
      const std::size_t equals = line.find('=');
      entries.push_back(
          {header, section, key, equals == line.npos ? std::nullopt : std::optional(trimmed(line.substr(equals + 1)))});
    }
    if (end == std::string_view::npos) break;
    content.remove_prefix(content.substr(end, 2) == "\r\n" ? end + 2 : end + 1);
  }
  return entries;
}

// The value of the first matching key of the first matching section (a line naming the key without '='
// ends the search with no value).
inline std::optional<std::string_view> referenceFind(std::string_view content, std::string_view section,
                                                     std::string_view key) {
  section = trimmed(section), key = trimmed(key);
  std::optional<std::size_t> inside = section.empty() ? std::optional<std::size_t>(0) : std::nullopt;
  for (const Entry& entry : referenceEntries(content)) {
    if (!inside && entry.key.empty() && sameIgnoringCase(entry.section, section)) inside = entry.header;
    if (inside == entry.header && !key.empty() && sameIgnoringCase(entry.key, key)) return entry.value;
  }
  return std::nullopt;
}

}  // namespace vexorel::fuzz
