#pragma once
// CopyFile, all or nothing: the copy goes through a temporary file beside the target and a rename.

#include <string>

#include "platform/FileReplace.h"

namespace vexorel::files {

// Copies `from` to `to`. With failIfExists an existing target is a failure; otherwise it is replaced
// (through its links) unless it is read-only. False with `error` set when anything fails; an old target
// is then intact.
bool copyAtomically(const std::string& from, const std::string& to, bool failIfExists, Failure& error);

}  // namespace vexorel::files
