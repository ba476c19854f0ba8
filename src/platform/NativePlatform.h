#pragma once
// The backend of the system the program is built for, under one name, so that main() and the tools
// need no conditional code of their own.

#ifdef _WIN32
#include "platform/win32/Win32Platform.h"

namespace vexorel {
using NativePlatform = Win32Platform;
using NativePlatformOptions = Win32PlatformOptions;
}  // namespace vexorel
#else
#include "platform/linux/LinuxPlatform.h"

namespace vexorel {
using NativePlatform = LinuxPlatform;
using NativePlatformOptions = LinuxPlatformOptions;
}  // namespace vexorel
#endif
