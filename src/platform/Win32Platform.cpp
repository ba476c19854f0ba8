#include "platform/Win32Platform.h"

// windows.h must come first: shellapi.h needs its types.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>
// clang-format on

#include <set>
#include <utility>
#include <vector>

#include "platform/IniEngine.h"
#include "platform/ProcessNames.h"

namespace vexorel {
namespace {

// The one-line text Windows gives for an error code, without its closing line break.
std::string describe(DWORD code) {
  char* text = nullptr;
  const DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length && text ? std::string(text, length) : "error " + std::to_string(code);
  if (text) ::LocalFree(text);
  for (char& c : message) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  while (!message.empty() && message.back() == ' ') message.pop_back();
  return message;
}

bool isSeparator(char c) {
  return c == '\\' || c == '/';
}

// "C:\x", "\x", "\\server\share" and "C:x" do not depend on the current directory's path.
bool isRelative(const std::string& path) {
  if (path.empty()) return true;
  if (isSeparator(path[0])) return false;
  return !(path.size() >= 2 && path[1] == ':');
}

std::string baseName(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string folderOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

constexpr DWORD kKeyAccess = KEY_READ | KEY_WRITE | KEY_WOW64_32KEY;

}  // namespace

struct Win32Platform::State {
  explicit State(Win32PlatformOptions chosen) : options(std::move(chosen)) {}

  Win32PlatformOptions options;
  std::set<HKEY> openKeys;  // handles this backend gave out and has not closed
  unsigned long copies = 0;
  std::string lastError;
  std::string lastReason;  // the system's part of lastError

  bool fail(const std::string& what, DWORD code = ::GetLastError()) {
    lastReason = describe(code);
    lastError = what + ": " + lastReason;
    return false;
  }

  std::string keyPath(const std::string& subKey) const {
    if (options.registryKeyPrefix.empty()) return subKey;
    return options.registryKeyPrefix + "\\" + subKey;
  }

  RegistryKey remember(HKEY key) {
    openKeys.insert(key);
    return static_cast<RegistryKey>(reinterpret_cast<std::uintptr_t>(key));
  }

  HKEY known(RegistryKey key) const {
    const HKEY handle = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(key));
    return openKeys.count(handle) ? handle : nullptr;
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

Win32Platform::Win32Platform(Win32PlatformOptions options)
    : state_(std::make_unique<State>(std::move(options))) {}

Win32Platform::~Win32Platform() {
  for (HKEY key : state_->openKeys) ::RegCloseKey(key);
}

// --- Registry ---

RegistryKey Win32Platform::regOpenKey(RegistryRoot, const std::string& subKey) {
  const std::string path = state_->keyPath(subKey);
  HKEY key = nullptr;
  LONG result = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, kKeyAccess, &key);
  // Without the right to change HKEY_LOCAL_MACHINE the key can still be read.
  if (result == ERROR_ACCESS_DENIED) {
    result = ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &key);
  }
  if (result != ERROR_SUCCESS) {
    state_->fail("cannot open the registry key HKEY_LOCAL_MACHINE\\" + path, static_cast<DWORD>(result));
    return kNoRegistryKey;
  }
  return state_->remember(key);
}

RegistryKey Win32Platform::regCreateKey(RegistryRoot, const std::string& subKey) {
  const std::string path = state_->keyPath(subKey);
  HKEY key = nullptr;
  const LONG result = ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        kKeyAccess, nullptr, &key, nullptr);
  if (result != ERROR_SUCCESS) {
    state_->fail("cannot create the registry key HKEY_LOCAL_MACHINE\\" + path, static_cast<DWORD>(result));
    return kNoRegistryKey;
  }
  return state_->remember(key);
}

