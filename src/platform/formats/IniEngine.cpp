#include "platform/formats/IniEngine.h"

#include <cstring>

#include "platform/formats/Text.h"

namespace vexorel::ini {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Blanks, tabs and Ctrl-Z (an old end-of-file mark) are ignored at both ends of a line; so is a CR at the
// ends of the texts a caller passes in (a line of the file holds none: a CR ends it).
constexpr std::string_view kBlanks = " \t\x1A";
constexpr std::string_view kIgnorable = " \t\x1A\r";

constexpr bool isBlank(char c) {
  return kBlanks.find(c) != std::string_view::npos;
}

// A line ends at LF, at CRLF or at a CR standing alone, as in the Windows calls.
constexpr bool isBreak(char c) {
  return c == '\n' || c == '\r';
}

// Where the line after a break at `end` starts: CRLF is one break.
std::size_t afterBreak(std::string_view content, std::size_t end) {
  if (end >= content.size()) return end;
  return (content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? end + 2 : end + 1;
}

// One line of the file: [start, end) holds its bytes without the break; next is where the following
// line starts (end when the file ends without a final line break).
struct Line {
  std::size_t start = 0;
  std::size_t end = 0;
  std::size_t next = 0;
  std::string_view text;  // trimmed
};

class LineReader {
 public:
  explicit LineReader(std::string_view content)
      : content_(content), pos_(content.substr(0, kUtf8Bom.size()) == kUtf8Bom ? kUtf8Bom.size() : 0) {}

  bool next(Line& line) {
    if (pos_ >= content_.size()) return false;
    const std::size_t end = lineEnd();
    line.start = pos_;
    line.end = end;
    line.next = afterBreak(content_, end);
    line.text = trim(content_.substr(pos_, end - pos_), kIgnorable);
    pos_ = line.next;
    return true;
  }

  // Moves to the next line that may be the header of `section`: its first non-blank byte is '[' and
  // the name after it begins with the wanted one. Outside the wanted section nothing else matters, and
  // memchr over the bytes between headers is far cheaper than taking every line apart.
  bool skipToHeaderOf(std::string_view section) {
    const char* data = content_.data();
    const std::size_t size = content_.size();
    std::size_t cursor = pos_;
    while (cursor < size) {
      const void* found = std::memchr(data + cursor, '[', size - cursor);
      if (!found) break;
      const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - data);
      cursor = at + 1;
      std::size_t start = at;
      while (start > pos_ && isBlank(data[start - 1])) --start;
      if (start != pos_ && !isBreak(data[start - 1])) continue;  // not the line's first byte
      std::size_t name = at + 1;
      while (name < size && isBlank(data[name])) ++name;
      if (size - name < section.size() || !equalsIgnoringCase(content_.substr(name, section.size()), section)) continue;
      pos_ = start;
      return true;
    }
    pos_ = content_.size();
    return false;
  }

 private:
  // Where the line at pos_ ends: at the first CR or LF. memchr finds the LF, the usual break, at memory
  // speed, and is asked again only once the reader has passed it, so a file of CR-only lines is not
  // scanned to its end for every line.
  std::size_t lineEnd() {
    const char* data = content_.data();
    const std::size_t size = content_.size();
    if (newline_ < pos_ || newline_ == kUnknown) {
      const void* found = std::memchr(data + pos_, '\n', size - pos_);
      newline_ = found ? static_cast<std::size_t>(static_cast<const char*>(found) - data) : size;
    }
    const void* cr = std::memchr(data + pos_, '\r', newline_ - pos_);
    return cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - data) : newline_;
  }

  static constexpr std::size_t kUnknown = static_cast<std::size_t>(-1);
  std::string_view content_;
  std::size_t pos_;
  std::size_t newline_ = kUnknown;
};

// The section name when the trimmed line is a header: '[' first and a ']' somewhere after it; the
// name runs to the last ']'.
bool headerName(std::string_view text, std::string_view& name) {
  if (text.empty() || text.front() != '[') return false;
  const std::size_t close = text.rfind(']');
  if (close == std::string_view::npos || close == 0) return false;
  name = trim(text.substr(1, close - 1), kIgnorable);
  return true;
}

// Where one lookup found its section and key, for reads and writes alike.
struct Position {
  bool sectionFound = false;
  bool keyFound = false;
  Line keyLine;
  std::size_t equals = std::string_view::npos;  // offset of '=' in keyLine.text, npos for a bare key
  Line lastLine;                                // the section's last non-blank line (its header at least)
};

Position locate(std::string_view content, std::string_view section, std::string_view key) {
  section = trim(section, kIgnorable);
  key = trim(key, kIgnorable);
  Position pos;
  // Lines before the first header form the nameless section.
  bool inside = section.empty();
  pos.sectionFound = inside;
  LineReader reader(content);
  Line line;
  while ((inside || reader.skipToHeaderOf(section)) && reader.next(line)) {
    const std::string_view text = line.text;
    if (text.empty()) continue;
    std::string_view name;
    if (text.front() == '[' && headerName(text, name)) {
      if (pos.sectionFound) break;  // only the first section of the name counts
      if (equalsIgnoringCase(name, section)) {
        inside = pos.sectionFound = true;
        pos.lastLine = line;
      }
      continue;
    }
    if (!inside) continue;
    pos.lastLine = line;
    // A ';' line is a comment only by custom: Windows finds it when asked for its key, spelt with the
    // ';'. Writes never ask (they refuse such keys), so comments are never changed.
    const std::size_t equals = text.find('=');
    if (!equalsIgnoringCase(trim(text.substr(0, equals), kIgnorable), key)) continue;
    pos.keyFound = true;
    pos.keyLine = line;
    pos.equals = equals;
    return pos;
  }
  return pos;
}

