#include "support/core/ScratchOptions.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vexorel::testing {

NativePlatformOptions scratchOptions(const TempFolder& folder) {
#ifdef _WIN32
  return {scratchRegistryKey(folder), folder.path().string()};
#else
  return {folder / "registry.reg", folder.path().string()};
#endif
}

bool runningUnderWine() {
#ifdef _WIN32
  const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

}  // namespace vexorel::testing
