#pragma once
// A fresh folder for one test, removed with everything in it when the test ends; files read and written bytewise.

#include <filesystem>
#include <string>

#include "platform/NativePlatform.h"

namespace vexorel::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }  // a path inside it
  std::string expanded(std::string text) const;  // each "$F" in the text made the folder's path

 private:
  std::filesystem::path path_;
};

// On Windows the folder also owns the registry key HKEY_LOCAL_MACHINE (32-bit view)
// "Software\Vexorel-Test\<folder name>", removed with it; tests keep their registry values there.
std::string scratchRegistryKey(const TempFolder& folder);
// Backend options that keep a test inside the folder: names resolve in it, the registry is a file there or its key.
NativePlatformOptions scratchOptions(const TempFolder& folder);

std::string readFileBytes(const std::filesystem::path& path);
void writeFileBytes(const std::filesystem::path& path, const std::string& bytes);
// Makes a file read-only (the owner's write bit here, the read-only attribute on Windows), or writable again.
void setReadOnly(const std::filesystem::path& path, bool readOnly);

}  // namespace vexorel::testing
