// Leaving the first tab: work out the render device, load the boxes and combos from the working
// copy and enable exactly the display controls that apply to the device. Also the boxes' writes.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPalette>
#include <QSignalBlocker>

#include "core/ReadModule.h"
#include "core/RenderDeviceCatalogue.h"
#include "core/SharedState.h"
#include "editor/Availability.h"
#include "editor/ByteItems.h"
#include "editor/EditorTables.h"
#include "editor/Form4.h"
#include "ui/FailureText.h"
#include "ui/TextCodec.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {
constexpr const char* kTrue = "True";
constexpr const char* kFalse = "False";

void applyState(QWidget* widget, Availability state) {
  if (state != Availability::Unchanged) widget->setEnabled(state == Availability::On);
}

// The label that stands beside each display combo and is switched with it.
constexpr std::array<int, 4> kDisplayComboLabel{0, 3, 1, 2};
}  // namespace

void Form4::SSTab1_Click(int previousTab) {
  ReadModule& module = host().module();
  if (previousTab != 0) {
    module.IniReadCount = 0;
    return;
  }
  resolveDevice();
  loadCheckBoxes();
  applyAvailability();
  colourDisplayCombos();
  loadSoundAndNetworkCombos();
  module.IniReadCount = 0;
}

void Form4::resolveDevice() {
  ReadModule& module = host().module();
  module.ReadIniValue(std::string(kEngineSection), std::string(kRenderDeviceKey), state_.FileName);
  std::string deviceClass = module.LastIniValue;
  // A device picked in the value list but not applied yet wins over the file.
  if (deviceClass != DriverType) {
    DriverType = DriverTypeAsClass(DriverType);
    deviceClass = DriverType;
  }
  if (IsKnownDeviceSection(deviceClass)) warzoeken = deviceClass;
}

void Form4::loadCheckBoxes() {
  ReadModule& module = host().module();
  const std::string& file = state_.FileName;
  for (int n = 2; n <= kLastCheck; ++n) {
    const std::optional<std::string> section = CheckSection(n, warzoeken);
    // With no device section nothing could be read for the display boxes.
    if (!section || section->empty()) continue;
    module.ReadIniValue(*section, std::string(CheckCaption(n)), file);
    // Never unchecks: a ticked box stays ticked whatever the new device's section says.
    if (module.LastIniValue == kTrue) checkBox(n)->setChecked(true);
  }
  module.IniReadCount = 0;
}

void Form4::applyAvailability() {
  for (int n = kFirstDeviceCheck; n <= kLastDeviceCheck; ++n) applyState(checkBox(n), CheckAvailability(warzoeken, n));
  const auto applyCombo = [this](int n) {
    const Availability state = ComboAvailability(warzoeken, n);
    applyState(label(kDisplayComboLabel[static_cast<std::size_t>(n)]), state);
    applyState(combo(n), state);
  };
  if (warzoeken == kGlideSection) {
    loadGlideCombos();
    applyCombo(1);
    applyCombo(2);
    applyCombo(3);
  } else {
    applyCombo(1);
    applyCombo(2);
    applyCombo(3);
    if (warzoeken == kSglClassName) loadSglCombo();
  }
}

bool Form4::selectByText(QComboBox* box, const std::string& value) {
  const int match = TextMatch(comboItems(box), value);
  if (match >= 0) box->setCurrentIndex(match);
  return box->currentIndex() >= 0;
}

void Form4::loadGlideCombos() {
  ReadModule& module = host().module();
  const std::string& file = state_.FileName;
  module.ReadIniValue(kGlideSection, std::string(ComboSpecFor(2).key), file);
  selectByText(combo(2), module.LastIniValue);
  module.ReadIniValue(kGlideSection, std::string(ComboSpecFor(1).key), file);
  const std::string detailBias = module.LastIniValue;
  if (!selectByText(combo(1), detailBias)) {
    insertComboItem(combo(1), 0, detailBias);
    combo(1)->setCurrentIndex(0);
  }
}

void Form4::loadSglCombo() {
  ReadModule& module = host().module();
  module.ReadIniValue(std::string(kSglClassName), std::string(ComboSpecFor(3).key), state_.FileName);
  selectByText(combo(3), module.LastIniValue);
}

void Form4::colourDisplayCombos() {
  // Enabled: the colour of a window's text area; disabled: the colour of menus and buttons.
  const QPalette standard = QApplication::palette();
  for (int n = 1; n <= 3; ++n) {
    QPalette colours = combo(n)->palette();
    const QColor background = combo(n)->isEnabled() ? standard.color(QPalette::Active, QPalette::Base)
                                                    : standard.color(QPalette::Active, QPalette::Button);
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      colours.setColor(group, QPalette::Base, background);
    }
    combo(n)->setPalette(colours);
  }
}

void Form4::loadSoundAndNetworkCombos() {
  ReadModule& module = host().module();
  const std::string& file = state_.FileName;
  for (int n = 4; n <= kComboCount; ++n) {
    const ComboSpec& spec = ComboSpecFor(n);
    module.ReadIniValue(std::string(spec.section), std::string(spec.key), file);
    module.IniReadCount = 0;
    const std::string value = module.LastIniValue;
    if (!selectByText(combo(n), value)) {
      appendComboItem(combo(n), value);
      combo(n)->setCurrentIndex(combo(n)->count() - 1);
    }
  }
}

void Form4::checkChanged(int n) {
  const std::optional<std::string> section = CheckSection(n, warzoeken);
  // No device known yet: a section without a name would only clutter the file.
  if (!section || section->empty()) return;
  const char* value = checkBox(n)->checkState() == Qt::Checked ? kTrue : kFalse;
  if (host().module().WriteIniValue(*section, std::string(CheckCaption(n)), value, Tempname)) return;
  // The box must not show a setting the working copy does not hold: Apply would then report as done a
  // change it never made.
  Platform& platform = host().platform();
  const std::string reason = platform.lastReason();
  {
    const QSignalBlocker quiet(checkBox(n));
    checkBox(n)->setChecked(value != kTrue);
  }
  critical(withReason(QStringLiteral("The setting %1 could not be saved in the working copy %2, so it was not changed.")
                          .arg(viewText(CheckCaption(n)), toQString(platform.displayPath(Tempname))),
                      reason));
}

}  // namespace vexorel
