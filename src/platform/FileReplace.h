#pragma once
// What both backends' all-or-nothing file replacement share: how a failure is told, the words for why a
// file is not replaced, and the mark in the names of their temporary files.

#include <string>
#include <string_view>

namespace vexorel::files {

// Why a file operation failed, in two parts: what was being done ("cannot write /x/a.ini") and the
// system's reason ("No space left on device"). A message that names the file itself shows the reason
// alone.
struct Failure {
  std::string what;
  std::string reason;
  std::string text() const { return reason.empty() ? what : what + ": " + reason; }
};

}  // namespace vexorel::files

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
