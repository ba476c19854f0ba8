// The pure rules of core from one data file: paths, device names, the set count, the changed-items
// comparison and the sections its writes go to.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "core/ChangedItems.h"
#include "core/RenderDeviceCatalogue.h"
#include "core/SetRules.h"
#include "core/SettingsFile.h"
#include "support/core/Table.h"

namespace vexorel {
namespace {

using testing::split;

// "changed": VALUES>SNAPSHOT of the rows Coronas, SkinDetail, GameRenderDevice; each change as KEY:NEW<OLD.
std::string changedRows(const std::string& s) {
  const std::vector<std::string> keys{"Coronas", "SkinDetail", "GameRenderDevice"};
  std::string out;
  for (const ChangedItem& c :
       FindChangedItems(keys, split(s.substr(0, s.find('>')), ','), split(s.substr(s.find('>') + 1), ','), keys))
    out += c.key + ":" + c.newValue + "<" + c.oldValue + ";";
  return out;
}

// "writes": DEVICE IN FILE>KEY=NEW,...; each write as SECTION/KEY=VALUE@ITEM.
std::string writesFor(const std::string& s) {
  std::vector<ChangedItem> items;
  for (const std::string& item : split(s.substr(s.find('>') + 1), ','))
    items.push_back({item.substr(0, item.find('=')), item.substr(item.find('=') + 1), ""});
  std::string out;
  for (const IniWrite& w : WritesForChangedItems(items, s.substr(0, s.find('>'))))
    out += w.section + "/" + w.key + "=" + w.value + "@" + std::to_string(w.item) + ";";
  return out;
}

// rules.txt: a rule, its input and what it answers, a case a line.
const std::map<std::string, std::function<std::string(const std::string&)>> kRules{
    {"folderPart", [](const std::string& s) { return folderPart(s); }},
    {"gameFolder", [](const std::string& s) { return gameFolderFromExecutable(s); }},
    {"shortOrClass", [](const std::string& s) { return ShortNameOrClassName(s); }},
    {"classForList", [](const std::string& s) { return ClassNameForListName(s).value_or("-"); }},
    {"classForShort", [](const std::string& s) { return ClassNameForShortName(s).value_or("-"); }},
    {"setCount",
     [](const std::string& s) {
       const auto c = sets::setCountFrom(s.substr(s.find(':') + 1), std::stoi(s));
       return std::to_string(c.count) + " " + c.text + (c.replaced ? " replaced" : "");
     }},
    {"changed", changedRows},
    {"writes", writesFor},
};

TABLE_TEST(CoreRule, AnswersAsTheTableSays, testing::RowName(), "core/rules.txt") {
  ASSERT_TRUE(kRules.count(row[0])) << "no such rule";
  EXPECT_EQ(kRules.at(row[0])(row[1]), row.field(2));
}

}  // namespace
}  // namespace vexorel
