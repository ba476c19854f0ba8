#include "platform/linux/LinuxPlatform.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/sysinfo.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <thread>
#include <utility>
#include <vector>

#include "platform/GameRegistryKey.h"
#include "platform/ProcessNames.h"
#include "platform/formats/IniEngine.h"
#include "platform/formats/RegistryStore.h"
#include "platform/linux/AtomicCopy.h"
#include "platform/linux/AtomicReplace.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/Paths.h"
#include "platform/linux/SteadyRead.h"
#include "platform/linux/WinePrefix.h"

extern char** environ;

namespace vexorel {
namespace {

constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";

// The one value the store may borrow from a Wine prefix: the game's folder, which a game installed under
// Wine has in Wine's registry only. It is a Windows path, so it is handed out translated to the real folder.
constexpr std::string_view kWineGameKey = kGameRegistryKey;
constexpr std::string_view kWineFolderValue = kGameFolderValue;

// The environment is consulted for two things only: the user's configuration folder (here) and the Wine
// prefix (wine::prefixFromEnvironment).
std::string defaultRegistryFile() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && config[0] == '/') return std::string(config) + "/vexorel/registry.reg";
  return paths::homeFolder() + "/.config/vexorel/registry.reg";
}

std::string processDirectory() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return "/";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool makeFolders(const std::string& folder) {
  if (folder.empty() || folder == "/") return true;
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  if (!makeFolders(paths::parentOf(folder))) return false;
  return ::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST;
}

// Key paths match without regard to ASCII letter case.
std::string lowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

struct LinuxPlatform::State {
  explicit State(LinuxPlatformOptions chosen) : options(std::move(chosen)) {}

  LinuxPlatformOptions options;
  std::string registryFile;
  std::map<RegistryKey, std::string> openKeys;  // handle -> full key path
  std::set<std::string> createdKeys;            // keys made by regCreateKey, in lower case
  RegistryKey nextKey = 1;
  files::Failure lastFailure;
  std::string winePrefix;  // empty: no Wine lookup
  files::Bytes buffer;     // reused by profile reads and writes (a large file is read in only to be written)

  std::string base() const {
    return options.currentDirectory.empty() ? processDirectory() : paths::makeAbsolute(options.currentDirectory, "/");
  }

  // The absolute form of a Windows-style path, letter case as spelt. The current folder is only asked
  // for when the path is relative.
  std::string absolutePath(const std::string& path) const {
    const bool absolute = !path.empty() && (path.front() == '/' || path.front() == '\\');
    return paths::makeAbsolute(path, absolute ? std::string("/") : base());
  }

  // The real file-system path a Windows-style path names, letter case as on disk.
  std::string fullPath(const std::string& path) const { return paths::resolveCase(absolutePath(path)); }

  bool fail(files::Failure failure) {
    lastFailure = std::move(failure);
    return false;
  }

  // The game folder a Wine prefix records, for the game key (and its "Folder" value) only.
  std::optional<std::string> wineFolder(const std::string& keyPath, const std::string& valueName) {
    const std::string gameKey = lowerCase(std::string(kLocalMachine) + "\\" + std::string(kWineGameKey));
    if (winePrefix.empty() || lowerCase(keyPath) != gameKey) return std::nullopt;
    if (lowerCase(valueName) != lowerCase(std::string(kWineFolderValue))) return std::nullopt;
    return wine::findFolder(winePrefix, kWineGameKey, kWineFolderValue);
  }

  // The store's bytes: nullopt when the file exists but cannot be read (writing would lose it).
  std::optional<std::string> readStore() {
    files::Failure error;
    if (const auto bytes = files::readAll(registryFile, error)) return std::string(bytes->view());
    struct stat info {};
    if (::stat(registryFile.c_str(), &info) != 0 && errno == ENOENT) return std::string();
    lastFailure = error;
    return std::nullopt;
  }
};

LinuxPlatform::LinuxPlatform(LinuxPlatformOptions options) : state_(std::make_unique<State>(std::move(options))) {
  const LinuxPlatformOptions& chosen = state_->options;
  state_->registryFile = chosen.registryFile.empty() ? defaultRegistryFile() : chosen.registryFile;
  if (chosen.wineLookup) {
    state_->winePrefix = !chosen.winePrefix.empty()    ? chosen.winePrefix
                         : chosen.registryFile.empty() ? wine::prefixFromEnvironment()
                                                       : std::string();
  }
}

LinuxPlatform::~LinuxPlatform() = default;

// --- Registry ---

