// One key written into arbitrary bytes. Beyond "no crash" it holds the write to its promises:
//  - only the key's own line changes, or only its own new lines are added: every other byte stays;
//  - reading the key back gives the written value (for values without surrounding blanks or quotes);
//  - every other key of the file reads as it did before;
//  - writing the same value again changes nothing.
//
// Input: section '\n' key '\n' value '\n' file bytes.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "IniReference.h"
#include "platform/IniEngine.h"

namespace {

using vexorel::fuzz::isIgnorable;
using vexorel::fuzz::sameIgnoringCase;
using vexorel::fuzz::trimmed;

bool isQuoted(std::string_view value) {
  return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

// True when `after` is `before` with `inserted` put in at one place.
bool isInsertion(std::string_view before, std::string_view after, std::string_view inserted) {
  if (after.size() != before.size() + inserted.size()) return false;
  std::size_t prefix = 0;
  while (prefix < before.size() && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < before.size() && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
  // The insertion point i must keep before[0, i) in front and before[i, end) behind.
  const std::size_t lowest = before.size() - std::min(suffix, before.size());
  for (std::size_t at = lowest; at <= prefix; ++at) {
    if (after.substr(at, inserted.size()) == inserted) return true;
  }
  return false;
}

// True when `after` differs from `before` in one line only, no line break added or removed.
bool changesOneLine(std::string_view before, std::string_view after) {
  std::size_t prefix = 0;
  const std::size_t shorter = std::min(before.size(), after.size());
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  std::size_t suffix = 0;
  while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) ++suffix;
  const std::string_view removed = before.substr(prefix, before.size() - prefix - suffix);
  const std::string_view added = after.substr(prefix, after.size() - prefix - suffix);
  return removed.find_first_of("\r\n") == std::string_view::npos && added.find_first_of("\r\n") == std::string_view::npos;
}

bool onlyOwnChange(std::string_view before, std::string_view after, std::string_view section, std::string_view key,
                   std::string_view value) {
  if (changesOneLine(before, after)) return true;
  const std::string eol(vexorel::ini::lineBreakOf(before));
  const std::string entry = std::string(trimmed(key)) + "=" + std::string(value);
  const std::string block = "[" + std::string(trimmed(section)) + "]" + eol + entry + eol;
  for (const std::string& inserted : {entry + eol, eol + entry, block, eol + block}) {
    if (isInsertion(before, after, inserted)) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexorel;
  fuzz::FuzzInput input(data, size);
  const std::string_view section = input.line();
  const std::string_view key = input.line();
  const std::string_view value = input.line();
  const std::string_view content = input.rest();
  if (!ini::whyNotWritable(section, key, value).empty()) return 0;

  const std::string written = ini::applyWrite(content, section, key, value);
  FUZZ_CHECK(onlyOwnChange(content, written, section, key, value));

  const bool plain = value.empty() || (!isIgnorable(value.front()) && !isIgnorable(value.back()) && !isQuoted(value));
  const auto readBack = ini::findValue(written, section, key);
  FUZZ_CHECK(readBack.has_value());
  if (plain) FUZZ_CHECK(*readBack == value);

  // Every other key reads as before (a bounded number of them, to keep each run quick).
  const auto keys = fuzz::referenceKeys(content);
  for (std::size_t i = 0; i < keys.size() && i < 200; ++i) {
    const auto& [otherSection, otherKey] = keys[i];
    if (sameIgnoringCase(trimmed(otherSection), trimmed(section)) && sameIgnoringCase(otherKey, trimmed(key))) continue;
    FUZZ_CHECK(ini::findValue(content, otherSection, otherKey) == ini::findValue(written, otherSection, otherKey));
  }

  FUZZ_CHECK(ini::applyWrite(written, section, key, value) == written);
  return 0;
}
