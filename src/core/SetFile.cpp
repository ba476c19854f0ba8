#include "core/SetFile.h"

#include <algorithm>

#include "core/SetRules.h"

namespace vexorel::sets {

std::optional<std::string> readIfPresent(ReadModule& module, const std::string& section, const std::string& key,
                                         const std::string& file) {
  const std::string value = module.ReadProfileValue(section, key, file);
  if (value != kDefaultValue) return value;
  // "Default" is either the stored text or the reader's default: a second read with another default
  // tells them apart.
  std::string again;
  const std::size_t n = module.platform().getPrivateProfileString(section, key, "", again, kReadBufferSize, file);
  again.resize(std::min(n, again.size()));
  if (again == kDefaultValue) return again;
  return std::nullopt;
}

int highestNamedSet(ReadModule& module, const std::string& file, int floor) {
  int last = 0;
  for (int n = 1; n <= kHighestSetNumber && n <= std::max(last, floor) + kGapAllowance; ++n) {
    if (readIfPresent(module, sectionName(n), kSaveNameKey, file)) last = n;
  }
  return last;
}

bool setHoldsData(ReadModule& module, const std::string& file, int setNumber, const std::vector<std::string>& keys) {
  const std::string section = sectionName(setNumber);
  if (readIfPresent(module, section, kSaveNameKey, file)) return true;
  return std::any_of(keys.begin(), keys.end(),
                     [&](const std::string& key) { return readIfPresent(module, section, key, file).has_value(); });
}

std::optional<int> numberForNewSet(ReadModule& module, const std::string& file, const std::vector<std::string>& keys) {
  const auto count = parseSaveNumber(module.ReadProfileValue(kProgramSection, kSaveNumberKey, file));
  int candidate = count ? *count + 1 : highestNamedSet(module, file) + 1;
  // A count that was reset or edited by hand may point into sets already saved: never write over one.
  if (candidate <= kHighestSetNumber && setHoldsData(module, file, candidate, keys)) {
    candidate = std::max(candidate, highestNamedSet(module, file, candidate)) + 1;
    while (candidate <= kHighestSetNumber && setHoldsData(module, file, candidate, keys)) ++candidate;
  }
  if (candidate > kHighestSetNumber) return std::nullopt;
  return candidate;
}

int setCountForListing(ReadModule& module, const std::string& file) {
  const auto count = parseSaveNumber(module.ReadProfileValue(kProgramSection, kSaveNumberKey, file));
  if (count) return *count;
  const int found = highestNamedSet(module, file);
  // The repair is a convenience: when the file cannot be written the sets are still listed.
  module.WriteIniValue(kProgramSection, kSaveNumberKey, std::to_string(found), file);
  return found;
}

}  // namespace vexorel::sets
