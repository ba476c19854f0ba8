// Not built yet: sets are neither stored nor loaded.
#include "settingsets/SettingSetStore.h"

namespace vexorel {

std::optional<std::string> SettingSetNameProblem(const std::string&) { return std::nullopt; }
bool SaveSettingSet(AppContext&, const std::string&) { return false; }
void LoadSettingSet(AppContext&, int) {}
void SnapshotEditorLists(AppContext&) {}

}  // namespace vexorel
