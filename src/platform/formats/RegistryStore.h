#pragma once
// The registry kept in a text file in the registry export format:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_LOCAL_MACHINE\Software\Some Key]
//   "Name"="text"          (\\ and \" escaped)
//   "Data"=hex:01,00
//
// Pure functions on the file's bytes. Key paths and value names match without regard to ASCII letter
// case. A write changes only the value's own line (or adds its own lines); every line the reader does
// not understand is kept byte for byte.

#include <optional>
#include <string>
#include <string_view>

#include "platform/formats/RegistryValue.h"

namespace vexorel::registry {

// Text values carry their terminating NUL.
using Value = RegistryData;

inline constexpr std::string_view kFileHeader = "Windows Registry Editor Version 5.00";

// A key path with its separators tidied: no doubled, leading or trailing backslashes.
std::string normaliseKeyPath(std::string_view path);

// True when the file has the key or any key below it.
bool keyExists(std::string_view content, std::string_view keyPath);

std::optional<Value> findValue(std::string_view content, std::string_view keyPath, std::string_view name);

// The file's bytes after setting the value, the key's header and the file's header added as needed.
std::string applySet(std::string_view content, std::string_view keyPath, std::string_view name, const Value& value);

// One value's line as it is written: "Name"="text", "Name"=hex:.., "Name"=dword:.., "Name"=hex(n):..
std::string formatValueLine(std::string_view name, const Value& value);

}  // namespace vexorel::registry
