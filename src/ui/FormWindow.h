#pragma once
// The program's windows behave like classic form windows: a window is loaded before it is first
// shown (and again after every unload), its unload may be refused, unloading puts its controls back
// to their design state but keeps its public values, hiding keeps everything, and activation is an
// event of its own. Each window derives from FormWindow and overrides the steps it has.

#include <QSize>
#include <QWidget>
#include <optional>

class QCloseEvent;
class QEvent;
class QMoveEvent;

namespace vexorel {

class WindowHost;

class FormWindow : public QWidget {
  Q_OBJECT

 public:
  explicit FormWindow(WindowHost& host, QWidget* parent = nullptr);

  bool isLoaded() const { return loaded_; }
  // Runs the load step if the window is not loaded.
  void ensureLoaded();
  // "Make visible": loads when needed, shows, raises and activates.
  void showForm();
  // Hides without unloading: contents stay, load does not run again.
  void hideForm();
  // Unloads (the query step may refuse it): returns true when the window was unloaded.
  bool unloadForm();

  // The window's activation handler; also called directly by tests.
  void activate() { onActivate(); }

 protected:
  virtual void onLoad() {}
  // Return false to refuse the unload (the window stays as it is).
  virtual bool onQueryUnload() { return true; }
  virtual void onUnload() {}
  // Put every control back as the window's design has it.
  virtual void resetToDesign() {}
  virtual void onActivate() {}

  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  bool handedOverByProgramWindow() const;

  WindowHost& host() { return host_; }

  // Sizes and positions in twips, converted to logical pixels here.
  void setGeometryTwips(double left, double top, double width, double height);
  void moveTwips(double left, double top);
  // Centres the window on the screen by its size with the frame, as soon as the window manager says
  // how large the frame is.
  void centreWindow();
  double widthTwips() const;
  double heightTwips() const;

 private:
  void centreBy(const QSize& outer);
  WindowHost& host_;
  bool loaded_ = false;
  bool unloading_ = false;
  std::optional<QSize> sizeCentredUnframed_;  // centred before the frame was known, at this size
};

// Screen size in twips, for the centring rules.
double screenWidthTwips();
double screenHeightTwips();

}  // namespace vexorel
