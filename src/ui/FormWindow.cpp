#include "ui/FormWindow.h"

#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>

#include "app/AppContext.h"
#include "ui/Twips.h"

namespace vexorel {

FormWindow::FormWindow(AppContext& app, QWidget* parent) : QWidget(parent, Qt::Window), app_(app) {}

void FormWindow::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  onLoad();
}

void FormWindow::showForm() {
  ensureLoaded();
  if (app_.ending() || !loaded_) return;  // the load may have ended the program or unloaded the window
  show();
  raise();
  activateWindow();
}

void FormWindow::hideForm() {
  hide();
}

bool FormWindow::unloadForm() {
  if (!loaded_ || unloading_) return !loaded_;
  if (!onQueryUnload()) return false;
  unloading_ = true;
  onUnload();
  resetToDesign();
  loaded_ = false;
  hide();
  unloading_ = false;
  return true;
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // Ending the program closes every window without running its closing logic.
  if (app_.ending()) {
    event->accept();
    return;
  }
  if (!loaded_ || unloadForm()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void FormWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !app_.ending()) onActivate();
}

void FormWindow::setGeometryTwips(double left, double top, double width, double height) {
  setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void FormWindow::moveTwips(double left, double top) {
  move(twipsToPixels(left), twipsToPixels(top));
}

double FormWindow::leftTwips() const {
  return pixelsToTwips(x());
}
double FormWindow::topTwips() const {
  return pixelsToTwips(y());
}
double FormWindow::widthTwips() const {
  return pixelsToTwips(frameGeometry().width());
}
double FormWindow::heightTwips() const {
  return pixelsToTwips(frameGeometry().height());
}

double screenWidthTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? pixelsToTwips(screen->geometry().width()) : 0;
}

double screenHeightTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? pixelsToTwips(screen->geometry().height()) : 0;
}

}  // namespace vexorel
