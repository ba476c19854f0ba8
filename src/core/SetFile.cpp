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

namespace {

// The count as stored, or as it is to be put right; the file is scanned for sets only in that case.
SetCount storedSetCount(ReadModule& module, const std::string& file) {
  const std::string stored = module.ReadProfileValue(kProgramSection, kSaveNumberKey, file);
  return setCountFrom(stored, parseSaveNumber(stored) ? 0 : highestNamedSet(module, file));
}

}  // namespace

std::optional<int> numberForNewSet(ReadModule& module, const std::string& file, const std::vector<std::string>& keys) {
  int candidate = storedSetCount(module, file).count + 1;
  // A count that was reset or edited by hand may point into sets already saved: never write over one.
  if (candidate <= kHighestSetNumber && setHoldsData(module, file, candidate, keys)) {
    candidate = std::max(candidate, highestNamedSet(module, file, candidate)) + 1;
    while (candidate <= kHighestSetNumber && setHoldsData(module, file, candidate, keys)) ++candidate;
  }
  if (candidate > kHighestSetNumber) return std::nullopt;
  return candidate;
}

SetCount readSetCount(ReadModule& module, const std::string& file) {
  SetCount count = storedSetCount(module, file);
  // The repair is a convenience: when the file cannot be written the sets are still shown.
  if (count.replaced) module.WriteIniValue(kProgramSection, kSaveNumberKey, count.text, file);
  return count;
}

}  // namespace vexorel::sets
