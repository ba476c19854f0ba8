#pragma once
// Writes the rows of the editor's value list that differ from the list store's snapshot into the
// file named by the main window's FileName, then refills the value list from that file.

namespace vexorel {

class AppContext;

// On a failed write: the message "Error when saving this item" + key + " = ", the value list keeps
// the user's edits, and false. The program goes on; the caller must not carry on as if the items had
// been stored.
bool WriteChangedItems(AppContext& app);

}  // namespace vexorel
