#include "core/ReadModule.h"

#include <limits>

namespace vexorel {

std::string ReadModule::ReadRegistryString(RegistryRoot root, const std::string& keyPath,
                                           const std::string& valueName) {
  const RegistryKey key = platform_.regOpenKey(root, keyPath);
  std::string text = QueryRegistryValue(key, valueName);
  platform_.regCloseKey(key);
  return text;
}

std::string ReadModule::QueryRegistryValue(RegistryKey key, const std::string& valueName) {
  const auto data = platform_.regQueryValue(key, valueName);
  if (!data) return "";
  if (data->type == RegSz) {
    // The text before the first NUL: the terminator (and anything after it) is not part of it.
    return data->bytes.substr(0, data->bytes.find('\0'));
  }
  if (data->type == RegBinary) {
    // Read as a 16-bit signed little-endian integer; shorter data has no value.
    if (data->bytes.size() < 2) return "";
    const auto lo = static_cast<unsigned char>(data->bytes[0]);
    const auto hi = static_cast<unsigned char>(data->bytes[1]);
    const auto value = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
    return std::to_string(value);
  }
  return "";
}

bool ReadModule::WriteRegistryString(RegistryRoot root, const std::string& keyPath, const std::string& valueName,
                                     const std::string& text) {
  const RegistryKey key = platform_.regCreateKey(root, keyPath);
  if (key == kNoRegistryKey) return false;
  const bool ok = platform_.regSetValue(key, valueName, RegSz, text);
  platform_.regCloseKey(key);
  return ok;
}

std::string ReadModule::ReadProfileValue(const std::string& section, const std::string& key, const std::string& file) {
  std::string value;
  const std::size_t n = platform_.getPrivateProfileString(section, key, kDefaultValue, value, kReadBufferSize, file);
  // An empty value is empty text; no NUL ever leaves the reader.
  value.resize(n);
  return value;
}

void ReadModule::ReadIniValueUncounted(const std::string& section, const std::string& key, const std::string& file) {
  LastIniValue = ReadProfileValue(section, key, file);
}

void ReadModule::ReadIniValue(const std::string& section, const std::string& key, const std::string& file) {
  ReadIniValueUncounted(section, key, file);
  if (IniReadCount < std::numeric_limits<std::int16_t>::max()) ++IniReadCount;
}

bool ReadModule::WriteIniValue(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file) {
  return platform_.writePrivateProfileString(section, key, value, file);
}

}  // namespace vexorel
