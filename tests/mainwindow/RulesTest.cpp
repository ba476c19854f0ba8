// The main window's pure rules: memory suggestion, cache-size checks, panel texts, drop-down
// counting and placement arithmetic. (The preset tables are checked through the window, byte for byte.)

#include <gtest/gtest.h>

#include "mainwindow/CacheSizeRule.h"
#include "mainwindow/DropDownCounter.h"
#include "mainwindow/MemoryRule.h"
#include "mainwindow/SummaryRows.h"
#include "ui/Placement.h"

namespace vexorel {
namespace {

constexpr std::uint64_t MB = 1ull << 20;

TEST(MemoryRule, SuggestsHalfBelow64AndThreeQuartersFrom64) {
  struct Case {
    std::uint64_t bytes;
    int detected;
    int suggested;
  };
  const Case cases[] = {
      {32 * MB, 32, 16},
      {63 * MB, 63, 32},
      {64 * MB, 64, 48},
      {96 * MB, 96, 72},
      {127 * MB, 127, 95},
      {128 * MB, 128, 96},
      {4096 * MB, 2048, 1536},
      {65536 * MB, 2048, 1536},
      {0, 0, 0},
      {kMemoryByteCap, 2048, 1536},
  };
  for (const Case& c : cases) {
    const int detected = detectedMegabytes(c.bytes);
    EXPECT_EQ(detected, c.detected) << c.bytes;
    EXPECT_EQ(suggestedCacheMegabytes(detected), c.suggested) << c.bytes;
  }
  // Megabytes round half to even: 2.5 MB -> 2, 3.5 MB -> 4, just over a half goes up.
  EXPECT_EQ(detectedMegabytes(5 * MB / 2), 2);
  EXPECT_EQ(detectedMegabytes(7 * MB / 2), 4);
  EXPECT_EQ(detectedMegabytes(5 * MB / 2 + 1), 3);
  EXPECT_EQ(suggestedCacheMegabytes(65), 49);  // 48.75
  EXPECT_EQ(suggestedCacheMegabytes(66), 50);  // 49.5 -> even
  EXPECT_EQ(suggestedCacheMegabytes(70), 52);  // 52.5 -> even
  EXPECT_EQ(cacheSuggestionText(96), " 96");
  EXPECT_EQ(memoryPanelText(128), " 128Mb");
}

TEST(CacheSizeRule, ComparesNumbersAndAcceptsOnlyWholeMegabytes) {
  EXPECT_FALSE(cacheValueTooLarge("", 128));
  EXPECT_FALSE(cacheValueTooLarge(" 96", 128));
  EXPECT_FALSE(cacheValueTooLarge("128", 128));
  EXPECT_TRUE(cacheValueTooLarge("129", 128));
  EXPECT_TRUE(cacheValueTooLarge("128.5", 128));
  EXPECT_TRUE(cacheValueTooLarge("99999999999999999999999999", 128));
  EXPECT_FALSE(cacheValueTooLarge("-500", 128));
  EXPECT_FALSE(cacheValueTooLarge("abc", 0));  // no number: left to "&Done"
  EXPECT_FALSE(cacheValueTooLarge("12abc", 0));
  EXPECT_FALSE(cacheValueTooLarge("   ", 0));
  EXPECT_FALSE(cacheValueTooLarge("0128.000", 128));
  EXPECT_TRUE(cacheValueTooLarge("+0129", 128));
  EXPECT_TRUE(cacheValueTooLarge(".5", 0));
  EXPECT_FALSE(cacheValueTooLarge("1.2.3", 0));

  EXPECT_TRUE(isWholeMegabytes(" 96"));
  EXPECT_TRUE(isWholeMegabytes("0"));
  for (const char* bad : {"", " ", "9.5", "-4", "+4", "1e3", "12abc", "abc", "9 6", "\xef\xbc\x99"}) {
    EXPECT_FALSE(isWholeMegabytes(bad)) << bad;
  }
  EXPECT_EQ(cacheTooLargeMessage(128), "Memory value you specified is too large, maximum=128 Mb");
}

TEST(SummaryRows, PanelsShowWholeNumbersAndOtherwiseTheTextAsRead) {
  EXPECT_EQ(resolutionPanelText("800", "600"), "800 x 600");
  EXPECT_EQ(resolutionPanelText("Default", "768"), "Default x 768");
  EXPECT_EQ(resolutionPanelText("", ""), " x ");
  EXPECT_EQ(resolutionPanelText("99999", "1024.5"), "99999 x 1024.5");
  EXPECT_EQ(resolutionPanelText("0800", "-1"), "800 x -1");
  EXPECT_EQ(resolutionPanelText("32767", "32768"), "32767 x 32768");
  EXPECT_EQ(cachePanelText("32"), " 32Mb");
  EXPECT_EQ(cachePanelText("Default"), " DefaultMb");
  EXPECT_EQ(kSettingRowKeys[kDeviceRow], "GameRenderDevice");
}

TEST(DropDownCounter, OnlyTheFirstCountsAndItNeverOverflows) {
  DropDownCounter counter;
  EXPECT_EQ(counter.value(), 0);
  EXPECT_TRUE(counter.countDropDown());
  for (int i = 0; i < 70000; ++i) EXPECT_FALSE(counter.countDropDown());
  EXPECT_EQ(counter.value(), 2);
}

TEST(Placement, CentresAndPutsThePreviewAgainstTheMainWindow) {
  const TwipsPoint centred = centreOnScreen(19200, 14400, 9000, 6600);
  EXPECT_FLOAT_EQ(centred.left, 5100);
  EXPECT_FLOAT_EQ(centred.top, 3900);
  EXPECT_FLOAT_EQ(centreOnScreen(6000, 4500, 9000, 6600).left, -1500);  // wider than the screen
  const TwipsPoint beside = besideMainWindow(5100, 3900, 9000, 6600, 3300);
  EXPECT_FLOAT_EQ(beside.left, 14100);
  EXPECT_FLOAT_EQ(beside.top, 5550);
  EXPECT_FLOAT_EQ(besideMainWindow(15000, 0, 9000, 3000, 3300).left, 24000);  // past the screen: not moved
}

}  // namespace
}  // namespace vexorel
