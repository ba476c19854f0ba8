// Reads of a key from arbitrary bytes: the engine agrees with the reference reader, and the text handed
// back obeys the buffer rules (at most bufferSize - 1 characters, cut at a NUL, quotes off, a default's
// trailing blanks off, the default for a file that cannot be read).
// Input: section '\n' key '\n' default '\n' file bytes.
#include <cstdint>
#include <string>

#include "FuzzCommon.h"
#include "platform/IniEngine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexorel;
  std::string_view content(reinterpret_cast<const char*>(data), size);
  const std::string_view section = fuzz::nextLine(content), key = fuzz::nextLine(content),
                         fallback = fuzz::nextLine(content);
  const auto found = ini::findValue(content, section, key);
  const auto expected = fuzz::referenceFind(content, section, key);
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
  FUZZ_CHECK(ini::readValue(std::nullopt, section, key, fallback, 255) ==
             missing.substr(0, missing.find('\0')).substr(0, 254));
  return 0;
}
