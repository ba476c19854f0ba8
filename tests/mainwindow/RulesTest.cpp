// The main window's pure rules, table-driven, and the drop-down counter.

#include <functional>
#include <map>
#include <sstream>

#include "mainwindow/CacheSizeRule.h"
#include "mainwindow/DropDownCounter.h"
#include "mainwindow/MemoryRule.h"
#include "mainwindow/SummaryRows.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

using Fields = std::vector<std::string>;

// Each rule's result as text, to compare with the last field of its line.
const std::map<std::string, std::function<std::string(const Fields&)>> kRules{
    {"memory", [](const Fields& f) { return std::to_string(detectedMegabytes(std::stoull(f[1]))); }},
    {"suggest", [](const Fields& f) { return std::to_string(suggestedCacheMegabytes(std::stoi(f[1]))); }},
    {"suggesttext", [](const Fields& f) { return cacheSuggestionText(std::stoi(f[1])); }},
    {"memorypanel", [](const Fields& f) { return memoryPanelText(std::stoi(f[1])); }},
    {"toolarge", [](const Fields& f) { return std::to_string(cacheValueTooLarge(f[1], std::stoi(f[2]))); }},
    {"whole", [](const Fields& f) { return std::to_string(isWholeMegabytes(f[1])); }},
    {"resolution", [](const Fields& f) { return resolutionPanelText(f[1], f[2]); }},
    {"cachepanel", [](const Fields& f) { return cachePanelText(f[1]); }}};

TEST(MainWindowRules, EveryCaseOfTheTable) {
  std::istringstream table(testData("mainwindow/rules.txt"));
  int cases = 0;
  for (std::string line; std::getline(table, line);) {
    Fields f;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '|');) f.push_back(field);
    if (f.size() < 3 || f[0].starts_with('#')) continue;
    ++cases;
    EXPECT_EQ(kRules.at(f[0])(f), f.back()) << line;  // an unknown rule throws
  }
  EXPECT_EQ(cases, 60);
}

TEST(MainWindowRules, OnlyTheFirstDropDownCountsAndTheCounterNeverOverflows) {
  DropDownCounter counter;
  EXPECT_TRUE(counter.countDropDown());
  for (int i = 0; i < 70000; ++i) EXPECT_FALSE(counter.countDropDown());
  EXPECT_EQ(counter.value(), 2);
}

}  // namespace
}  // namespace vexorel::testing
