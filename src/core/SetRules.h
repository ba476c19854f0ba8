#pragma once
// The rules of the setting-set sections in the program's settings file, as pure functions: how a set's
// section is named, which "SaveNumber" texts count as a number, and which names can be stored as typed
// and read back identically by the private-profile reader.

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

// Why `name` (UTF-8 bytes) would not read back from the settings file exactly as typed, as one line
// to show the user; nullopt when it would.
std::optional<std::string> nameProblem(std::string_view name);

}  // namespace vexorel::sets
