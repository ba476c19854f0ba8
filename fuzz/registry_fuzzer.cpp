// The registry store: parse arbitrary bytes, set one value, and check the round trip: the value reads
// back as set, the key exists, every other value of the file reads as before, and setting the same
// value again changes nothing.
//
// Input: key path '\n' value name '\n' type byte + data (0x01 stands for a line break) '\n' file bytes.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "FuzzInput.h"
#include "platform/RegistryStore.h"

namespace {

// Every (key, value name) pair the file seems to hold: headers and the names of quoted or '@' lines.
std::vector<std::pair<std::string, std::string>> namesIn(std::string_view content) {
  std::vector<std::pair<std::string, std::string>> names;
  std::string key;
  while (!content.empty() && names.size() < 200) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r')) line.remove_suffix(1);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      key = std::string(line.substr(1, line.size() - 2));
    } else if (!line.empty() && line.front() == '@') {
      names.emplace_back(key, "");
    } else if (!line.empty() && line.front() == '"') {
      std::string name;
      for (std::size_t i = 1; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        name.push_back(line[i]);
      }
      names.emplace_back(key, name);
    }
  }
  return names;
}

bool sameValue(const std::optional<vexorel::registry::Value>& a, const std::optional<vexorel::registry::Value>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->type == b->type && a->bytes == b->bytes);
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexorel;
  fuzz::FuzzInput input(data, size);
  const std::string keyPath = registry::normaliseKeyPath(input.line());
  const std::string name(input.line());
  const std::string_view typed = input.line();
  const std::string_view content = input.rest();

  // Reads of anything must not fail.
  (void)registry::keyExists(content, keyPath);
  const auto before = registry::findValue(content, keyPath, name);
  // The platform refuses names with line breaks before they reach the store.
  if ((keyPath + name).find_first_of("\r\n") != std::string::npos) return 0;

  static constexpr std::uint32_t kTypes[] = {1, 3, 4, 2, 7, 0, 11};
  registry::Value value;
  value.type = typed.empty() ? 1 : kTypes[static_cast<unsigned char>(typed.front()) % 7];
  for (const char c : typed.substr(typed.empty() ? 0 : 1)) value.bytes.push_back(c == '\x01' ? '\n' : c);
  // Text is stored with its terminating NUL, as the platform hands it over.
  if (value.type == 1 && (value.bytes.empty() || value.bytes.back() != '\0')) value.bytes.push_back('\0');

  const std::string written = registry::applySet(content, keyPath, name, value);
  FUZZ_CHECK(registry::keyExists(written, keyPath));
  const auto readBack = registry::findValue(written, keyPath, name);
  FUZZ_CHECK(readBack.has_value());
  registry::Value expected = value;
  if (expected.type == 1 && expected.bytes.find_first_of(std::string_view("\r\n", 2)) == std::string::npos) {
    // Quoted text: NULs at the end are one terminator, and a NUL inside makes it binary text.
    std::string text = expected.bytes;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    if (text.find('\0') == std::string::npos) expected.bytes = text + '\0';
  }
  FUZZ_CHECK(readBack->type == expected.type && readBack->bytes == expected.bytes);

  for (const auto& [otherKey, otherName] : namesIn(content)) {
    if (sameIgnoringCase(registry::normaliseKeyPath(otherKey), keyPath) && sameIgnoringCase(otherName, name)) continue;
    FUZZ_CHECK(sameValue(registry::findValue(content, otherKey, otherName),
                         registry::findValue(written, otherKey, otherName)));
  }
  FUZZ_CHECK(registry::applySet(written, keyPath, name, value) == written);
  (void)before;
  return 0;
}
