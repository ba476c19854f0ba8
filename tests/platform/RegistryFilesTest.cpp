// The two registry file formats on bytes: our store (registry export format) and Wine's system.reg, read
// without Wine, each file with the table of what it holds (NAME.reg and NAME.expected).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "platform/formats/RegistryStore.h"
#include "platform/formats/WineRegistry.h"
#include "support/core/Table.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace std::string_literals;
using namespace testing;

const std::string kRegistry = "platform/fixtures/registry/";

std::string fixture(const std::string& name) {
  return readFileBytes(testFile(kRegistry + name));
}

template <typename Value>
void expectFound(const std::optional<Value>& value, const Row& f) {
  ASSERT_EQ(value.has_value(), f[2] != "-");
  if (!value) return;
  EXPECT_EQ(value->type, static_cast<std::uint32_t>(std::stoul(f[2])));
  if (f.field(3, "*") != "*") {
    EXPECT_EQ(value->bytes, unescaped(f[3]));
  }
}

TABLE_TEST(StoreRead, FindsWhatTheTableSays, RowName({1}), kRegistry + "export.expected", '\t') {
  expectFound(registry::findValue(fixture("export.reg"), row[0], row[1]), row);
}

TABLE_TEST(WineRead, FindsWhatTheTableSaysWithEitherLineEnd, RowName({1}), kRegistry + "wine.expected", '\t') {
  std::string lf = fixture("wine.reg"), crlf;
  for (const char c : lf) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  for (const std::string& content : {lf, crlf}) {
    SCOPED_TRACE(content == lf ? "LF" : "CRLF");
    const auto value = wine::findValue(content, row[0], row[1]);
    expectFound(value, row);
    if (value && row.field(4, "*") != "*") {
      EXPECT_EQ(wine::textOf(*value), row[4] == "-" ? std::nullopt : std::optional(unescaped(row[4])));
    }
  }
}

TEST(RegistryFiles, OnlyAWineFileThatSaysWhatItIsCountsAndKeysAreWhole) {
  const std::string wine = fixture("wine.reg"), store = fixture("export.reg");
  const char* game = "Software\\Wow6432Node\\Unreal Technology\\Installed Apps\\UnrealTournament";
  EXPECT_EQ(wine::findValue("REGEDIT4\n" + wine.substr(wine.find('\n') + 1), game, "Folder"), std::nullopt);
  EXPECT_EQ(wine::findValue("", game, "Folder"), std::nullopt);
  EXPECT_TRUE(registry::keyExists(store, "HKEY_LOCAL_MACHINE\\SOFTWARE"));
  EXPECT_FALSE(registry::keyExists(store, "HKEY_LOCAL_MACHINE\\Softw"));
}

TABLE_TEST(StoreWrite, ChangesOnlyItsOwnLinesAndReadsBack, RowName({2}), kRegistry + "writes.table", '\t') {
  const auto text = [](const std::string& field) {
    return field.starts_with('@') ? fixture(field.substr(1)) : unescaped(field);
  };
  const std::string key = unescaped(row[1]), name = unescaped(row[2]);
  const registry::Value value{static_cast<std::uint32_t>(std::stoul(row[3])), unescaped(row[4])};
  const std::string after = registry::applySet(text(row[0]), key, name, value);
  if (row[5] != "*") {
    EXPECT_EQ(after, text(row[5]));
  }
  const auto back = registry::findValue(after, key, name);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->type, value.type);
  EXPECT_EQ(back->bytes, value.bytes);
}

}  // namespace
}  // namespace vexorel
