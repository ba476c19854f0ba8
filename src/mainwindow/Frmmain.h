#pragma once
#include <string>

#include "ui/FormWindow.h"

namespace vexorel {

// Not built yet: an honest empty window with its caption.
class Frmmain : public FormWindow {
  Q_OBJECT

 public:
  explicit Frmmain(AppContext& app);

  // Public values, read and set by the other windows.
  std::string UtPath;
  std::string FileName;
  bool OptionsCheck = false;
};

}  // namespace vexorel
