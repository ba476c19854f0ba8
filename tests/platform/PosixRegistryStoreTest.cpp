// The registry store: the export-file format on bytes, and the key handles of the POSIX backend.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <random>
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
constexpr const char* kFullGameKey =
    "HKEY_LOCAL_MACHINE\\Software\\Unreal Technology\\Installed Apps\\UnrealTournament";

const std::string kStore =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "; written by hand\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Unreal Technology\\Installed Apps\\UnrealTournament]\r\n"
    "\"Folder\"=\"C:\\\\Games\\\\UT \\\"GOTY\\\"\"\r\n"
    "\"Version\"=hex:90,01,ff\r\n"
    "\"Count\"=dword:0000002a\r\n"
    "\"Long\"=hex:01,02,\\\r\n"
    "  03,04\r\n"
    "\"Typed\"=hex(2):41,00\r\n"
    "\"Odd\"=something else\r\n"
    "@=\"default\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Other]\r\n"
    "\"Folder\"=\"elsewhere\"\r\n";

TEST(RegistryFormat, ReadsTheExportFormat) {
  struct Case {
    const char* key;
    const char* name;
    std::uint32_t type;
    std::string bytes;
  } cases[] = {
      {kFullGameKey, "Folder", 1, "C:\\Games\\UT \"GOTY\"\0"s},
      {"hkey_local_machine\\software\\UNREAL TECHNOLOGY\\installed apps\\unrealtournament\\", "FOLDER", 1,
       "C:\\Games\\UT \"GOTY\"\0"s},
      {kFullGameKey, "Version", 3, "\x90\x01\xff"},
      {kFullGameKey, "Count", 4, "\x2a\0\0\0"s},
      {kFullGameKey, "Long", 3, "\x01\x02\x03\x04"},
      {kFullGameKey, "Typed", 2, "A\0"s},
      {kFullGameKey, "", 1, "default\0"s},
      {"HKEY_LOCAL_MACHINE\\Software\\Other", "Folder", 1, "elsewhere\0"s},
  };
  for (const Case& c : cases) {
    const auto value = registry::findValue(kStore, c.key, c.name);
    ASSERT_TRUE(value.has_value()) << c.name;
    EXPECT_EQ(value->type, c.type) << c.name;
    EXPECT_EQ(value->bytes, c.bytes) << c.name;
  }
  EXPECT_FALSE(registry::findValue(kStore, kFullGameKey, "Odd").has_value());
  // A stray backslash at the end of a text line does not swallow the next key's header.
  const std::string stray = "[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"1\" \\\n[HKEY_LOCAL_MACHINE\\B]\n\"Y\"=\"2\"\n";
  EXPECT_EQ(registry::findValue(stray, "HKEY_LOCAL_MACHINE\\B", "Y")->bytes, "2\0"s);
  EXPECT_FALSE(registry::findValue(kStore, kFullGameKey, "Missing").has_value());
  EXPECT_FALSE(registry::findValue(kStore, "HKEY_LOCAL_MACHINE\\Software", "Folder").has_value());
  EXPECT_TRUE(registry::keyExists(kStore, "HKEY_LOCAL_MACHINE\\SOFTWARE"));
  EXPECT_TRUE(registry::keyExists(kStore, kFullGameKey));
  EXPECT_FALSE(registry::keyExists(kStore, "HKEY_LOCAL_MACHINE\\Softw"));
}

