// Placeholder backend: every operation reports failure until the real engine lands.
#include "platform/PosixPlatform.h"

namespace vexorel {

struct PosixPlatform::State {
  PosixPlatformOptions options;
};

PosixPlatform::PosixPlatform(PosixPlatformOptions options) : state_(new State{std::move(options)}) {}
PosixPlatform::~PosixPlatform() { delete state_; }

RegistryKey PosixPlatform::regOpenKey(RegistryRoot, const std::string&) { return kNoRegistryKey; }
RegistryKey PosixPlatform::regCreateKey(RegistryRoot, const std::string&) { return kNoRegistryKey; }
std::optional<RegistryData> PosixPlatform::regQueryValue(RegistryKey, const std::string&) { return std::nullopt; }
bool PosixPlatform::regSetValue(RegistryKey, const std::string&, std::uint32_t, const std::string&) { return false; }
void PosixPlatform::regCloseKey(RegistryKey) {}
std::size_t PosixPlatform::getPrivateProfileString(const std::string&, const std::string&, const std::string& def,
                                                   std::string& returned, std::size_t, const std::string&) {
  returned = def;
  return def.size();
}
bool PosixPlatform::writePrivateProfileString(const std::string&, const std::string&, const std::string&,
                                              const std::string&) {
  return false;
}
std::string PosixPlatform::getFullPathName(const std::string& fileName) { return fileName; }
std::string PosixPlatform::getCurrentDirectory() { return state_->options.currentDirectory; }
bool PosixPlatform::findFirstFile(const std::string&) { return false; }
bool PosixPlatform::createEmptyFile(const std::string&) { return false; }
bool PosixPlatform::createDirectory(const std::string&) { return false; }
bool PosixPlatform::copyFile(const std::string&, const std::string&, bool) { return false; }
bool PosixPlatform::deleteFile(const std::string&) { return false; }
std::string PosixPlatform::displayPath(const std::string& path) { return path; }
std::uint64_t PosixPlatform::totalPhysicalMemory() { return 0; }
int PosixPlatform::shellExecute(const std::string&, const std::string&, const std::string&, int) { return 0; }
void PosixPlatform::sleep(unsigned) {}
std::string PosixPlatform::lastError() const { return "not implemented"; }
std::string PosixPlatform::resolvePath(const std::string& path) { return path; }

}  // namespace vexorel
