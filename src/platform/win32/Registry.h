#pragma once
// HKEY_LOCAL_MACHINE in its 32-bit view, where the game's installer leaves its entry, as a program without
// administrator rights must use it. Windows lets older programs write there through registry
// virtualization: a write refused for want of rights lands in the user's virtual store
// (HKEY_CURRENT_USER\Software\Classes\VirtualStore\MACHINE\SOFTWARE\...), and reads look there first. A
// program with a manifest gets none of that, so this does the same itself. A folder an older program
// recorded for a normal user is then found too.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "platform/Platform.h"
#include "platform/win32/Files.h"

namespace vexorel::win32 {

class MachineRegistry {
 public:
  // `refuseMachineWrites` makes every write to HKEY_LOCAL_MACHINE fail as it does for a user without
  // administrator rights (for tests run with them).
  explicit MachineRegistry(bool refuseMachineWrites) : refuseMachineWrites_(refuseMachineWrites) {}

  // The key's full path below HKEY_LOCAL_MACHINE; kNoRegistryKey (with `error`) when it exists nowhere.
  RegistryKey open(const std::string& path, Failure& error);
  // Opens the key, creating it where the user may.
  RegistryKey create(const std::string& path, Failure& error);
  std::optional<RegistryData> query(RegistryKey key, const std::string& valueName, Failure& error);
  bool set(RegistryKey key, const std::string& valueName, std::uint32_t type, const std::string& bytes, Failure& error);
  void close(RegistryKey key) { open_.erase(key); }

 private:
  const std::string* pathOf(RegistryKey key, Failure& error) const;
  RegistryKey remember(const std::string& path);

  bool refuseMachineWrites_;
  std::map<RegistryKey, std::string> open_;
  RegistryKey next_ = 1;
};

}  // namespace vexorel::win32
