#pragma once
// What the memory text box may hold. The change check compares the entered value with the detected
// memory; "&Done" writes only a whole number of megabytes. Pure text rules, no widgets.

#include <string>
#include <string_view>

namespace vexorel {

// The change check's condition: the entered value (0 for empty text; blanks around it, a sign,
// digits and a decimal fraction allowed) is above the maximum. Text that is no number is left to
// "&Done", which refuses it.
bool cacheValueTooLarge(std::string_view text, int maximumMegs);

// Digits only, with blanks allowed around them (the suggestion carries a leading blank).
bool isWholeMegabytes(std::string_view text);

// The too-large message: "Memory value you specified is too large, maximum=" + max + " Mb".
std::string cacheTooLargeMessage(int maximumMegs);

}  // namespace vexorel
