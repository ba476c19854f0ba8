#pragma once
// An open file that closes itself, so that no way out of a function leaves one open, and the failure of
// a system call on a file told as what was being done and the system's reason.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "platform/FileReplace.h"

namespace vexorel::files {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  // Takes over what open() returned (-1 when it failed).
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  bool valid() const { return fd_ >= 0; }
  int get() const { return fd_; }

  // Closes the file now, for a caller that must know it worked: some file systems report a failed
  // write only here. False with errno set when it did not.
  bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

 private:
  int fd_ = -1;
};

// "what: the reason errno gives".
inline Failure systemFailure(std::string what) {
  return {std::move(what), std::strerror(errno)};
}

}  // namespace vexorel::files
