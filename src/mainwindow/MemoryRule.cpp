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

std::string cacheSuggestionText(int suggestedMegs) {
  return " " + std::to_string(suggestedMegs);
}

std::string memoryPanelText(int detectedMegs) {
  return " " + std::to_string(detectedMegs) + "Mb";
}

}  // namespace vexorel
