#include "platform/win32/Files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/FileReplace.h"

namespace vexorel::win32 {
namespace {

// A handle that closes itself.
class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (valid()) ::CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::string baseName(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

// Others may go on reading, writing or renaming the file while we look at it, as they may on Windows.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

std::string folderOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string describe(unsigned long code) {
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

std::optional<std::string> readWhole(const std::string& path, bool& missing, Failure& error) {
  missing = false;
  const Handle file(::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) {
    const DWORD code = ::GetLastError();
    missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    error = {"cannot read " + path, describe(code)};
    return std::nullopt;
  }
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.get(), &size)) {
    error = {"cannot read " + path, describe(::GetLastError())};
    return std::nullopt;
  }
  std::string bytes;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t filled = 0;
  // Read to the end, whatever the size said: another program may have made the file longer meanwhile.
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() + 4096);
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 30));
    if (!::ReadFile(file.get(), bytes.data() + filled, want, &got, nullptr)) {
      error = {"cannot read " + path, describe(::GetLastError())};
      return std::nullopt;
    }
    if (got == 0) break;
    filled += got;
  }
  bytes.resize(filled);
  return bytes;
}

std::string followLinks(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return path;
  const Handle file(
      ::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file.valid()) return path;
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetFinalPathNameByHandleA(file.get(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                                     FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return path;
    if (length < buffer.size()) {
      std::string final(buffer.data(), length);
      // "\\?\C:\x" names "C:\x"; a network path keeps its long form.
      if (final.rfind("\\\\?\\", 0) == 0 && final.size() > 6 && final[5] == ':') final.erase(0, 4);
      return final;
    }
    buffer.resize(length + 1);
  }
}

std::string whyNotReplaceable(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD code = ::GetLastError();
    return code == ERROR_FILE_NOT_FOUND ? "" : describe(code);
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return replace::kFolder;
  if (attributes & FILE_ATTRIBUTE_READONLY) return replace::kReadOnly;
  const Handle file(::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (file.valid() && ::GetFileInformationByHandle(file.get(), &information) && information.nNumberOfLinks > 1) {
    return replace::kHardLinks;
  }
  return "";
}

std::string temporaryBeside(const std::string& target) {
  static std::atomic<unsigned long> counter{0};
  return folderOf(target) + "." + baseName(target) + std::string(replace::kTemporaryMark) +
         std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(counter++);
}

bool moveOver(const std::string& temporary, const std::string& target, Failure& error, const std::string& shownPath) {
  // The new file takes the old one's attributes (hidden, archive...), as an edit in place would keep them.
  const DWORD old = ::GetFileAttributesA(target.c_str());
  if (old != INVALID_FILE_ATTRIBUTES) ::SetFileAttributesA(temporary.c_str(), old & ~DWORD{FILE_ATTRIBUTE_READONLY});
  if (!::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = {"cannot write " + shownPath, describe(::GetLastError())};
    ::SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(temporary.c_str());
    return false;
  }
  return true;
}

bool replaceAtomically(const std::string& path, std::initializer_list<std::string_view> pieces, Failure& error) {
  const std::string target = followLinks(path);
  if (const std::string why = whyNotReplaceable(target); !why.empty()) {
    error = {"cannot write " + path, why};
    return false;
  }
  const std::string temporary = temporaryBeside(target);
  {
    const Handle file(::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY, nullptr));
    if (!file.valid()) {
      error = {"cannot write " + path, describe(::GetLastError())};
      return false;
    }
    bool written = true;
    for (std::string_view piece : pieces) written = written && writeAll(file.get(), piece);
    if (!written || !::FlushFileBuffers(file.get())) {
      error = {"cannot write " + path, describe(::GetLastError())};
    } else {
      error = {};
    }
  }
  if (!error.what.empty()) {
    ::DeleteFileA(temporary.c_str());
    return false;
  }
  // A new file gets the attributes Windows gives a new file, not the temporary file's.
  if (::GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
    ::SetFileAttributesA(temporary.c_str(), FILE_ATTRIBUTE_ARCHIVE);
  }
  return moveOver(temporary, target, error, path);
}

}  // namespace vexorel::win32
