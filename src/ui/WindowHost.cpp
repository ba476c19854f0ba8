#include "ui/WindowHost.h"

#include "ui/FormWindow.h"

namespace vexorel {

void WindowHost::show(WindowName name) {
  window(name).showForm();
}
void WindowHost::hide(WindowName name) {
  window(name).hideForm();
}
bool WindowHost::unload(WindowName name) {
  return window(name).unloadForm();
}
void WindowHost::ensureLoaded(WindowName name) {
  window(name).ensureLoaded();
}
bool WindowHost::isLoaded(WindowName name) {
  return window(name).isLoaded();
}

}  // namespace vexorel
