// The registry store: the export-file format on bytes, and the key handles of the POSIX backend.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/PosixPlatform.h"
#include "platform/RegistryStore.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;
namespace fs = std::filesystem;

constexpr const char* kGameKey = "Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
const std::string kFullKey = "HKEY_LOCAL_MACHINE\\"s + kGameKey;
const std::string kStore = "Windows Registry Editor Version 5.00\r\n\r\n; by hand\r\n[" + kFullKey +
                           "]\r\n\"Folder\"=\"C:\\\\UT \\\"GOTY\\\"\"\r\n\"Version\"=hex:90,01,ff\r\n"
                           "\"Count\"=dword:0000002a\r\n\"Long\"=hex:01,02,\\\r\n  03,04\r\n\"Typed\"=hex(2):41,00\r\n"
                           "\"Odd\"=something else\r\n@=\"default\"\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
                           "\"Folder\"=\"elsewhere\"\r\n";

std::optional<std::string> bytesOf(const std::string& store, const std::string& key, const std::string& name,
                                   std::uint32_t type) {
  const auto value = registry::findValue(store, key, name);
  if (!value || value->type != type) return std::nullopt;
  return value->bytes;
}

TEST(RegistryFormat, ReadsTheExportFormat) {
  EXPECT_EQ(bytesOf(kStore, kFullKey, "Folder", RegSz), "C:\\UT \"GOTY\"\0"s);
  EXPECT_EQ(bytesOf(kStore, "hkey_local_machine\\SOFTWARE\\unreal technology\\installed apps\\UNREALTOURNAMENT\\",
                    "FOLDER", RegSz),
            "C:\\UT \"GOTY\"\0"s);
  EXPECT_EQ(bytesOf(kStore, kFullKey, "Version", RegBinary), "\x90\x01\xff");
  EXPECT_EQ(bytesOf(kStore, kFullKey, "Count", RegDword), "\x2a\0\0\0"s);
  EXPECT_EQ(bytesOf(kStore, kFullKey, "Long", RegBinary), "\x01\x02\x03\x04");
  EXPECT_EQ(bytesOf(kStore, kFullKey, "Typed", 2), "A\0"s);
  EXPECT_EQ(bytesOf(kStore, kFullKey, "", RegSz), "default\0"s);
  EXPECT_EQ(bytesOf(kStore, "HKEY_LOCAL_MACHINE\\Software\\Other", "Folder", RegSz), "elsewhere\0"s);
  EXPECT_FALSE(registry::findValue(kStore, kFullKey, "Odd").has_value());
  EXPECT_FALSE(registry::findValue(kStore, "HKEY_LOCAL_MACHINE\\Software", "Folder").has_value());
  EXPECT_TRUE(registry::keyExists(kStore, "HKEY_LOCAL_MACHINE\\SOFTWARE"));
  EXPECT_FALSE(registry::keyExists(kStore, "HKEY_LOCAL_MACHINE\\Softw"));
  // A stray backslash at the end of a text line does not swallow the next key's header.
  EXPECT_EQ(bytesOf("[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"1\" \\\n[HKEY_LOCAL_MACHINE\\B]\n\"Y\"=\"2\"\n",
                    "HKEY_LOCAL_MACHINE\\B", "Y", RegSz),
            "2\0"s);
}

