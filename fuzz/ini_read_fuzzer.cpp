// Reads of a key from arbitrary bytes: the engine must agree with the plain reference reader, and the
// text handed back must obey the buffer rules (at most bufferSize - 1 characters, no NUL, quotes off).
//
// Input: section '\n' key '\n' default '\n' file bytes.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "IniReference.h"
#include "platform/IniEngine.h"

namespace {

std::string_view unquoted(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexorel;
  fuzz::FuzzInput input(data, size);
  const std::string_view section = input.line();
  const std::string_view key = input.line();
  const std::string_view defaultValue = input.line();
  const std::string_view content = input.rest();

  const auto found = ini::findValue(content, section, key);
  const auto expected = fuzz::referenceFind(content, section, key);
  FUZZ_CHECK(found.has_value() == expected.has_value());
  if (found) FUZZ_CHECK(*found == *expected);

  std::string_view full = defaultValue;
  if (found) {
    full = unquoted(*found);
  } else {
    while (!full.empty() && full.back() == ' ') full.remove_suffix(1);
  }
  full = full.substr(0, full.find('\0'));
  for (const std::size_t bufferSize :
       {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{255}, std::size_t{1} << 20}) {
    const std::string read = ini::readValue(content, section, key, defaultValue, bufferSize);
    FUZZ_CHECK(read.size() + 1 <= (bufferSize == 0 ? 1 : bufferSize));
    FUZZ_CHECK(read == full.substr(0, read.size()));
    FUZZ_CHECK(read.size() == std::min(full.size(), bufferSize == 0 ? 0 : bufferSize - 1));
  }
  // A file that cannot be read gives the default.
  const std::string missing = ini::readValue(std::nullopt, section, key, defaultValue, 255);
  std::string_view trimmedDefault = defaultValue;
  while (!trimmedDefault.empty() && trimmedDefault.back() == ' ') trimmedDefault.remove_suffix(1);
  trimmedDefault = trimmedDefault.substr(0, trimmedDefault.find('\0'));
  FUZZ_CHECK(missing == trimmedDefault.substr(0, 254));
  return 0;
}
