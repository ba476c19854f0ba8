#pragma once
// Windows-style paths on a POSIX file system: backslashes become '/', doubled separators collapse, a
// relative path is taken against a base folder, and every component that does not exist as spelt is
// looked up without regard to letter case (so "\backup" finds "BACKUP").

#include <string>
#include <string_view>

namespace vexorel::paths {

// Separators turned to '/', runs of them collapsed, a trailing one dropped (except for the root).
// Nothing is looked up.
std::string toPosixSeparators(std::string_view path);

// Absolute form of a translated path: relative paths are joined to `base`; "." and ".." are folded
// away by the text alone, as GetFullPathName does.
std::string makeAbsolute(std::string_view path, std::string_view base);

// The real path on disk: each component that does not exist as spelt is replaced by an existing entry
// of its folder that matches it without regard to ASCII letter case; from the first component found
// nowhere on, the rest stays as spelt.
std::string resolveCase(const std::string& absolutePath);

// All three steps, against `base` (an absolute folder).
std::string resolve(std::string_view path, std::string_view base);

// The folder part of an absolute path ("/" for a file in the root).
std::string parentOf(const std::string& path);

// The user's home folder: $HOME, else the one the user database gives (empty when neither does).
std::string homeFolder();

}  // namespace vexorel::paths
