#include "platform/linux/SteadyRead.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <utility>

#include "platform/linux/FileDescriptor.h"

namespace vexorel::files {
namespace {

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

// Whether the open file still has the size and time it had before it was read. Another program writing
// it in place meanwhile may have left the bytes half old, half new: they are read again.
bool unchanged(int fd, const struct stat& before, std::size_t size) {
  struct stat after {};
  return ::fstat(fd, &after) == 0 && static_cast<std::size_t>(after.st_size) == size &&
         after.st_mtim.tv_sec == before.st_mtim.tv_sec && after.st_mtim.tv_nsec == before.st_mtim.tv_nsec;
}

constexpr int kReadAttempts = 3;

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
