#pragma once
// The backup folder may have been deleted by hand after the first start made it. Every backup the
// program makes goes through this first, so a missing folder is made again, as the first start does.

#include <string>

#include "platform/Platform.h"

namespace vexorel {

// True when the start folder's backup folder exists or could be made; false, with the platform's
// reason, when it could not.
bool EnsureBackupFolder(Platform& platform, const std::string& startFolder);

}  // namespace vexorel
