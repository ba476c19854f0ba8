#include "settingsets/frmload.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "app/AppContext.h"
#include "editor/Form4.h"
#include "editor/WriteChangedItems.h"
#include "mainwindow/Frmmain.h"
#include "platform/Platform.h"
#include "settingsets/SetFile.h"
#include "settingsets/SetRules.h"
#include "settingsets/SettingSetStore.h"
#include "startup/frmSplash.h"
#include "ui/DesignGeometry.h"
#include "ui/DialogService.h"
#include "ui/Placement.h"
#include "ui/TextCodec.h"
#include "ui/Twips.h"

namespace vexorel {

namespace {

// The design, in twips.
constexpr double kWidth = 4215;
constexpr double kHeight = 1395;

// The scratch copy a set is written into before it replaces the game's file.
constexpr const char* kScratchName = "\\backup\\SetLoad.ini";

}  // namespace

frmload::frmload(AppContext& app) : FormWindow(app) {
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
  const TwipsPoint at = centreOnScreen(static_cast<float>(screenWidthTwips()), static_cast<float>(screenHeightTwips()),
                                       static_cast<float>(widthTwips()), static_cast<float>(heightTwips()));
  moveTwips(at.left, at.top);

  ReadModule& module = app().module();
  const std::string& file = app().splash().VEXORELPATH;
  const int count = sets::setCountForListing(module, file);
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
    app().dialogs().msgBox(this, QStringLiteral("Please choose a setting set to load."), MsgButtons::Ok,
                           MsgIcon::Information);
    return;
  }
  const bool editorWasOpen = app().form4().isLoaded();
  if (!loadIntoGameFile(index)) {
    // An editor opened only for this load must not stay loaded out of sight, holding FileName.
    if (!editorWasOpen && !app().ending()) app().form4().unloadForm();
    return;
  }
  if (app().ending()) return;

  app().dialogs().msgBox(this, QStringLiteral("Graphics changes have been applied"), MsgButtons::Ok,
                         MsgIcon::Information, QStringLiteral("Done"));
  app().form4().unloadForm();
  Frmmain& main = app().frmmain();
  main.Picture1->setVisible(true);
  main.showForm();
  hideForm();
}

bool frmload::loadIntoGameFile(int index) {
  Platform& platform = app().platform();
  Frmmain& main = app().frmmain();
  Form4& editor = app().form4();
  // The window is not modal, so the editor may have been closed meanwhile: the set is then compared
  // with the game's file as the editor finds it when it loads.
  editor.ensureLoaded();
  const std::string cwd = platform.getCurrentDirectory();
  const std::string gameFile = editor.OldFileName;
  const std::string scratch = cwd + kScratchName;

  // The backup the editor's Undo puts back: the working copy as it stands.
  const std::string lastIni = cwd + "\\backup\\Last.ini";
  if (!platform.copyFile(main.FileName, lastIni, false)) {
    reportFailure(gameFile,
                  "the backup " + platform.displayPath(lastIni) + " could not be made (" + platform.lastError() + ")");
    return false;
  }
  if (!platform.copyFile(gameFile, scratch, false)) {
    reportFailure(gameFile,
                  "it could not be copied to " + platform.displayPath(scratch) + " (" + platform.lastError() + ")");
    return false;
  }

  LoadSettingSet(app(), index);
  const std::string remembered = main.FileName;
  main.FileName = scratch;
  const bool written = WriteChangedItems(app());
  if (app().ending()) return false;
  // The game's file takes the written copy in one step, or stays as it was.
  const bool replaced = written && platform.copyFile(scratch, gameFile, false);
  const std::string copyError = written && !replaced ? platform.lastError() : std::string();
  if (replaced) SnapshotEditorLists(app());
  main.FileName = remembered;
  platform.deleteFile(scratch);

  if (!replaced) {
    // The editor shows the working copy's values again, as they were before the set was loaded.
    editor.lees();
    reportFailure(gameFile, written ? "it could not be replaced (" + copyError + ")"
                                    : std::string("the changed settings could not be written"));
    return false;
  }
  return true;
}

void frmload::reportFailure(const std::string& gameFile, const std::string& reason) {
  const std::string text = "The setting set was not loaded into " + app().platform().displayPath(gameFile) + ": " +
                           reason + ". The file was not changed.";
  app().dialogs().msgBox(this, toQString(text), MsgButtons::Ok, MsgIcon::Critical);
}

void frmload::Command2_Click() {
  unloadForm();
}

}  // namespace vexorel
