#include "platform/win32/Win32Platform.h"

// windows.h must come first: shellapi.h needs its types.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>
// clang-format on

#include <utility>
#include <vector>

#include "platform/ProcessNames.h"
#include "platform/formats/IniEngine.h"
#include "platform/win32/Files.h"
#include "platform/win32/Registry.h"

namespace vexorel {
namespace {

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

// "C:\x", "\x", "\\server\share" and "C:x" do not depend on the current directory's path.
bool isRelative(const std::string& path) {
  if (path.empty()) return true;
  if (isSeparator(path[0])) return false;
  return !(path.size() >= 2 && path[1] == ':');
}

}  // namespace

struct Win32Platform::State {
  explicit State(Win32PlatformOptions chosen) : options(std::move(chosen)) {}

  Win32PlatformOptions options;
  win32::MachineRegistry registry{options.refuseMachineWrites};
  std::string lastError;
  std::string lastReason;  // the system's part of lastError

  bool fail(const std::string& what, DWORD code = ::GetLastError()) {
    return fail(win32::Failure{what, win32::describe(code)});
  }

  bool fail(const win32::Failure& failure) {
    lastReason = failure.reason;
    lastError = failure.text();
    return false;
  }

  std::string keyPath(const std::string& subKey) const {
    if (options.registryKeyPrefix.empty()) return subKey;
    return options.registryKeyPrefix + "\\" + subKey;
  }

  // The absolute path Windows gives for a name: relative names against the chosen folder, '/' as '\'.
  std::string fullPath(const std::string& path) const {
    std::string name;  // built by appending: GCC 12 warns wrongly about "text" + string here
    if (path.empty()) {
      name = options.currentDirectory.empty() ? "." : options.currentDirectory;
    } else if (!options.currentDirectory.empty() && isRelative(path)) {
      name.append(options.currentDirectory).append("\\").append(path);
    } else {
      name = path;
    }
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
      const DWORD length = ::GetFullPathNameA(name.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
      if (length == 0) return name;
      if (length < buffer.size()) return std::string(buffer.data(), length);
      buffer.resize(length + 1);
    }
  }
};

Win32Platform::Win32Platform(Win32PlatformOptions options) : state_(std::make_unique<State>(std::move(options))) {}

Win32Platform::~Win32Platform() = default;

// --- Registry ---

RegistryKey Win32Platform::regOpenKey(RegistryRoot, const std::string& subKey) {
  win32::Failure error;
  const RegistryKey key = state_->registry.open(state_->keyPath(subKey), error);
  if (key == kNoRegistryKey) state_->fail(error);
  return key;
}

RegistryKey Win32Platform::regCreateKey(RegistryRoot, const std::string& subKey) {
  win32::Failure error;
  const RegistryKey key = state_->registry.create(state_->keyPath(subKey), error);
  if (key == kNoRegistryKey) state_->fail(error);
  return key;
}

std::optional<RegistryData> Win32Platform::regQueryValue(RegistryKey key, const std::string& valueName) {
  win32::Failure error;
  auto data = state_->registry.query(key, valueName, error);
  if (!data) state_->fail(error);
  return data;
}

bool Win32Platform::regSetValue(RegistryKey key, const std::string& valueName, std::uint32_t type,
                                const std::string& bytes) {
  win32::Failure error;
  return state_->registry.set(key, valueName, type, bytes, error) || state_->fail(error);
}

void Win32Platform::regCloseKey(RegistryKey key) {
  state_->registry.close(key);
}

// --- Private-profile files ---

std::size_t Win32Platform::getPrivateProfileString(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue, std::string& returned,
                                                   std::size_t bufferSize, const std::string& fileName) {
  // A bare file name would be looked for in the Windows folder; the program means its current folder.
  const std::string path = state_->fullPath(fileName);
  bool missing = false;
  win32::Failure error;
  const std::optional<std::string> content = win32::readWhole(path, missing, error);
  if (!content && !missing) state_->fail(error);
  returned = ini::readValue(content, section, key, defaultValue, bufferSize);
  return returned.size();
}

bool Win32Platform::writePrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& fileName) {
  const std::string path = state_->fullPath(fileName);
  // Windows would write a line break into the file as it stands, and cut a text at a NUL.
  if (const std::string why = ini::whyNotWritable(section, key, value); !why.empty()) {
    return state_->fail(win32::Failure{"cannot write " + path, why});
  }
  // A missing folder is a failure, never a folder made for the file.
  const std::string folder = win32::folderOf(path);
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return state_->fail("cannot write " + path, ERROR_PATH_NOT_FOUND);
  }
  const std::string target = win32::followLinks(path);
  if (const std::string why = win32::whyNotReplaceable(target); !why.empty()) {
    return state_->fail(win32::Failure{"cannot write " + path, why});
  }
  bool missing = false;
  win32::Failure error;
  const std::optional<std::string> read = win32::readWhole(target, missing, error);
  if (!read && !missing) return state_->fail(error);
  const std::string_view content = read ? std::string_view(*read) : std::string_view();
  const ini::Edit edit = ini::planWrite(content, section, key, value);
  if (read && !edit.changes(content)) return true;  // the value is already there
  if (!win32::replaceAtomically(path, {content.substr(0, edit.keep), edit.text, content.substr(edit.resume)}, error)) {
    return state_->fail(error);
  }
  return true;
}

