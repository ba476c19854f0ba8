#include "mainwindow/MemoryRule.h"

#include <algorithm>

namespace vexorel {

std::uint64_t roundHalfEven(std::uint64_t numerator, std::uint64_t denominator) {
  const std::uint64_t whole = numerator / denominator;
  const std::uint64_t rest = numerator % denominator;
  // Compare twice the remainder with the denominator, so no fraction is ever formed.
  const std::uint64_t twice = rest * 2;
  if (twice > denominator) return whole + 1;
  if (twice == denominator && whole % 2 == 1) return whole + 1;
  return whole;
}

int detectedMegabytes(std::uint64_t totalBytes) {
  const std::uint64_t bytes = std::min(totalBytes, kMemoryByteCap);
  return static_cast<int>(roundHalfEven(bytes, std::uint64_t{1} << 20));
}

int suggestedCacheMegabytes(int detectedMegs) {
  const auto megs = static_cast<std::uint64_t>(std::max(detectedMegs, 0));
  if (megs < 64) return static_cast<int>(roundHalfEven(megs, 2));
  return static_cast<int>(roundHalfEven(megs * 3, 4));
}

namespace {

// The number behind one blank. Appended rather than written as " " + text: GCC 12 at -O3 reports a
// false overlap (-Wrestrict) in the library's insert-at-front that the latter compiles to.
std::string blankThenNumber(int number) {
  std::string text(1, ' ');
  text += std::to_string(number);
  return text;
}

}  // namespace

std::string cacheSuggestionText(int suggestedMegs) {
  return blankThenNumber(suggestedMegs);
}

std::string memoryPanelText(int detectedMegs) {
  return blankThenNumber(detectedMegs) + "Mb";
}

}  // namespace vexorel
