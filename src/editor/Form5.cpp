#include "editor/Form5.h"

namespace vexorel {

Form5::Form5(AppContext& app) : FormWindow(app) { setWindowTitle(QStringLiteral("Locate Unreal Tournament.exe")); }

}  // namespace vexorel
