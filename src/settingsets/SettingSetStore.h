#pragma once
// Named setting sets: the editor's value list stored as a section "Save" + n of the program's own
// settings file, numbered in the order they were saved.

#include <optional>
#include <string>

namespace vexorel {

class AppContext;

// Why a name cannot be stored as typed, or nullopt when it can.
std::optional<std::string> SettingSetNameProblem(const std::string& name);

// Stores the editor's key and value lists under `name`; false when the settings file could not be written.
bool SaveSettingSet(AppContext& app, const std::string& name);
// Loads set index + 1 into the editor's value list.
void LoadSettingSet(AppContext& app, int index);
// The list store's snapshot := the editor's lists.
void SnapshotEditorLists(AppContext& app);

}  // namespace vexorel
