#pragma once
// Backend options that keep a test inside its temporary folder: relative names resolve in it, and the
// registry lives in a file there (POSIX) or below a scratch key named after it (Windows), which the
// folder removes with itself.

#include "platform/NativePlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel::testing {

NativePlatformOptions scratchOptions(const TempFolder& folder);

// True inside Wine, whose profile calls differ from Windows' own in a few documented points.
bool runningUnderWine();

}  // namespace vexorel::testing
