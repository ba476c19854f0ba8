#pragma once
// Where windows go, in twips (single precision, as the designs are). No widgets here.

namespace vexorel {

struct TwipsPoint {
  float left = 0;
  float top = 0;
};

// left = (screen width - window width) / 2; top = (screen height - window height) / 2.
inline TwipsPoint centreOnScreen(float screenWidth, float screenHeight, float width, float height) {
  return {(screenWidth - width) / 2, (screenHeight - height) / 2};
}

// The preset preview window: its left edge on the main window's right edge, centred vertically on it.
inline TwipsPoint besideMainWindow(float mainLeft, float mainTop, float mainWidth, float mainHeight, float ownHeight) {
  return {mainLeft + mainWidth, mainTop + (mainHeight - ownHeight) / 2};
}

// Two buttons side by side, the pair centred in a window of the given width with `gap` between them:
// first left = (width - (second width + first width + gap)) / 2; second left = first left + first
// width + gap.
struct ButtonPairLefts {
  float first = 0;
  float second = 0;
};

inline ButtonPairLefts centredButtonPair(float windowWidth, float firstWidth, float secondWidth, float gap) {
  const float first = (windowWidth - (secondWidth + firstWidth + gap)) / 2;
  return {first, first + firstWidth + gap};
}

}  // namespace vexorel
