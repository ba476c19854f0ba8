#pragma once

#include "ui/FormWindow.h"

namespace vexorel {

// Not built yet: an honest empty window with its caption.
class Form1 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form1(AppContext& app);

};

}  // namespace vexorel
