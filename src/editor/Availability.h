#pragma once
// Which display controls apply to which render device, and how the editor turns the device picked in
// its value list into the section that holds that device's settings. No widgets here.

#include <string>
#include <string_view>

namespace vexorel {

enum class Availability { On, Off, Unchanged };

// True for the six device classes whose settings the editor knows.
bool IsKnownDeviceSection(std::string_view section);

// The enabled state Check n (2 to 27) gets for a device section; Unchanged for any other box and for
// a section the editor does not know.
Availability CheckAvailability(std::string_view deviceSection, int checkNumber);
// The same for Combo n (1 to 3) and the label beside it.
Availability ComboAvailability(std::string_view deviceSection, int comboNumber);

// A device short name becomes its class name; any other text (a class name already, or an unknown
// device) is kept as it is.
std::string DriverTypeAsClass(const std::string& driverType);

}  // namespace vexorel
