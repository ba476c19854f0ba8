#include <gtest/gtest.h>

#include "ui/AboutLayout.h"

namespace vexorel {
namespace {

TEST(AboutLayout, ALongerDisclaimerMovesOkAndWidensTheBoxByTheSameAmount) {
  const AboutLayout shorter = layOutAbout({4200, 1260, 960});
  EXPECT_FLOAT_EQ(shorter.labelLeft, 100);
  EXPECT_FLOAT_EQ(shorter.okLeft, 4302);
  EXPECT_FLOAT_EQ(shorter.windowWidth, 4302 + 1260 + 475);
  EXPECT_FLOAT_EQ(shorter.pictureLeft, (6037 - 960) / 2.0f);

  const AboutLayout longer = layOutAbout({4950, 1260, 960});
  EXPECT_FLOAT_EQ(longer.okLeft - shorter.okLeft, 750);
  EXPECT_FLOAT_EQ(longer.windowWidth - shorter.windowWidth, 750);
  EXPECT_FLOAT_EQ(longer.pictureLeft, longer.windowWidth - (longer.pictureLeft + 960));  // still centred
}

}  // namespace
}  // namespace vexorel
