#include "platform/formats/RegistryStore.h"

#include <cstring>

#include "platform/formats/Text.h"

namespace vexorel::registry {
namespace {

// Blanks around the store's lines and their parts.
constexpr std::string_view kBlanks = " \t\r";

bool holdsHexData(std::string_view line) {
  for (std::size_t equals = line.find('='); equals != std::string_view::npos; equals = line.find('=', equals + 1)) {
    if (startsWithIgnoringCase(trim(line.substr(equals + 1), kBlanks), "hex")) return true;
  }
  return false;
}

// One logical line: physical lines ending in '\' continue on the next one (long hex data).
struct Entry {
  std::size_t start = 0;
  std::size_t end = 0;   // the last physical line's '\n', or the end of the file
  std::size_t next = 0;  // where the following line starts
  std::string text;      // trimmed, continuations joined
};

class EntryReader {
 public:
  explicit EntryReader(std::string_view content) : content_(content) {}

  bool next(Entry& entry) {
    if (pos_ >= content_.size()) return false;
    entry.start = pos_;
    entry.text.clear();
    for (;;) {
      const void* found = std::memchr(content_.data() + pos_, '\n', content_.size() - pos_);
      const std::size_t end =
          found ? static_cast<std::size_t>(static_cast<const char*>(found) - content_.data()) : content_.size();
      std::string_view piece = trim(content_.substr(pos_, end - pos_), kBlanks);
      entry.end = end;
      pos_ = found ? end + 1 : content_.size();
      // Only binary data continues on the next line; a stray backslash elsewhere must not swallow
      // the line after it (a key's header, say). Nor does a blank line continue anything, so a line
      // added after a dangling backslash at the end of the file (with a blank line between) leaves
      // that value as it read before.
      const bool continues = !piece.empty() && piece.back() == '\\' && pos_ < content_.size() &&
                             (!entry.text.empty() || holdsHexData(piece)) && !nextLineBlank();
      if (continues) piece.remove_suffix(1);
      entry.text.append(piece);
      if (!continues) break;
    }
    entry.next = pos_;
    return true;
  }

 private:
  bool nextLineBlank() const {
    const std::size_t end = content_.find('\n', pos_);
    return trim(content_.substr(pos_, end == std::string_view::npos ? end : end - pos_), kBlanks).empty();
  }

  std::string_view content_;
  std::size_t pos_ = 0;
};

bool headerKey(std::string_view text, std::string& key) {
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') return false;
  key = normaliseKeyPath(text.substr(1, text.size() - 2));
  return true;
}

// "Name"= or @= at the start of a value line; the rest of the text is left in `data`.
bool parseName(std::string_view text, std::string& name, std::string_view& data) {
  std::size_t pos;
  name.clear();
  if (!text.empty() && text.front() == '@') {
    pos = 1;
  } else if (!text.empty() && text.front() == '"') {
    pos = 1;
    for (;; ++pos) {
      if (pos >= text.size()) return false;
      if (text[pos] == '\\' && pos + 1 < text.size()) {
        name.push_back(text[++pos]);
      } else if (text[pos] == '"') {
        ++pos;
        break;
      } else {
        name.push_back(text[pos]);
      }
    }
  } else {
    return false;
  }
  text = trim(text.substr(pos), kBlanks);
  if (text.empty() || text.front() != '=') return false;
  data = trim(text.substr(1), kBlanks);
  return true;
}

bool parseHexNumber(std::string_view text, std::uint32_t& number, std::size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return false;
  number = 0;
  for (const char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0) return false;
    number = number * 16 + static_cast<std::uint32_t>(digit);
  }
  return true;
}

bool parseHexBytes(std::string_view text, std::string& bytes) {
  bytes.clear();
  if (trim(text, kBlanks).empty()) return true;
  while (true) {
    const std::size_t comma = text.find(',');
    std::uint32_t byte = 0;
    if (!parseHexNumber(trim(text.substr(0, comma), kBlanks), byte, 2)) return false;
    bytes.push_back(static_cast<char>(byte));
    if (comma == std::string_view::npos) return true;
    text.remove_prefix(comma + 1);
  }
}

std::optional<Value> parseData(std::string_view data) {
  Value value;
  if (!data.empty() && data.front() == '"') {
    value.type = RegSz;
    std::size_t pos = 1;
    for (;; ++pos) {
      if (pos >= data.size()) return std::nullopt;
      if (data[pos] == '\\' && pos + 1 < data.size()) {
        value.bytes.push_back(data[++pos]);
      } else if (data[pos] == '"') {
        break;
      } else {
        value.bytes.push_back(data[pos]);
      }
    }
    value.bytes.push_back('\0');
    return value;
  }
  if (startsWithIgnoringCase(data, "dword:")) {
    std::uint32_t number = 0;
    if (!parseHexNumber(trim(data.substr(6), kBlanks), number, 8)) return std::nullopt;
    value.type = RegDword;
    for (int i = 0; i < 4; ++i) value.bytes.push_back(static_cast<char>((number >> (8 * i)) & 0xFF));
    return value;
  }
  if (startsWithIgnoringCase(data, "hex:")) {
    value.type = RegBinary;
    if (!parseHexBytes(data.substr(4), value.bytes)) return std::nullopt;
    return value;
  }
  if (startsWithIgnoringCase(data, "hex(")) {
    const std::size_t close = data.find("):");
    if (close == std::string_view::npos || !parseHexNumber(data.substr(4, close - 4), value.type, 8)) {
      return std::nullopt;
    }
    if (!parseHexBytes(data.substr(close + 2), value.bytes)) return std::nullopt;
    return value;
  }
  return std::nullopt;
}

std::string escape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (const char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  return out;
}

constexpr char kHexDigits[] = "0123456789abcdef";

void appendHexByte(std::string& out, char byte) {
  const auto bits = static_cast<unsigned char>(byte);
  out.push_back(kHexDigits[bits >> 4]);
  out.push_back(kHexDigits[bits & 0xF]);
}

std::string hexList(std::string_view bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out.push_back(',');
    appendHexByte(out, bytes[i]);
  }
  return out;
}

