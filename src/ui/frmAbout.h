#pragma once

#include "ui/FormWindow.h"

namespace vexorel {

// Not built yet: an honest empty window with its caption.
class frmAbout : public FormWindow {
  Q_OBJECT

 public:
  explicit frmAbout(AppContext& app);

};

}  // namespace vexorel
