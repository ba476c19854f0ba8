#pragma once
// The values the program's windows read and set from each other, under the names the windows give
// them. Windows show and edit them; logic and tests use them with no window present. The application
// context owns the one instance.

#include <string>
#include <vector>

#include "core/ChangedItems.h"
#include "core/ValueRows.h"

namespace vexorel {

struct SharedState {
  // The main window's.
  std::string UtPath;         // the game folder
  std::string FileName;       // the file every summary and editor read goes to
  bool OptionsCheck = false;  // ask before exiting

  // The start-up window's.
  std::string VEXORELPATH;  // full path of the settings file
  std::string MainAppPath;  // the folder that holds it

  // The editor's.
  bool once = false;        // the working copy exists for this opening
  std::string OldFileName;  // the game's file while the editor holds the working copy
  std::string Tempname;     // the working copy
  std::string DriverType;   // the value list's render device row
  std::string warzoeken;    // the section of the render device in use
  bool askone = false;
  ValueRows rows;  // the value list as shown

  // The list store's: the value list as last read or applied, and what the last write found changed.
  ValueRows snapshot;
  std::vector<ChangedItem> changedItems;
};

}  // namespace vexorel
