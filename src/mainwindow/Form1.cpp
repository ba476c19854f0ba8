#include "mainwindow/Form1.h"

namespace vexorel {

Form1::Form1(AppContext& app) : FormWindow(app) { setWindowTitle(QStringLiteral("Slow System")); }

}  // namespace vexorel
