#include "platform/linux/WinePrefix.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "platform/formats/RegistryStore.h"
#include "platform/formats/Text.h"
#include "platform/formats/WineRegistry.h"
#include "platform/linux/Paths.h"
#include "platform/linux/SteadyRead.h"

namespace vexorel::wine {
namespace {

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// "Software\X" -> "Software\Wow6432Node\X"; empty for a key outside Software, which has no such view.
std::string thirtyTwoBitView(std::string_view keyPath) {
  const std::string key = registry::normaliseKeyPath(keyPath);
  constexpr std::string_view kSoftware = "software\\";
  if (key.size() <= kSoftware.size()) return "";
  for (std::size_t i = 0; i < kSoftware.size(); ++i) {
    if (asciiLower(key[i]) != kSoftware[i]) return "";
  }
  return key.substr(0, kSoftware.size()) + "Wow6432Node\\" + key.substr(kSoftware.size());
}

}  // namespace

std::string prefixFromEnvironment() {
  if (const char* prefix = std::getenv("WINEPREFIX"); prefix && prefix[0]) {
    return prefix[0] == '/' ? paths::toPosixSeparators(prefix) : "";
  }
  const std::string home = paths::homeFolder();
  return home.empty() ? "" : home + "/.wine";
}

std::optional<std::string> translateDrivePath(const std::string& prefix, std::string_view windowsPath) {
  if (prefix.empty() || windowsPath.size() < 2 || !isLetter(windowsPath[0]) || windowsPath[1] != ':') {
    return std::nullopt;
  }
  const std::string_view rest = windowsPath.substr(2);
  if (!rest.empty() && rest.front() != '\\' && rest.front() != '/') return std::nullopt;  // "C:x" is relative
  const std::string link = prefix + "/dosdevices/" + asciiLower(windowsPath[0]) + ":";
  char real[PATH_MAX];
  if (::realpath(link.c_str(), real) == nullptr || !isFolder(real)) return std::nullopt;
  // Folded against a root of its own first, so ".." stops at the drive's root as on Windows.
  const std::string inside = paths::makeAbsolute(rest, "/");
  const std::string root = real;
  const std::string joined = inside == "/" ? root : (root == "/" ? inside : root + inside);
  return paths::resolveCase(joined);
}

std::optional<std::string> findFolder(const std::string& prefix, std::string_view keyPath, std::string_view valueName) {
  if (prefix.empty()) return std::nullopt;
  files::Failure error;
  const auto content = files::readAll(prefix + "/system.reg", error);
  if (!content) return std::nullopt;
  for (const std::string& key : {thirtyTwoBitView(keyPath), registry::normaliseKeyPath(keyPath)}) {
    if (key.empty()) continue;
    const auto value = findValue(content->view(), key, valueName);
    const auto text = value ? textOf(*value) : std::nullopt;
    auto folder = text ? translateDrivePath(prefix, *text) : std::nullopt;
    if (folder && isFolder(*folder)) return folder;
  }
  return std::nullopt;
}

}  // namespace vexorel::wine
