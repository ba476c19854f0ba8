// The two registry file formats on bytes: our store (registry export format) and Wine's system.reg,
// read without Wine. fixtures/registry/NAME.reg comes with NAME.expected: KEY<tab>NAME<tab>TYPE<tab>
// BYTES[<tab>TEXT] a line, TYPE "-" for no such value, BYTES and TEXT with \\ and \xHH escapes, "*" for
// not checked and a TEXT of "-" for a value that is not text.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "platform/FixtureTable.h"
#include "platform/Platform.h"
#include "platform/RegistryStore.h"
#include "platform/WineRegistry.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

using testing::unescaped;
const fs::path kRegistry = testing::kFixtures / "registry";

template <typename Find, typename Text>
void expectTable(const std::string& name, Find find, Text text) {
  const std::string content = testing::readFileBytes(kRegistry / (name + ".reg"));
  std::istringstream lines(testing::readFileBytes(kRegistry / (name + ".expected")));
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    std::vector<std::string> f;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');) f.push_back(field);
    f.resize(5, "*");
    SCOPED_TRACE(name + ": " + line);
    const auto value = find(content, f[0], f[1]);
    ASSERT_EQ(value.has_value(), f[2] != "-");
    if (!value) continue;
    EXPECT_EQ(value->type, static_cast<std::uint32_t>(std::stoul(f[2])));
    EXPECT_TRUE(f[3] == "*" || value->bytes == unescaped(f[3])) << value->bytes;
    EXPECT_TRUE(f[4] == "*" || text(*value) == (f[4] == "-" ? std::nullopt : std::optional(unescaped(f[4]))));
  }
  EXPECT_GE(count, 10);
}

TEST(RegistryFiles, EveryFixtureReadsAsExpected) {
  expectTable("export", registry::findValue, [](const registry::Value&) { return std::optional<std::string>(); });
  const auto wineFind = [](std::string_view content, std::string_view key, std::string_view name) {
    return wine::findValue(content, key, name);
  };
  expectTable("wine", wineFind, wine::textOf);
  // The same with Windows line ends, and only a file that says what it is counts.
  std::string wine = testing::readFileBytes(kRegistry / "wine.reg"), crlf;
  for (const char c : wine) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  const char* game = "Software\\Wow6432Node\\Unreal Technology\\Installed Apps\\UnrealTournament";
  EXPECT_EQ(wine::textOf(*wine::findValue(crlf, game, "Folder")), "C:\\Games\\UT \"GOTY\"");
  EXPECT_EQ(wine::findValue(crlf, game, "Binary")->bytes, "\x01\x02\x03\x04");
  EXPECT_EQ(wine::findValue("REGEDIT4\n" + wine.substr(wine.find('\n') + 1), game, "Folder"), std::nullopt);
  EXPECT_EQ(wine::findValue("", game, "Folder"), std::nullopt);
  // Characters outside the basic plane arrive as surrogate pairs; a lone surrogate is replaced.
  EXPECT_EQ(wine::toUtf8(wine::unescape("\\xd83c\\xdfae", '"')), "\xf0\x9f\x8e\xae");
  EXPECT_EQ(wine::toUtf8(wine::unescape("\\xd83c!", '"')), "\xef\xbf\xbd!");
  std::size_t used = 0;
  EXPECT_EQ(wine::unescape("ab\\\"c\"rest", '"', &used), u"ab\"c");
  EXPECT_EQ(used, 5u);

  const std::string store = testing::readFileBytes(kRegistry / "export.reg");
  EXPECT_TRUE(registry::keyExists(store, "HKEY_LOCAL_MACHINE\\SOFTWARE"));
  EXPECT_FALSE(registry::keyExists(store, "HKEY_LOCAL_MACHINE\\Softw"));
  // A stray backslash at the end of a text line does not swallow the next key's header.
  EXPECT_EQ(registry::findValue("[HKEY_LOCAL_MACHINE\\A]\n\"X\"=\"1\" \\\n[HKEY_LOCAL_MACHINE\\B]\n\"Y\"=\"2\"\n",
                                "HKEY_LOCAL_MACHINE\\B", "Y")
                ->bytes,
            "2\0"s);
}

