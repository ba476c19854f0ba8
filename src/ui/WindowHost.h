#pragma once
// What a window may reach of the rest of the program: the services, the shared state, and the other
// windows by name. The application context implements it; a window never includes another window's
// header from another folder.

#include <string>

class QWindow;

namespace vexorel {

class DialogService;
class FormWindow;
class Platform;
class ReadModule;
struct SharedState;

enum class WindowName { Splash, Main, Preview, Editor, ListStore, Load, Options, About };

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  virtual Platform& platform() = 0;
  virtual DialogService& dialogs() = 0;
  virtual ReadModule& module() = 0;
  virtual SharedState& state() = 0;

  // The window of that name, created on first use.
  virtual FormWindow& window(WindowName name) = 0;

  // Ends the program at once: every window closes without running its closing logic and the event
  // loop quits. A handler that calls it must return right away.
  virtual void end() = 0;
  virtual bool ending() const = 0;

  // Shows the main window's picture that marks settings as applied to the game's file.
  virtual void showAppliedPicture() = 0;

  // The window that held the focus before `window` took it: nullptr when that was another program or
  // no window at all.
  virtual QWindow* focusedBefore(const QWindow* window) const = 0;

  void show(WindowName name);
  void hide(WindowName name);
  // Returns true when the window was unloaded (its query step may refuse).
  bool unload(WindowName name);
  void ensureLoaded(WindowName name);
  bool isLoaded(WindowName name);
};

}  // namespace vexorel