RegistryKey LinuxPlatform::regOpenKey(RegistryRoot, const std::string& subKey) {
  const std::string path = registry::normaliseKeyPath(std::string(kLocalMachine) + "\\" + subKey);
  bool exists = state_->createdKeys.count(lowerCase(path)) > 0;
  if (!exists) {
    files::Failure error;
    const auto bytes = files::readAll(state_->registryFile, error);
    exists = (bytes && registry::keyExists(bytes->view(), path)) ||
             state_->wineFolder(path, std::string(kWineFolderValue)).has_value();
    if (!exists) {
      state_->lastFailure = {"registry key not found", path};
      return kNoRegistryKey;
    }
  }
  state_->openKeys[state_->nextKey] = path;
  return state_->nextKey++;
}

RegistryKey LinuxPlatform::regCreateKey(RegistryRoot, const std::string& subKey) {
  const std::string path = registry::normaliseKeyPath(std::string(kLocalMachine) + "\\" + subKey);
  state_->createdKeys.insert(lowerCase(path));
  state_->openKeys[state_->nextKey] = path;
  return state_->nextKey++;
}

std::optional<RegistryData> LinuxPlatform::regQueryValue(RegistryKey key, const std::string& valueName) {
  const auto handle = state_->openKeys.find(key);
  if (handle == state_->openKeys.end()) {
    state_->lastFailure = {"invalid registry key handle", ""};
    return std::nullopt;
  }
  files::Failure error;
  const auto bytes = files::readAll(state_->registryFile, error);
  const auto value = bytes ? registry::findValue(bytes->view(), handle->second, valueName) : std::nullopt;
  if (value) return RegistryData{value->type, value->bytes};
  // Our own store says nothing: a game installed under Wine is found in the prefix's registry.
  if (const auto folder = state_->wineFolder(handle->second, valueName)) return RegistryData{RegSz, *folder + '\0'};
  state_->lastFailure = bytes ? files::Failure{"registry value not found", handle->second + "\\" + valueName} : error;
  return std::nullopt;
}

bool LinuxPlatform::regSetValue(RegistryKey key, const std::string& valueName, std::uint32_t type,
                                const std::string& bytes) {
  const auto handle = state_->openKeys.find(key);
  if (handle == state_->openKeys.end()) return state_->fail({"invalid registry key handle", ""});
  if ((handle->second + valueName).find_first_of("\r\n") != std::string::npos) {
    return state_->fail({"cannot store " + handle->second + "\\" + valueName, "the name contains a line break"});
  }
  const auto content = state_->readStore();
  if (!content) return false;
  registry::Value value{type, bytes};
  if (type == RegSz && (value.bytes.empty() || value.bytes.back() != '\0')) value.bytes.push_back('\0');
  const std::string updated = registry::applySet(*content, handle->second, valueName, value);
  if (!makeFolders(paths::parentOf(state_->registryFile))) {
    return state_->fail(files::systemFailure("cannot create the folder of " + state_->registryFile));
  }
  files::Failure error;
  if (!files::replaceAtomically(state_->registryFile, {updated}, error)) return state_->fail(error);
  return true;
}

void LinuxPlatform::regCloseKey(RegistryKey key) {
  state_->openKeys.erase(key);
}

// --- Private-profile files ---

std::size_t LinuxPlatform::getPrivateProfileString(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue, std::string& returned,
                                                   std::size_t bufferSize, const std::string& fileName) {
  // The path as spelt is tried first; its letter case is looked up on disk only when it is not there.
  const std::string spelt = state_->absolutePath(fileName);
  files::Failure error;
  bool read = files::readInto(spelt, state_->buffer, error);
  if (!read) {
    if (const std::string resolved = paths::resolveCase(spelt); resolved != spelt) {
      read = files::readInto(resolved, state_->buffer, error);
    }
  }
  if (!read) state_->lastFailure = error;
  const auto content = read ? std::optional(state_->buffer.view()) : std::nullopt;
  returned = ini::readValue(content, section, key, defaultValue, bufferSize);
  return returned.size();
}

bool LinuxPlatform::writePrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& fileName) {
  const std::string path = state_->fullPath(fileName);
  if (const std::string why = ini::whyNotWritable(section, key, value); !why.empty()) {
    return state_->fail({"cannot write " + path, why});
  }
  const std::string target = files::followLinks(path);
  if (const std::string why = files::whyNotReplaceable(target); !why.empty()) {
    return state_->fail({"cannot write " + path, why});
  }
  std::string_view content;
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    files::Failure error;
    if (!files::readInto(target, state_->buffer, error)) return state_->fail(error);
    content = state_->buffer.view();
  } else if (errno != ENOENT) {
    return state_->fail(files::systemFailure("cannot write " + path));
  }
  const ini::Edit edit = ini::planWrite(content, section, key, value);
  if (!edit.changes(content)) return true;  // the value is already there
  files::Failure error;
  if (!files::replaceAtomically(path, {content.substr(0, edit.keep), edit.text, content.substr(edit.resume)}, error)) {
    return state_->fail(error);
  }
  return true;
}

