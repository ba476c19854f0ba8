// The yardstick for Vexorel's start-up under Wine: a bare Qt Widgets window, built with the same static
// Qt, that shows itself and waits to be closed. scripts/windows-tests.sh times both to their first window.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.resize(400, 300);
  window.show();
  return QApplication::exec();
}
