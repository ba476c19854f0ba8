// Wine's registry file format, read without Wine: keys with their times and options, every value
// form, and the string escapes Wine writes.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/WineRegistry.h"

namespace vexorel {
namespace {

using namespace std::string_literals;

constexpr const char* kGameKey = "Software\\Wow6432Node\\Unreal Technology\\Installed Apps\\UnrealTournament";

// As Wine writes system.reg, with a few hand-made oddities.
const std::string kSystemReg =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Other] 1700000000\n"
    "#time=1da0c1f2e3d4c5b\n"
    "\"Folder\"=\"C:\\\\Wrong\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Unreal Technology\\\\Installed Apps\\\\UnrealTournament] 1700000001\n"
    "#time=1da0c1f2e3d4c5c\n"
    "\"Folder\"=\"C:\\\\Games\\\\UT \\\"GOTY\\\"\"\n"
    "\"Accented\"=\"C:\\\\Caf\\xe9\\\\\\x4e2d\\x6587\"\n"
    "\"Followed\"=\"\\x00e9a\"\n"
    "\"Controls\"=\"a\\011b\\tc\\nd\\x\"\n"
    "\"Expand\"=str(2):\"%ProgramFiles%\\\\UT\"\n"
    "\"Multi\"=str(7):\"a\\0b\\0\"\n"
    "\"Binary\"=hex:01,02,\\\n"
    "  03,04\n"
    "\"Typed\"=hex(2):43,00,3a,00,00,00\n"
    "\"Count\"=dword:0000002a\n"
    "@=\"default\"\n"
    "\"Broken\"=\"no closing quote\n"
    "\"Twice\"=\"first\"\n"
    "\"Twice\"=\"second\"\n"
    "\n"
    "[Software\\\\Odd\\]Name] 1700000002\n"
    "\"Folder\"=\"C:\\\\Odd\"\n";

std::optional<std::string> textAt(const std::string& content, const std::string& key, const std::string& name) {
  const auto value = wine::findValue(content, key, name);
  return value ? wine::textOf(*value) : std::nullopt;
}

TEST(WineRegistryFormat, ReadsEveryValueForm) {
  struct Case {
    const char* name;
    std::uint32_t type;
    std::string bytes;
  } cases[] = {
      {"Binary", 3, "\x01\x02\x03\x04"},   {"Typed", 2, "C\0:\0\0\0"s},           {"Count", 4, "\x2a\0\0\0"s},
      {"Multi", 7, "a\0\0\0b\0\0\0\0\0"s}, {"", 1, "d\0e\0f\0a\0u\0l\0t\0\0\0"s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto value = wine::findValue(kSystemReg, kGameKey, c.name);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(value->type, c.type);
    EXPECT_EQ(value->bytes, c.bytes);
  }
  // Text values come out as UTF-8 without their NUL; hex(2) and str(2) are text, binary is not.
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Typed"), "C:");
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Expand"), "%ProgramFiles%\\UT");
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Binary"), std::nullopt);
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Count"), std::nullopt);
  // A later line for the same value wins, as when Wine loads the file.
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Twice"), "second");
}

TEST(WineRegistryFormat, UndoesWineEscapes) {
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Folder"), "C:\\Games\\UT \"GOTY\"");
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Accented"), "C:\\Caf\xc3\xa9\\\xe4\xb8\xad\xe6\x96\x87");
  // Four hex digits are written when a hex digit follows: "\x00e9a" is e-acute and "a".
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Followed"),
            "\xc3\xa9"
            "a");
  // Octal and C escapes; "\x" without digits is the letter x.
  EXPECT_EQ(textAt(kSystemReg, kGameKey, "Controls"), "a\tb\tc\ndx");
  // A closing bracket escaped inside a key name.
  EXPECT_EQ(textAt(kSystemReg, "Software\\Odd]Name", "Folder"), "C:\\Odd");
  // Characters outside the basic plane arrive as surrogate pairs; a lone surrogate is replaced.
  EXPECT_EQ(wine::toUtf8(wine::unescape("\\xd83c\\xdfae", '"')), "\xf0\x9f\x8e\xae");
  EXPECT_EQ(wine::toUtf8(wine::unescape("\\xd83c!", '"')), "\xef\xbf\xbd!");
  std::size_t used = 0;
  EXPECT_EQ(wine::unescape("ab\\\"c\"rest", '"', &used), u"ab\"c");
  EXPECT_EQ(used, 5u);
}

TEST(WineRegistryFormat, MatchesKeysAndNamesWithoutCaseAndFindsNothingElse) {
  EXPECT_EQ(
      textAt(kSystemReg, "software\\WOW6432NODE\\unreal technology\\installed apps\\unrealtournament\\", "FOLDER"),
      "C:\\Games\\UT \"GOTY\"");
  EXPECT_EQ(textAt(kSystemReg, "Software\\Other", "Folder"), "C:\\Wrong");
  // Values belong to their own key only, not to its parents or children.
  EXPECT_EQ(wine::findValue(kSystemReg, "Software\\Wow6432Node", "Folder"), std::nullopt);
  EXPECT_EQ(wine::findValue(kSystemReg, std::string(kGameKey) + "\\Deeper", "Folder"), std::nullopt);
  EXPECT_EQ(wine::findValue(kSystemReg, kGameKey, "Missing"), std::nullopt);
  EXPECT_EQ(wine::findValue(kSystemReg, kGameKey, "Broken"), std::nullopt);
  EXPECT_EQ(wine::findValue(kSystemReg, "Software\\Missing", "Folder"), std::nullopt);
  // Only a file that says what it is counts.
  EXPECT_EQ(wine::findValue("REGEDIT4\n" + kSystemReg.substr(kSystemReg.find('\n') + 1), kGameKey, "Folder"),
            std::nullopt);
  EXPECT_EQ(wine::findValue("", kGameKey, "Folder"), std::nullopt);
}

TEST(WineRegistryFormat, ReadsAFileWithWindowsLineEnds) {
  std::string crlf;
  for (const char c : kSystemReg) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  EXPECT_EQ(textAt(crlf, kGameKey, "Folder"), "C:\\Games\\UT \"GOTY\"");
  const auto binary = wine::findValue(crlf, kGameKey, "Binary");
  ASSERT_TRUE(binary.has_value());
  EXPECT_EQ(binary->bytes, "\x01\x02\x03\x04");
}

}  // namespace
}  // namespace vexorel
