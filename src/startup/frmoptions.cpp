#include "startup/frmoptions.h"

#include <QCheckBox>
#include <QPushButton>

#include "core/ReadModule.h"
#include "core/SettingsFile.h"
#include "core/SharedState.h"
#include "ui/DesignGeometry.h"
#include "ui/Placement.h"
#include "ui/Twips.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {
// The window's design, in twips.
constexpr double kWidth = 3900;
constexpr double kHeight = 1500;
constexpr double kButtonWidth = 1095;
constexpr double kButtonHeight = 375;
constexpr double kButtonTop = 900;
}  // namespace

frmoptions::frmoptions(WindowHost& host) : FormWindow(host) {
  setWindowTitle(QStringLiteral("Options"));
  setFixedSize(twipsToPixels(kWidth), twipsToPixels(kHeight));

  Check1 = new QCheckBox(QStringLiteral("Ask exit question ?"), this);
  Check1->setObjectName(QStringLiteral("Check1"));
  placeTwips(Check1, 480, 240, kWidth - 960, 375);

  Command1 = new QPushButton(QStringLiteral("&Ok"), this);
  Command1->setObjectName(QStringLiteral("Command1"));
  Command2 = new QPushButton(QStringLiteral("&Cancel"), this);
  Command2->setObjectName(QStringLiteral("Command2"));
  for (QPushButton* button : {Command1, Command2}) {
    button->setGeometry(0, twipsToPixels(kButtonTop), twipsToPixels(kButtonWidth), twipsToPixels(kButtonHeight));
  }
  connect(Command1, &QPushButton::clicked, this, &frmoptions::Command1_Click);
  connect(Command2, &QPushButton::clicked, this, &frmoptions::Command2_Click);
}

void frmoptions::onLoad() {
  centreWindow();

  // The pair is centred in the window's client area, where the buttons live.
  const ButtonPairLefts lefts = centredButtonPair(static_cast<float>(pixelsToTwips(width())),
                                                  static_cast<float>(pixelsToTwips(Command1->width())),
                                                  static_cast<float>(pixelsToTwips(Command2->width())), kButtonGap);
  Command1->move(twipsToPixels(lefts.first), Command1->y());
  Command2->move(twipsToPixels(lefts.second), Command2->y());

  const std::string askQ = host().module().ReadProfileValue(kSettingsSection, kAskQKey, host().state().VEXORELPATH);
  SharedState& state = host().state();
  state.OptionsCheck = askQ == kAskQChecked;
  Check1->setChecked(state.OptionsCheck);
}

void frmoptions::Command1_Click() {
  Cancelled = false;
  unloadForm();
}

void frmoptions::Command2_Click() {
  Cancelled = true;
  unloadForm();
}

void frmoptions::onUnload() {
  if (Cancelled) return;
  const bool checked = Check1->isChecked();
  host().module().WriteIniValue(kSettingsSection, kAskQKey, checked ? kAskQChecked : kAskQUnchecked,
                                host().state().VEXORELPATH);
  host().state().OptionsCheck = checked;
}

void frmoptions::resetToDesign() {
  Check1->setChecked(false);
}

}  // namespace vexorel
