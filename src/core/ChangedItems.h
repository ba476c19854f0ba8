#pragma once
// Which rows of the editor's value list differ from the snapshot taken when the editor opened (or at
// the last Apply), and which key-level writes store them in the game's configuration file.

#include <cstddef>
#include <string>
#include <vector>

#include "core/ValueRows.h"

namespace vexorel {

struct ChangedItem {
  std::string key;       // the row's key (the editor's key list)
  std::string newValue;  // the row's value now
  std::string oldValue;  // the row's value in the snapshot
};

struct IniWrite {
  std::string section;
  std::string key;
  std::string value;
  std::size_t item = 0;  // the changed item it stores
};

// Rows whose value differs from the snapshot's, compared exactly, in row order. Rows beyond the
// shortest of the four lists are not compared.
std::vector<ChangedItem> FindChangedItems(const std::vector<std::string>& keys, const std::vector<std::string>& values,
                                          const std::vector<std::string>& snapshotValues,
                                          const std::vector<std::string>& snapshotKeys);

// The writes that store the changed items, in their order:
// - a value that is a device short name selects that device: "GameRenderDevice" in "Engine.Engine"
//   gets the device's class name;
// - "Coronas" lives in the render device's own section, the one the editor reads it from: the device
//   chosen in this same batch when there is one, otherwise `deviceClassInFile`. With no device class
//   at all (the key missing, read as "Default") it is not written;
// - every other key goes into "WinDrv.WindowsClient".
std::vector<IniWrite> WritesForChangedItems(const std::vector<ChangedItem>& items,
                                            const std::string& deviceClassInFile);

class ReadModule;

struct ChangedItemsWrite {
  std::vector<ChangedItem> changed;  // what differed from the snapshot
  std::string failedKey;             // the item whose write failed; empty when all were stored
  bool stored() const { return failedKey.empty(); }
};

// Finds the rows that differ from the snapshot and writes them into `file`, stopping at the first
// write that fails.
ChangedItemsWrite WriteChangedItems(ReadModule& module, const std::string& file, const ValueRows& rows,
                                    const ValueRows& snapshot);

}  // namespace vexorel
