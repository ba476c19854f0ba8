#pragma once
// Window designs are measured in twips (1/1440 inch). At 96 logical dots per inch a logical pixel is
// 15 twips; layout arithmetic stays in twips and converts only at the widget boundary.

#include <cmath>

namespace vexorel {

inline constexpr double kTwipsPerPixel = 15.0;

inline int twipsToPixels(double twips) {
  return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}
inline double pixelsToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

}  // namespace vexorel
