#pragma once
// Whole-file reads and all-or-nothing replacement of a file. A replacement is written to a temporary
// file in the target's own folder, flushed to disk and renamed over the target, so a reader (or a
// crash) sees either the old bytes or the new ones. A symbolic link is followed: its final target is
// replaced and the link stays a link. Failures come back as a one-line reason.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace vexorel::files {

// A file's bytes, read straight into a buffer that is never cleared first (reads of large files cost
// little more than the copy out of the page cache).
class Bytes {
 public:
  std::string_view view() const { return {data_.get(), size_}; }

 private:
  friend std::optional<Bytes> readAll(const std::string& path, std::string& error);
  std::unique_ptr<char[]> data_;
  std::size_t size_ = 0;
};

// The file's bytes, or nullopt with `error` set ("cannot read X: reason").
std::optional<Bytes> readAll(const std::string& path, std::string& error);

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
bool replaceAtomically(const std::string& path, std::string_view bytes, std::string& error);

// CopyFile: copies `from` to `to` through a temporary file and a rename. With failIfExists an existing
// target is a failure; otherwise it is replaced (through its links) unless it is read-only.
bool copyAtomically(const std::string& from, const std::string& to, bool failIfExists, std::string& error);

}  // namespace vexorel::files
