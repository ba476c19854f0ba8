// The main window's pure rules and its drop-down counter, table-driven.

#include <functional>
#include <map>

#include "mainwindow/CacheSizeRule.h"
#include "mainwindow/DropDownCounter.h"
#include "mainwindow/MemoryRule.h"
#include "mainwindow/SummaryRows.h"
#include "support/core/Table.h"

namespace vexorel::testing {
namespace {

// rules.txt: a rule, its inputs and its result as text, a case a line.
const std::map<std::string, std::function<std::string(const Row&)>> kRules{
    {"memory", [](const Row& f) { return std::to_string(detectedMegabytes(std::stoull(f[1]))); }},
    {"suggest", [](const Row& f) { return std::to_string(suggestedCacheMegabytes(std::stoi(f[1]))); }},
    {"suggesttext", [](const Row& f) { return cacheSuggestionText(std::stoi(f[1])); }},
    {"memorypanel", [](const Row& f) { return memoryPanelText(std::stoi(f[1])); }},
    {"toolarge", [](const Row& f) { return std::to_string(cacheValueTooLarge(f[1], std::stoi(f[2]))); }},
    {"whole", [](const Row& f) { return std::to_string(isWholeMegabytes(f[1])); }},
    {"resolution", [](const Row& f) { return resolutionPanelText(f[1], f[2]); }},
    {"cachepanel", [](const Row& f) { return cachePanelText(f[1]); }},
    {"dropdowns", [](const Row& f) {
       DropDownCounter counter;
       std::string counted;
       for (int i = 0; i < std::stoi(f[1]); ++i) counted += counter.countDropDown() ? "counted " : "";
       return counted + std::to_string(counter.value());
     }}};

TABLE_TEST(MainWindowRule, AnswersAsTheTableSays, RowName(), "mainwindow/rules.txt") {
  ASSERT_TRUE(kRules.count(row[0])) << "no such rule";
  EXPECT_EQ(kRules.at(row[0])(row), row.fields.back());
}

}  // namespace
}  // namespace vexorel::testing
