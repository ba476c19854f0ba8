#pragma once

#include "ui/FormWindow.h"

namespace vexorel {

// Not built yet: an honest empty window with its caption.
class Form5 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form5(AppContext& app);

};

}  // namespace vexorel
