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

#include "platform/formats/Text.h"

// A broken invariant names itself and stops the run (libFuzzer keeps the input).
#define FUZZ_CHECK(holds) \
  (holds) ? void() : (std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #holds, __FILE__, __LINE__), std::abort())

namespace vexorel::fuzz {

// The next line of `rest` (without its '\n'), taken off it; empty once the input runs out.
inline std::string_view nextLine(std::string_view& rest) {
  const std::string_view text = rest.substr(0, rest.find('\n'));
  rest.remove_prefix(std::min(rest.size(), text.size() + 1));
  return text;
}

constexpr std::string_view kBlanks = " \t\r\x1A";  // what the reading rules trim

inline std::string_view trimmed(std::string_view text) {
  return trim(text, kBlanks);
}

// A section header (key empty) or an entry of the file, with the number of the header it is under (0:
// none, the nameless section) and that header's name; the value trimmed, quotes on, none without '='.
struct Entry {
  std::size_t header;
  std::string_view section, key;
  std::optional<std::string_view> value;
};

// Every header and entry in order. A line ends at LF, CRLF or a CR alone and is trimmed; a UTF-8
// byte-order mark is no text; a header is a line starting with '[', named up to its last ']'.
inline std::vector<Entry> referenceEntries(std::string_view content) {
  if (content.starts_with("\xEF\xBB\xBF")) content.remove_prefix(3);
  std::vector<Entry> entries;
  std::size_t header = 0;
  std::string_view section;
  while (!content.empty()) {
    const std::size_t end = content.find_first_of("\r\n");
    const std::string_view line = trimmed(content.substr(0, end)), key = trimmed(line.substr(0, line.find('=')));
    const std::size_t close = line.rfind(']'), equals = line.find('=');
    if (line.starts_with('[') && close != std::string_view::npos && close != 0) {
      entries.push_back({++header, section = trimmed(line.substr(1, close - 1)), {}, {}});
    } else if (!key.empty()) {
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
    if (!inside && entry.key.empty() && equalsIgnoringCase(entry.section, section)) inside = entry.header;
    if (inside == entry.header && !key.empty() && equalsIgnoringCase(entry.key, key)) return entry.value;
  }
  return std::nullopt;
}

}  // namespace vexorel::fuzz