TEST(RegistryFormat, WritesChangeOnlyTheirOwnLinesAndReadBack) {
  const registry::Value text{RegSz, "D:\\UT\0"s};
  std::string expected = kStore;
  expected.replace(expected.find("\"Folder\"=\"C:"), 26, "\"Folder\"=\"D:\\\\UT\"");
  EXPECT_EQ(registry::applySet(kStore, kFullKey, "folder", text), expected);
  std::string longer = kStore;  // a continued value is replaced as a whole
  longer.replace(longer.find("\"Long\""), 27, "\"Long\"=hex:05");
  EXPECT_EQ(registry::applySet(kStore, kFullKey, "Long", {RegBinary, "\x05"}), longer);
  std::string added = kStore;  // after the key's last line, before the blank line closing it
  added.insert(added.find("\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]") + 2, "\"New\"=hex:\r\n");
  EXPECT_EQ(registry::applySet(kStore, kFullKey, "New", {RegBinary, ""}), added);
  EXPECT_EQ(registry::applySet(kStore, "HKEY_LOCAL_MACHINE\\Software\\\\New\\", "A", text),
            kStore + "\r\n[HKEY_LOCAL_MACHINE\\Software\\New]\r\n\"A\"=\"D:\\\\UT\"\r\n");
  EXPECT_EQ(registry::applySet("", kFullKey, "Folder", text),
            "Windows Registry Editor Version 5.00\n\n[" + kFullKey + "]\n\"Folder\"=\"D:\\\\UT\"\n");
  EXPECT_EQ(registry::formatValueLine("F", {RegSz, "two\nlines\0"s}), "\"F\"=hex(1):74,77,6f,0a,6c,69,6e,65,73,00");
  EXPECT_EQ(registry::formatValueLine("D", {RegDword, "\x78\x56\x34\x12"}), "\"D\"=dword:12345678");
  EXPECT_EQ(registry::formatValueLine("", {11, "\x01"}), "@=hex(b):01");
  for (const registry::Value& v : {registry::Value{RegSz, "x\r\ny\0"s}, registry::Value{7, "a\0\0"s}}) {
    const auto back = registry::findValue(registry::applySet("", "HKEY_LOCAL_MACHINE\\K", "V", v),
                                          "HKEY_LOCAL_MACHINE\\K", "V");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->type, v.type);
    EXPECT_EQ(back->bytes, v.bytes);
  }
}

// Found by fuzzing: a value added after a line ending in a backslash that continues nothing was read as
// that line's continuation and vanished.
TEST(RegistryFormat, AValueAddedAfterADanglingBackslashReadsBack) {
  for (const std::string& tail : {"\\"s, "\\\n"s, "\\\n \n"s, "\\\r\n\r\n"s}) {
    const std::string after = registry::applySet("[K]\n\"Fla\"=hex:01,02" + tail, "K", "", {RegSz, "v\0"s});
    EXPECT_EQ(after, "[K]\n@=\"v\"\n\"Fla\"=hex:01,02" + tail);
    EXPECT_EQ(bytesOf(after, "K", "", RegSz), "v\0"s);
  }
  const std::string after = registry::applySet("[A]\r\n\"a\"=hex:01,02\\", "B", "b", {RegSz, "x\0"s});
  EXPECT_EQ(bytesOf(after, "B", "b", RegSz), "x\0"s);
}

TEST(RegistryBackend, OpenQueryCreateAndSetThroughTheStoreFile) {
  TempFolder folder;
  const std::string store = folder / "config/vexorel/registry.reg";
  PosixPlatform platform{PosixPlatformOptions{store, folder.path().string()}};
  const RegistryKey created = platform.regCreateKey(RegistryRoot::LocalMachine, kGameKey);
  EXPECT_FALSE(fs::exists(store)) << "the store is written with the first value, not before";
  const RegistryKey again = platform.regOpenKey(RegistryRoot::LocalMachine, "software\\UNREAL technology\\"
                                                                             "Installed Apps\\UnrealTournament\\");
  EXPECT_NE(again, kNoRegistryKey) << "a created key opens before it holds a value, in any letter case";
  ASSERT_TRUE(platform.regSetValue(created, "Folder", RegSz, "/games/ut")) << platform.lastError();
  EXPECT_EQ(readFileBytes(store), "Windows Registry Editor Version 5.00\n\n[" + kFullKey + "]\n\"Folder\"=\"/games/ut\"\n");
  // Read afresh on every query.
  writeFileBytes(store, "[" + kFullKey + "]\n\"Folder\"=\"two\"\n");
  EXPECT_EQ(platform.regQueryValue(again, "folder")->bytes, "two\0"s);
  const RegistryKey bad = platform.regCreateKey(RegistryRoot::LocalMachine, "Software\\Two\nLines");
  EXPECT_FALSE(platform.regSetValue(bad, "Folder", RegSz, "x"));
  // A store that cannot be read is not overwritten.
  fs::remove(store);
  fs::create_directories(store);
  EXPECT_FALSE(platform.regSetValue(created, "Folder", RegSz, "x"));
  EXPECT_TRUE(fs::is_directory(store));
}

TEST(RegistryBackend, TheStoreFollowsTheUsersConfigurationFolder) {
  TempFolder folder;
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  {
    PosixPlatform platform;
    EXPECT_TRUE(platform.regSetValue(platform.regCreateKey(RegistryRoot::LocalMachine, kGameKey), "Folder", RegSz, "x"));
  }
  old ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
  EXPECT_TRUE(fs::exists(folder.path() / "vexorel" / "registry.reg"));
}

}  // namespace
}  // namespace vexorel
