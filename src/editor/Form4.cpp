#include "editor/Form4.h"

namespace vexorel {

Form4::Form4(AppContext& app) : FormWindow(app) { setWindowTitle(QStringLiteral("User Defined Control")); }

}  // namespace vexorel
