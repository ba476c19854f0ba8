#include "mainwindow/Form1.h"

#include <QListWidget>

#include "core/SharedState.h"
#include "mainwindow/Frmmain.h"
#include "ui/DesignGeometry.h"
#include "ui/Placement.h"
#include "ui/Twips.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {
// The design, in twips.
constexpr double kWidth = 4800;
constexpr double kHeight = 3300;
constexpr double kMargin = 120;
constexpr double kListWidth = 2220;
}  // namespace

Form1::Form1(WindowHost& host) : FormWindow(host), List1(new QListWidget(this)), List2(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("Slow System"));
  setFixedSize(twipsToPixels(kWidth), twipsToPixels(kHeight));
  placeTwips(List1, kMargin, kMargin, kListWidth, kHeight - 2 * kMargin);
  placeTwips(List2, 2 * kMargin + kListWidth, kMargin, kListWidth, kHeight - 2 * kMargin);
  List1->setAccessibleName(QStringLiteral("Keys"));
  List2->setAccessibleName(QStringLiteral("Values"));
}

void Form1::onLoad() {
  // Against the main window's right edge, centred on it vertically; it may stick out past the screen.
  const QWidget& main = host().window(WindowName::Main);
  const QRect frame = main.frameGeometry();
  const TwipsPoint at =
      besideMainWindow(static_cast<float>(pixelsToTwips(frame.x())), static_cast<float>(pixelsToTwips(frame.y())),
                       static_cast<float>(pixelsToTwips(frame.width())),
                       static_cast<float>(pixelsToTwips(frame.height())), static_cast<float>(heightTwips()));
  moveTwips(at.left, at.top);
}

}  // namespace vexorel
