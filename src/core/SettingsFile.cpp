#include "core/SettingsFile.h"

namespace vexorel {

namespace {

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

bool isDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Length of the root at the start of `path`: "/" or "\" (1), "C:\" or "C:/" (3), "C:" (2); 0 for none.
std::size_t rootLength(const std::string& path) {
  if (!path.empty() && isSeparator(path[0])) return 1;
  if (path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':') {
    return path.size() >= 3 && isSeparator(path[2]) ? 3 : 2;
  }
  return 0;
}

}  // namespace

std::string folderPart(const std::string& path) {
  const std::size_t root = rootLength(path);
  if (root == path.size()) return path;  // a root names itself
  const std::size_t last = path.find_last_of("\\/");
  if (last == std::string::npos || last < root) {
    // "C:name" lies in the drive's current folder; a bare name lies in no named folder.
    return path.substr(0, root);
  }
  if (last + 1 == root) return path.substr(0, root);  // a file directly in a root folder
  return path.substr(0, last);
}

std::string gameFolderFromExecutable(const std::string& executablePath) {
  return folderPart(folderPart(executablePath));
}

}  // namespace vexorel
