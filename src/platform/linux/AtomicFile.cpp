#include "platform/linux/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <ctime>
#include <utility>
#include <vector>

#include "platform/FileReplace.h"
#include "platform/linux/Paths.h"

namespace vexorel::files {
namespace {

std::string reason() {
  return std::strerror(errno);
}

std::string baseName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// Temporary files carry the writer's process id, so leftovers of a killed writer can be recognised.
constexpr std::string_view kTempMark = replace::kTemporaryMark;

// A writer holds its temporary file for a moment only: one an hour old is a leftover even when its
// process id has since been given to another process.
constexpr time_t kStaleAfterSeconds = 60 * 60;

bool isOld(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && info.st_mtime + kStaleAfterSeconds < ::time(nullptr);
}

// Removes temporary files a writer that no longer runs left beside `name` (a crash or a kill between
// creating and renaming them).
void removeStaleTemporaries(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const std::string prefix = "." + name + std::string(kTempMark);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view entryName = entry->d_name;
    if (entryName.substr(0, prefix.size()) != prefix) continue;
    const std::string rest(entryName.substr(prefix.size()));
    char* endOfPid = nullptr;
    const long pid = std::strtol(rest.c_str(), &endOfPid, 10);
    if (pid <= 0 || endOfPid == rest.c_str() || *endOfPid != '-' || pid == ::getpid()) continue;
    const std::string leftover = folder + "/" + std::string(entryName);
    if ((::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH) || isOld(leftover)) ::unlink(leftover.c_str());
  }
  ::closedir(dir);
}

// A new temporary file beside `target`, open for writing; -1 with errno set on failure.
int createTemporary(const std::string& target, std::string& tempPath) {
  static std::atomic<unsigned> counter{0};
  const std::string folder = paths::parentOf(target);
  const std::string name = baseName(target);
  removeStaleTemporaries(folder, name);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath =
        folder + "/." + name + std::string(kTempMark) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Writes the pieces in order, with as few system calls as the kernel allows.
bool writeAll(int fd, std::initializer_list<std::string_view> pieces) {
  std::vector<iovec> parts;
  for (const std::string_view piece : pieces) {
    if (!piece.empty()) parts.push_back({const_cast<char*>(piece.data()), piece.size()});
  }
  std::size_t first = 0;
  while (first < parts.size()) {
    const ssize_t n = ::writev(fd, parts.data() + first, static_cast<int>(parts.size() - first));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    // Step over what was written; a short write leaves the rest of one piece.
    for (std::size_t done = static_cast<std::size_t>(n); done > 0 && first < parts.size();) {
      const std::size_t step = std::min(done, parts[first].iov_len);
      parts[first].iov_base = static_cast<char*>(parts[first].iov_base) + step;
      parts[first].iov_len -= step;
      done -= step;
      if (parts[first].iov_len == 0) ++first;
    }
  }
  return true;
}

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// Anonymous memory for `size` bytes, aligned to a huge page when it spans one.
char* mapBuffer(std::size_t size) {
  const std::size_t slack = size >= kHugePage ? kHugePage : 0;
  void* mapped = ::mmap(nullptr, size + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  char* start = static_cast<char*>(mapped);
  if (slack) {
    char* aligned = reinterpret_cast<char*>((reinterpret_cast<std::uintptr_t>(start) + kHugePage - 1) & ~(kHugePage - 1));
    if (aligned > start) ::munmap(start, static_cast<std::size_t>(aligned - start));
    if (aligned + size < start + size + slack) ::munmap(aligned + size, static_cast<std::size_t>(start + slack - aligned));
    start = aligned;
    ::madvise(start, size, MADV_HUGEPAGE);
  }
  return start;
}

// The folder's entry for the new name is made durable too, so a crash right after the rename cannot
// bring the old file back.
void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// The common end of every replacement: permission bits, flush, rename. Closes fd; removes the temporary
// file on failure.
bool finish(int fd, const std::string& tempPath, const std::string& target, mode_t mode, const struct stat* owner,
            Failure& error, const std::string& shownPath) {
  bool ok = ::fchmod(fd, mode) == 0;
  // Keep the owner when a privileged process rewrites someone's file (fails harmlessly otherwise).
  if (ok && owner && ::fchown(fd, owner->st_uid, owner->st_gid) != 0) errno = 0;
  ok = ok && ::fsync(fd) == 0;
  if (ok) {
    ok = ::close(fd) == 0;
  } else {
    const int saved = errno;
    ::close(fd);
    errno = saved;
  }
  ok = ok && ::rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) {
    error = {"cannot write " + shownPath, reason()};
    ::unlink(tempPath.c_str());
    return false;
  }
  syncFolder(paths::parentOf(target));
  return true;
}

mode_t defaultMode() {
  // The process's umask, read without changing it.
  mode_t mask = 022;
  if (FILE* status = std::fopen("/proc/self/status", "r")) {
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
      if (std::strncmp(line, "Umask:", 6) == 0) mask = static_cast<mode_t>(std::strtoul(line + 6, nullptr, 8));
    }
    std::fclose(status);
  }
  return 0666 & ~mask;
}

}  // namespace

