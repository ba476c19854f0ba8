#pragma once
// Everything the program needs from outside the process goes through this interface: the registry,
// private-profile (INI) files, files and folders, memory size, the shell, running programs and pauses.
// Each operation stands for one Windows call and is named after it (in lower camel case, so the Windows
// headers' A/W macros cannot rename them); arguments and results are plain C++ types. Every operation
// that can fail says so in its result, and lastError() then holds a one-line reason.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/formats/RegistryValue.h"

namespace vexorel {

enum class RegistryRoot { LocalMachine };

// An open registry key; kNoRegistryKey when opening failed.
using RegistryKey = std::uint64_t;
inline constexpr RegistryKey kNoRegistryKey = 0;

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Registry (HKEY_LOCAL_MACHINE, always the 32-bit view the game's installer writes to) ---
  virtual RegistryKey regOpenKey(RegistryRoot root, const std::string& subKey) = 0;
  // Opens the key, creating it (and its parents) when missing.
  virtual RegistryKey regCreateKey(RegistryRoot root, const std::string& subKey) = 0;
  // The value's type and raw bytes; nullopt when the key handle is bad or the value is missing.
  virtual std::optional<RegistryData> regQueryValue(RegistryKey key, const std::string& valueName) = 0;
  virtual bool regSetValue(RegistryKey key, const std::string& valueName, std::uint32_t type,
                           const std::string& bytes) = 0;
  virtual void regCloseKey(RegistryKey key) = 0;

  // --- Private-profile files ---
  // GetPrivateProfileString: fills `returned` with at most bufferSize - 1 characters and returns how
  // many were copied. Missing file, section or key give `defaultValue` with its trailing blanks removed.
  virtual std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& defaultValue, std::string& returned,
                                              std::size_t bufferSize, const std::string& fileName) = 0;
  // WritePrivateProfileString: replaces or adds one key; atomic; false (with lastError()) on failure.
  virtual bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                         const std::string& fileName) = 0;

  // --- Files and folders (paths may be composed the Windows way, with backslashes) ---
  virtual std::string getFullPathName(const std::string& fileName) = 0;
  virtual std::string getCurrentDirectory() = 0;
  // FindFirstFile on an exact path: true when a file or folder of that name exists.
  virtual bool findFirstFile(const std::string& path) = 0;
  // OpenFile(OF_CREATE | OF_WRITE) and CloseHandle: creates the file empty (truncating an existing one).
  virtual bool createEmptyFile(const std::string& path) = 0;
  // CreateDirectory: the parent must exist; an existing folder is a failure.
  virtual bool createDirectory(const std::string& path) = 0;
  // CopyFile: with failIfExists false an existing target is replaced atomically.
  virtual bool copyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
  virtual bool deleteFile(const std::string& path) = 0;
  // A path as the user should see it in a message (native separators).
  virtual std::string displayPath(const std::string& path) = 0;

  // --- Machine, shell, time ---
  // Total physical memory in bytes (GlobalMemoryStatusEx).
  virtual std::uint64_t totalPhysicalMemory() = 0;
  // ShellExecute(owner, verb, file, no parameters, directory, showCommand): a result above 32 is success.
  virtual int shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                           int showCommand) = 0;
  virtual void sleep(unsigned milliseconds) = 0;
  // CreateToolhelp32Snapshot with Process32First/Process32Next: true when a process runs the program
  // file of that name (letter case ignored), on Linux also one run under Wine.
  virtual bool processRunning(const std::string& exeName) = 0;

  // A one-line account of the last failing operation: what was being done and why.
  virtual std::string lastError() const = 0;
  // The system's reason alone ("Permission denied", "No space left on device"), for a message that
  // names the file in its own words.
  virtual std::string lastReason() const = 0;
};

}  // namespace vexorel
