#pragma once
// The about box lines its labels up on the title's left edge, puts the OK button just right of the
// bug-report line, sizes itself around that button and centres its picture. Lengths in twips; tops
// and heights are never changed. No widgets here.

namespace vexorel {

struct AboutLayoutInput {
  float disclaimerWidth = 0;  // lblDisclaimer's width as its text needs it
  float okWidth = 0;          // cmdOK
  float pictureWidth = 0;     // Picture1
};

struct AboutLayout {
  float labelLeft = 0;  // lblTitle, and after it lblVersion, lblDisclaimer, Label1, lblDescription
  float okLeft = 0;
  float windowWidth = 0;
  float pictureLeft = 0;
};

inline constexpr float kAboutTitleLeft = 100;
inline constexpr float kAboutOkGap = 2;
inline constexpr float kAboutRightMargin = 475;

AboutLayout layOutAbout(const AboutLayoutInput& input);

}  // namespace vexorel
