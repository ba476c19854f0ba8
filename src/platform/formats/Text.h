#pragma once
// The byte-level text rules both registry formats and the profile engine share. Letter case is ignored
// the way the Windows profile and registry calls ignore it: ASCII letters only, so bytes of any other code
// page compare exactly.

#include <string_view>

namespace vexorel {

constexpr char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

constexpr bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// The text without the bytes of `blanks` at either end. Which bytes are blanks is each format's own.
constexpr std::string_view trim(std::string_view text, std::string_view blanks) {
  while (!text.empty() && blanks.find(text.front()) != std::string_view::npos) text.remove_prefix(1);
  while (!text.empty() && blanks.find(text.back()) != std::string_view::npos) text.remove_suffix(1);
  return text;
}

// The value of a hexadecimal digit in either letter case, or -1 for any other byte.
constexpr int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = asciiLower(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The line break a file's new lines get: its first one, or CRLF, the Windows one, when it has none.
// `ends` are the bytes that end a line in the file's format: CR and LF in a profile file, where a CR
// alone ends a line too; LF alone in a registry file, where a CR before it belongs to its break.
constexpr std::string_view lineBreakOf(std::string_view content, std::string_view ends = "\r\n") {
  const std::size_t at = content.find_first_of(ends);
  if (at == std::string_view::npos) return "\r\n";
  if (content[at] == '\r') return content.substr(at + 1, 1) == "\n" ? "\r\n" : "\r";
  return at > 0 && content[at - 1] == '\r' ? "\r\n" : "\n";
}

}  // namespace vexorel
