#pragma once
// Whole-file reads and all-or-nothing replacement of a file. A replacement is written to a temporary
// file in the target's own folder, flushed to disk and renamed over the target, so a reader (or a
// crash) sees either the old bytes or the new ones. A symbolic link is followed: its final target is
// replaced and the link stays a link. Failures come back as what was being done and why.

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileReplace.h"

namespace vexorel::files {

// A file's bytes in a buffer that is kept from one read to the next, so repeated reads of a large file
// cost the copy out of the page cache and nothing more. The memory is asked for in huge pages where the
// system has them: a fresh 10 MB buffer would otherwise fault in page by page.
class Bytes {
 public:
  Bytes() = default;
  ~Bytes();
  Bytes(Bytes&& other) noexcept;
  Bytes& operator=(Bytes&& other) noexcept;
  Bytes(const Bytes&) = delete;
  Bytes& operator=(const Bytes&) = delete;

  std::string_view view() const { return {data_, size_}; }

 private:
  friend bool readInto(const std::string& path, Bytes& bytes, Failure& error);
  void reserve(std::size_t capacity);
  // Reads what the open file holds in place of the bytes held; false with errno set when a read fails.
  // `expected` is the file's size when it was opened.
  bool fill(int fd, std::size_t expected, bool regular);
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Reads the whole file into `bytes` (reusing its memory). The file is read with plain reads, never
// mapped: another program truncating it meanwhile cannot fault this one. A file whose size changed
// while it was read is read again; false with `error` set ("cannot read X: reason") on failure.
bool readInto(const std::string& path, Bytes& bytes, Failure& error);

// The same into a buffer of its own.
std::optional<Bytes> readAll(const std::string& path, Failure& error);

// The file a path finally names once symbolic links are followed (the path itself when it is not a
// link, or when the chain cannot be followed).
std::string followLinks(const std::string& path);

// Why `path` may not be replaced (a read-only file, a folder, a file with other hard links), or empty
// when it may or does not exist.
//
// A file with more than one hard link is refused. Renaming a new file over one of its names would split
// the names (the others keep the old bytes), and writing the bytes in place into the shared file cannot
// be done all-or-nothing: a crash half-way would leave every name with a damaged file. Refusing keeps
// every name the same, and the reason tells the user why. (A symbolic link is different: it is followed
// and its target replaced, so every way to the file sees the new bytes.)
std::string whyNotReplaceable(const std::string& path);

// Replaces (or creates) the file with `bytes`. Keeps the old file's permission bits; a new file gets the
// usual ones for the process. False with `error` set when anything fails; the old file is then intact.
// A temporary file left beside the target by a writer that was killed is removed by the next replace.
// The new bytes may come in pieces, written in order with one writev (a key write sends the file's
// untouched head and tail straight from the buffer it read).
bool replaceAtomically(const std::string& path, std::initializer_list<std::string_view> pieces, Failure& error);

// CopyFile: copies `from` to `to` through a temporary file and a rename. With failIfExists an existing
// target is a failure; otherwise it is replaced (through its links) unless it is read-only.
bool copyAtomically(const std::string& from, const std::string& to, bool failIfExists, Failure& error);

}  // namespace vexorel::files
