// The registry store: parse arbitrary bytes, set one value, and check the round trip: the value reads back as set,
// the key exists, every other value of the file reads as before, and setting the same value again changes nothing.
// Input: key path '\n' value name '\n' type byte + data (0x01 stands for a line break) '\n' file bytes.
#include <cstdint>
#include <string>

#include "FuzzCommon.h"
#include "platform/formats/RegistryStore.h"

namespace {

// Every (key, value name) pair the file seems to hold: headers and the names of quoted or '@' lines.
std::vector<std::pair<std::string, std::string>> namesIn(std::string_view content) {
  std::vector<std::pair<std::string, std::string>> names;
  std::string key;
  while (!content.empty() && names.size() < 200) {
    const std::string_view line = vexorel::fuzz::trimmed(vexorel::fuzz::nextLine(content));
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') key = line.substr(1, line.size() - 2);
    if (!line.starts_with('@') && !line.starts_with('"')) continue;
    std::string name;
    for (std::size_t i = 1; line[0] == '"' && i < line.size() && line[i] != '"'; ++i) {
      name.push_back(line[i += line[i] == '\\' && i + 1 < line.size()]);
    }
    names.emplace_back(key, name);
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexorel;
  std::string_view content(reinterpret_cast<const char*>(data), size);
  const std::string keyPath = registry::normaliseKeyPath(fuzz::nextLine(content)), name(fuzz::nextLine(content));
  const std::string_view typed = fuzz::nextLine(content);
  // Reads of anything must not fail; the platform refuses names with line breaks before they reach the store.
  (void)registry::keyExists(content, keyPath);
  (void)registry::findValue(content, keyPath, name);
  if ((keyPath + name).find_first_of("\r\n") != std::string::npos) return 0;

  static constexpr std::uint32_t kTypes[] = {1, 3, 4, 2, 7, 0, 11};
  registry::Value value{typed.empty() ? 1 : kTypes[static_cast<unsigned char>(typed.front()) % 7], ""};
  for (const char c : typed.substr(typed.empty() ? 0 : 1)) value.bytes.push_back(c == '\x01' ? '\n' : c);
  // Text is stored with its terminating NUL, as the platform hands it over.
  if (value.type == 1 && (value.bytes.empty() || value.bytes.back() != '\0')) value.bytes.push_back('\0');

  const std::string written = registry::applySet(content, keyPath, name, value);
  FUZZ_CHECK(registry::keyExists(written, keyPath));
  registry::Value expected = value;
  if (expected.type == 1 && expected.bytes.find_first_of(std::string_view("\r\n", 2)) == std::string::npos) {
    // Quoted text: NULs at the end are one terminator, and a NUL inside makes it binary text.
    std::string text = expected.bytes;
    while (!text.empty() && text.back() == '\0') text.pop_back();
    if (text.find('\0') == std::string::npos) expected.bytes = text + '\0';
  }
  const auto readBack = registry::findValue(written, keyPath, name);
  FUZZ_CHECK(readBack && readBack->type == expected.type && readBack->bytes == expected.bytes);
  const auto same = [](const auto& a, const auto& b) {
    return a.has_value() == b.has_value() && (!a || (a->type == b->type && a->bytes == b->bytes));
  };
  for (const auto& [otherKey, otherName] : namesIn(content)) {
    if (equalsIgnoringCase(registry::normaliseKeyPath(otherKey), keyPath) && equalsIgnoringCase(otherName, name))
      continue;
    FUZZ_CHECK(
        same(registry::findValue(content, otherKey, otherName), registry::findValue(written, otherKey, otherName)));
  }
  FUZZ_CHECK(registry::applySet(written, keyPath, name, value) == written);
  return 0;
}
