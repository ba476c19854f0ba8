#pragma once
// All-or-nothing replacement of a file. A replacement is written to a temporary file in the target's own
// folder, flushed to disk and renamed over the target, so a reader (or a crash) sees either the old bytes
// or the new ones. A symbolic link is followed: its final target is replaced and the link stays a link.
// Failures come back as what was being done and why.

#include <sys/stat.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/FileReplace.h"
#include "platform/linux/FileDescriptor.h"

namespace vexorel::files {

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

// Replaces (or creates) the file with `pieces`, written in order with one writev (a key write sends the
// file's untouched head and tail straight from the buffer it read). Keeps the old file's permission bits;
// a new file gets the usual ones for the process. False with `error` set when anything fails; the old
// file is then intact. A temporary file left beside the target by a writer that was killed is removed by
// the next replace.
bool replaceAtomically(const std::string& path, std::initializer_list<std::string_view> pieces, Failure& error);

// One replacement in its steps: begin, write, commit. Until the commit the target is untouched, and a
// replacement that is not committed removes its temporary file. Every failure reads "cannot write PATH".
class Replacement {
 public:
  Replacement() = default;
  ~Replacement();
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  // Makes the temporary file for the file `path` finally names. False when that file may not be replaced
  // or no temporary file can be made.
  bool begin(const std::string& path, Failure& error);
  bool write(std::initializer_list<std::string_view> pieces, Failure& error);
  // Gives the new file the old one's permission bits and owner (a new file gets `newMode`, else the
  // process's usual bits), flushes it and renames it over the target.
  bool commit(Failure& error, std::optional<mode_t> newMode = std::nullopt);

 private:
  std::string shownPath_;
  std::string target_;
  std::string temporary_;  // empty once renamed
  FileDescriptor file_;
  std::optional<struct stat> old_;
};

}  // namespace vexorel::files
