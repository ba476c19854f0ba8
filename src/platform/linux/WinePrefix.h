#pragma once
// A Wine prefix seen from outside Wine: where it is, the folder its Windows drive paths name, and the
// text values its system.reg holds. Only reads; Wine's own files are never written.

#include <optional>
#include <string>
#include <string_view>

namespace vexorel::wine {

// The prefix Wine itself would use: $WINEPREFIX when it is set to an absolute path (Wine refuses a
// relative one), else ~/.wine. Empty when neither can be formed.
std::string prefixFromEnvironment();

// The real path a Windows drive path ("C:\Games\UT", "d:/x") names in the prefix: the drive letter
// through the prefix's link dosdevices/<letter>: to its real folder, the rest looked up without regard
// to letter case. ".." cannot climb above the drive's root. Nullopt for a path that names no drive, or
// a drive the prefix has no link for. The folder itself need not exist.
std::optional<std::string> translateDrivePath(const std::string& prefix, std::string_view windowsPath);

// A folder the prefix's system.reg records under HKEY_LOCAL_MACHINE\`keyPath`, value `valueName`,
// translated to a real folder that exists. The 32-bit view (Software\Wow6432Node\..., where a 64-bit
// prefix keeps what 32-bit installers wrote) is asked first, then the key itself.
std::optional<std::string> findFolder(const std::string& prefix, std::string_view keyPath, std::string_view valueName);

}  // namespace vexorel::wine
