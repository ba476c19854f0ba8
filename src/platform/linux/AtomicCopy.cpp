#include "platform/linux/AtomicCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/AtomicReplace.h"
#include "platform/linux/FileDescriptor.h"

namespace vexorel::files {

bool copyAtomically(const std::string& from, const std::string& to, bool failIfExists, Failure& error) {
  const FileDescriptor in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat source {};
  if (!in.valid() || ::fstat(in.get(), &source) != 0 || S_ISDIR(source.st_mode)) {
    error = S_ISDIR(source.st_mode) ? Failure{"cannot read " + from, replace::kFolder}
                                    : systemFailure("cannot read " + from);
    return false;
  }
  struct stat existing {};
  if (failIfExists && ::lstat(to.c_str(), &existing) == 0) {
    error = {"cannot copy to " + to, replace::kExists};
    return false;
  }
  Replacement copy;
  if (!copy.begin(to, error)) return false;
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in.get(), chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = systemFailure("cannot read " + from);
      return false;
    }
    if (!copy.write({std::string_view(chunk, static_cast<std::size_t>(n))}, error)) return false;
  }
  // A new file takes the source's permission bits, writable by its owner so that the next backup can
  // replace it again (a replaced one keeps its own).
  return copy.commit(error, (source.st_mode & 07777) | S_IWUSR);
}

}  // namespace vexorel::files