std::optional<RegistryData> Win32Platform::regQueryValue(RegistryKey key, const std::string& valueName) {
  const HKEY handle = state_->known(key);
  if (!handle) {
    state_->lastError = "invalid registry key handle";
    state_->lastReason.clear();
    return std::nullopt;
  }
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG result = ::RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, nullptr, &size);
  std::string bytes;
  // The value may grow between the two calls; ask again until the buffer holds it.
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    bytes.resize(size);
    DWORD filled = size;
    result =
        ::RegQueryValueExA(handle, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &filled);
    if (result == ERROR_SUCCESS) {
      bytes.resize(filled);
      return RegistryData{static_cast<std::uint32_t>(type), bytes};
    }
    size = filled;
  }
  state_->fail("cannot read the registry value " + valueName, static_cast<DWORD>(result));
  return std::nullopt;
}

bool Win32Platform::regSetValue(RegistryKey key, const std::string& valueName, std::uint32_t type,
                                const std::string& bytes) {
  const HKEY handle = state_->known(key);
  if (!handle) {
    state_->lastError = "invalid registry key handle";
    state_->lastReason.clear();
    return false;
  }
  std::string data = bytes;
  // Text is stored with its terminating NUL, as Windows expects it.
  if (type == RegSz && (data.empty() || data.back() != '\0')) data.push_back('\0');
  const LONG result = ::RegSetValueExA(handle, valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                       static_cast<DWORD>(data.size()));
  if (result != ERROR_SUCCESS) {
    return state_->fail("cannot write the registry value " + valueName, static_cast<DWORD>(result));
  }
  return true;
}

void Win32Platform::regCloseKey(RegistryKey key) {
  if (const HKEY handle = state_->known(key)) {
    ::RegCloseKey(handle);
    state_->openKeys.erase(handle);
  }
}

// --- Private-profile files ---

std::size_t Win32Platform::getPrivateProfileString(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue, std::string& returned,
                                                   std::size_t bufferSize, const std::string& fileName) {
  returned.clear();
  if (bufferSize == 0) return 0;
  std::vector<char> buffer(bufferSize, '\0');
  // A bare file name would be looked for in the Windows folder; the program means its current folder.
  const std::string path = state_->fullPath(fileName);
  const DWORD copied = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                                  static_cast<DWORD>(bufferSize), path.c_str());
  returned.assign(buffer.data(), copied);
  return copied;
}

bool Win32Platform::writePrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& fileName) {
  const std::string path = state_->fullPath(fileName);
  // Windows would write a line break into the file as it stands, and cut a text at a NUL.
  if (const std::string why = ini::whyNotWritable(section, key, value); !why.empty()) {
    state_->lastReason = why;
    state_->lastError = "cannot write " + path + ": " + why;
    return false;
  }
  // A missing folder is a failure, never a folder made for the file.
  const std::string folder = folderOf(path);
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return state_->fail("cannot write " + path, ERROR_PATH_NOT_FOUND);
  }
  // Windows refuses a read-only file; Wine running as a user who may write anyway would not.
  const DWORD fileAttributes = ::GetFileAttributesA(path.c_str());
  if (fileAttributes != INVALID_FILE_ATTRIBUTES && (fileAttributes & FILE_ATTRIBUTE_READONLY)) {
    return state_->fail("cannot write " + path, ERROR_ACCESS_DENIED);
  }
  if (!::WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str())) {
    return state_->fail("cannot write " + path);
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
  const DWORD attributes = ::GetFileAttributesA(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return state_->fail("cannot write " + target, ERROR_ACCESS_DENIED);
  }
  // A replacement is copied beside the target first and then moved over it, so the old file stays whole
  // until the new one is complete.
  const std::string temporary = folderOf(target) + "." + baseName(target) + ".vxtmp-" +
                                std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(state_->copies++);
  if (!::CopyFileA(source.c_str(), temporary.c_str(), TRUE)) return state_->fail("cannot copy to " + target);
  ::SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD code = ::GetLastError();
    ::DeleteFileA(temporary.c_str());
    return state_->fail("cannot replace " + target, code);
  }
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