// Where a value sits in the file: its line when present, else the end of its key's first section.
struct Place {
  bool keyFound = false;
  bool valueFound = false;
  Entry valueLine;
  Entry lastLine;  // the first section's last non-blank line
};

Place locate(std::string_view content, std::string_view keyPath, std::string_view name) {
  const std::string wanted = normaliseKeyPath(keyPath);
  Place place;
  bool inside = false;
  bool inFirst = false;
  EntryReader reader(content);
  Entry entry;
  std::string key;
  std::string valueName;
  std::string_view data;
  while (reader.next(entry)) {
    if (entry.text.empty()) continue;
    if (headerKey(entry.text, key)) {
      inside = equalsIgnoringCase(key, wanted);
      inFirst = inside && !place.keyFound;
      if (inside) place.keyFound = true;
      if (inFirst) place.lastLine = entry;
      continue;
    }
    if (!inside) continue;
    if (inFirst) place.lastLine = entry;
    if (parseName(entry.text, valueName, data) && equalsIgnoringCase(valueName, name)) {
      place.valueFound = true;
      place.valueLine = entry;
      return place;
    }
  }
  return place;
}

}  // namespace

std::string normaliseKeyPath(std::string_view path) {
  std::string out;
  for (const char c : path) {
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out.push_back(c);
  }
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

bool keyExists(std::string_view content, std::string_view keyPath) {
  const std::string wanted = normaliseKeyPath(keyPath);
  EntryReader reader(content);
  Entry entry;
  std::string key;
  while (reader.next(entry)) {
    if (!headerKey(entry.text, key)) continue;
    if (equalsIgnoringCase(key, wanted)) return true;
    if (key.size() > wanted.size() && key[wanted.size()] == '\\' && startsWithIgnoringCase(key, wanted)) return true;
  }
  return false;
}

std::optional<Value> findValue(std::string_view content, std::string_view keyPath, std::string_view name) {
  const Place place = locate(content, keyPath, name);
  if (!place.valueFound) return std::nullopt;
  std::string valueName;
  std::string_view data;
  parseName(place.valueLine.text, valueName, data);
  return parseData(data);
}

std::string formatValueLine(std::string_view name, const Value& value) {
  std::string line;
  if (name.empty()) {
    line = "@=";
  } else {
    line.append("\"").append(escape(name)).append("\"=");
  }
  std::string_view text = value.bytes;
  if (value.type == RegSz) {
    // Text goes in quotes unless it holds bytes a one-line quoted string cannot carry.
    while (!text.empty() && text.back() == '\0') text.remove_suffix(1);
    if (text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos) {
      return line + "\"" + escape(text) + "\"";
    }
  }
  if (value.type == RegBinary) return line + "hex:" + hexList(value.bytes);
  if (value.type == RegDword && value.bytes.size() == 4) {
    line += "dword:";
    for (int i = 3; i >= 0; --i) appendHexByte(line, value.bytes[static_cast<std::size_t>(i)]);
    return line;
  }
  std::string type;
  for (std::uint32_t t = value.type; type.empty() || t != 0; t >>= 4) type.insert(type.begin(), kHexDigits[t & 0xF]);
  return line + "hex(" + type + "):" + hexList(value.bytes);
}

std::string applySet(std::string_view content, std::string_view keyPath, std::string_view name, const Value& value) {
  const Place place = locate(content, keyPath, name);
  // Only LF ends a line of the store. One without any yet (a new store, in practice) gets LF too: it is
  // a text file of this system.
  const std::string_view eol = content.find('\n') == std::string_view::npos ? "\n" : lineBreakOf(content, "\n");
  std::string out;
  if (place.valueFound) {
    // The value keeps the spelling of its name as stored.
    std::string storedName;
    std::string_view data;
    parseName(place.valueLine.text, storedName, data);
    const std::string line = formatValueLine(storedName, value);
    std::size_t tail = place.valueLine.end;
    while (tail > place.valueLine.start && content[tail - 1] == '\r') --tail;
    out.append(content.substr(0, place.valueLine.start)).append(line).append(content.substr(tail));
    return out;
  }
  const std::string line = formatValueLine(name, value);
  if (place.keyFound) {
    const Entry& after = place.lastLine;
    if (!after.text.empty() && after.text.back() == '\\') {
      // The section's last line ends in a backslash that continues nothing (the file or a blank line
      // follows): a line put after it would read as its continuation, so the new line goes before it.
      out.append(content.substr(0, after.start)).append(line).append(eol).append(content.substr(after.start));
    } else if (after.next == after.end) {
      out.append(content).append(eol).append(line);
    } else {
      out.append(content.substr(0, after.next)).append(line).append(eol).append(content.substr(after.next));
    }
    return out;
  }
  out.append(content);
  if (trim(content, kBlanks).empty()) {
    out.assign(kFileHeader).append(eol);
  } else if (content.back() != '\n') {
    out.append(eol);
  }
  out.append(eol).append("[").append(normaliseKeyPath(keyPath)).append("]").append(eol);
  out.append(line).append(eol);
  return out;
}

}  // namespace vexorel::registry
