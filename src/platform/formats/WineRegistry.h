#pragma once
// A read-only reader of the registry files Wine keeps in a prefix (system.reg, user.reg):
//
//   WINE REGISTRY Version 2
//   ;; All keys relative to \\Machine
//   #arch=win64
//
//   [Software\\Wow6432Node\\Some Key] 1699999999
//   #time=1da0c1f2e3d4c5b
//   "Folder"="C:\\Games\\Some \"Game\""
//   "Other"=str(2):"%ProgramFiles%\\x"
//   "Bytes"=hex:01,02,03    (long data goes on over lines that end in a backslash)
//   "Count"=dword:0000002a
//   @="the default value"
//
// Key paths are relative to the file's root (HKEY_LOCAL_MACHINE for system.reg) and match without
// regard to ASCII letter case, as do value names. Text is stored by Wine as UTF-16 with C escapes:
// \\ \" \] \n and friends, octal \NNN, and \xH..HHHH for every character above 127. Pure functions on
// the file's bytes; the program never writes these files (Wine owns them while it runs).

#include <optional>
#include <string>
#include <string_view>

#include "platform/formats/RegistryValue.h"

namespace vexorel::wine {

inline constexpr std::string_view kRegistryHeader = "WINE REGISTRY Version 2";

// Undoes Wine's string escapes up to the unescaped `end` character (or the end of the text) and
// returns the UTF-16 code units. `used`, when given, receives how many bytes were read, the end
// character not counted.
std::u16string unescape(std::string_view text, char end, std::size_t* used = nullptr);

// UTF-16 code units as UTF-8, up to the first NUL; unpaired surrogates become U+FFFD.
std::string toUtf8(std::u16string_view units);

// The value `name` ("" for the default value) of the key `keyPath` (single backslashes), or nullopt
// when the file is not a Wine registry file, or the key, the value or its data cannot be found. Its
// bytes are as Windows holds them: text as UTF-16LE with its terminating NUL.
std::optional<RegistryData> findValue(std::string_view content, std::string_view keyPath, std::string_view name);

// The text of a text value (REG_SZ or REG_EXPAND_SZ, quoted or as hex(1)/hex(2) bytes) in UTF-8,
// without its terminating NUL; nullopt for any other type. Nothing is expanded.
std::optional<std::string> textOf(const RegistryData& value);

}  // namespace vexorel::wine
