#pragma once
// The resolution list of the main window, after its placeholder is gone: list position -> the
// values written for "FullscreenViewportX" and "FullscreenViewportY". List text and values agree.

#include <array>
#include <string_view>

namespace vexorel {

struct Resolution {
  std::string_view listText;
  std::string_view width;
  std::string_view height;
};

inline constexpr std::array<Resolution, 8> kResolutions{{
    {"640x400", "640", "400"},
    {"640x480", "640", "480"},
    {"800x600", "800", "600"},
    {"920x720", "920", "720"},
    {"1024x768", "1024", "768"},
    {"1152x864", "1152", "864"},
    {"1280x1024", "1280", "1024"},
    {"1600x1200", "1600", "1200"},
}};

inline constexpr std::string_view kDriverPlaceholder = "<<Select driver>>";
inline constexpr std::string_view kResolutionPlaceholder = "<<Select Resolution>>";

}  // namespace vexorel