bool containsAny(std::string_view text, std::string_view bytes) {
  return text.find_first_of(bytes) != std::string_view::npos;
}

}  // namespace

std::optional<std::string_view> findValue(std::string_view content, std::string_view section, std::string_view key) {
  if (trim(key, kIgnorable).empty()) return std::nullopt;
  const Position pos = locate(content, section, key);
  if (!pos.keyFound || pos.equals == std::string_view::npos) return std::nullopt;
  return trim(pos.keyLine.text.substr(pos.equals + 1), kIgnorable);
}

std::string returnedValue(const std::optional<std::string_view>& found, std::string_view defaultValue,
                          std::size_t bufferSize) {
  std::string_view result;
  if (found) {
    result = *found;
    if (result.size() >= 2 && (result.front() == '"' || result.front() == '\'') && result.back() == result.front()) {
      result = result.substr(1, result.size() - 2);
    }
  } else {
    result = defaultValue;
    while (!result.empty() && result.back() == ' ') result.remove_suffix(1);
  }
  result = result.substr(0, result.find('\0'));
  const std::size_t room = bufferSize == 0 ? 0 : bufferSize - 1;
  return std::string(result.substr(0, room));
}

std::string readValue(const std::optional<std::string_view>& content, std::string_view section, std::string_view key,
                      std::string_view defaultValue, std::size_t bufferSize) {
  return returnedValue(content ? findValue(*content, section, key) : std::nullopt, defaultValue, bufferSize);
}

std::string whyNotWritable(std::string_view section, std::string_view key, std::string_view value) {
  const struct {
    std::string_view what;
    std::string_view text;
  } parts[] = {{"section name", section}, {"key name", key}, {"value", value}};
  for (const auto& part : parts) {
    if (containsAny(part.text, "\r\n")) return "the " + std::string(part.what) + " contains a line break";
    if (part.text.find('\0') != std::string_view::npos) {
      return "the " + std::string(part.what) + " contains a NUL character";
    }
  }
  if (trim(section, kIgnorable).empty()) return "the section name is empty";
  const std::string_view trimmedKey = trim(key, kIgnorable);
  if (trimmedKey.empty()) return "the key name is empty";
  if (trimmedKey.find('=') != std::string_view::npos) return "the key name contains '='";
  if (trimmedKey.front() == ';' || trimmedKey.front() == '[') {
    return "the key name would read back as a comment or a section header";
  }
  // A line's trailing Ctrl-Z is kept as the line's end mark when its value is replaced, so a value
  // ending in one would grow by a Ctrl-Z with every write of it (and never reads back with it).
  if (!value.empty() && value.back() == '\x1A') return "the value ends with a Ctrl-Z end-of-file mark";
  return "";
}

Edit planWrite(std::string_view content, std::string_view section, std::string_view key, std::string_view value) {
  const Position pos = locate(content, section, key);
  const std::string_view eol = lineBreakOf(content);
  Edit edit;
  if (pos.keyFound) {
    // Keep everything up to and including '=' (a bare key gets one), replace the rest of the line's
    // text, keep its line ending (and a Ctrl-Z end mark before it).
    const Line& line = pos.keyLine;
    const std::size_t textStart = static_cast<std::size_t>(line.text.data() - content.data());
    const bool bare = pos.equals == std::string_view::npos;
    edit.keep = textStart + (bare ? line.text.size() : pos.equals + 1);
    edit.resume = line.end;
    while (edit.resume > edit.keep && content[edit.resume - 1] == '\x1A') --edit.resume;
    edit.text.reserve(value.size() + 1);
    edit.text.append(bare ? "=" : "").append(value);
    return edit;
  }

  std::string entry;  // built by appending: GCC 12 warns wrongly about string + string here
  entry.append(trim(key, kIgnorable)).append("=").append(value);
  if (pos.sectionFound && pos.lastLine.next != pos.lastLine.end) {
    edit.keep = edit.resume = pos.lastLine.next;
    edit.text.append(entry).append(eol);
    return edit;
  }
  edit.keep = edit.resume = content.size();
  if (pos.sectionFound) {
    // The section's last line ends the file without a line break.
    edit.text.append(eol).append(entry);
    return edit;
  }
  if (!content.empty() && !isBreak(content.back()) && content != kUtf8Bom) edit.text.append(eol);
  edit.text.append("[").append(trim(section, kIgnorable)).append("]").append(eol).append(entry).append(eol);
  return edit;
}

bool Edit::changes(std::string_view content) const {
  return content.substr(keep, resume - keep) != text;
}

std::string applyWrite(std::string_view content, std::string_view section, std::string_view key,
                       std::string_view value) {
  const Edit edit = planWrite(content, section, key, value);
  std::string out;
  out.reserve(content.size() + edit.text.size());
  out.append(content.substr(0, edit.keep)).append(edit.text).append(content.substr(edit.resume));
  return out;
}

}  // namespace vexorel::ini
