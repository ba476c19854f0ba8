// The summary over hostile game files: missing keys, empty and odd values, unknown devices.

#include "mainwindow/MainWindowFixture.h"

namespace vexorel::testing {
namespace {

using SummaryTest = MainWindowTest;

TEST_F(SummaryTest, AFileWithNoneOfTheKeysShowsDefaultEverywhere) {
  writeGameIni("[Other]\r\nKey=1\r\n");
  Frmmain& main = openMain();
  EXPECT_EQ(main.List2->count(), 15);
  for (int row = 0; row < 15; ++row) EXPECT_EQ(main.List2->item(row)->text(), "Default") << row;
  EXPECT_EQ(panel(2), "Default x Default");
  EXPECT_EQ(panel(6), " DefaultMb");
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(SummaryTest, AMissingOrRandomFileStillBuildsFifteenRows) {
  std::filesystem::remove(gameIniPath());
  Frmmain& main = openMain();
  EXPECT_EQ(main.List1->count(), 15);
  EXPECT_EQ(main.List2->item(14)->text(), "Default");
  std::string noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 131 + 7) % 256);
  writeGameIni(noise);
  main.leesman();
  EXPECT_EQ(main.List2->count(), 15);
  EXPECT_EQ(app->module().IniReadCount, 0);
}

TEST_F(SummaryTest, EmptyOddAndHugeValuesAreShownAsRead) {
  std::string bytes = replaced(demoGameIni(), "FullscreenViewportX=800\r\nFullscreenViewportY=600",
                               "FullscreenViewportX=\r\nFullscreenViewportY=99999");
  bytes = replaced(bytes, "Decals=True", "Decals=");
  bytes = replaced(bytes, "CacheSizeMegs=16", "CacheSizeMegs=lots");
  bytes = replaced(bytes, "SkinDetail=High", "SkinDetail=H\xe9ll\xf6");  // Latin-1 bytes
  writeGameIni(bytes);
  Frmmain& main = openMain();
  EXPECT_EQ(main.List2->item(4)->text(), "");
  EXPECT_EQ(main.List2->item(7)->text(), QString::fromUtf8("H\xc3\xa9ll\xc3\xb6"));
  EXPECT_EQ(panel(2), " x 99999");
  EXPECT_EQ(panel(6), " lotsMb");
  writeGameIni(replaced(demoGameIni(), "FullscreenViewportX=800", "FullscreenViewportX=abc"));
  main.leesman();
  EXPECT_EQ(panel(2), "abc x 600");
}

TEST_F(SummaryTest, RenderDeviceRowUsesTheShortNameOnlyForExactClassNames) {
  const std::pair<const char*, const char*> cases[] = {
      {"OpenGLDrv.OpenGLRenderDevice", "OpenGl"},           {"MetalDrv.MetalRenderDevice", "S3"},
      {"SglDrv.SglRenderDevice", "SglDrv.SglRenderDevice"}, {"d3ddrv.d3drenderdevice", "d3ddrv.d3drenderdevice"},
      {"Foo.BarRenderDevice", "Foo.BarRenderDevice"},
  };
  Frmmain& main = openMain();
  for (const auto& [stored, shown] : cases) {
    writeGameIni(
        replaced(demoGameIni(), "GameRenderDevice=D3DDrv.D3DRenderDevice", std::string("GameRenderDevice=") + stored));
    main.leesman();
    EXPECT_EQ(main.List2->item(14)->text(), shown);
  }
}

}  // namespace
}  // namespace vexorel::testing
