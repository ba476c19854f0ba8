// Every window's place, size and captions against one table, and the ways the about box closes.

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "mainwindow/Frmmain.h"
#include "settingsets/frmload.h"
#include "startup/frmSplash.h"
#include "startup/frmoptions.h"
#include "support/gui/GuiTest.h"
#include "ui/frmAbout.h"

namespace vexorel::testing {
namespace {

TEST_F(ProgramTest, EveryWindowShowsTheCaptionsOfTheTableAndTheAboutBoxCloses) {
  registerGame();
  frmAbout& about = app->about();
  QStringList shown;
  for (FormWindow* window :
       std::initializer_list<FormWindow*>{&app->splash(), &app->frmmain(), &app->options(), &app->load(), &about}) {
    window->showForm();
    shown << captionsOf(*window);
  }
  EXPECT_EQ(comparableCaptions(shown.join('\n').toStdString() + "\n"), comparableCaptions(testData("ui/captions.txt")));
  // On Ok, or a click on its background (not on a label); it reopens with its texts.
  const QStringList texts = captionsOf(about).mid(1);
  QTest::mouseClick(about.cmdOK, Qt::LeftButton);
  EXPECT_FALSE(about.isLoaded());
  EXPECT_FALSE(about.isVisible());
  about.showForm();
  EXPECT_EQ(captionsOf(about).mid(1), texts);
  QTest::mouseClick(about.lblTitle, Qt::LeftButton);
  EXPECT_TRUE(about.isVisible());
  QTest::mouseClick(&about, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  EXPECT_FALSE(about.isLoaded());
  EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace vexorel::testing
