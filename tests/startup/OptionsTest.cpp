// The options window offscreen: what it loads, what each way of closing it stores, where its buttons sit.

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "mainwindow/Frmmain.h"
#include "startup/frmSplash.h"
#include "startup/frmoptions.h"
#include "support/gui/GuiTest.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

namespace vexorel::testing {
namespace {

const std::string kSettings = "[Vexorel]\r\nSaveNumber=0\r\nDidBackup=Yes\r\n";

class OptionsTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    writeFileBytes(startPath("Vexorel.ini"), kSettings);
    app->splash().VEXORELPATH = startPath("Vexorel.ini");
  }
  std::string settings() const { return readFileBytes(startPath("Vexorel.ini")); }
  frmoptions& options() { return app->options(); }
  bool& optionsCheck() { return app->frmmain().OptionsCheck; }
};

TEST(OptionsPlacement, ButtonPairIsCentredWithItsGap) {
  const ButtonPairLefts lefts = centredButtonPair(4000, 1000, 1500, 375);
  EXPECT_FLOAT_EQ(lefts.first, 562.5f);
  EXPECT_FLOAT_EQ(lefts.second, 1937.5f);
}

TEST_F(OptionsTest, OkStoresTheBoxAndTheWindowIsCentred) {
  optionsCheck() = true;
  options().showForm();
  EXPECT_FALSE(options().Check1->isChecked());  // no "AskQ" yet
  EXPECT_FALSE(optionsCheck());
  const QPushButton* ok = options().Command1;
  const QPushButton* cancel = options().Command2;
  EXPECT_EQ(cancel->x() - ok->x() - ok->width(), twipsToPixels(375));
  EXPECT_LE(std::abs(ok->x() - (options().width() - cancel->x() - cancel->width())), 1);
  EXPECT_LE(std::abs(options().x() - (twipsToPixels(screenWidthTwips()) - options().width()) / 2), 1);

  QTest::mouseClick(options().Command1, Qt::LeftButton);
  EXPECT_FALSE(options().isLoaded() || options().isVisible());
  EXPECT_EQ(settings(), kSettings + "AskQ=Unchecked\r\n");

  options().showForm();
  QTest::mouseClick(options().Check1, Qt::LeftButton);
  QTest::mouseClick(options().Command1, Qt::LeftButton);
  EXPECT_EQ(settings(), kSettings + "AskQ=Checked\r\n");
  EXPECT_TRUE(optionsCheck());
}

TEST_F(OptionsTest, CancelStoresNothingAndTheCloseBoxFollowsTheLastButton) {
  writeFileBytes(startPath("Vexorel.ini"), kSettings + "AskQ=Checked\r\n");
  options().showForm();
  options().Check1->setChecked(false);
  QTest::mouseClick(options().Command2, Qt::LeftButton);
  EXPECT_TRUE(options().Cancelled);
  EXPECT_EQ(settings(), kSettings + "AskQ=Checked\r\n");
  EXPECT_TRUE(optionsCheck());

  options().showForm();  // Cancel was last: the close box stores nothing
  options().Check1->setChecked(false);
  EXPECT_TRUE(options().close());
  EXPECT_EQ(settings(), kSettings + "AskQ=Checked\r\n");

  options().showForm();  // after Ok the close box stores
  QTest::mouseClick(options().Command1, Qt::LeftButton);
  options().showForm();
  options().Check1->setChecked(false);
  options().close();
  EXPECT_EQ(settings(), kSettings + "AskQ=Unchecked\r\n");
  EXPECT_FALSE(optionsCheck());
}

TEST_F(OptionsTest, LowerCaseCheckedOpensUnchecked) {
  writeFileBytes(startPath("Vexorel.ini"), kSettings + "AskQ=checked\r\n");
  optionsCheck() = true;
  options().showForm();
  EXPECT_FALSE(options().Check1->isChecked() || optionsCheck());
}

TEST_F(OptionsTest, MnemonicsWorkFromTheKeyboard) {
  // A mnemonic presses the button with its short animation, so wait for the window to unload.
  for (const auto& [key, stored] : {std::pair{Qt::Key_C, kSettings}, {Qt::Key_O, kSettings + "AskQ=Checked\r\n"}}) {
    options().showForm();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&options()));
    options().Check1->setChecked(true);
    QTest::keyClick(&options(), key, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !options().isLoaded(); }));
    EXPECT_EQ(settings(), stored);
  }
}

}  // namespace
}  // namespace vexorel::testing
