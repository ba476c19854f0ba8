#include "platform/formats/WineRegistry.h"

#include <vector>

#include "platform/formats/RegistryStore.h"
#include "platform/formats/Text.h"

namespace vexorel::wine {
namespace {

// White space around the file's lines and their parts.
constexpr std::string_view kSpaces = " \t\r\n\v\f";

constexpr bool isOctal(char c) {
  return c >= '0' && c <= '7';
}

// The file split at '\n', a '\r' before it dropped (Wine writes '\n' alone, a hand-edited file may not).
std::vector<std::string_view> splitLines(std::string_view content) {
  std::vector<std::string_view> lines;
  while (!content.empty()) {
    const std::size_t newline = content.find('\n');
    std::string_view line = content.substr(0, newline);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (newline == std::string_view::npos) break;
    content.remove_prefix(newline + 1);
  }
  return lines;
}

// A quoted or bracketed string: the unescaped text and where its end character stands, or nullopt when
// the end character is missing (Wine rejects such a line too).
std::optional<std::string> delimited(std::string_view text, char end, std::size_t& endAt) {
  std::size_t used = 0;
  const std::u16string units = unescape(text, end, &used);
  if (used >= text.size()) return std::nullopt;
  endAt = used;
  return toUtf8(units);
}

void appendUtf16(std::string& bytes, std::u16string_view units) {
  for (const char16_t unit : units) {
    bytes.push_back(static_cast<char>(unit & 0xff));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
}

// Comma-separated hex bytes, continued on the next lines while a line ends in '\'. `line` is advanced
// past the continuation lines used.
std::optional<std::string> hexData(std::string_view text, const std::vector<std::string_view>& lines,
                                   std::size_t& line) {
  std::string bytes;
  for (;;) {
    text = trim(text, kSpaces);
    while (text.size() >= 2 && hexDigit(text[0]) >= 0 && hexDigit(text[1]) >= 0) {
      bytes.push_back(static_cast<char>(hexDigit(text[0]) * 16 + hexDigit(text[1])));
      text = trim(text.substr(2), kSpaces);
      if (!text.empty() && text.front() == ',') text = trim(text.substr(1), kSpaces);
    }
    if (text.empty()) return bytes;
    if (text.front() != '\\' || line + 1 >= lines.size()) return std::nullopt;
    text = lines[++line];
  }
}

// The data after "name=": its type tag and the data in Windows' own form.
std::optional<RegistryData> valueData(std::string_view text, const std::vector<std::string_view>& lines,
                                      std::size_t& line) {
  struct Tag {
    std::string_view text;
    std::uint32_t type;
  };
  static constexpr Tag kTextTags[] = {
      {"\"", RegSz}, {"str:\"", RegSz}, {"str(2):\"", RegExpandSz}, {"str(7):\"", RegMultiSz}};
  for (const Tag& tag : kTextTags) {
    if (text.substr(0, tag.text.size()) != tag.text) continue;
    text.remove_prefix(tag.text.size());
    std::size_t used = 0;
    const std::u16string units = unescape(text, '"', &used);
    if (used >= text.size()) return std::nullopt;
    RegistryData value{tag.type, {}};
    appendUtf16(value.bytes, units);
    appendUtf16(value.bytes, std::u16string(1, u'\0'));
    return value;
  }
  if (text.substr(0, 6) == "dword:") {
    std::uint32_t number = 0;
    for (text.remove_prefix(6); !text.empty() && hexDigit(text.front()) >= 0; text.remove_prefix(1)) {
      number = number * 16 + static_cast<std::uint32_t>(hexDigit(text.front()));
    }
    std::string bytes;
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((number >> shift) & 0xff));
    return RegistryData{RegDword, bytes};
  }
  std::uint32_t type = RegBinary;
  if (text.substr(0, 4) == "hex:") {
    text.remove_prefix(4);
  } else if (text.substr(0, 4) == "hex(") {
    text.remove_prefix(4);
    std::uint32_t number = 0;
    std::size_t digits = 0;
    for (; digits < text.size() && hexDigit(text[digits]) >= 0; ++digits) {
      number = number * 16 + static_cast<std::uint32_t>(hexDigit(text[digits]));
    }
    if (digits == 0 || text.substr(digits, 2) != "):") return std::nullopt;
    type = number;
    text.remove_prefix(digits + 2);
  } else {
    return std::nullopt;
  }
  auto bytes = hexData(text, lines, line);
  if (!bytes) return std::nullopt;
  return RegistryData{type, std::move(*bytes)};
}

}  // namespace

std::u16string unescape(std::string_view text, char end, std::size_t* used) {
  std::u16string units;
  std::size_t i = 0;
  while (i < text.size() && text[i] != end) {
    if (text[i] != '\\') {
      units.push_back(static_cast<unsigned char>(text[i++]));
      continue;
    }
    if (++i >= text.size()) break;  // a lone backslash at the very end
    const char c = text[i++];
    constexpr std::string_view kLetters = "abefnrtv";  // C escapes of control characters
    constexpr char16_t kControls[] = u"\a\b\x1b\f\n\r\t\v";
    if (const std::size_t at = kLetters.find(c); at != std::string_view::npos) {
      units.push_back(kControls[at]);
    } else if (c == 'x') {
      // Up to four hex digits; "\x" with none stands for the letter itself.
      unsigned unit = 0;
      int digits = 0;
      for (; digits < 4 && i < text.size() && hexDigit(text[i]) >= 0; ++digits)
        unit = unit * 16 + static_cast<unsigned>(hexDigit(text[i++]));
      units.push_back(digits ? static_cast<char16_t>(unit) : u'x');
    } else if (isOctal(c)) {
      unsigned unit = static_cast<unsigned>(c - '0');
      for (int n = 0; n < 2 && i < text.size() && isOctal(text[i]); ++n)
        unit = unit * 8 + static_cast<unsigned>(text[i++] - '0');
      units.push_back(static_cast<char16_t>(unit));
    } else {
      units.push_back(static_cast<unsigned char>(c));  // \\ \" \] and any other character itself
    }
  }
  if (used) *used = i;
  return units;
}

std::string toUtf8(std::u16string_view units) {
  std::string out;
  for (std::size_t i = 0; i < units.size() && units[i] != 0; ++i) {
    char32_t code = units[i];
    if (code >= 0xd800 && code <= 0xdbff && i + 1 < units.size() && units[i + 1] >= 0xdc00 && units[i + 1] <= 0xdfff) {
      code = 0x10000 + ((code - 0xd800) << 10) + (units[++i] - 0xdc00);
    } else if (code >= 0xd800 && code <= 0xdfff) {
      code = 0xfffd;
    }
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xc0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xe0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    } else {
      out.push_back(static_cast<char>(0xf0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3f)));
    }
  }
  return out;
}

