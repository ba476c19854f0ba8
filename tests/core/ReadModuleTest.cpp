// The shared module over the real backend on a temporary folder: the counter, the "Default" text, the
// 255-character buffer, writes, and the registry reads of text and binary values.
#include <gtest/gtest.h>

#include "core/ReadModule.h"
#include "support/core/FakePlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;

TEST(ReadModuleTest, ReadsWritesAndRegistryValues) {
  testing::TempFolder folder;
  testing::FakePlatform platform{testing::scratchOptions(folder)};
  ReadModule module{platform};
  const std::string file = folder / "UnrealTournament.ini", client = "WinDrv.WindowsClient";
  testing::writeFileBytes(
      file, "[WinDrv.WindowsClient]\r\nFullscreenViewportX=1024\r\nEmpty=\r\nLong=" + std::string(300, 'L') + "\r\n");
  // key, file, what LastIniValue then holds, and the counter after it (the uncounted read leaves it).
  const struct {
    const char* section;
    const char* key;
    std::string file;
    std::string value;
    int count;
  } reads[] = {{"WinDrv.WindowsClient", "FullscreenViewportX", file, "1024", 1},
               {"WinDrv.WindowsClient", "Missing", file, "Default", 1},
               {"WinDrv.WindowsClient", "Empty", file, "", 2},
               {"WinDrv.WindowsClient", "Long", file, std::string(254, 'L'), 3},
               {"NoSection", "FullscreenViewportX", file, "Default", 4},
               {"WinDrv.WindowsClient", "FullscreenViewportX", folder / "missing.ini", "Default", 5}};
  for (const auto& r : reads) {
    if (r.count == module.IniReadCount) {
      module.ReadIniValueUncounted(r.section, r.key, r.file);
    } else {
      module.ReadIniValue(r.section, r.key, r.file);
    }
    EXPECT_EQ(module.LastIniValue, r.value) << r.key;
    EXPECT_EQ(module.IniReadCount, r.count) << r.key;
  }
  module.IniReadCount = 32767;
  module.ReadIniValue(client, "FullscreenViewportX", file);
  EXPECT_EQ(module.IniReadCount, 32767) << "the counter must not overflow";
  EXPECT_EQ(module.ReadProfileValue(client, "Empty", file), "");

  EXPECT_TRUE(module.WriteIniValue("Engine.GameEngine", "CacheSizeMegs", " 96", file));
  EXPECT_NE(testing::readFileBytes(file).find("\r\n[Engine.GameEngine]\r\nCacheSizeMegs= 96\r\n"), std::string::npos);
  EXPECT_FALSE(module.WriteIniValue("A", "k", "v", folder / "missing\\x.ini"));

  const auto hklm = RegistryRoot::LocalMachine;
  EXPECT_EQ(module.ReadRegistryString(hklm, kGameRegistryKey, kGameFolderValue), "") << "no store yet";
  ASSERT_TRUE(module.WriteRegistryString(hklm, kGameRegistryKey, kGameFolderValue, "C:\\Games\\UT"));
  EXPECT_EQ(module.ReadRegistryString(hklm, kGameRegistryKey, kGameFolderValue), "C:\\Games\\UT");
  EXPECT_EQ(module.ReadRegistryString(hklm, "Software\\Nowhere", kGameFolderValue), "");
  const RegistryKey handle = platform.regOpenKey(hklm, kGameRegistryKey);
  // Two bytes little-endian and signed; longer data by its first two; fewer give nothing; text to its NUL.
  const struct {
    std::uint32_t type;
    std::string bytes;
    const char* expected;
  } values[] = {{RegBinary, "\x90\x01", "400"}, {RegBinary, "\xff\xff", "-1"}, {RegBinary, "\x05\x00\x07\x08"s, "5"},
                {RegBinary, "\x05", ""},        {RegBinary, "", ""},           {RegSz, "abc\0def"s, "abc"},
                {RegDword, "\x01\0\0\0"s, ""}};
  for (const auto& v : values) {
    ASSERT_TRUE(platform.regSetValue(handle, "Value", v.type, v.bytes));
    EXPECT_EQ(module.QueryRegistryValue(handle, "Value"), v.expected) << v.expected;
  }
  EXPECT_EQ(module.QueryRegistryValue(handle, "Missing"), "");
  EXPECT_EQ(module.QueryRegistryValue(kNoRegistryKey, "Value"), "");
  platform.regCloseKey(handle);
}

}  // namespace
}  // namespace vexorel
