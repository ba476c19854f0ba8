// The two registry file formats on bytes: our store (registry export format) and Wine's system.reg,
// read without Wine. fixtures/registry/NAME.reg comes with NAME.expected: KEY<tab>NAME<tab>TYPE<tab>
// BYTES[<tab>TEXT] a line, TYPE "-" for no such value, BYTES and TEXT with \\ and \xHH escapes, "*" for
// not checked and a TEXT of "-" for a value that is not text.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FixtureTable.h"
#include "platform/Platform.h"
#include "formats/RegistryStore.h"
#include "formats/WineRegistry.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;

using testing::unescaped;
const fs::path kRegistry = testing::kFixtures / "registry";

template <typename Find, typename Text>
void expectTable(const std::string& name, const std::string& content, Find find, Text text) {
  const auto table = testing::rows(kRegistry / (name + ".expected"));
  EXPECT_GE(table.size(), 10u);
  for (auto f : table) {
    f.resize(5, "*");
    SCOPED_TRACE(name + ": " + f[0] + " " + f[1]);
    const auto value = find(content, f[0], f[1]);
    ASSERT_EQ(value.has_value(), f[2] != "-");
    if (!value) continue;
    EXPECT_EQ(value->type, static_cast<std::uint32_t>(std::stoul(f[2])));
    EXPECT_TRUE(f[3] == "*" || value->bytes == unescaped(f[3])) << value->bytes;
    EXPECT_TRUE(f[4] == "*" || text(*value) == (f[4] == "-" ? std::nullopt : std::optional(unescaped(f[4]))));
  }
}

TEST(RegistryFiles, EveryFixtureReadsAsExpected) {
  const std::string store = testing::readFileBytes(kRegistry / "export.reg");
  expectTable("export", store, registry::findValue,
              [](const registry::Value&) { return std::optional<std::string>(); });
  const auto wineFind = [](std::string_view content, std::string_view key, std::string_view name) {
    return wine::findValue(content, key, name);
  };
  // The same with Windows line ends, and only a file that says what it is counts.
  std::string wine = testing::readFileBytes(kRegistry / "wine.reg"), crlf;
  for (const char c : wine) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  for (const std::string& content : {wine, crlf}) expectTable("wine", content, wineFind, wine::textOf);
  const char* game = "Software\\Wow6432Node\\Unreal Technology\\Installed Apps\\UnrealTournament";
  EXPECT_EQ(wine::findValue("REGEDIT4\n" + wine.substr(wine.find('\n') + 1), game, "Folder"), std::nullopt);
  EXPECT_EQ(wine::findValue("", game, "Folder"), std::nullopt);
  EXPECT_TRUE(registry::keyExists(store, "HKEY_LOCAL_MACHINE\\SOFTWARE"));
  EXPECT_FALSE(registry::keyExists(store, "HKEY_LOCAL_MACHINE\\Softw"));
}

// writes.table: STORE<tab>KEY<tab>NAME<tab>TYPE<tab>BYTES<tab>AFTER a line, escaped as above; "@NAME" is a
// fixture file, an AFTER of "*" is not checked. Every value set reads back as set.
TEST(RegistryFiles, StoreWritesChangeOnlyTheirOwnLinesAndReadBack) {
  const auto text = [](const std::string& field) {
    return field.starts_with('@') ? testing::readFileBytes(kRegistry / field.substr(1)) : unescaped(field);
  };
  const auto table = testing::rows(kRegistry / "writes.table");
  ASSERT_GE(table.size(), 12u);
  for (const auto& row : table) {
    const std::string key = unescaped(row[1]), name = unescaped(row[2]);
    const registry::Value value{static_cast<std::uint32_t>(std::stoul(row[3])), unescaped(row[4])};
    const std::string after = registry::applySet(text(row[0]), key, name, value);
    EXPECT_TRUE(row[5] == "*" || after == text(row[5])) << row[0] << " " << name << ":\n" << after;
    const auto back = registry::findValue(after, key, name);
    EXPECT_TRUE(back && back->type == value.type && back->bytes == value.bytes) << row[0] << " " << name;
  }
  EXPECT_EQ(registry::formatValueLine("F", {RegSz, "two\nlines\0"s}), "\"F\"=hex(1):74,77,6f,0a,6c,69,6e,65,73,00");
  EXPECT_EQ(registry::formatValueLine("D", {RegDword, "\x78\x56\x34\x12"}), "\"D\"=dword:12345678");
  EXPECT_EQ(registry::formatValueLine("", {11, "\x01"}), "@=hex(b):01");
}

}  // namespace
}  // namespace vexorel
