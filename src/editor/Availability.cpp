#include "editor/Availability.h"

#include <array>

#include "core/RenderDeviceCatalogue.h"

namespace vexorel {

namespace {
struct DeviceColumn {
  std::string_view section;
  // One cell per control: Check2 .. Check27, then Combo1, Combo2, Combo3.
  // '+' enabled, '0' disabled, '-' left as it is.
  std::string_view cells;
};

//                                      Check 2    7    12   17   22   27 Combo1..3
constexpr std::array<DeviceColumn, 6> kColumns{{
    {"MetalDrv.MetalRenderDevice", /**/ "-----00000-000000000000000"
                                        "000"},
    {"SglDrv.SglRenderDevice", /*    */ "+++++00000+0000000000-0-00"
                                        "00+"},
    {"OpenGLDrv.OpenGLRenderDevice", /**/ "+++++00000+000000000000000"
                                          "000"},
    {"SoftDrv.SoftwareRenderDevice", /**/ "+++++00000000000000000+0++"
                                          "000"},
    {"GlideDrv.GlideRenderDevice", /* */ "+++++00000+000000000++0000"
                                         "++0"},
    {"D3DDrv.D3DRenderDevice", /*    */ "++++++++++++++0++++0000000"
                                        "000"},
}};

constexpr std::size_t kComboCell = 26;
constexpr bool allColumnsComplete() {
  for (const DeviceColumn& column : kColumns) {
    if (column.cells.size() != kComboCell + 3) return false;
  }
  return true;
}
static_assert(allColumnsComplete(), "every device column has a cell for each of the 29 controls");

Availability cell(std::string_view section, std::size_t index) {
  for (const DeviceColumn& column : kColumns) {
    if (column.section != section) continue;
    switch (column.cells[index]) {
      case '+':
        return Availability::On;
      case '0':
        return Availability::Off;
      default:
        return Availability::Unchanged;
    }
  }
  return Availability::Unchanged;
}
}  // namespace

bool IsKnownDeviceSection(std::string_view section) {
  for (const DeviceColumn& column : kColumns) {
    if (column.section == section) return true;
  }
  return false;
}

Availability CheckAvailability(std::string_view deviceSection, int checkNumber) {
  if (checkNumber < 2 || checkNumber > 27) return Availability::Unchanged;
  return cell(deviceSection, static_cast<std::size_t>(checkNumber - 2));
}

Availability ComboAvailability(std::string_view deviceSection, int comboNumber) {
  if (comboNumber < 1 || comboNumber > 3) return Availability::Unchanged;
  return cell(deviceSection, kComboCell + static_cast<std::size_t>(comboNumber - 1));
}

std::string DriverTypeAsClass(const std::string& driverType) {
  return ClassNameForShortName(driverType).value_or(driverType);
}

}  // namespace vexorel
