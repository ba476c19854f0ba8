// Render device, resolution and cache size: the drop-downs, the memory check and "&Done".

#include <sys/stat.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "mainwindow/MainWindowFixture.h"
#include "ui/DropDownCombo.h"

namespace vexorel::testing {
namespace {

class QuickSettingsTest : public MainWindowTest {
 protected:
  // Opens a list as the user does; the popup is closed again right away.
  static void dropDown(DropDownCombo* list) {
    list->showPopup();
    list->hidePopup();
  }
  void typeIntoText1(Frmmain& main, const QString& text) {
    main.Text1->clear();
    QTest::keyClicks(main.Text1, text);
  }
};

TEST_F(QuickSettingsTest, DoneRightAfterStartWritesTheCacheSizeThenAsksForADriver) {
  Frmmain& main = openMain();
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  expectBox(0, "Please select Drivertype", "Error", MsgIcon::Critical);
  EXPECT_EQ(recorder->writesOnly(), std::vector<std::string>{"write Engine.GameEngine/CacheSizeMegs= 96"});
  // The leading blank of the suggestion reaches the file; nothing else changed.
  EXPECT_EQ(gameIni(), replaced(demoGameIni(), "CacheSizeMegs=16\r\n", "CacheSizeMegs= 96\r\n"));
  EXPECT_FALSE(main.Picture2->isVisible());
}

TEST_F(QuickSettingsTest, FirstDropDownWarnsAndRemovesThePlaceholderLaterOnesDoNothing) {
  Frmmain& main = openMain();
  dropDown(main.Combo1);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  expectBox(0, "Warning! choose a resolution according to videocard specifications! ", "WARNING!",
            MsgIcon::Exclamation);
  EXPECT_EQ(main.Combo1->count(), 5);
  EXPECT_EQ(main.Combo1->itemText(0), "SoftwareRender");
  EXPECT_EQ(main.Combo1->currentIndex(), -1);
  dropDown(main.Combo1);
  EXPECT_EQ(dialogs.calls.size(), 1u);
  EXPECT_EQ(main.Combo1->count(), 5);
  EXPECT_EQ(main.dropwaarde1.value(), 2);

  dropDown(main.Combo2);
  expectBox(1, "Warning! high resolutions may cause damage to your PC", "WARNING!", MsgIcon::Exclamation);
  EXPECT_EQ(main.Combo2->count(), 8);
  EXPECT_EQ(main.Combo2->currentIndex(), -1);

  // Dropped down and closed without a choice.
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  expectBox(2, "Please select Drivertype", "Error", MsgIcon::Critical);
  EXPECT_EQ(recorder->writesOnly().size(), 1u);
}

TEST_F(QuickSettingsTest, DoneWritesCacheDeviceAndResolutionInOrder) {
  Frmmain& main = openMain();
  dropDown(main.Combo1);
  dropDown(main.Combo2);
  main.Combo1->setCurrentIndex(2);  // OpenGLRender
  main.Combo2->setCurrentIndex(4);  // 1024x768
  dialogs.calls.clear();
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(recorder->writesOnly(), (std::vector<std::string>{
                                        "write Engine.GameEngine/CacheSizeMegs= 96",
                                        "write Engine.Engine/GameRenderDevice=OpenGLDrv.OpenGLRenderDevice",
                                        "write WinDrv.WindowsClient/FullscreenViewportX=1024",
                                        "write WinDrv.WindowsClient/FullscreenViewportY=768",
                                    }));
  std::string expected = replaced(demoGameIni(), "CacheSizeMegs=16\r\n", "CacheSizeMegs= 96\r\n");
  expected =
      replaced(expected, "GameRenderDevice=D3DDrv.D3DRenderDevice", "GameRenderDevice=OpenGLDrv.OpenGLRenderDevice");
  expected = replaced(expected, "FullscreenViewportX=800\r\nFullscreenViewportY=600",
                      "FullscreenViewportX=1024\r\nFullscreenViewportY=768");
  EXPECT_EQ(gameIni(), expected);
  EXPECT_EQ(main.List2->item(14)->text(), "OpenGl");
  EXPECT_EQ(panel(2), "1024 x 768");
  EXPECT_EQ(panel(6), " 96Mb");  // read back without the blank
  EXPECT_TRUE(main.Picture2->isVisible());
}

TEST_F(QuickSettingsTest, ResolutionRefusalsComeAfterTheDeviceIsWritten) {
  Frmmain& main = openMain();
  dropDown(main.Combo1);
  main.Combo1->setCurrentIndex(0);
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  expectBox(1, "Please select Resolution", "Error", MsgIcon::Critical);
  dropDown(main.Combo2);
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  expectBox(3, "Please select your resolution!", "Error", MsgIcon::Critical);
  EXPECT_EQ(recorder->writesOnly().back(), "write Engine.Engine/GameRenderDevice=SoftDrv.SoftwareRenderDevice");
  EXPECT_EQ(recorder->writesOnly().size(), 4u);
  EXPECT_FALSE(main.Picture2->isVisible());
}

TEST_F(QuickSettingsTest, TooLargeAValueIsReplacedByTheMaximum) {
  Frmmain& main = openMain();
  typeIntoText1(main, "129");
  ASSERT_EQ(dialogs.calls.size(), 1u);
  expectBox(0, "Memory value you specified is too large, maximum=128 Mb", "Error", MsgIcon::Information);
  EXPECT_EQ(main.Text1->text(), "128");
  typeIntoText1(main, "128");
  typeIntoText1(main, "abc");
  EXPECT_EQ(dialogs.calls.size(), 1u);
}

TEST_F(QuickSettingsTest, OnlyAWholeNumberOfMegabytesIsWritten) {
  Frmmain& main = openMain();
  for (const QString& bad : {QString("9.5"), QString("abc"), QString(" "), QString("-4")}) {
    dialogs.calls.clear();
    main.Text1->setText(bad);
    QTest::mouseClick(main.Command1, Qt::LeftButton);
    ASSERT_EQ(dialogs.calls.size(), 1u) << bad.toStdString();
    expectBox(0, "Memory value must be a whole number of megabytes", "Error", MsgIcon::Critical);
  }
  dialogs.calls.clear();
  main.Text1->clear();
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  expectBox(0, "No value specified for memory usage", "Error", MsgIcon::Critical);
  EXPECT_TRUE(recorder->writesOnly().empty());
  EXPECT_EQ(gameIni(), demoGameIni());
}

TEST_F(QuickSettingsTest, AReadOnlyGameFileIsReportedNotSuccess) {
  Frmmain& main = openMain();
  ASSERT_EQ(::chmod(gameIniPath().c_str(), 0444), 0);
  dropDown(main.Combo1);
  dropDown(main.Combo2);
  main.Combo1->setCurrentIndex(3);
  main.Combo2->setCurrentIndex(0);
  dialogs.calls.clear();
  QTest::mouseClick(main.Command1, Qt::LeftButton);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  expectWriteFailureReported(dialogs.calls[0]);
  EXPECT_EQ(recorder->writesOnly().size(), 1u);  // stopped at the first failure
  EXPECT_EQ(gameIni(), demoGameIni());
  EXPECT_FALSE(main.Picture2->isVisible());
}

TEST_F(QuickSettingsTest, LargeMemoriesAreCappedAt2048Megabytes) {
  platform->memoryBytes = 64ull << 30;
  Frmmain& main = openMain();
  EXPECT_EQ(main.Text1->text(), " 1536");
  EXPECT_EQ(panel(4), " 2048Mb");
  EXPECT_EQ(main.detectedMemory(), 2048);
  EXPECT_TRUE(dialogs.calls.empty());
}

}  // namespace
}  // namespace vexorel::testing