std::optional<RegistryData> findValue(std::string_view content, std::string_view keyPath, std::string_view name) {
  const std::vector<std::string_view> lines = splitLines(content);
  if (lines.empty() || lines.front() != kRegistryHeader) return std::nullopt;
  const std::string wantedKey = registry::normaliseKeyPath(keyPath);
  std::optional<RegistryData> found;
  bool inKey = false;
  for (std::size_t line = 1; line < lines.size(); ++line) {
    const std::string_view text = trim(lines[line], kSpaces);
    if (text.empty()) continue;
    if (text.front() == '[') {
      // "[Key\\Path] 1700000000": the number after the bracket is the key's time, not part of it.
      std::size_t endAt = 0;
      const auto key = delimited(text.substr(1), ']', endAt);
      inKey = key && equalsIgnoringCase(*key, wantedKey);
      continue;
    }
    if (!inKey || (text.front() != '"' && text.front() != '@')) continue;  // "#time=", comments, other keys
    std::string valueName;
    std::string_view rest;
    if (text.front() == '@') {
      rest = text.substr(1);
    } else {
      std::size_t endAt = 0;
      const auto parsed = delimited(text.substr(1), '"', endAt);
      if (!parsed) continue;
      valueName = *parsed;
      rest = text.substr(1 + endAt + 1);
    }
    if (!equalsIgnoringCase(valueName, name)) continue;
    rest = trim(rest, kSpaces);
    if (rest.empty() || rest.front() != '=') continue;
    // A later line for the same value wins, as it does when Wine loads the file.
    found = valueData(trim(rest.substr(1), kSpaces), lines, line);
  }
  return found;
}

std::optional<std::string> textOf(const RegistryData& value) {
  if (value.type != RegSz && value.type != RegExpandSz) return std::nullopt;
  std::u16string units;
  for (std::size_t i = 0; i + 1 < value.bytes.size(); i += 2) {
    units.push_back(static_cast<char16_t>(static_cast<unsigned char>(value.bytes[i]) |
                                          (static_cast<unsigned char>(value.bytes[i + 1]) << 8)));
  }
  return toUtf8(units);
}

}  // namespace vexorel::wine
