#include "mainwindow/CacheSizeRule.h"

#include <algorithm>

namespace vexorel {

namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

bool allDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!isDigit(c)) return false;
  }
  return true;
}

}  // namespace

bool cacheValueTooLarge(std::string_view text, int maximumMegs) {
  // Empty (or blank) text stands for 0, which is never too large.
  std::string_view rest = trimBlanks(text);
  if (rest.empty() || rest.front() == '-') return false;
  if (rest.front() == '+') rest.remove_prefix(1);
  const auto point = rest.find('.');
  const std::string_view whole = rest.substr(0, point);
  const std::string_view fraction = point == std::string_view::npos ? std::string_view{} : rest.substr(point + 1);
  const bool isNumber =
      (allDigits(whole) || (whole.empty() && !fraction.empty())) && (fraction.empty() || allDigits(fraction));
  if (!isNumber) return false;
  // Compared digit by digit, so no length of number overflows and no locale decides the point.
  std::string_view digits = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
  if (digits.empty()) digits = "0";
  const std::string maximum = std::to_string(std::max(maximumMegs, 0));
  if (digits.size() != maximum.size()) return digits.size() > maximum.size();
  if (digits != maximum) return digits > maximum;
  return fraction.find_first_not_of('0') != std::string_view::npos;
}

bool isWholeMegabytes(std::string_view text) {
  return allDigits(trimBlanks(text));
}

std::string cacheTooLargeMessage(int maximumMegs) {
  return "Memory value you specified is too large, maximum=" + std::to_string(maximumMegs) + " Mb";
}

}  // namespace vexorel
