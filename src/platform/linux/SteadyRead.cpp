#include "platform/linux/SteadyRead.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/linux/FileDescriptor.h"

namespace vexorel::files {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// From this size on a buffer is asked for in huge pages.
constexpr std::size_t kHugeFrom = std::size_t{1} << 20;

// Whether the open file still has the size and time it had before it was read. Another program writing
// it in place meanwhile may have left the bytes half old, half new: they are read again.
bool unchanged(int fd, const struct stat& before, std::size_t size) {
  struct stat after {};
  return ::fstat(fd, &after) == 0 && static_cast<std::size_t>(after.st_size) == size &&
         after.st_mtim.tv_sec == before.st_mtim.tv_sec && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
}

constexpr int kReadAttempts = 3;

}  // namespace

void Bytes::Release::operator()(char* data) const {
  std::free(data);
}

// Room for `capacity` bytes, keeping the ones held. A large buffer is asked for in huge pages where the
// system has them: a fresh one of a few MB would otherwise fault in page by page, which costs a process
// that reads the file once three times what the read itself costs.
void Bytes::reserve(std::size_t capacity) {
  if (capacity <= capacity_) return;
  const bool huge = capacity >= kHugeFrom;
  if (huge) capacity = (capacity + kHugePage - 1) / kHugePage * kHugePage;
  std::unique_ptr<char, Release> larger(
      static_cast<char*>(huge ? std::aligned_alloc(kHugePage, capacity) : std::malloc(capacity)));
  if (!larger) throw std::bad_alloc();
  if (huge) ::madvise(larger.get(), capacity, MADV_HUGEPAGE);
  if (size_) std::memcpy(larger.get(), data_.get(), size_);
  data_ = std::move(larger);
  capacity_ = capacity;
}

bool Bytes::fill(int fd, std::size_t expected, bool regular) {
  size_ = 0;
  // One byte more than the size, so that a file growing meanwhile is noticed.
  reserve(expected + 1);
  for (;;) {
    if (size_ == capacity_) reserve(capacity_ * 2);
    const std::size_t asked = capacity_ - size_;
    const ssize_t n = ::read(fd, data_.get() + size_, asked);
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

bool readInto(const std::string& path, Bytes& bytes, Failure& error) {
  for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat before {};
    if (!file.valid() || ::fstat(file.get(), &before) != 0) {
      error = systemFailure("cannot read " + path);
      bytes.size_ = 0;
      return false;
    }
    const std::size_t size = static_cast<std::size_t>(before.st_size > 0 ? before.st_size : 0);
    if (!bytes.fill(file.get(), size, S_ISREG(before.st_mode))) {
      error = systemFailure("cannot read " + path);
      return false;
    }
    if (unchanged(file.get(), before, bytes.size_)) return true;
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

}  // namespace vexorel::files
