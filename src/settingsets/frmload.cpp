#include "settingsets/frmload.h"

#include <QComboBox>
#include <QPushButton>

#include "core/ReadModule.h"
#include "core/SetFile.h"
#include "core/SetRules.h"
#include "core/SettingSetStore.h"
#include "core/SharedState.h"
#include "platform/Platform.h"
#include "ui/DesignGeometry.h"
#include "ui/DialogService.h"
#include "ui/FailureText.h"
#include "ui/Placement.h"
#include "ui/RunningGame.h"
#include "ui/TextCodec.h"
#include "ui/Twips.h"
#include "ui/WindowHost.h"

namespace vexorel {

namespace {

// The design, in twips.
constexpr double kWidth = 4215;
constexpr double kHeight = 1395;

}  // namespace

frmload::frmload(WindowHost& host) : FormWindow(host) {
  setWindowTitle(QStringLiteral("Load setting"));
  setFixedSize(twipsToPixels(kWidth), twipsToPixels(kHeight));

  Combo1 = new QComboBox(this);
  Combo1->setEditable(false);
  placeTwips(Combo1, 120, 165, 3975, 315);

  Command1 = new QPushButton(QStringLiteral("&Load"), this);
  placeTwips(Command1, 720, 720, 1215, 375);
  Command2 = new QPushButton(QStringLiteral("&Cancel"), this);
  placeTwips(Command2, 2280, 720, 1215, 375);

  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
  resetToDesign();
}

void frmload::resetToDesign() {
  Combo1->clear();
  Combo1->setCurrentIndex(-1);
}

void frmload::onLoad() {
  centreWindow();

  ReadModule& module = host().module();
  const std::string& file = host().state().VEXORELPATH;
  const int count = sets::readSetCount(module, file).count;
  for (int n = 1; n <= count; ++n) {
    const std::string section = sets::sectionName(n);
    const auto name = sets::readIfPresent(module, section, sets::kSaveNameKey, file);
    // A set without a name (edited by hand) still gets a line the user can tell apart.
    Combo1->addItem(toQString(name && !name->empty() ? *name : section));
  }
  Combo1->setCurrentIndex(-1);
}

void frmload::Command1_Click() {
  const int index = Combo1->currentIndex();
  if (index < 0) {
    host().dialogs().msgBox(this, QStringLiteral("Please choose a setting set to load."), MsgButtons::Ok,
                            MsgIcon::Information);
    return;
  }
  if (!goAheadWhileGameRuns(host(), this)) return;
  const bool editorWasOpen = host().isLoaded(WindowName::Editor);
  if (!loadIntoGameFile(index)) {
    // An editor opened only for this load must not stay loaded out of sight, holding FileName.
    if (!editorWasOpen && !host().ending()) host().unload(WindowName::Editor);
    return;
  }
  if (host().ending()) return;

  host().dialogs().msgBox(this, QStringLiteral("Graphics changes have been applied"), MsgButtons::Ok,
                          MsgIcon::Information, QStringLiteral("Done"));
  host().unload(WindowName::Editor);
  host().showAppliedPicture();
  host().show(WindowName::Main);
  hideForm();
}

bool frmload::loadIntoGameFile(int index) {
  // The window is not modal, so the editor may have been closed meanwhile: the set is then compared
  // with the game's file as the editor finds it when it loads.
  host().ensureLoaded(WindowName::Editor);
  SharedState& state = host().state();
  const SetLoadRequest request{host().platform().getCurrentDirectory(),
                               state.OldFileName,
                               state.FileName,
                               state.VEXORELPATH,
                               index,
                               state.rows,
                               state.snapshot};
  const SetLoadResult result = LoadSetIntoGameFile(host().platform(), host().module(), request);
  state.changedItems = result.changed;
  if (!result.failedKey.empty()) {
    host().dialogs().msgBox(this, itemNotSaved(result.failedKey), MsgButtons::Ok, MsgIcon::Critical);
    if (host().ending()) return false;
  }
  if (!result.loaded) {
    reportFailure(request.gameFile, result);
    return false;
  }
  state.snapshot = result.rowsAfter;
  return true;
}

void frmload::reportFailure(const std::string& gameFile, const SetLoadResult& result) {
  const std::string text = "The setting set was not loaded into " + host().platform().displayPath(gameFile) + ": " +
                           result.failure + ". The file was not changed.";
  host().dialogs().msgBox(this, withReason(toQString(text), result.reason), MsgButtons::Ok, MsgIcon::Critical);
}

void frmload::Command2_Click() {
  unloadForm();
}

}  // namespace vexorel
