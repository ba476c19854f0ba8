// The main window's quick settings: render device, resolution and the game's cache size, written
// together by "&Done".

#include <QLabel>
#include <QLineEdit>

#include "core/ReadModule.h"
#include "core/RenderDeviceCatalogue.h"
#include "core/SharedState.h"
#include "mainwindow/CacheSizeRule.h"
#include "mainwindow/Frmmain.h"
#include "mainwindow/MemoryRule.h"
#include "mainwindow/ResolutionTable.h"
#include "mainwindow/SummaryRows.h"
#include "ui/DialogService.h"
#include "ui/DropDownCombo.h"
#include "ui/FailureText.h"
#include "ui/RunningGame.h"
#include "ui/TextCodec.h"
#include "ui/WindowHost.h"

namespace vexorel {

void Frmmain::showPlaceholders() {
  Combo1->setCurrentIndex(0);
  Combo2->setCurrentIndex(0);
}

void Frmmain::detectMemory() {
  detectedMemory_ = detectedMegabytes(host().platform().totalPhysicalMemory());
  Text1->setText(toQString(cacheSuggestionText(suggestedCacheMegabytes(detectedMemory_))));
  StatusBar1Panels[3]->setText(toQString(memoryPanelText(detectedMemory_)));
}

void Frmmain::firstDropDown(DropDownCombo* list, DropDownCounter& counter, const char* warning) {
  if (!counter.countDropDown()) return;
  host().dialogs().msgBox(this, QString::fromLatin1(warning), MsgButtons::Ok, MsgIcon::Exclamation,
                          QStringLiteral("WARNING!"));
  list->removeItem(0);
  // Qt would select the next entry; the list is left with no selection until the user picks one.
  list->setCurrentIndex(-1);
}

void Frmmain::Combo1_DropDown() {
  firstDropDown(Combo1, dropwaarde1, "Warning! choose a resolution according to videocard specifications! ");
}

void Frmmain::Combo2_DropDown() {
  firstDropDown(Combo2, dropwaarde2, "Warning! high resolutions may cause damage to your PC");
}

void Frmmain::Text1_Change() {
  if (!cacheValueTooLarge(toBytes(Text1->text()), detectedMemory_)) return;
  host().dialogs().msgBox(this, toQString(cacheTooLargeMessage(detectedMemory_)), MsgButtons::Ok, MsgIcon::Information,
                          QStringLiteral("Error"));
  // Runs this check again, which then passes.
  Text1->setText(QString::number(detectedMemory_));
}

void Frmmain::refuse(const QString& text) {
  host().dialogs().msgBox(this, text, MsgButtons::Ok, MsgIcon::Critical, QStringLiteral("Error"));
}

bool Frmmain::writeOrReport(const std::string& section, const std::string& key, const std::string& value) {
  if (host().module().WriteIniValue(section, key, value, FileName)) return true;
  reportUnsaved(host().platform().lastReason());
  return false;
}

void Frmmain::reportUnsaved(const std::string& reason) {
  refuse(withReason(QStringLiteral("Unable to save the changes in ") +
                        toQString(host().platform().displayPath(FileName)) + QStringLiteral("."),
                    reason));
}

bool Frmmain::gameFileMayChange() {
  // While the editor is open FileName names its working copy, which the game never rewrites.
  return FileName != gameIniPath(UtPath) || goAheadWhileGameRuns(host(), this);
}

void Frmmain::Command1_Click() {
  if (Text1->text().isEmpty()) {
    refuse(QStringLiteral("No value specified for memory usage"));
    return;
  }
  // Only a whole number of megabytes may reach the game's file.
  if (!isWholeMegabytes(toBytes(Text1->text()))) {
    refuse(QStringLiteral("Memory value must be a whole number of megabytes"));
    return;
  }
  if (!gameFileMayChange()) return;
  if (!writeQuickSettings()) return;
  leesman();
  Picture2->show();
}

bool Frmmain::writeQuickSettings() {
  // Each write stands even when a later step refuses.
  if (!writeOrReport(std::string(kCacheSection), std::string(kCacheKey), toBytes(Text1->text()))) {
    leesman();
    return false;
  }
  if (Combo1->itemText(0) == viewText(kDriverPlaceholder) || Combo1->currentIndex() < 0) {
    refuse(QStringLiteral("Please select Drivertype"));
    return false;
  }
  const auto className = ClassNameForListName(toBytes(Combo1->currentText()));
  if (!className) {
    refuse(QStringLiteral("Please select Drivertype"));
    return false;
  }
  if (!writeOrReport(std::string(kEngineSection), std::string(kRenderDeviceKey), *className)) {
    leesman();
    return false;
  }
  if (Combo2->itemText(0) == viewText(kResolutionPlaceholder)) {
    refuse(QStringLiteral("Please select Resolution"));
    return false;
  }
  const int position = Combo2->currentIndex();
  if (position < 0 || position >= static_cast<int>(kResolutions.size())) {
    refuse(QStringLiteral("Please select your resolution!"));
    return false;
  }
  const Resolution& resolution = kResolutions[static_cast<std::size_t>(position)];
  if (!writeOrReport(std::string(kClientSection), std::string(kViewportXKey), std::string(resolution.width)) ||
      !writeOrReport(std::string(kClientSection), std::string(kViewportYKey), std::string(resolution.height))) {
    leesman();
    return false;
  }
  return true;
}

}  // namespace vexorel
