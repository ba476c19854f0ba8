#pragma once
// The POSIX backend: its own private-profile engine, a registry store kept in a registry export
// file, and Windows-style paths translated to the real file system without regard to letter case.

#include <memory>
#include <string>

#include "platform/Platform.h"

namespace vexorel {

struct LinuxPlatformOptions {
  // The registry store; empty means $XDG_CONFIG_HOME/vexorel/registry.reg (or ~/.config/...).
  std::string registryFile;
  // The folder relative names resolve against; empty means the process's working directory.
  std::string currentDirectory;
  // Where a game installed under Wine is looked for when the store has no game folder of its own: a
  // Wine prefix folder whose system.reg is read (never written). Empty means the environment's prefix
  // ($WINEPREFIX, else ~/.wine), but only for the user's own store: a caller that names its own
  // registryFile (tests, tools) gets no Wine lookup unless it names a prefix here as well.
  std::string winePrefix = {};
  // False switches the Wine lookup off altogether.
  bool wineLookup = true;
};

class LinuxPlatform : public Platform {
 public:
  explicit LinuxPlatform(LinuxPlatformOptions options = {});
  ~LinuxPlatform() override;
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

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
