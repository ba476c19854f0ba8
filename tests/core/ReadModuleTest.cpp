// The shared module over the real backend on a temporary folder: the counter, the "Default" text, the
// 255-character buffer, writes, and the registry reads of text and binary values.
#include <gtest/gtest.h>

#include "core/ReadModule.h"
#include "support/core/FakePlatform.h"
#include "support/core/Table.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

TEST(ReadModuleTest, ReadsWritesAndRegistryValues) {
  testing::TempFolder folder;
  testing::FakePlatform platform{testing::scratchOptions(folder)};
  ReadModule module{platform};
  const std::string file = folder / "UnrealTournament.ini", client = "WinDrv.WindowsClient";
  testing::writeFileBytes(
      file, "[WinDrv.WindowsClient]\r\nFullscreenViewportX=1024\r\nEmpty=\r\nLong=" + std::string(300, 'L') + "\r\n");
  const auto hklm = RegistryRoot::LocalMachine;
  EXPECT_EQ(module.ReadRegistryString(hklm, kGameRegistryKey, kGameFolderValue), "") << "no store yet";
  ASSERT_TRUE(module.WriteRegistryString(hklm, kGameRegistryKey, kGameFolderValue, "C:\\Games\\UT"));
  EXPECT_EQ(module.ReadRegistryString(hklm, kGameRegistryKey, kGameFolderValue), "C:\\Games\\UT");
  EXPECT_EQ(module.ReadRegistryString(hklm, "Software\\Nowhere", kGameFolderValue), "");
  const RegistryKey handle = platform.regOpenKey(hklm, kGameRegistryKey);
  // readmodule.txt: a read, then what LastIniValue holds and the counter after it (a read that leaves the counter
  // as it was is the uncounted one); or a registry value's type and bytes, and the text the module makes of it.
  for (const testing::Row& r : testing::readTable("core/readmodule.txt")) {
    if (r[0] == "value") {
      ASSERT_TRUE(platform.regSetValue(handle, "Value", static_cast<std::uint32_t>(std::stoul(r[1])),
                                       testing::unescaped(r[2])));
      EXPECT_EQ(module.QueryRegistryValue(handle, "Value"), r.field(3)) << r.where();
      continue;
    }
    const std::string from = r[3] == "-" ? folder / "missing.ini" : file;
    if (std::stoi(r[5]) == module.IniReadCount) {
      module.ReadIniValueUncounted(r[1], r[2], from);
    } else {
      module.ReadIniValue(r[1], r[2], from);
    }
    EXPECT_EQ(module.LastIniValue, r[4] == "254L" ? std::string(254, 'L') : r[4]) << r.where();
    EXPECT_EQ(module.IniReadCount, std::stoi(r[5])) << r.where();
  }
  module.IniReadCount = 32767;
  module.ReadIniValue(client, "FullscreenViewportX", file);
  EXPECT_EQ(module.IniReadCount, 32767) << "the counter must not overflow";
  EXPECT_EQ(module.ReadProfileValue(client, "Empty", file), "");

  EXPECT_TRUE(module.WriteIniValue("Engine.GameEngine", "CacheSizeMegs", " 96", file));
  EXPECT_NE(testing::readFileBytes(file).find("\r\n[Engine.GameEngine]\r\nCacheSizeMegs= 96\r\n"), std::string::npos);
  EXPECT_FALSE(module.WriteIniValue("A", "k", "v", folder / "missing\\x.ini"));
  EXPECT_EQ(module.QueryRegistryValue(handle, "Missing"), "");
  EXPECT_EQ(module.QueryRegistryValue(kNoRegistryKey, "Value"), "");
  platform.regCloseKey(handle);
}

}  // namespace
}  // namespace vexorel
