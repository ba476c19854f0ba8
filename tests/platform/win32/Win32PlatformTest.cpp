// What only the Windows backend has.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/NativePlatform.h"
#include "platform/win32/Win32Platform.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using testing::TempFolder;

constexpr const char* kGameKey = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";

bool keyExists(const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
  ::RegCloseKey(key);
  return true;
}

// The game entry lives in the 32-bit view; values other programs left (text without its NUL, text of
// another type) come back as stored; failures carry the system's own text on one line.
TEST(Win32Backend, The32BitViewValuesOfOtherProgramsAndTheSystemsErrorTexts) {
  TempFolder folder;
  Win32Platform platform{testing::scratchOptions(folder)};
  const std::string path = testing::scratchRegistryKey(folder) + "\\" + kGameKey;
  const RegistryKey key = platform.regCreateKey(RegistryRoot::LocalMachine, kGameKey);
  ASSERT_NE(key, kNoRegistryKey) << platform.lastError();
  ASSERT_TRUE(platform.regSetValue(key, "Folder", RegSz, "C:\\UT"));
  EXPECT_TRUE(keyExists(path, KEY_WOW64_32KEY));
  // A 64-bit program sees the 32-bit view below Wow6432Node, and nothing at the plain path.
  EXPECT_TRUE(keyExists("Software\\Wow6432Node\\" + path.substr(std::string("Software\\").size()), KEY_WOW64_64KEY));
  EXPECT_FALSE(keyExists(path, KEY_WOW64_64KEY));
  HKEY raw = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &raw), ERROR_SUCCESS);
  ::RegSetValueExA(raw, "Folder", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\UT"), 5);
  ::RegSetValueExA(raw, "Expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>("%X%\0"), 4);
  ::RegCloseKey(raw);
  // The ANSI call converts the stored text and may add the NUL the writer left out.
  const std::string folderValue = platform.regQueryValue(key, "Folder").value_or(RegistryData{}).bytes;
  EXPECT_EQ(folderValue.substr(0, folderValue.find('\0')), "C:\\UT");
  EXPECT_LE(folderValue.size(), 6u);
  const auto expand = platform.regQueryValue(key, "Expand");
  ASSERT_TRUE(expand.has_value());
  EXPECT_EQ(expand->type, 2u);
  EXPECT_EQ(expand->bytes, "%X%\0"s);
  platform.regCloseKey(key);

  const std::string missing = folder.path().string() + "\\missing.ini";
  EXPECT_FALSE(platform.deleteFile(missing));
  const std::string error = platform.lastError();
  EXPECT_EQ(error.rfind("cannot delete " + platform.getFullPathName(missing) + ": ", 0), 0u) << error;
  EXPECT_GT(error.size(), ("cannot delete " + missing + ": ").size());
  EXPECT_EQ(error.find_first_of("\r\n"), std::string::npos);
}

// A user without administrator rights cannot write HKEY_LOCAL_MACHINE: the folder goes to the user's
// virtual store, where reads look first, as Windows' virtualization would put it for a 32-bit program.
// What an older program left in the store of 32-bit Windows is found too.
TEST(Win32Backend, AUserWithoutRightsKeepsTheGameFolderInTheVirtualStore) {
  TempFolder folder;
  NativePlatformOptions refused = testing::scratchOptions(folder);
  refused.refuseMachineWrites = true;
  Win32Platform user{refused};
  const std::string below = testing::scratchRegistryKey(folder).substr(std::string("Software\\").size());
  const std::string store = "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\";
  const RegistryKey key = user.regCreateKey(RegistryRoot::LocalMachine, kGameKey);
  ASSERT_NE(key, kNoRegistryKey) << user.lastError();
  ASSERT_TRUE(user.regSetValue(key, "Folder", RegSz, "C:\\UT")) << user.lastError();
  EXPECT_FALSE(keyExists(testing::scratchRegistryKey(folder) + "\\" + kGameKey, KEY_WOW64_32KEY));
  HKEY raw = nullptr;
  ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, (store + "WOW6432Node\\" + below + "\\" + kGameKey).c_str(), 0, KEY_READ,
                            &raw),
            ERROR_SUCCESS);
  ::RegCloseKey(raw);
  Win32Platform admin{testing::scratchOptions(folder)};
  const RegistryKey seen = admin.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  EXPECT_EQ(admin.regQueryValue(seen, "Folder").value_or(RegistryData{}).bytes, "C:\\UT"s + '\0');

  const std::string older = store + below + "\\Older";
  ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, older.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExA(raw, "Folder", 0, REG_SZ, reinterpret_cast<const BYTE*>("D:\\UT"), 6);
  ::RegCloseKey(raw);
  const RegistryKey olderKey = user.regOpenKey(RegistryRoot::LocalMachine, "Older");
  EXPECT_EQ(user.regQueryValue(olderKey, "Folder").value_or(RegistryData{}).bytes, "D:\\UT"s + '\0');
  EXPECT_EQ(user.regOpenKey(RegistryRoot::LocalMachine, "Nowhere"), kNoRegistryKey);
  ::RegDeleteTreeA(HKEY_CURRENT_USER, (store + "WOW6432Node\\" + below).c_str());
  ::RegDeleteTreeA(HKEY_CURRENT_USER, (store + below).c_str());
}

// The process list finds this very program by its file name in any letter case, and no game.
TEST(Win32Backend, TheProcessListFindsThisProgramAndNoGame) {
  Win32Platform platform;
  EXPECT_TRUE(platform.processRunning("PLATFORM_TESTS.exe"));
  EXPECT_FALSE(platform.processRunning("UnrealTournament.exe"));
}

}  // namespace
}  // namespace vexorel
