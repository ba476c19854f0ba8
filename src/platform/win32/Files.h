#pragma once
// Whole-file reads and all-or-nothing replacement of a file, the Windows way: the new bytes go to a
// temporary file beside the target, are flushed to disk, and the temporary file is moved over the target
// with write-through. A reader, a full disk or a crash sees either the old bytes or the new ones. The
// ANSI calls are used, so names in the user's code page pass through unchanged.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileReplace.h"

namespace vexorel::win32 {

using files::Failure;

// The system's one-line text for a Windows error code.
std::string describe(unsigned long code);

// The folder part of a path with its final separator ("C:\Games\" for "C:\Games\UT.ini"); empty for
// a bare name.
std::string folderOf(const std::string& path);

// The whole file; nullopt with `missing` set when there is no such file, or with `error` set when it
// cannot be read.
std::optional<std::string> readWhole(const std::string& path, bool& missing, Failure& error);

// The file a path finally names once symbolic links are followed (the path itself when it is not a link).
std::string followLinks(const std::string& path);

// Why `path` may not be replaced (a read-only file, a folder, a file with other hard links), or empty
// when it may or does not exist.
std::string whyNotReplaceable(const std::string& path);

// A fresh name beside `target` for a file that is moved over it once complete.
std::string temporaryBeside(const std::string& target);

// Moves `temporary` over `target` with write-through, giving it the old file's attributes first.
// The temporary file is removed when the move fails.
bool moveOver(const std::string& temporary, const std::string& target, Failure& error, const std::string& shownPath);

// Replaces (or creates) the file with `pieces`, written in order. The old file is intact on failure.
bool replaceAtomically(const std::string& path, std::initializer_list<std::string_view> pieces, Failure& error);

}  // namespace vexorel::win32
