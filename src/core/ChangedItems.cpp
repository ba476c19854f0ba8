#include "core/ChangedItems.h"

#include <algorithm>
#include <optional>

#include "core/ReadModule.h"
#include "core/RenderDeviceCatalogue.h"
#include "core/ValueRows.h"

namespace vexorel {

namespace {

// The device the batch itself selects, when one of its values is a device short name.
std::optional<std::string> deviceChosenIn(const std::vector<ChangedItem>& items) {
  std::optional<std::string> chosen;
  for (const ChangedItem& item : items) {
    if (auto className = ClassNameForShortName(item.newValue)) chosen = std::move(className);
  }
  return chosen;
}
}  // namespace

std::vector<ChangedItem> FindChangedItems(const std::vector<std::string>& keys, const std::vector<std::string>& values,
                                          const std::vector<std::string>& snapshotValues,
                                          const std::vector<std::string>& snapshotKeys) {
  const std::size_t rows = std::min({keys.size(), values.size(), snapshotValues.size(), snapshotKeys.size()});
  std::vector<ChangedItem> changed;
  for (std::size_t i = 0; i < rows; ++i) {
    if (values[i] != snapshotValues[i]) changed.push_back({keys[i], values[i], snapshotValues[i]});
  }
  return changed;
}

std::vector<IniWrite> WritesForChangedItems(const std::vector<ChangedItem>& items,
                                            const std::string& deviceClassInFile) {
  const std::string deviceSection = deviceChosenIn(items).value_or(deviceClassInFile);
  std::vector<IniWrite> writes;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const ChangedItem& item = items[i];
    if (auto className = ClassNameForShortName(item.newValue)) {
      writes.push_back({std::string(kEngineSection), std::string(kRenderDeviceKey), *className, i});
    } else if (item.key == kSettingRowKeys[kCoronasRow]) {
      if (!deviceSection.empty() && deviceSection != kDefaultValue) {
        writes.push_back({deviceSection, item.key, item.newValue, i});
      }
    } else {
      writes.push_back({kClientSection, item.key, item.newValue, i});
    }
  }
  return writes;
}

ChangedItemsWrite WriteChangedItems(ReadModule& module, const std::string& file, const ValueRows& rows,
                                    const ValueRows& snapshot) {
  ChangedItemsWrite result;
  result.changed = FindChangedItems(rows.keys, rows.values, snapshot.values, snapshot.keys);
  const std::string deviceClass = module.ReadProfileValue(kEngineSection, kRenderDeviceKey, file);
  for (const IniWrite& write : WritesForChangedItems(result.changed, deviceClass)) {
    if (!module.WriteIniValue(write.section, write.key, write.value, file)) {
      result.failedKey = result.changed[write.item].key;
      break;
    }
  }
  return result;
}

}  // namespace vexorel
