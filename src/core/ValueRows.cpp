#include "core/ValueRows.h"

#include "core/GameFiles.h"
#include "core/ReadModule.h"
#include "core/RenderDeviceCatalogue.h"

namespace vexorel {

ValueRows ReadValueRows(ReadModule& module, const std::string& file, CoronasSection coronas) {
  ValueRows rows;
  for (int row = 0; row < kSettingRows; ++row) {
    const std::string key(kSettingRowKeys[static_cast<std::size_t>(row)]);
    std::string value;
    if (row == kCoronasRow && coronas == CoronasSection::RenderDevice) {
      module.ReadIniValueUncounted(kEngineSection, kRenderDeviceKey, file);
      const std::string deviceSection = module.LastIniValue;
      module.ReadIniValue(deviceSection, key, file);
      value = module.LastIniValue;
    } else if (row == kDeviceRow) {
      module.ReadIniValue(kEngineSection, key, file);
      value = ShortNameOrClassName(module.LastIniValue);
    } else {
      module.ReadIniValue(kClientSection, key, file);
      value = module.LastIniValue;
    }
    rows.keys.push_back(key);
    rows.values.push_back(std::move(value));
  }
  module.IniReadCount = 0;
  return rows;
}

}  // namespace vexorel
