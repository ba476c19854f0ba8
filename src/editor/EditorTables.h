#pragma once
// The editor's fixed tables: the value-list rows, the check boxes' keys and sections, the combos'
// keys, sections and item lists, and the small matching rules built on them. No widgets here.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/GameFiles.h"

namespace vexorel {

inline constexpr int kFirstCheck = 1;
inline constexpr int kLastCheck = 41;
inline constexpr int kFirstDeviceCheck = 2;
inline constexpr int kLastDeviceCheck = 27;

// The caption of Check n, which is also the key it stands for (n from 1 to 41).
std::string_view CheckCaption(int n);
// The section Check n reads and writes: the device's section for 2 to 27, the sound section for 28
// to 39, the network section for 40 and 41; none for Check1, which writes nothing.
std::optional<std::string> CheckSection(int n, const std::string& deviceSection);

inline constexpr int kComboCount = 9;

struct ComboSpec {
  std::string_view key;
  std::string_view section;  // for Combo1 to Combo3 the device's section holds it
  std::vector<std::string> items;
};

// Combo n, n from 1 to 9.
const ComboSpec& ComboSpecFor(int n);

// The first item equal to the value (exact, case-sensitive, no trimming), or -1.
int TextMatch(const std::vector<std::string>& items, const std::string& value);

}  // namespace vexorel