// --- Files and folders ---

std::string Win32Platform::getFullPathName(const std::string& fileName) {
  return state_->fullPath(fileName);
}

std::string Win32Platform::getCurrentDirectory() {
  if (!state_->options.currentDirectory.empty()) return state_->fullPath(state_->options.currentDirectory);
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(length + 1);
  }
}

bool Win32Platform::findFirstFile(const std::string& path) {
  std::string full = state_->fullPath(path);
  // "C:\Games\" names the folder "C:\Games"; FindFirstFile only finds it without the separator.
  if (full.size() > 3 && isSeparator(full.back())) full.pop_back();
  WIN32_FIND_DATAA found;
  const HANDLE search = ::FindFirstFileA(full.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return state_->fail("cannot find " + full);
  ::FindClose(search);
  return true;
}

bool Win32Platform::createEmptyFile(const std::string& path) {
  const std::string full = state_->fullPath(path);
  const HANDLE file =
      ::CreateFileA(full.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return state_->fail("cannot create " + full);
  ::CloseHandle(file);
  return true;
}

bool Win32Platform::createDirectory(const std::string& path) {
  const std::string full = state_->fullPath(path);
  if (!::CreateDirectoryA(full.c_str(), nullptr)) return state_->fail("cannot create the folder " + full);
  return true;
}

bool Win32Platform::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  const std::string source = state_->fullPath(from);
  const std::string target = state_->fullPath(to);
  if (failIfExists) {
    // A new file only: nothing of the user's can be lost.
    if (!::CopyFileA(source.c_str(), target.c_str(), TRUE)) return state_->fail("cannot copy to " + target);
    return true;
  }
  if (const std::string why = win32::whyNotReplaceable(target); !why.empty()) {
    return state_->fail(win32::Failure{"cannot write " + target, why});
  }
  // A replacement is copied beside the target first and then moved over it, so the old file stays whole
  // until the new one is complete.
  const std::string temporary = win32::temporaryBeside(target);
  if (!::CopyFileA(source.c_str(), temporary.c_str(), TRUE)) return state_->fail("cannot copy to " + target);
  ::SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
  win32::Failure error;
  if (!win32::moveOver(temporary, target, error, target)) return state_->fail(error);
  return true;
}

bool Win32Platform::deleteFile(const std::string& path) {
  const std::string full = state_->fullPath(path);
  if (!::DeleteFileA(full.c_str())) return state_->fail("cannot delete " + full);
  return true;
}

std::string Win32Platform::displayPath(const std::string& path) {
  return state_->fullPath(path);
}

// --- Machine, shell, time ---

std::uint64_t Win32Platform::totalPhysicalMemory() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!::GlobalMemoryStatusEx(&status)) return 0;
  return status.ullTotalPhys;
}

int Win32Platform::shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                                int showCommand) {
  const std::string target = state_->fullPath(file);
  const std::string folder = directory.empty() ? std::string() : state_->fullPath(directory);
  const HINSTANCE result = ::ShellExecuteA(nullptr, verb.c_str(), target.c_str(), nullptr,
                                           folder.empty() ? nullptr : folder.c_str(), showCommand);
  const auto code = static_cast<int>(reinterpret_cast<std::intptr_t>(result));
  if (code <= 32) state_->fail("cannot open " + target);
  return code;
}

void Win32Platform::sleep(unsigned milliseconds) {
  ::Sleep(milliseconds);
}

bool Win32Platform::processRunning(const std::string& exeName) {
  const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = ::Process32FirstW(snapshot, &entry); more && !found; more = ::Process32NextW(snapshot, &entry)) {
    // The program's name is ASCII: a name with other letters is not it.
    std::string name;
    for (const WCHAR* c = entry.szExeFile; *c; ++c) name += *c < 0x80 ? static_cast<char>(*c) : '?';
    found = processes::namesProgram(name, exeName);
  }
  ::CloseHandle(snapshot);
  return found;
}

std::string Win32Platform::lastError() const {
  return state_->lastError;
}

std::string Win32Platform::lastReason() const {
  return state_->lastReason;
}

}  // namespace vexorel
