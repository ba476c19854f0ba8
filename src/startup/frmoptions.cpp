#include "startup/frmoptions.h"

namespace vexorel {

frmoptions::frmoptions(AppContext& app) : FormWindow(app) { setWindowTitle(QStringLiteral("Options")); }

}  // namespace vexorel
