#include "startup/frmSplash.h"

namespace vexorel {

frmSplash::frmSplash(AppContext& app) : FormWindow(app) { setWindowTitle(QStringLiteral("Vexorel")); }

}  // namespace vexorel
