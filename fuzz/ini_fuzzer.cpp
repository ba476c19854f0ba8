// One key read from and written into arbitrary bytes.
// Input: section '\n' key '\n' default-or-value '\n' file bytes.
// Beyond "no crash" the read keeps the buffer rules and agrees with the reference reader, and the write keeps
// its promises: only the key's own line changes (no line break added or removed), or only its own new lines
// are added; the key reads back as written (for values without surrounding blanks or quotes); every other key
// reads as before; writing the same value again changes nothing.
#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzCommon.h"
#include "platform/formats/IniEngine.h"
#include "platform/formats/Text.h"

namespace {

using namespace vexorel::fuzz;

// True when `after` is `before` with `inserted` put in at one place.
bool isInsertion(std::string_view before, std::string_view after, std::string_view inserted) {
  if (after.size() != before.size() + inserted.size()) return false;
  std::size_t prefix = 0, suffix = 0;
  while (prefix < before.size() && before[prefix] == after[prefix]) ++prefix;
  while (suffix < before.size() && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
  for (std::size_t at = before.size() - suffix; at <= prefix; ++at) {
    if (after.substr(at, inserted.size()) == inserted) return true;
  }
  return false;
}

bool onlyOwnChange(std::string_view before, std::string_view after, std::string_view section, std::string_view key,
                   std::string_view value) {
  // One line changed, no line break added or removed...
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0, suffix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
  if (before.substr(prefix, before.size() - prefix - suffix).find_first_of("\r\n") == std::string_view::npos &&
      after.substr(prefix, after.size() - prefix - suffix).find_first_of("\r\n") == std::string_view::npos) {
    return true;
  }
  // ...or only the entry's own lines added.
  const std::string eol(vexorel::lineBreakOf(before));
  const std::string entry = std::string(trimmed(key)) + "=" + std::string(value),
                    block = "[" + std::string(trimmed(section)) + "]" + eol + entry + eol;
  for (const std::string& inserted : {entry + eol, eol + entry, block, eol + block}) {
    if (isInsertion(before, after, inserted)) return true;
  }
  return false;
}

// The read of a key obeys the buffer rules: at most bufferSize - 1 characters, cut at a NUL, quotes off,
// a default's trailing blanks off; and agrees with the reference reader.
void checkRead(std::string_view content, std::string_view section, std::string_view key, std::string_view fallback) {
  using namespace vexorel;
  const auto found = ini::findValue(content, section, key);
  const auto expected = referenceFind(content, section, key);
  FUZZ_CHECK(found == expected);

  std::string_view full = found.value_or(fallback), missing = fallback;
  if (found && full.size() >= 2 && (full.front() == '"' || full.front() == '\'') && full.back() == full.front()) {
    full = full.substr(1, full.size() - 2);
  }
  while (!missing.empty() && missing.back() == ' ') missing.remove_suffix(1);
  if (!found) full = missing;
  full = full.substr(0, full.find('\0'));
  for (const std::size_t bufferSize : {0ul, 1ul, 2ul, 255ul, 1ul << 20}) {
    const std::string read = ini::readValue(content, section, key, fallback, bufferSize);
    FUZZ_CHECK(read == full.substr(0, bufferSize == 0 ? 0 : bufferSize - 1));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexorel;
  std::string_view content(reinterpret_cast<const char*>(data), size);
  const std::string_view section = nextLine(content), key = nextLine(content), value = nextLine(content);
  checkRead(content, section, key, value);
  if (!ini::whyNotWritable(section, key, value).empty()) return 0;

  const std::string written = ini::applyWrite(content, section, key, value);
  FUZZ_CHECK(onlyOwnChange(content, written, section, key, value));
  const bool quoted =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  const bool plain = trimmed(value) == value && !quoted;
  const auto readBack = ini::findValue(written, section, key);
  FUZZ_CHECK(readBack.has_value() && (!plain || *readBack == value));
  // Every other key reads as before (a bounded number of them, to keep each run quick).
  int checked = 0;
  for (const Entry& other : referenceEntries(content)) {
    if (other.key.empty() ||
        (equalsIgnoringCase(other.section, trimmed(section)) && equalsIgnoringCase(other.key, trimmed(key))))
      continue;
    if (++checked > 200) break;
    FUZZ_CHECK(ini::findValue(content, other.section, other.key) == ini::findValue(written, other.section, other.key));
  }
  FUZZ_CHECK(ini::applyWrite(written, section, key, value) == written);
  return 0;
}
