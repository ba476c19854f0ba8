#include "mainwindow/Frmmain.h"

namespace vexorel {

Frmmain::Frmmain(AppContext& app) : FormWindow(app) { setWindowTitle(QStringLiteral("Vexorel")); }

}  // namespace vexorel
