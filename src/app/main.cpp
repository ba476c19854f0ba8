// Vexorel: a configuration editor for Unreal Tournament. It takes no arguments.

#include <QApplication>
#include <QIcon>

#include "app/AppContext.h"
#include "platform/NativePlatform.h"
#include "ui/QtDialogService.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vexorel"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/vexorel/logo.png")));
  // The program ends through its own exit sequence, not when a window happens to be the last one.
  QApplication::setQuitOnLastWindowClosed(false);

  vexorel::NativePlatform platform;
  vexorel::QtDialogService dialogs;
  vexorel::AppContext app(platform, dialogs);
  app.start();
  if (app.ending()) return 0;
  return QApplication::exec();
}
