#include "settingsets/SettingSetStore.h"

#include "app/AppContext.h"
#include "editor/ByteItems.h"
#include "editor/Form4.h"
#include "editor/Form5.h"
#include "settingsets/SetFile.h"
#include "settingsets/SetRules.h"
#include "startup/frmSplash.h"

namespace vexorel {

std::optional<std::string> SettingSetNameProblem(const std::string& name) {
  return sets::nameProblem(name);
}

bool SaveSettingSet(AppContext& app, const std::string& name) {
  if (sets::nameProblem(name)) return false;
  ReadModule& module = app.module();
  const std::string& file = app.splash().VEXORELPATH;
  const std::vector<std::string> keys = app.form4().keys();
  const std::vector<std::string> values = app.form4().values();

  const auto number = sets::numberForNewSet(module, file, keys);
  if (!number) return false;
  // The count goes first, so a set is never written beyond the count the load window lists.
  if (!module.WriteIniValue(sets::kProgramSection, sets::kSaveNumberKey, std::to_string(*number), file)) {
    return false;
  }
  const std::string section = sets::sectionName(*number);
  if (!module.WriteIniValue(section, sets::kSaveNameKey, name, file)) return false;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    const std::string value = i < values.size() ? values[i] : std::string();
    if (!module.WriteIniValue(section, keys[i], value, file)) return false;
  }
  return true;
}

void LoadSettingSet(AppContext& app, int index) {
  if (index < 0 || index >= sets::kHighestSetNumber) return;
  ReadModule& module = app.module();
  const std::string& file = app.splash().VEXORELPATH;
  const std::string section = sets::sectionName(index + 1);
  const std::vector<std::string> keys = app.form4().keys();
  const std::vector<std::string> current = app.form4().values();

  std::vector<std::string> loaded;
  loaded.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    // A set saved before a key existed, or trimmed by hand, leaves that row as it is: reading it as
    // "Default" would put that word into the game's file.
    auto value = sets::readIfPresent(module, section, keys[i], file);
    if (!value) value = i < current.size() ? current[i] : std::string(kDefaultValue);
    loaded.push_back(std::move(*value));
  }
  app.form4().setValues(loaded);
}

void SnapshotEditorLists(AppContext& app) {
  // Rows carry their bytes, so the snapshot compares equal to the editor's lists even for values that
  // are not valid UTF-8.
  setAllRows(app.form5().List1, allRows(app.form4().List1));
  setAllRows(app.form5().List2, allRows(app.form4().List2));
}

}  // namespace vexorel
