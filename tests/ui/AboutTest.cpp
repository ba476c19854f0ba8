// The about box offscreen: its texts, its layout around the labels and the ways it closes.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "support/gui/GuiTest.h"
#include "ui/Twips.h"
#include "ui/frmAbout.h"

namespace vexorel::testing {
namespace {

class AboutTest : public GuiTest {
 protected:
  frmAbout& about() { return app->about(); }
  void expectTexts() {
    EXPECT_EQ(about().windowTitle(), "About Vexorel");
    EXPECT_EQ(about().lblTitle->text(), "Vexorel");
    EXPECT_EQ(about().lblVersion->text(), "Version 1.6.0");
    EXPECT_EQ(about().lblDescription->text(),
              "App Description: Vexorel is a tweak program for Unreal Tournament. It will assist you in editing "
              "your Unreal Tournament.ini. For more information please visit our website at "
              "https://vexorel.example.org");
    EXPECT_EQ(about().Label1->text(),
              "Disclaimer: All the Logo's used  in this program are property of the respective owners. ");
    EXPECT_EQ(about().lblDisclaimer->text(), "For bugreport mail to: support@vexorel.example.org");
  }
};

TEST_F(AboutTest, CentresWithItsDesignWidthThenLaysOutAroundItsLabels) {
  const int designWidth = about().width();
  about().showForm();
  expectTexts();
  EXPECT_LE(std::abs(about().x() - (twipsToPixels(screenWidthTwips()) - designWidth) / 2), 1);
  for (const QLabel* label :
       {about().lblTitle, about().lblVersion, about().lblDisclaimer, about().Label1, about().lblDescription}) {
    EXPECT_EQ(label->x(), twipsToPixels(100)) << label->objectName().toStdString();
  }
  const QLabel* disclaimer = about().lblDisclaimer;
  EXPECT_GE(disclaimer->width(), disclaimer->fontMetrics().horizontalAdvance(disclaimer->text()));
  const double okLeft = 100 + pixelsToTwips(disclaimer->width()) + 2;
  EXPECT_EQ(about().cmdOK->x(), twipsToPixels(okLeft));
  EXPECT_EQ(about().width(), twipsToPixels(okLeft + pixelsToTwips(about().cmdOK->width()) + 475));
  const QLabel* picture = about().Picture1;
  EXPECT_LE(std::abs(picture->x() - (about().width() - picture->x() - picture->width())), 1);
}

TEST_F(AboutTest, OkOrABackgroundClickClosesItAndReopeningSetsTheTextsAfresh) {
  about().showForm();
  QTest::mouseClick(about().cmdOK, Qt::LeftButton);
  EXPECT_FALSE(about().isLoaded() || about().isVisible());

  about().showForm();
  expectTexts();
  QTest::mouseClick(about().lblTitle, Qt::LeftButton);  // a label is not the background
  EXPECT_TRUE(about().isVisible());
  QTest::mouseClick(&about(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  EXPECT_FALSE(about().isLoaded() || about().isVisible());
}

}  // namespace
}  // namespace vexorel::testing