std::string bytesAfter(const std::string& store, const std::string& key, const std::string& name,
                       const registry::Value& value) {
  const auto back = registry::findValue(registry::applySet(store, key, name, value), key, name);
  EXPECT_TRUE(back && back->type == value.type) << name;
  return back ? back->bytes : "";
}

TEST(RegistryFiles, StoreWritesChangeOnlyTheirOwnLinesAndReadBack) {
  const std::string store = testing::readFileBytes(kRegistry / "export.reg");
  const std::string game = "HKEY_LOCAL_MACHINE\\Software\\Unreal Technology\\Installed Apps\\UnrealTournament";
  const registry::Value text{RegSz, "D:\\UT\0"s};
  std::string expected = store;
  expected.replace(expected.find("\"Folder\"=\"C:"), 26, "\"Folder\"=\"D:\\\\UT\"");
  EXPECT_EQ(registry::applySet(store, game, "folder", text), expected);
  expected = store;  // a continued value is replaced as a whole
  expected.replace(expected.find("\"Long\""), 27, "\"Long\"=hex:05");
  EXPECT_EQ(registry::applySet(store, game, "Long", {RegBinary, "\x05"}), expected);
  expected = store;  // after the key's last line, before the blank line closing it
  expected.insert(expected.find("\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Other]") + 2, "\"New\"=hex:\r\n");
  EXPECT_EQ(registry::applySet(store, game, "New", {RegBinary, ""}), expected);
  EXPECT_EQ(registry::applySet(store, "HKEY_LOCAL_MACHINE\\Software\\\\New\\", "A", text),
            store + "\r\n[HKEY_LOCAL_MACHINE\\Software\\New]\r\n\"A\"=\"D:\\\\UT\"\r\n");
  EXPECT_EQ(registry::applySet("", game, "Folder", text),
            "Windows Registry Editor Version 5.00\n\n[" + game + "]\n\"Folder\"=\"D:\\\\UT\"\n");
  EXPECT_EQ(registry::formatValueLine("F", {RegSz, "two\nlines\0"s}), "\"F\"=hex(1):74,77,6f,0a,6c,69,6e,65,73,00");
  EXPECT_EQ(registry::formatValueLine("D", {RegDword, "\x78\x56\x34\x12"}), "\"D\"=dword:12345678");
  EXPECT_EQ(registry::formatValueLine("", {11, "\x01"}), "@=hex(b):01");
  EXPECT_EQ(bytesAfter("", "HKEY_LOCAL_MACHINE\\K", "V", {RegSz, "x\r\ny\0"s}), "x\r\ny\0"s);
  EXPECT_EQ(bytesAfter("", "HKEY_LOCAL_MACHINE\\K", "V", {7, "a\0\0"s}), "a\0\0"s);
  // Found by fuzzing: a value added after a line ending in a backslash that continues nothing was read as
  // that line's continuation and vanished.
  for (const std::string& tail : {"\\"s, "\\\n"s, "\\\n \n"s, "\\\r\n\r\n"s}) {
    EXPECT_EQ(registry::applySet("[K]\n\"Fla\"=hex:01,02" + tail, "K", "", {RegSz, "v\0"s}),
              "[K]\n@=\"v\"\n\"Fla\"=hex:01,02" + tail);
    EXPECT_EQ(bytesAfter("[K]\n\"Fla\"=hex:01,02" + tail, "K", "", {RegSz, "v\0"s}), "v\0"s);
  }
  EXPECT_EQ(bytesAfter("[A]\r\n\"a\"=hex:01,02\\", "B", "b", {RegSz, "x\0"s}), "x\0"s);
}

}  // namespace
}  // namespace vexorel
