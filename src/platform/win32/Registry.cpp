#include "platform/win32/Registry.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/formats/Text.h"

namespace vexorel::win32 {
namespace {

// A key in one of the places a value may live.
struct Place {
  HKEY root;
  std::string path;
  REGSAM view;
};

constexpr std::string_view kSoftware = "Software\\";

// Where Windows' virtualization keeps what a program wrote below HKEY_LOCAL_MACHINE\Software: first the
// place of a 32-bit program on 64-bit Windows (the view we use), then that of one on 32-bit Windows.
std::vector<Place> virtualPlaces(const std::string& path) {
  if (!startsWithIgnoringCase(path, kSoftware)) return {};
  const std::string rest = path.substr(kSoftware.size());
  const std::string store = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\";
  return {{HKEY_CURRENT_USER, store + "WOW6432Node\\" + rest, 0}, {HKEY_CURRENT_USER, store + rest, 0}};
}

Place machinePlace(const std::string& path) {
  return {HKEY_LOCAL_MACHINE, path, KEY_WOW64_32KEY};
}

// The places a read looks in, in order: the user's virtual store before the machine.
std::vector<Place> readPlaces(const std::string& path) {
  std::vector<Place> places = virtualPlaces(path);
  places.push_back(machinePlace(path));
  return places;
}

// Opens (creating) the key at `place`; the Windows result code.
LONG createAt(const Place& place, REGSAM access, HKEY& key) {
  return ::RegCreateKeyExA(place.root, place.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access | place.view,
                           nullptr, &key, nullptr);
}

LONG queryValue(HKEY key, const std::string& valueName, RegistryData& data) {
  DWORD type = REG_NONE;
  DWORD size = 0;
  LONG result = ::RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size);
  // The value may grow between the two calls; ask again until the buffer holds it.
  while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
    data.bytes.resize(size);
    DWORD filled = size;
    result =
        ::RegQueryValueExA(key, valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.bytes.data()), &filled);
    if (result == ERROR_SUCCESS) {
      data.bytes.resize(filled);
      data.type = static_cast<std::uint32_t>(type);
      return result;
    }
    size = filled;
  }
  return result;
}

LONG setValue(HKEY key, const std::string& valueName, std::uint32_t type, const std::string& data) {
  return ::RegSetValueExA(key, valueName.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size()));
}

}  // namespace

RegistryKey MachineRegistry::remember(const std::string& path) {
  open_.emplace(next_, path);
  return next_++;
}

const std::string* MachineRegistry::pathOf(RegistryKey key, Failure& error) const {
  const auto found = open_.find(key);
  if (found != open_.end()) return &found->second;
  error = {"invalid registry key handle", ""};
  return nullptr;
}

RegistryKey MachineRegistry::open(const std::string& path, Failure& error) {
  LONG result = ERROR_FILE_NOT_FOUND;
  for (const Place& place : readPlaces(path)) {
    HKEY key = nullptr;
    result = ::RegOpenKeyExA(place.root, place.path.c_str(), 0, KEY_READ | place.view, &key);
    if (result == ERROR_SUCCESS) {
      ::RegCloseKey(key);
      return remember(path);
    }
  }
  error = {"cannot open the registry key HKEY_LOCAL_MACHINE\\" + path, describe(static_cast<DWORD>(result))};
  return kNoRegistryKey;
}

RegistryKey MachineRegistry::create(const std::string& path, Failure& error) {
  HKEY key = nullptr;
  LONG result = refuseMachineWrites_ ? ERROR_ACCESS_DENIED : createAt(machinePlace(path), KEY_READ | KEY_WRITE, key);
  if (result == ERROR_ACCESS_DENIED) {
    const std::vector<Place> store = virtualPlaces(path);
    if (!store.empty()) result = createAt(store.front(), KEY_READ | KEY_WRITE, key);
  }
  if (result != ERROR_SUCCESS) {
    error = {"cannot create the registry key HKEY_LOCAL_MACHINE\\" + path, describe(static_cast<DWORD>(result))};
    return kNoRegistryKey;
  }
  ::RegCloseKey(key);
  return remember(path);
}

std::optional<RegistryData> MachineRegistry::query(RegistryKey key, const std::string& valueName, Failure& error) {
  const std::string* path = pathOf(key, error);
  if (!path) return std::nullopt;
  LONG result = ERROR_FILE_NOT_FOUND;
  for (const Place& place : readPlaces(*path)) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(place.root, place.path.c_str(), 0, KEY_QUERY_VALUE | place.view, &handle) != ERROR_SUCCESS) {
      continue;
    }
    RegistryData data;
    result = queryValue(handle, valueName, data);
    ::RegCloseKey(handle);
    if (result == ERROR_SUCCESS) return data;
  }
  error = {"cannot read the registry value " + valueName, describe(static_cast<DWORD>(result))};
  return std::nullopt;
}

bool MachineRegistry::set(RegistryKey key, const std::string& valueName, std::uint32_t type, const std::string& bytes,
                          Failure& error) {
  const std::string* path = pathOf(key, error);
  if (!path) return false;
  std::string data = bytes;
  // Text is stored with its terminating NUL, as Windows expects it.
  if (type == RegSz && (data.empty() || data.back() != '\0')) data.push_back('\0');
  // A write the machine refuses goes to the first place of the user's store.
  std::vector<Place> places{machinePlace(*path)};
  if (const std::vector<Place> store = virtualPlaces(*path); !store.empty()) places.push_back(store.front());
  LONG result = ERROR_ACCESS_DENIED;
  for (const Place& place : places) {
    if (place.root == HKEY_LOCAL_MACHINE && refuseMachineWrites_) continue;
    HKEY handle = nullptr;
    result = createAt(place, KEY_SET_VALUE, handle);
    if (result == ERROR_SUCCESS) {
      result = setValue(handle, valueName, type, data);
      ::RegCloseKey(handle);
    }
    if (result != ERROR_ACCESS_DENIED) break;
  }
  if (result != ERROR_SUCCESS) {
    error = {"cannot write the registry value " + valueName, describe(static_cast<DWORD>(result))};
    return false;
  }
  return true;
}

}  // namespace vexorel::win32
