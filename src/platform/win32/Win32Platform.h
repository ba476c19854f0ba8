#pragma once
// The Windows backend: every operation is the Windows call it is named after (the ANSI forms, so bytes
// in the user's code page pass through unchanged), except the private-profile files. Those go through
// the program's own engine, which answers every read as the Windows calls do, but changes only the bytes
// a write means to change and replaces the file all at once (the Windows calls rewrite the whole file in
// place). The registry is HKEY_LOCAL_MACHINE in its 32-bit view, where the game's installer leaves its
// entry, also for a 64-bit build of the program, with the user's virtual store in front of it.

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace vexorel {

struct Win32PlatformOptions {
  // Put in front of every registry key path: empty for the program; tests keep their keys below a
  // scratch key of their own ("Software\Vexorel-Test\<name>").
  std::string registryKeyPrefix;
  // The folder relative names resolve against; empty means the process's current directory.
  std::string currentDirectory;
  // Tests: refuse every write to HKEY_LOCAL_MACHINE, as Windows does for a user without administrator
  // rights.
  bool refuseMachineWrites = false;
};

class Win32Platform : public Platform {
 public:
  explicit Win32Platform(Win32PlatformOptions options = {});
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  RegistryKey regOpenKey(RegistryRoot root, const std::string& subKey) override;
  RegistryKey regCreateKey(RegistryRoot root, const std::string& subKey) override;
  std::optional<RegistryData> regQueryValue(RegistryKey key, const std::string& valueName) override;
  bool regSetValue(RegistryKey key, const std::string& valueName, std::uint32_t type,
                   const std::string& bytes) override;
  void regCloseKey(RegistryKey key) override;

  std::size_t getPrivateProfileString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue, std::string& returned, std::size_t bufferSize,
                                      const std::string& fileName) override;
  bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                 const std::string& fileName) override;

  std::string getFullPathName(const std::string& fileName) override;
  std::string getCurrentDirectory() override;
  bool findFirstFile(const std::string& path) override;
  bool createEmptyFile(const std::string& path) override;
  bool createDirectory(const std::string& path) override;
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  bool deleteFile(const std::string& path) override;
  std::string displayPath(const std::string& path) override;

  std::uint64_t totalPhysicalMemory() override;
  int shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                   int showCommand) override;
  void sleep(unsigned milliseconds) override;
  bool processRunning(const std::string& exeName) override;

  std::string lastError() const override;
  std::string lastReason() const override;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace vexorel
