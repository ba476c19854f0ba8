#pragma once
// The rules of the setting-set sections in the program's settings file, as pure functions: how a set's
// section is named, which "SaveNumber" texts count as a number and what stands for one that does not,
// and which names can be stored as typed and read back identically by the private-profile reader.

#include <optional>
#include <string>
#include <string_view>

#include "core/SettingsFile.h"

namespace vexorel::sets {

inline constexpr const char* kProgramSection = vexorel::kSettingsSection;
inline constexpr const char* kSaveNumberKey = vexorel::kSaveNumberKey;
inline constexpr const char* kSaveNameKey = "SaveName";

// The load window passes a set's position as a 16-bit index, so set numbers stay below 32768.
inline constexpr int kHighestSetNumber = 32767;

// The reader hands back at most 254 bytes of a value.
inline constexpr std::size_t kLongestName = 254;

// "Save" + n, n in decimal without leading zeros.
std::string sectionName(int setNumber);

// A "SaveNumber" text as a count of sets: decimal digits only ("03" is 3), at most kHighestSetNumber.
// Anything else (empty, "Default", "abc", "-1", "1e3", blanks) is not a number.
std::optional<int> parseSaveNumber(std::string_view text);

// "SaveNumber" as the count of sets the editor shows and the load window lists.
struct SetCount {
  int count = 0;
  std::string text;       // as the editor shows it: the stored text ("03"), or the count put in its place
  bool replaced = false;  // the stored text was no count, and `count` is to be written in its place
};

// A stored text that is a count stays as it is. Any other text (no number, negative, above
// kHighestSetNumber) would hide the sets in the file: the count is then `lastSet`, the number of the
// last set there.
SetCount setCountFrom(std::string_view stored, int lastSet);

// Why `name` (UTF-8 bytes) would not read back from the settings file exactly as typed, as one line
// to show the user; nullopt when it would.
std::optional<std::string> nameProblem(std::string_view name);

}  // namespace vexorel::sets
