#include "mainwindow/SummaryRows.h"

#include <charconv>
#include <cstdint>

namespace vexorel {

namespace {

// The side's 16-bit value as decimal text, or the text as read when it is no such number.
std::string resolutionSide(const std::string& read) {
  std::string_view digits = read;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  std::int16_t value = 0;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || error != std::errc() || stop != end) return read;
  return std::to_string(value);
}

}  // namespace

std::string resolutionPanelText(const std::string& widthRead, const std::string& heightRead) {
  return resolutionSide(widthRead) + " x " + resolutionSide(heightRead);
}

std::string cachePanelText(const std::string& cacheRead) {
  return " " + cacheRead + "Mb";
}

}  // namespace vexorel