TEST(RegistryFormat, WritesChangeOnlyTheirOwnLines) {
  const registry::Value text{1, "D:\\UT\0"s};
  // Replacing a value keeps every other line, the unknown ones included.
  std::string expected = kStore;
  expected.replace(expected.find("\"Folder\"=\"C:"),
                   std::string("\"Folder\"=\"C:\\\\Games\\\\UT \\\"GOTY\\\"\"").size(), "\"Folder\"=\"D:\\\\UT\"");
  EXPECT_EQ(registry::applySet(kStore, kFullGameKey, "folder", text), expected);
  // A continued value is replaced as a whole.
  std::string longer = kStore;
  longer.replace(longer.find("\"Long\""), std::string("\"Long\"=hex:01,02,\\\r\n  03,04").size(), "\"Long\"=hex:05");
  EXPECT_EQ(registry::applySet(kStore, kFullGameKey, "Long", {3, "\x05"}), longer);
  // A new value goes after the key's last line, before the blank line closing it.
  std::string added = kStore;
  added.insert(added.find("\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]") + 2, "\"New\"=hex:\r\n");
  EXPECT_EQ(registry::applySet(kStore, kFullGameKey, "New", {3, ""}), added);
  // A new key is appended after a blank line.
  EXPECT_EQ(registry::applySet(kStore, "HKEY_LOCAL_MACHINE\\Software\\\\New\\", "A", text),
            kStore + "\r\n[HKEY_LOCAL_MACHINE\\Software\\New]\r\n\"A\"=\"D:\\\\UT\"\r\n");
  // An empty or missing store gets the file header.
  EXPECT_EQ(registry::applySet("", kFullGameKey, "Folder", text),
            std::string("Windows Registry Editor Version 5.00\n\n[") + std::string(kFullGameKey) +
                "]\n\"Folder\"=\"D:\\\\UT\"\n");
}

TEST(RegistryFormat, ValueLines) {
  EXPECT_EQ(registry::formatValueLine("Folder", {1, "a\\b\"c\0"s}), "\"Folder\"=\"a\\\\b\\\"c\"");
  EXPECT_EQ(registry::formatValueLine("Folder", {1, "two\nlines\0"s}),
            "\"Folder\"=hex(1):74,77,6f,0a,6c,69,6e,65,73,00");
  EXPECT_EQ(registry::formatValueLine("B", {3, "\x01\xAB"}), "\"B\"=hex:01,ab");
  EXPECT_EQ(registry::formatValueLine("D", {4, "\x78\x56\x34\x12"}), "\"D\"=dword:12345678");
  EXPECT_EQ(registry::formatValueLine("", {11, "\x01"}), "@=hex(b):01");
  // Every line written reads back as the same value.
  for (const registry::Value& v :
       {registry::Value{1, "x\r\ny\0"s}, registry::Value{3, ""}, registry::Value{7, "a\0\0"s}}) {
    const std::string file = registry::applySet("", "HKEY_LOCAL_MACHINE\\K", "V", v);
    const auto back = registry::findValue(file, "HKEY_LOCAL_MACHINE\\K", "V");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->type, v.type);
    EXPECT_EQ(back->bytes, v.bytes);
  }
}

TEST(RegistryFormat, MalformedStoresNeverCrashAndKeepTheirBytes) {
  std::mt19937 random(7);
  const char alphabet[] = "[]\\\"=@:,hexdword()0aF\r\n \0\xFF";
  for (int round = 0; round < 2000; ++round) {
    std::string store(static_cast<std::size_t>(random() % 150), '\0');
    for (char& c : store) c = alphabet[random() % (sizeof alphabet - 1)];
    (void)registry::findValue(store, "HKEY_LOCAL_MACHINE\\K", "V");
    const std::string after = registry::applySet(store, "HKEY_LOCAL_MACHINE\\K", "V", {1, "ok\0"s});
    const auto back = registry::findValue(after, "HKEY_LOCAL_MACHINE\\K", "V");
    ASSERT_TRUE(back.has_value()) << round;
    EXPECT_EQ(back->bytes, "ok\0"s);
  }
}

class RegistryBackend : public ::testing::Test {
 protected:
  TempFolder folder;
  std::string storePath = folder / "config/vexorel/registry.reg";
  PosixPlatform platform{PosixPlatformOptions{storePath, folder.path().string()}};
};

