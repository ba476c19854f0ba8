#include "editor/ValueCycles.h"

#include <array>
#include <string_view>
#include <vector>

#include "editor/EditorTables.h"

namespace vexorel {

namespace {
using Cycle = std::vector<std::string_view>;

const Cycle& cycleFor(int row) {
  static const Cycle kNone;
  static const Cycle kColourBits{"16", "32"};
  static const Cycle kSwitch{"True", "False"};
  static const Cycle kDetail{"High", "Low", "Medium"};
  static const Cycle kDevices{"Direct 3D", "OpenGl", "Glide", "Software", "S3"};
  switch (row) {
    case 0:
      return kColourBits;
    case 7:
    case 8:
      return kDetail;
    case kFrameRateRow:
    case kParticleDensityRow:
      return kNone;
    case kDeviceRow:
      return kDevices;
    default:
      return row >= 1 && row < kSettingRows ? kSwitch : kNone;
  }
}
}  // namespace

RowEdit EditForRow(int row) {
  if (row < 0 || row >= kSettingRows) return RowEdit::None;
  if (row == kFrameRateRow) return RowEdit::TypeInText1;
  if (row == kParticleDensityRow) return RowEdit::TypeInText2;
  return RowEdit::Cycle;
}

std::optional<std::string> NextInCycle(int row, const std::string& value) {
  const Cycle& cycle = cycleFor(row);
  for (std::size_t i = 0; i < cycle.size(); ++i) {
    if (cycle[i] == value) return std::string(cycle[(i + 1) % cycle.size()]);
  }
  return std::nullopt;
}

}  // namespace vexorel
