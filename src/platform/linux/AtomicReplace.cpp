#include "platform/linux/AtomicReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

#include "platform/linux/Paths.h"

namespace vexorel::files {
namespace {

std::string baseName(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// A writer holds its temporary file for a moment only: one an hour old is a leftover even when its
// process id has since been given to another process.
constexpr time_t kStaleAfterSeconds = time_t{60} * 60;

bool isOld(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && info.st_mtime + kStaleAfterSeconds < ::time(nullptr);
}

// Removes the temporary files named `prefix`<process>-<n> that a writer that no longer runs left in
// `folder` (a crash or a kill between creating and renaming them).
void removeStaleTemporaries(const std::string& folder, const std::string& prefix) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
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

// The folder's entry for the new name is made durable too, so a crash right after the rename cannot
// bring the old file back.
void syncFolder(const std::string& folder) {
  const FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.valid()) ::fsync(dir.get());
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

std::string followLinks(const std::string& path) {
  std::string current = path;
  for (int depth = 0; depth < 40; ++depth) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::string target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n <= 0) return current;
    target.resize(static_cast<std::size_t>(n));
    current = target.front() == '/' ? target : paths::parentOf(current).append("/").append(target);
  }
  return current;
}

std::string whyNotReplaceable(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return errno == ENOENT ? "" : std::strerror(errno);
  if (S_ISDIR(info.st_mode)) return replace::kFolder;
  if (!S_ISREG(info.st_mode)) return replace::kNotRegular;
  // The owner's write bit plays the part of the inverse of the Windows read-only attribute; it holds
  // even for a privileged process, which access() would let through.
  if ((info.st_mode & S_IWUSR) == 0) return replace::kReadOnly;
  if (info.st_nlink > 1) return replace::kHardLinks;
  if (::access(path.c_str(), W_OK) != 0) return std::strerror(errno);
  return "";
}

Replacement::~Replacement() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool Replacement::begin(const std::string& path, Failure& error) {
  shownPath_ = path;
  target_ = followLinks(path);
  if (const std::string why = whyNotReplaceable(target_); !why.empty()) {
    error = {"cannot write " + path, why};
    return false;
  }
  if (struct stat old{}; ::stat(target_.c_str(), &old) == 0) old_ = old;
  // Temporary files carry the writer's process id, so leftovers of a killed writer can be recognised.
  static std::atomic<unsigned> counter{0};
  const std::string folder = paths::parentOf(target_);
  const std::string prefix = "." + baseName(target_) + std::string(replace::kTemporaryMark);
  removeStaleTemporaries(folder, prefix);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temporary = folder + "/";
    temporary.append(prefix).append(std::to_string(::getpid())).append("-").append(std::to_string(counter++));
    file_ = FileDescriptor(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (file_.valid()) {
      temporary_ = std::move(temporary);
      return true;
    }
    if (errno != EEXIST) break;
  }
  error = systemFailure("cannot write " + path);
  return false;
}

bool Replacement::write(std::initializer_list<std::string_view> pieces, Failure& error) {
  if (writeAll(file_.get(), pieces)) return true;
  error = systemFailure("cannot write " + shownPath_);
  return false;
}

bool Replacement::commit(Failure& error, std::optional<mode_t> newMode) {
  const mode_t mode = old_ ? (old_->st_mode & 07777) : newMode ? *newMode : defaultMode();
  bool ok = ::fchmod(file_.get(), mode) == 0;
  // Keep the owner when a privileged process rewrites someone's file (fails harmlessly otherwise).
  if (ok && old_ && ::fchown(file_.get(), old_->st_uid, old_->st_gid) != 0) errno = 0;
  ok = ok && ::fsync(file_.get()) == 0 && file_.close() && ::rename(temporary_.c_str(), target_.c_str()) == 0;
  if (!ok) {
    error = systemFailure("cannot write " + shownPath_);
    return false;
  }
  temporary_.clear();
  syncFolder(paths::parentOf(target_));
  return true;
}

bool replaceAtomically(const std::string& path, std::initializer_list<std::string_view> pieces, Failure& error) {
  Replacement replacement;
  return replacement.begin(path, error) && replacement.write(pieces, error) && replacement.commit(error);
}

}  // namespace vexorel::files