// --- Files and folders ---

std::string LinuxPlatform::getFullPathName(const std::string& fileName) {
  return state_->fullPath(fileName);
}

std::string LinuxPlatform::getCurrentDirectory() {
  return state_->base();
}

bool LinuxPlatform::findFirstFile(const std::string& path) {
  const std::string resolved = state_->fullPath(path);
  struct stat info {};
  if (::lstat(resolved.c_str(), &info) != 0) return state_->fail(files::systemFailure("cannot find " + resolved));
  return true;
}

bool LinuxPlatform::createEmptyFile(const std::string& path) {
  const std::string resolved = state_->fullPath(path);
  const std::string target = files::followLinks(resolved);
  if (const std::string why = files::whyNotReplaceable(target); !why.empty()) {
    return state_->fail({"cannot create " + resolved, why});
  }
  const files::FileDescriptor file(::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (!file.valid()) return state_->fail(files::systemFailure("cannot create " + resolved));
  return true;
}

bool LinuxPlatform::createDirectory(const std::string& path) {
  const std::string resolved = state_->fullPath(path);
  if (::mkdir(resolved.c_str(), 0777) != 0) {
    return state_->fail(files::systemFailure("cannot create the folder " + resolved));
  }
  return true;
}

bool LinuxPlatform::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  files::Failure error;
  if (!files::copyAtomically(state_->fullPath(from), state_->fullPath(to), failIfExists, error)) {
    return state_->fail(error);
  }
  return true;
}

bool LinuxPlatform::deleteFile(const std::string& path) {
  const std::string resolved = state_->fullPath(path);
  if (::unlink(resolved.c_str()) != 0) return state_->fail(files::systemFailure("cannot delete " + resolved));
  return true;
}

std::string LinuxPlatform::displayPath(const std::string& path) {
  return state_->fullPath(path);
}

// --- Machine, shell, time ---

std::uint64_t LinuxPlatform::totalPhysicalMemory() {
  struct sysinfo info {};
  if (::sysinfo(&info) != 0) return 0;
  return static_cast<std::uint64_t>(info.totalram) * info.mem_unit;
}

int LinuxPlatform::shellExecute(const std::string&, const std::string& file, const std::string& directory, int) {
  // ShellExecute's answers: above 32 is success; 2 is "file not found".
  constexpr int kStarted = 42;
  constexpr int kFileNotFound = 2;
  const std::string resolved = state_->fullPath(file);
  struct stat info {};
  if (::stat(resolved.c_str(), &info) != 0) {
    state_->lastFailure = files::systemFailure("cannot open " + resolved);
    return kFileNotFound;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!directory.empty()) {
    const std::string folder = state_->fullPath(directory);
    if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    }
  }
  std::string program = "xdg-open";
  std::vector<char*> argv{program.data(), const_cast<char*>(resolved.c_str()), nullptr};
  pid_t child = 0;
  const int result = ::posix_spawnp(&child, "xdg-open", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) {
    state_->lastFailure = {"cannot start xdg-open", std::strerror(result)};
    return kFileNotFound;
  }
  // Reap the opener when it ends, without making the caller wait for it.
  std::thread([child] { ::waitpid(child, nullptr, 0); }).detach();
  return kStarted;
}

void LinuxPlatform::sleep(unsigned milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool LinuxPlatform::processRunning(const std::string& exeName) {
  // Reads at most the start of a small /proc file; a process that ends meanwhile reads as empty.
  const auto head = [](const std::string& path) {
    char bytes[1024];
    const files::FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    const ssize_t n = file.valid() ? ::read(file.get(), bytes, sizeof bytes) : 0;
    return std::string(bytes, n > 0 ? static_cast<std::size_t>(n) : 0);
  };
  DIR* proc = ::opendir("/proc");
  if (!proc) return false;
  bool found = false;
  for (const dirent* entry; !found && (entry = ::readdir(proc)) != nullptr;) {
    if (entry->d_name[0] < '1' || entry->d_name[0] > '9') continue;  // processes only
    const std::string folder = std::string("/proc/") + entry->d_name;
    std::string comm = head(folder + "/comm");
    if (!comm.empty() && comm.back() == '\n') comm.pop_back();
    found = processes::isProcessOf(exeName, comm, head(folder + "/cmdline"));
  }
  ::closedir(proc);
  return found;
}

std::string LinuxPlatform::lastError() const {
  return state_->lastFailure.text();
}

std::string LinuxPlatform::lastReason() const {
  return state_->lastFailure.reason;
}

}  // namespace vexorel