Bytes::~Bytes() {
  if (data_) ::munmap(data_, capacity_);
}

Bytes::Bytes(Bytes&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

Bytes& Bytes::operator=(Bytes&& other) noexcept {
  std::swap(data_, other.data_);
  std::swap(size_, other.size_);
  std::swap(capacity_, other.capacity_);
  return *this;
}

// Room for `capacity` bytes, keeping the ones held. Capacities are whole pages, so they fit the mapping.
void Bytes::reserve(std::size_t capacity) {
  if (capacity <= capacity_) return;
  const std::size_t page = capacity >= kHugePage ? kHugePage : 64 * 1024;
  capacity = (capacity + page - 1) / page * page;
  char* larger = mapBuffer(capacity);
  if (!larger) throw std::bad_alloc();
  if (size_) std::memcpy(larger, data_, size_);
  if (data_) ::munmap(data_, capacity_);
  data_ = larger;
  capacity_ = capacity;
}

bool Bytes::fill(int fd, std::size_t expected, bool regular) {
  size_ = 0;
  // One byte more than the size, so that a file growing meanwhile is noticed.
  reserve(expected + 1);
  for (;;) {
    if (size_ == capacity_) reserve(capacity_ * 2);
    const std::size_t asked = capacity_ - size_;
    const ssize_t n = ::read(fd, data_ + size_, asked);
    if (n == 0) return true;
    if (n < 0) {
      if (errno == EINTR) continue;
      size_ = 0;
      return false;
    }
    size_ += static_cast<std::size_t>(n);
    // A regular file that gave all the bytes its size promised, and fewer than asked for, has ended:
    // the read that would return nothing is saved (a file that grows meanwhile fails the check after).
    if (regular && expected > 0 && size_ == expected && static_cast<std::size_t>(n) < asked) return true;
  }
}

namespace {

// Whether the open file still has the size and time it had before it was read. Another program writing
// it in place meanwhile may have left the bytes half old, half new: they are read again.
bool unchanged(int fd, const struct stat& before, std::size_t size) {
  struct stat after {};
  return ::fstat(fd, &after) == 0 && static_cast<std::size_t>(after.st_size) == size &&
         after.st_mtim.tv_sec == before.st_mtim.tv_sec && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
}

std::size_t sizeOf(const struct stat& info) {
  return static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 0);
}

// Opens the file and learns its size and time; -1 with `error` set on failure.
int openToRead(const std::string& path, struct stat& before, Failure& error) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd >= 0 && ::fstat(fd, &before) == 0) return fd;
  error = {"cannot read " + path, reason()};
  if (fd >= 0) ::close(fd);
  return -1;
}

constexpr int kReadAttempts = 3;

}  // namespace

// Opens the file and reads it, again when its size or time is not what it was when it was opened.
bool readInto(const std::string& path, Bytes& bytes, Failure& error) {
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    struct stat before {};
    const int fd = openToRead(path, before, error);
    if (fd < 0) {
      bytes.size_ = 0;
      return false;
    }
    const bool filled = bytes.fill(fd, sizeOf(before), S_ISREG(before.st_mode));
    if (!filled) error = {"cannot read " + path, reason()};
    const bool steady = filled && unchanged(fd, before, bytes.size_);
    ::close(fd);
    if (!filled) return false;
    if (steady) return true;
  }
  error = {"cannot read " + path, "the file kept changing while it was read"};
  bytes.size_ = 0;
  return false;
}

