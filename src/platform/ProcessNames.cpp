#include "platform/ProcessNames.h"

#include "platform/formats/Text.h"

namespace vexorel::processes {

namespace {

// The kernel keeps 15 characters of a process's name.
constexpr std::size_t kShortNameLength = 15;

// The next NUL-separated argument of a command line, taken off its front.
std::string_view nextArgument(std::string_view& cmdline) {
  const std::size_t end = cmdline.find('\0');
  const std::string_view argument = cmdline.substr(0, end);
  cmdline.remove_prefix(end == std::string_view::npos ? cmdline.size() : end + 1);
  return argument;
}

std::string_view fileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool namesProgram(std::string_view path, std::string_view exeName) {
  return !exeName.empty() && equalsIgnoringCase(fileNameOf(path), exeName);
}

bool isProcessOf(std::string_view exeName, std::string_view comm, std::string_view cmdline) {
  if (exeName.empty()) return false;
  const bool cut = comm.size() == kShortNameLength && exeName.size() > kShortNameLength;
  if (equalsIgnoringCase(comm, exeName) || (cut && startsWithIgnoringCase(exeName, comm))) return true;
  const std::string_view first = nextArgument(cmdline);
  if (namesProgram(first, exeName)) return true;
  // wine, wine64, wine-preloader, wine64-preloader: the program is the next argument.
  return startsWithIgnoringCase(fileNameOf(first), "wine") && namesProgram(nextArgument(cmdline), exeName);
}

}  // namespace vexorel::processes
