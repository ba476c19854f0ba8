#pragma once
// What both backends' all-or-nothing file replacement share: the words for why a file is not replaced,
// and the mark in the names of their temporary files.

#include <string_view>

namespace vexorel::replace {

inline constexpr const char* kFolder = "it is a folder";
inline constexpr const char* kNotRegular = "it is not a regular file";
inline constexpr const char* kReadOnly = "the file is read-only";
inline constexpr const char* kHardLinks =
    "the file has other hard links; it is not replaced, so that they stay the same";
inline constexpr const char* kExists = "the file exists";

// Temporary files are named ".<name>.vxtmp-<process>-<n>" beside their target: hidden, and never the
// name of a file the program means.
inline constexpr std::string_view kTemporaryMark = ".vxtmp-";

}  // namespace vexorel::replace
