#include "support/core/TempFolder.h"

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#endif

namespace vexorel::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  std::random_device random;
  path_ = fs::temp_directory_path() / ("vexorel-test-" + std::to_string(random()) + std::to_string(random()));
  if (!fs::create_directory(path_)) throw std::runtime_error("cannot make a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  // Tests may leave read-only folders behind; make them writable again so they can be removed.
  for (auto it = fs::recursive_directory_iterator(path_, ignored); it != fs::recursive_directory_iterator();
       it.increment(ignored))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add | fs::perm_options::nofollow, ignored);
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
#ifdef _WIN32
  HKEY parent = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vexorel-Test", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &parent) ==
      ERROR_SUCCESS) {
    ::RegDeleteTreeA(parent, path_.filename().string().c_str());
    ::RegCloseKey(parent);
    // The common parent goes when the last test using it is done.
    ::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, "Software\\Vexorel-Test", KEY_WOW64_32KEY, 0);
  }
#endif
}

std::string TempFolder::expanded(std::string text) const {
  for (std::size_t at; (at = text.find("$F")) != std::string::npos;) text.replace(at, 2, path_.string());
  return text;
}

std::string scratchRegistryKey(const TempFolder& folder) {
  return "Software\\Vexorel-Test\\" + folder.path().filename().string();
}

NativePlatformOptions scratchOptions(const TempFolder& folder) {
#ifdef _WIN32
  return {scratchRegistryKey(folder), folder.path().string()};
#else
  return {folder / "registry.reg", folder.path().string()};
#endif
}

std::string readFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void setReadOnly(const fs::path& path, bool readOnly) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

}  // namespace vexorel::testing