TEST_F(RegistryBackend, OpenQueryCreateAndSet) {
  EXPECT_EQ(platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey), kNoRegistryKey);  // no store yet
  EXPECT_FALSE(platform.regQueryValue(kNoRegistryKey, "Folder").has_value());

  const RegistryKey created = platform.regCreateKey(RegistryRoot::LocalMachine, kGameKey);
  ASSERT_NE(created, kNoRegistryKey);
  EXPECT_FALSE(fs::exists(storePath)) << "the store is written with the first value, not before";
  const RegistryKey again = platform.regOpenKey(RegistryRoot::LocalMachine,
                                                "software\\UNREAL technology\\Installed Apps\\UnrealTournament\\");
  EXPECT_NE(again, kNoRegistryKey) << "a created key opens before it holds a value, in any letter case";
  platform.regCloseKey(again);
  ASSERT_TRUE(platform.regSetValue(created, "Folder", RegSz, "/games/ut")) << platform.lastError();
  platform.regCloseKey(created);
  EXPECT_EQ(readFileBytes(storePath), std::string("Windows Registry Editor Version 5.00\n\n[") +
                                          std::string(kFullGameKey) + "]\n\"Folder\"=\"/games/ut\"\n");

  const RegistryKey opened =
      platform.regOpenKey(RegistryRoot::LocalMachine, "SOFTWARE\\unreal technology\\Installed Apps\\UnrealTournament");
  ASSERT_NE(opened, kNoRegistryKey);
  EXPECT_NE(opened, created);
  const auto folderValue = platform.regQueryValue(opened, "folder");
  ASSERT_TRUE(folderValue.has_value());
  EXPECT_EQ(folderValue->type, RegSz);
  EXPECT_EQ(folderValue->bytes, "/games/ut\0"s);
  ASSERT_TRUE(platform.regSetValue(opened, "Number", RegBinary, "\x02\x01"));
  const auto number = platform.regQueryValue(opened, "Number");
  ASSERT_TRUE(number.has_value());
  EXPECT_EQ(number->type, RegBinary);
  EXPECT_EQ(number->bytes, "\x02\x01");
  platform.regCloseKey(opened);
  EXPECT_FALSE(platform.regQueryValue(opened, "Folder").has_value()) << "a closed handle is no longer valid";
  EXPECT_FALSE(platform.regSetValue(opened, "Folder", RegSz, "x"));
  const RegistryKey bad = platform.regCreateKey(RegistryRoot::LocalMachine, "Software\\Two\nLines");
  EXPECT_FALSE(platform.regSetValue(bad, "Folder", RegSz, "x"));
  EXPECT_NE(readFileBytes(storePath).find("\"Number\"=hex:02,01\n"), std::string::npos) << "the store is intact";
}

TEST_F(RegistryBackend, ReadsTheStoreAfreshOnEveryQuery) {
  fs::create_directories(fs::path(storePath).parent_path());
  writeFileBytes(storePath, std::string("[") + std::string(kFullGameKey) + "]\n\"Folder\"=\"one\"\n");
  const RegistryKey key = platform.regOpenKey(RegistryRoot::LocalMachine, kGameKey);
  ASSERT_NE(key, kNoRegistryKey);
  EXPECT_EQ(platform.regQueryValue(key, "Folder")->bytes, "one\0"s);
  writeFileBytes(storePath, std::string("[") + std::string(kFullGameKey) + "]\n\"Folder\"=\"two\"\n");
  EXPECT_EQ(platform.regQueryValue(key, "Folder")->bytes, "two\0"s);
}

TEST_F(RegistryBackend, AStoreThatCannotBeReadIsNotOverwritten) {
  fs::create_directories(storePath);  // a folder where the file should be
  const RegistryKey key = platform.regCreateKey(RegistryRoot::LocalMachine, kGameKey);
  EXPECT_FALSE(platform.regSetValue(key, "Folder", RegSz, "x"));
  EXPECT_NE(platform.lastError(), "");
  EXPECT_TRUE(fs::is_directory(storePath));
}

TEST(RegistryLocation, FollowsTheUsersConfigurationFolder) {
  TempFolder folder;
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = oldConfig ? oldConfig : "";
  ::setenv("XDG_CONFIG_HOME", folder.path().c_str(), 1);
  {
    PosixPlatform platform;
    const RegistryKey key = platform.regCreateKey(RegistryRoot::LocalMachine, kGameKey);
    EXPECT_TRUE(platform.regSetValue(key, "Folder", RegSz, "x")) << platform.lastError();
  }
  if (oldConfig) {
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
  EXPECT_TRUE(fs::exists(folder.path() / "vexorel" / "registry.reg"));
}

}  // namespace
}  // namespace vexorel
