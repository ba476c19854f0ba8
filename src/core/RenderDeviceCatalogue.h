#pragma once
// The one table that ties the driver-list names, the class names stored at "GameRenderDevice" and
// the short names shown in the summaries. Every match is exact, whole-text and case-sensitive.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/GameFiles.h"

namespace vexorel {

struct RenderDevice {
  std::string_view listName;
  std::string_view className;
  std::string_view shortName;
};

// In the order the main window's driver list offers them.
inline constexpr std::array<RenderDevice, 5> kRenderDevices{{
    {"SoftwareRender", "SoftDrv.SoftwareRenderDevice", "Software"},
    {"GlideRender", "GlideDrv.GlideRenderDevice", "Glide"},
    {"OpenGLRender", "OpenGLDrv.OpenGLRenderDevice", "OpenGl"},
    {"Direct 3D", "D3DDrv.D3DRenderDevice", "Direct 3D"},
    {"S3", "MetalDrv.MetalRenderDevice", "S3"},
}};

// The class the editor also knows, only for deciding which of its settings apply.
inline constexpr std::string_view kSglClassName = "SglDrv.SglRenderDevice";

std::optional<std::string> ClassNameForListName(std::string_view listName);
std::optional<std::string> ShortNameForClassName(std::string_view className);
std::optional<std::string> ClassNameForShortName(std::string_view shortName);
// What a summary shows for a class: its short name, or the class name itself when it has none.
std::string ShortNameOrClassName(std::string_view className);

}  // namespace vexorel
