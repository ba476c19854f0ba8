#include "core/SetRules.h"

namespace vexorel::sets {

namespace {

// Characters the reader strips from either end of a line and of a value.
bool trimmedByReader(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\x1a';
}

bool isQuote(char c) {
  return c == '"' || c == '\'';
}

}  // namespace

std::string sectionName(int setNumber) {
  return "Save" + std::to_string(setNumber);
}

std::optional<int> parseSaveNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kHighestSetNumber) return std::nullopt;
  }
  return value;
}

SetCount setCountFrom(std::string_view stored, int lastSet) {
  if (const auto count = parseSaveNumber(stored)) return {*count, std::string(stored), false};
  return {lastSet, std::to_string(lastSet), true};
}

std::optional<std::string> nameProblem(std::string_view name) {
  if (name.empty()) return "Please enter a name for the setting set.";
  // A line break would start a new line of the file; a NUL ends the text the reader hands back.
  if (name.find_first_of("\r\n") != std::string_view::npos) return "A setting name must fit on one line.";
  if (name.find('\0') != std::string_view::npos) return "A setting name cannot contain a NUL character.";
  if (trimmedByReader(name.front()) || trimmedByReader(name.back())) {
    return "A setting name cannot start or end with a blank.";
  }
  if (name.size() > kLongestName) {
    return "A setting name can be at most 254 characters long (letters outside A to Z count as two or "
           "more); this one takes " +
           std::to_string(name.size()) + ".";
  }
  if (name.size() >= 2 && isQuote(name.front()) && name.front() == name.back()) {
    return "A setting name cannot be enclosed in quotes.";
  }
  return std::nullopt;
}

}  // namespace vexorel::sets
