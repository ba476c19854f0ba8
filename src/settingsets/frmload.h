#pragma once

#include "ui/FormWindow.h"

namespace vexorel {

// Not built yet: an honest empty window with its caption.
class frmload : public FormWindow {
  Q_OBJECT

 public:
  explicit frmload(AppContext& app);

};

}  // namespace vexorel