std::optional<Bytes> readAll(const std::string& path, Failure& error) {
  Bytes bytes;
  if (!readInto(path, bytes, error)) return std::nullopt;
  return bytes;
}

std::string followLinks(const std::string& path) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n <= 0) return current;
    target.resize(static_cast<std::size_t>(n));
    current = target.front() == '/' ? target : paths::parentOf(current) + "/" + target;
  }
  return current;
}

std::string whyNotReplaceable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno == ENOENT ? "" : reason();
  if (S_ISDIR(info.st_mode)) return replace::kFolder;
  if (!S_ISREG(info.st_mode)) return replace::kNotRegular;
  // The owner's write bit plays the part of the inverse of the Windows read-only attribute; it holds
  // even for a privileged process, which access() would let through.
  if ((info.st_mode & S_IWUSR) == 0) return replace::kReadOnly;
  if (info.st_nlink > 1) return replace::kHardLinks;
  if (::access(path.c_str(), W_OK) != 0) return reason();
  return "";
}

bool replaceAtomically(const std::string& path, std::initializer_list<std::string_view> pieces, Failure& error) {
  const std::string target = followLinks(path);
  if (const std::string why = whyNotReplaceable(target); !why.empty()) {
    error = {"cannot write " + path, why};
    return false;
  }
  struct stat old {};
  const bool hadOld = ::stat(target.c_str(), &old) == 0;
  std::string tempPath;
  const int fd = createTemporary(target, tempPath);
  if (fd < 0) {
    error = {"cannot write " + path, reason()};
    return false;
  }
  if (!writeAll(fd, pieces)) {
    error = {"cannot write " + path, reason()};
    ::close(fd);
    ::unlink(tempPath.c_str());
    return false;
  }
  return finish(fd, tempPath, target, hadOld ? (old.st_mode & 07777) : defaultMode(), hadOld ? &old : nullptr, error,
                path);
}

bool copyAtomically(const std::string& from, const std::string& to, bool failIfExists, Failure& error) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat source {};
  if (in < 0 || ::fstat(in, &source) != 0 || S_ISDIR(source.st_mode)) {
    error = {"cannot read " + from, (in >= 0 && S_ISDIR(source.st_mode) ? replace::kFolder : reason())};
    if (in >= 0) ::close(in);
    return false;
  }
  struct stat existing {};
  if (failIfExists && ::lstat(to.c_str(), &existing) == 0) {
    ::close(in);
    error = {"cannot copy to " + to, replace::kExists};
    return false;
  }
  const std::string target = followLinks(to);
  if (const std::string why = whyNotReplaceable(target); !why.empty()) {
    ::close(in);
    error = {"cannot write " + to, why};
    return false;
  }
  // A replaced file keeps its own permission bits; a new one takes the source's, writable by its owner
  // so that the next backup can replace it again.
  const bool hadOld = ::stat(target.c_str(), &existing) == 0;
  const mode_t mode = hadOld ? (existing.st_mode & 07777) : ((source.st_mode & 07777) | S_IWUSR);
  std::string tempPath;
  const int out = createTemporary(target, tempPath);
  if (out < 0) {
    error = {"cannot write " + to, reason()};
    ::close(in);
    return false;
  }
  char chunk[1 << 16];
  for (;;) {
    const ssize_t n = ::read(in, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || !writeAll(out, {std::string_view(chunk, static_cast<std::size_t>(n))})) {
      error = {(n < 0 ? "cannot read " + from : "cannot write " + to), reason()};
      ::close(in);
      ::close(out);
      ::unlink(tempPath.c_str());
      return false;
    }
  }
  ::close(in);
  return finish(out, tempPath, target, mode, hadOld ? &existing : nullptr, error, to);
}

}  // namespace vexorel::files
