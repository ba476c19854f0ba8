#include "editor/WriteChangedItems.h"

#include <QListWidget>

#include "app/AppContext.h"
#include "core/ChangedItems.h"
#include "core/RenderDeviceCatalogue.h"
#include "editor/ByteItems.h"
#include "editor/Form4.h"
#include "editor/Form5.h"
#include "mainwindow/Frmmain.h"
#include "ui/DialogService.h"
#include "ui/TextCodec.h"

namespace vexorel {

bool WriteChangedItems(AppContext& app) {
  Form4& editor = app.form4();
  Form5& store = app.form5();
  store.List4->clear();
  store.List3->clear();
  store.List5->clear();
  const std::vector<ChangedItem> changed =
      FindChangedItems(editor.keys(), editor.values(), allRows(store.List2), allRows(store.List1));
  for (const ChangedItem& item : changed) {
    appendRow(store.List3, item.newValue);
    appendRow(store.List5, item.oldValue);
    appendRow(store.List4, item.key);
  }

  const std::string file = app.frmmain().FileName;
  ReadModule& module = app.module();
  const std::string deviceClass =
      module.ReadProfileValue(std::string(kRenderDeviceSection), std::string(kRenderDeviceKey), file);
  for (const IniWrite& write : WritesForChangedItems(changed, deviceClass)) {
    if (!module.WriteIniValue(write.section, write.key, write.value, file)) {
      app.dialogs().msgBox(
          &editor,
          QStringLiteral("Error when saving this item") + toQString(changed[write.item].key) + QStringLiteral(" = "),
          MsgButtons::Ok, MsgIcon::Critical);
      return false;
    }
  }
  editor.lees();
  return true;
}

}  // namespace vexorel
