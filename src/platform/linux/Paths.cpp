#include "platform/linux/Paths.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/formats/Text.h"

namespace vexorel::paths {
namespace {

bool exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// The entry of `folder` that matches `name` without regard to case; the smallest such name when several
// do, so the answer does not depend on the directory's order. Empty when none matches.
std::string findIgnoringCase(const std::string& folder, std::string_view name) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return "";
  std::string best;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view candidate = entry->d_name;
    if (equalsIgnoringCase(candidate, name) && (best.empty() || candidate < best)) best = candidate;
  }
  ::closedir(dir);
  return best;
}

std::vector<std::string_view> components(std::string_view path) {
  std::vector<std::string_view> parts;
  std::size_t pos = 0;
  while (pos < path.size()) {
    const std::size_t slash = path.find('/', pos);
    const std::size_t end = slash == std::string_view::npos ? path.size() : slash;
    if (end > pos) parts.push_back(path.substr(pos, end - pos));
    pos = end + 1;
  }
  return parts;
}

}  // namespace

std::string toPosixSeparators(std::string_view path) {
  std::string out;
  out.reserve(path.size());
  for (const char c : path) {
    const char sep = c == '\\' ? '/' : c;
    if (sep == '/' && !out.empty() && out.back() == '/') continue;
    out.push_back(sep);
  }
  if (out.size() > 1 && out.back() == '/') out.pop_back();
  return out;
}

namespace {

// Whether an absolute path is already in the form makeAbsolute gives: '/' separators, none doubled or
// trailing, no "." or ".." component. Paths the program builds itself are, and are taken as they are.
bool isPlain(std::string_view path) {
  if (path.empty() || path.front() != '/' || (path.size() > 1 && path.back() == '/')) return false;
  if (path.find('\\') != std::string_view::npos || path.find("//") != std::string_view::npos) return false;
  for (std::size_t dot = path.find("/."); dot != std::string_view::npos; dot = path.find("/.", dot + 1)) {
    const std::string_view rest = path.substr(dot + 2);
    if (rest.empty() || rest.front() == '/' || rest == "." || rest.substr(0, 2) == "./") return false;
  }
  return true;
}

}  // namespace

std::string makeAbsolute(std::string_view path, std::string_view base) {
  if (isPlain(path)) return std::string(path);
  std::string joined = toPosixSeparators(path);
  if (joined.empty() || joined.front() != '/') joined = toPosixSeparators(std::string(base) + "/" + joined);
  std::vector<std::string_view> kept;
  for (const std::string_view part : components(joined)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(part);
  }
  std::string out;
  for (const std::string_view part : kept) out.append("/").append(part);
  return out.empty() ? "/" : out;
}

std::string resolveCase(const std::string& absolutePath) {
  if (exists(absolutePath)) return absolutePath;  // the usual case: spelt as on disk
  std::string out;
  bool lookingUp = true;
  for (const std::string_view part : components(absolutePath)) {
    const std::string folder = out.empty() ? "/" : out;
    std::string candidate = out + "/" + std::string(part);
    if (lookingUp && !exists(candidate)) {
      const std::string match = findIgnoringCase(folder, part);
      if (match.empty()) {
        lookingUp = false;  // nothing deeper can exist either
      } else {
        candidate = out + "/";
        candidate += match;
      }
    }
    out = std::move(candidate);
  }
  return out.empty() ? "/" : out;
}

std::string resolve(std::string_view path, std::string_view base) {
  return resolveCase(makeAbsolute(path, base));
}

std::string parentOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return path.substr(0, slash);
}

std::string homeFolder() {
  if (const char* home = std::getenv("HOME"); home && home[0]) return home;
  const passwd* user = ::getpwuid(::getuid());
  return user ? user->pw_dir : "";
}

}  // namespace vexorel::paths
