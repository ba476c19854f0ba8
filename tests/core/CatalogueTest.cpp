#include <gtest/gtest.h>

#include "core/RenderDeviceCatalogue.h"

namespace vexorel {
namespace {

TEST(RenderDeviceCatalogue, TranslatesExactlyAndCaseSensitively) {
  EXPECT_EQ(ShortNameOrClassName("D3DDrv.D3DRenderDevice"), "Direct 3D");
  EXPECT_EQ(ShortNameOrClassName("MetalDrv.MetalRenderDevice"), "S3");
  EXPECT_EQ(ShortNameOrClassName("d3ddrv.d3drenderdevice"), "d3ddrv.d3drenderdevice");
  EXPECT_EQ(ShortNameOrClassName("SglDrv.SglRenderDevice"), "SglDrv.SglRenderDevice");
  EXPECT_EQ(ShortNameOrClassName("Default"), "Default");
  EXPECT_EQ(ClassNameForListName(kRenderDevices[0].listName), "SoftDrv.SoftwareRenderDevice");
  EXPECT_EQ(ClassNameForShortName("OpenGl"), "OpenGLDrv.OpenGLRenderDevice");
  EXPECT_FALSE(ClassNameForShortName("OpenGL").has_value());
  EXPECT_FALSE(ClassNameForListName("<<Select driver>>").has_value());
}

}  // namespace
}  // namespace vexorel
