#include "ui/FormWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QMoveEvent>
#include <QScreen>

#include "ui/Placement.h"
#include "ui/Twips.h"
#include "ui/WindowHost.h"

namespace vexorel {

FormWindow::FormWindow(WindowHost& host, QWidget* parent) : QWidget(parent, Qt::Window), host_(host) {}

void FormWindow::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  onLoad();
}

void FormWindow::showForm() {
  ensureLoaded();
  if (host_.ending() || !loaded_) return;  // the load may have ended the program or unloaded the window
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
  if (host_.ending()) {
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
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !host_.ending() && handedOverByProgramWindow()) {
    onActivate();
  }
}

bool FormWindow::handedOverByProgramWindow() const {
  // A return from another program, or from one of the program's own message boxes, leaves the window
  // as it was: only another window of the program hands over.
  const QWindow* before = host_.focusedBefore(windowHandle());
  if (!before) return false;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != this && window->windowHandle() == before) return qobject_cast<FormWindow*>(window) != nullptr;
  }
  return false;
}

void FormWindow::setGeometryTwips(double left, double top, double width, double height) {
  setGeometry(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

void FormWindow::moveTwips(double left, double top) {
  move(twipsToPixels(left), twipsToPixels(top));
}

void FormWindow::centreWindow() {
  const QSize outer = frameGeometry().size();
  centreBy(outer);
  // Before the window manager has framed the window its frame is not known: centre again once it is,
  // by the size the window had now.
  sizeCentredUnframed_ = outer == size() ? std::optional<QSize>(outer) : std::nullopt;
}

void FormWindow::centreBy(const QSize& outer) {
  const TwipsPoint at = centreOnScreen(static_cast<float>(screenWidthTwips()), static_cast<float>(screenHeightTwips()),
                                       static_cast<float>(pixelsToTwips(outer.width())),
                                       static_cast<float>(pixelsToTwips(outer.height())));
  moveTwips(at.left, at.top);
}

void FormWindow::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  const QSize frame = frameGeometry().size() - size();
  if (!sizeCentredUnframed_ || frame == QSize(0, 0)) return;
  const QSize outer = *sizeCentredUnframed_ + frame;
  sizeCentredUnframed_.reset();
  centreBy(outer);
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
