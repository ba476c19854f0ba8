#pragma once
// How a click on the value list changes a row: most rows step through a fixed cycle of values, two
// rows are typed into a text box instead. No widgets here.

#include <optional>
#include <string>

namespace vexorel {

enum class RowEdit { None, Cycle, TypeInText1, TypeInText2 };

// What a click on row `row` does (None outside rows 0 to 14).
RowEdit EditForRow(int row);

// The value after `value` in the row's cycle, or nullopt when the row has no cycle or the value is
// not one of its values (compared exactly, so "true" or "24" stay as they are).
std::optional<std::string> NextInCycle(int row, const std::string& value);

}  // namespace vexorel
