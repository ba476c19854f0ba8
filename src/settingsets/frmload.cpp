#include "settingsets/frmload.h"

namespace vexorel {

frmload::frmload(AppContext& app) : FormWindow(app) { setWindowTitle(QStringLiteral("Load setting")); }

}  // namespace vexorel
