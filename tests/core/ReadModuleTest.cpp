// The shared module over the real POSIX backend on a temporary folder: counters, the "Default" text,
// the 255-character buffer, and the registry reads of text and binary values.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/ReadModule.h"
#include "support/core/FakePlatform.h"
#include "support/core/ScratchOptions.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using testing::FakePlatform;
using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;

class ReadModuleTest : public ::testing::Test {
 protected:
  TempFolder folder;
  FakePlatform platform{testing::scratchOptions(folder)};
  ReadModule module{platform};
  std::string file = folder / "UnrealTournament.ini";

  void SetUp() override {
    writeFileBytes(file, std::string("[WinDrv.WindowsClient]\r\nFullscreenViewportX=1024\r\nEmpty=\r\nLong=") +
                             std::string(300, 'L') + "\r\n");
  }
};

TEST_F(ReadModuleTest, CountedAndUncountedReads) {
  module.ReadIniValue("WinDrv.WindowsClient", "FullscreenViewportX", file);
  EXPECT_EQ(module.LastIniValue, "1024");
  EXPECT_EQ(module.IniReadCount, 1);
  module.ReadIniValueUncounted("WinDrv.WindowsClient", "Missing", file);
  EXPECT_EQ(module.LastIniValue, "Default");
  EXPECT_EQ(module.IniReadCount, 1);
  module.ReadIniValue("WinDrv.WindowsClient", "Empty", file);
  EXPECT_EQ(module.LastIniValue, "") << "an empty value is empty text, never NUL characters";
  EXPECT_EQ(module.IniReadCount, 2);
  module.ReadIniValue("WinDrv.WindowsClient", "Long", file);
  EXPECT_EQ(module.LastIniValue, std::string(254, 'L'));
  module.ReadIniValue("NoSection", "FullscreenViewportX", file);
  EXPECT_EQ(module.LastIniValue, "Default");
  module.ReadIniValue("WinDrv.WindowsClient", "FullscreenViewportX", folder / "missing.ini");
  EXPECT_EQ(module.LastIniValue, "Default");
  EXPECT_EQ(module.IniReadCount, 5);
  module.IniReadCount = 32767;
  module.ReadIniValue("WinDrv.WindowsClient", "FullscreenViewportX", file);
  EXPECT_EQ(module.IniReadCount, 32767) << "the counter must not overflow";
  EXPECT_EQ(module.ReadProfileValue("WinDrv.WindowsClient", "Empty", file), "");
}

TEST_F(ReadModuleTest, WritesGoThroughAndReportFailure) {
  EXPECT_TRUE(module.WriteIniValue("Engine.GameEngine", "CacheSizeMegs", " 96", file));
  // Wine's profile writer drops the value's leading blanks (docs/backend-differences.md).
  const std::string line = testing::runningUnderWine() ? "CacheSizeMegs=96" : "CacheSizeMegs= 96";
  EXPECT_NE(readFileBytes(file).find("\r\n[Engine.GameEngine]\r\n" + line + "\r\n"), std::string::npos);
  module.ReadIniValueUncounted("Engine.GameEngine", "CacheSizeMegs", file);
  EXPECT_EQ(module.LastIniValue, "96");
  EXPECT_FALSE(module.WriteIniValue("A", "k", "v", folder / "missing\\x.ini"));
}

TEST_F(ReadModuleTest, RegistryTextAndBinaryValues) {
  const char* key = kGameRegistryKey;
  EXPECT_EQ(module.ReadRegistryString(RegistryRoot::LocalMachine, key, kGameFolderValue), "") << "no store yet";
  ASSERT_TRUE(module.WriteRegistryString(RegistryRoot::LocalMachine, key, kGameFolderValue, "C:\\Games\\UT"));
  EXPECT_EQ(module.ReadRegistryString(RegistryRoot::LocalMachine, key, kGameFolderValue), "C:\\Games\\UT");

  const RegistryKey handle = platform.regOpenKey(RegistryRoot::LocalMachine, key);
  const struct {
    const char* what;
    std::uint32_t type;
    std::string bytes;
    const char* expected;
  } cases[] = {
      {"two bytes, little-endian", RegBinary, "\x90\x01", "400"},
      {"signed", RegBinary, "\xff\xff", "-1"},
      {"longer data: its first two bytes", RegBinary, "\x05\x00\x07\x08"s, "5"},
      {"one byte has no value", RegBinary, "\x05", ""},
      {"no bytes", RegBinary, "", ""},
      {"text stops at its first NUL", RegSz, "abc\0def"s, "abc"},
      {"other types give empty text", RegDword, "\x01\0\0\0"s, ""},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(platform.regSetValue(handle, "Value", c.type, c.bytes)) << c.what;
    EXPECT_EQ(module.QueryRegistryValue(handle, "Value"), c.expected) << c.what;
  }
  EXPECT_EQ(module.QueryRegistryValue(handle, "Missing"), "");
  EXPECT_EQ(module.QueryRegistryValue(kNoRegistryKey, "Value"), "");
  platform.regCloseKey(handle);
  EXPECT_EQ(module.ReadRegistryString(RegistryRoot::LocalMachine, "Software\\Nowhere", kGameFolderValue), "");
}

}  // namespace
}  // namespace vexorel
