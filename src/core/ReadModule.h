#pragma once
// The shared module every window uses: the registry read of the game folder, and the key-level
// reads and writes of private-profile files with the shared result slot LastIniValue and the row
// counter IniReadCount.

#include <cstdint>
#include <string>

#include "core/GameFiles.h"
#include "platform/Platform.h"

namespace vexorel {

inline constexpr const char* kDefaultValue = "Default";
inline constexpr std::size_t kReadBufferSize = 255;

class ReadModule {
 public:
  explicit ReadModule(Platform& platform) : platform_(platform) {}

  // The value produced by the most recent INI read.
  std::string LastIniValue;
  // Counted reads since a consumer last set it to 0; consumers insert at IniReadCount - 1.
  std::int16_t IniReadCount = 0;

  std::string ReadRegistryString(RegistryRoot root, const std::string& keyPath, const std::string& valueName);
  std::string QueryRegistryValue(RegistryKey key, const std::string& valueName);
  // Opens (creating when missing) the key and stores text as REG_SZ; reports the platform's result.
  bool WriteRegistryString(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                           const std::string& text);

  void ReadIniValue(const std::string& section, const std::string& key, const std::string& file);
  void ReadIniValueUncounted(const std::string& section, const std::string& key, const std::string& file);
  // One WritePrivateProfileString call; the result says whether the platform stored the value.
  bool WriteIniValue(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file);

  // The standard read of the program's own settings file: default "Default", 255-character buffer,
  // an empty value gives empty text. Touches neither LastIniValue nor IniReadCount.
  std::string ReadProfileValue(const std::string& section, const std::string& key, const std::string& file);

  Platform& platform() { return platform_; }

 private:
  Platform& platform_;
};

}  // namespace vexorel
