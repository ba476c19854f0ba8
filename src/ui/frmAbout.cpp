#include "ui/frmAbout.h"

namespace vexorel {

frmAbout::frmAbout(AppContext& app) : FormWindow(app) { setWindowTitle(QStringLiteral("About Vexorel")); }

}  // namespace vexorel
