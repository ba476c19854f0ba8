#pragma once
#include <string>

#include "ui/FormWindow.h"

namespace vexorel {

// Not built yet: an honest empty window with its caption.
class Form4 : public FormWindow {
  Q_OBJECT

 public:
  explicit Form4(AppContext& app);

  // Public values, read and set by the other windows.
  bool once = false;
  std::string OldFileName;
  std::string Tempname;
  std::string DriverType;
  std::string warzoeken;
  bool askone = false;
};

}  // namespace vexorel
