#pragma once
// Whole-file reads. The file is read with plain reads, never mapped, so another program truncating it
// meanwhile cannot fault this one; a file whose size or time changed while it was read is read again.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileReplace.h"

namespace vexorel::files {

// A file's bytes in a buffer that is kept from one read to the next, so repeated reads of a large file
// cost the copy out of the page cache and nothing more.
class Bytes {
 public:
  std::string_view view() const { return {data_.get(), size_}; }

 private:
  friend bool readInto(const std::string& path, Bytes& bytes, Failure& error);
  struct Release {
    void operator()(char* data) const;
  };
  void reserve(std::size_t capacity);
  // Reads what the open file holds in place of the bytes held; false with errno set when a read fails.
  // `expected` is the file's size when it was opened.
  bool fill(int fd, std::size_t expected, bool regular);
  std::unique_ptr<char, Release> data_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

// Reads the whole file into `bytes` (reusing its memory); false with `error` set ("cannot read X:
// reason") on failure, "the file kept changing while it was read" when it did so three times over.
bool readInto(const std::string& path, Bytes& bytes, Failure& error);

// The same into a buffer of its own.
std::optional<Bytes> readAll(const std::string& path, Failure& error);

}  // namespace vexorel::files
