#pragma once
// Backend options that keep a test inside its temporary folder: relative names resolve in it, and the registry
// lives in a file there (POSIX) or below the folder's scratch key (Windows).

#include "platform/NativePlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel::testing {

NativePlatformOptions scratchOptions(const TempFolder& folder);
bool runningUnderWine();  // Wine's profile calls differ from Windows' own in a few documented points

}  // namespace vexorel::testing
