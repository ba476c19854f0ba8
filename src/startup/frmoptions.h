#pragma once

#include "ui/FormWindow.h"

namespace vexorel {

// Not built yet: an honest empty window with its caption.
class frmoptions : public FormWindow {
  Q_OBJECT

 public:
  explicit frmoptions(AppContext& app);

  // Which button closed the window last; kept for the whole run.
  bool Cancelled = false;
};

}  // namespace vexorel
