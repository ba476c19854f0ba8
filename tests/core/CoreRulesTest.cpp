// The pure rules of core: the path, device-name and set-count tables from a data file, and the
// changed-items comparison and the sections its writes go to.
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

std::string orNone(const std::optional<std::string>& answer) {
  return answer.value_or("-");
}

// rules.txt: a rule, its input and what it answers, a case a line.
const std::map<std::string, std::function<std::string(const std::string&)>> kRules{
    {"folderPart", [](const std::string& s) { return folderPart(s); }},
    {"gameFolder", [](const std::string& s) { return gameFolderFromExecutable(s); }},
    {"shortOrClass", [](const std::string& s) { return ShortNameOrClassName(s); }},
    {"classForList", [](const std::string& s) { return orNone(ClassNameForListName(s)); }},
    {"classForShort", [](const std::string& s) { return orNone(ClassNameForShortName(s)); }},
    {"setCount",
     [](const std::string& s) {
       const auto c = sets::setCountFrom(s.substr(s.find(':') + 1), std::stoi(s));
       return std::to_string(c.count) + " " + c.text + (c.replaced ? " replaced" : "");
     }},
};

TABLE_TEST(CoreRule, AnswersAsTheTableSays, testing::RowName(), "core/rules.txt") {
  ASSERT_TRUE(kRules.count(row[0])) << "no such rule";
  EXPECT_EQ(kRules.at(row[0])(row[1]), row[2]);
}

TEST(ChangedItems, FindsRowsThatDifferExactly) {
  const std::vector<std::string> keys{"Coronas", "SkinDetail", "GameRenderDevice"};
  const std::vector<std::string> snapshot{"True", "High", "Direct 3D"};
  EXPECT_TRUE(FindChangedItems(keys, snapshot, snapshot, keys).empty());
  const auto changed = FindChangedItems(keys, {"true", "High", "OpenGl"}, snapshot, keys);
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[0].key, "Coronas");
  EXPECT_EQ(changed[0].newValue, "true");
  EXPECT_EQ(changed[0].oldValue, "True");
  EXPECT_EQ(changed[1].newValue, "OpenGl");
  // A value list shorter than the snapshot is compared as far as it goes.
  EXPECT_TRUE(FindChangedItems({}, {}, snapshot, keys).empty());
}

TEST(ChangedItems, DeviceNamesCoronasAndOtherKeysGoToTheirSections) {
  const ChangedItem coronas{"Coronas", "False", "True"};
  auto writes = WritesForChangedItems(
      {{"SkinDetail", "Low", "High"}, {"GameRenderDevice", "S3", "Direct 3D"}, {"Decals", "opengl", "True"}, coronas},
      "D3DDrv.D3DRenderDevice");
  ASSERT_EQ(writes.size(), 4u);
  EXPECT_EQ(writes[0].section + "|" + writes[0].key + "|" + writes[0].value, "WinDrv.WindowsClient|SkinDetail|Low");
  EXPECT_EQ(writes[1].section + "|" + writes[1].key + "|" + writes[1].value,
            "Engine.Engine|GameRenderDevice|MetalDrv.MetalRenderDevice");
  EXPECT_EQ(writes[1].item, 1u);
  // A device name in other letter case is an ordinary value.
  EXPECT_EQ(writes[2].section, "WinDrv.WindowsClient");
  // Coronas goes into the device section the editor reads it from: the device chosen in this batch.
  EXPECT_EQ(writes[3].section, "MetalDrv.MetalRenderDevice");

  EXPECT_EQ(WritesForChangedItems({coronas}, "SglDrv.SglRenderDevice").at(0).section, "SglDrv.SglRenderDevice");
  // No device key at all: there is no section to put it in.
  EXPECT_TRUE(WritesForChangedItems({coronas}, "Default").empty());
}

}  // namespace
}  // namespace vexorel
