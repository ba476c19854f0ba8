#pragma once
// Questions about the setting sets stored in the program's settings file, asked key by key through
// the private-profile reader: whether a set is there, which number a new set may take without
// overwriting one, and how many sets there are when the stored count is not a number.

#include <optional>
#include <string>
#include <vector>

#include "core/ReadModule.h"
#include "core/SetRules.h"

namespace vexorel::sets {

// Hand-edited files may skip numbers; a scan for sets gives up only after this many missing in a row.
inline constexpr int kGapAllowance = 100;

// The stored value by the standard read (255-character buffer), or nullopt when the key is missing.
std::optional<std::string> readIfPresent(ReadModule& module, const std::string& section, const std::string& key,
                                         const std::string& file);

// The highest set number n whose section holds a "SaveName", scanning upward from 1 until
// kGapAllowance numbers in a row beyond both the last one found and `floor` are missing; 0 for none.
int highestNamedSet(ReadModule& module, const std::string& file, int floor = 0);

// True when section "Save" + n holds a "SaveName" or any of `keys`.
bool setHoldsData(ReadModule& module, const std::string& file, int setNumber, const std::vector<std::string>& keys);

// The number a new set takes: "SaveNumber" + 1 when that is a number and its section is empty;
// otherwise the first empty section above every set found. nullopt when no number is left.
std::optional<int> numberForNewSet(ReadModule& module, const std::string& file, const std::vector<std::string>& keys);

// "SaveNumber" as the editor shows it and the load window lists by (setCountFrom, with the highest set
// found as the last one). A count put in place of a text that was none is written back.
SetCount readSetCount(ReadModule& module, const std::string& file);

}  // namespace vexorel::sets
