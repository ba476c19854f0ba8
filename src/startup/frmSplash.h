#pragma once
#include <cstdint>
#include <string>

#include "ui/FormWindow.h"

namespace vexorel {

// Not built yet: an honest empty window with its caption.
class frmSplash : public FormWindow {
  Q_OBJECT

 public:
  explicit frmSplash(AppContext& app);

  // Public values that outlive the window.
  std::string VEXORELPATH;
  std::string MainAppPath;
  std::int16_t X = 0;
};

}  // namespace vexorel
