// The main window's pure rules, table-driven: memory suggestion, cache-size checks, panel texts; and the
// drop-down counter.

#include <sstream>

#include "mainwindow/CacheSizeRule.h"
#include "mainwindow/DropDownCounter.h"
#include "mainwindow/MemoryRule.h"
#include "mainwindow/SummaryRows.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

TEST(MainWindowRules, EveryCaseOfTheTable) {
  std::istringstream table(testData("mainwindow/rules.txt"));
  int cases = 0;
  for (std::string line; std::getline(table, line);) {
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, '|');) f.push_back(field);
    if (f.size() < 3 || f[0].starts_with('#')) continue;
    const auto number = [&](std::size_t i) { return std::stoll(f.at(i)); };
    const std::string& rule = f[0];
    ++cases;
    if (rule == "memory")
      EXPECT_EQ(detectedMegabytes(number(1)), number(2)) << line;
    else if (rule == "suggest")
      EXPECT_EQ(suggestedCacheMegabytes(number(1)), number(2)) << line;
    else if (rule == "suggesttext")
      EXPECT_EQ(cacheSuggestionText(number(1)), f[2]) << line;
    else if (rule == "memorypanel")
      EXPECT_EQ(memoryPanelText(number(1)), f[2]) << line;
    else if (rule == "toolarge")
      EXPECT_EQ(cacheValueTooLarge(f[1], number(2)), number(3) == 1) << line;
    else if (rule == "whole")
      EXPECT_EQ(isWholeMegabytes(f[1]), number(2) == 1) << line;
    else if (rule == "resolution")
      EXPECT_EQ(resolutionPanelText(f[1], f[2]), f.at(3)) << line;
    else if (rule == "cachepanel")
      EXPECT_EQ(cachePanelText(f[1]), f[2]) << line;
    else
      ADD_FAILURE() << "unknown rule: " << line;
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
