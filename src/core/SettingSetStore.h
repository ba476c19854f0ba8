#pragma once
// Named setting sets: the editor's value list stored as a section "Save" + n of the program's own
// settings file, numbered in the order they were saved; and the load of a set into the game's file.

#include <optional>
#include <string>
#include <vector>

#include "core/ChangedItems.h"
#include "core/SharedState.h"

namespace vexorel {

class Platform;
class ReadModule;

// Stores the rows under `name` in `settingsFile`; false when it could not be written.
bool SaveSettingSet(ReadModule& module, const std::string& settingsFile, const std::string& name,
                    const ValueRows& rows);
// The values of set index + 1 for these rows; a key the set lacks keeps the row's current value.
std::vector<std::string> LoadSettingSet(ReadModule& module, const std::string& settingsFile, int index,
                                        const ValueRows& rows);

struct SetLoadRequest {
  std::string startFolder;   // where the backup folder lies
  std::string gameFile;      // the file the set goes into
  std::string workingCopy;   // the editor's working copy, backed up for Undo
  std::string settingsFile;  // where the sets are stored
  int index = 0;
  ValueRows rows;      // the editor's value list
  ValueRows snapshot;  // the list store's snapshot
};

struct SetLoadResult {
  bool loaded = false;
  // Why the game's file was not changed, as the end of a sentence; empty when loaded.
  std::string failure;
  // The system's reason for it, when a file operation failed.
  std::string reason;
  // The item whose write failed, when that was the cause.
  std::string failedKey;
  std::vector<ChangedItem> changed;
  ValueRows rowsAfter;  // the value list as the game's file now holds it, when loaded
};

// Writes the set's changed values into a scratch copy of the game's file, then replaces the game's
// file with it in one step: all of the set or none of it.
SetLoadResult LoadSetIntoGameFile(Platform& platform, ReadModule& module, const SetLoadRequest& request);

}  // namespace vexorel
