#pragma once
// The keys and texts of the status bar panels beside the main window's summary. Pure tables and text
// rules, no widgets.

#include <array>
#include <string>
#include <string_view>

#include "core/GameFiles.h"

namespace vexorel {

inline constexpr std::string_view kViewportXKey = "FullscreenViewportX";
inline constexpr std::string_view kViewportYKey = "FullscreenViewportY";
inline constexpr std::string_view kCacheSection = kGameEngineSection;
inline constexpr std::string_view kCacheKey = "CacheSizeMegs";

// The fixed labels of panels 1, 3 and 5.
inline constexpr std::string_view kResolutionPanelLabel = "Current resoltution:";
inline constexpr std::string_view kMemoryPanelLabel = "Total detected  memory:";
inline constexpr std::string_view kCachePanelLabel = "Unreal Cache:";

// Panel 2: width " x " height. Each side is shown as a 16-bit whole number when it is one, and
// exactly as read otherwise ("Default x 768" for a missing width), so the build always completes.
std::string resolutionPanelText(const std::string& widthRead, const std::string& heightRead);

// Panel 6: " " + the cache size as read + "Mb".
std::string cachePanelText(const std::string& cacheRead);

}  // namespace vexorel
