#include "ui/AboutLayout.h"

namespace vexorel {

AboutLayout layOutAbout(const AboutLayoutInput& input) {
  AboutLayout layout;
  layout.labelLeft = kAboutTitleLeft;
  layout.okLeft = layout.labelLeft + input.disclaimerWidth + kAboutOkGap;
  layout.windowWidth = layout.okLeft + input.okWidth + kAboutRightMargin;
  layout.pictureLeft = (layout.windowWidth - input.pictureWidth) / 2;
  return layout;
}

}  // namespace vexorel
