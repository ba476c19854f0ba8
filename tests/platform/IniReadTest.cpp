// The read rules of the private-profile engine, case by case on tiny files written byte for byte.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/IniEngine.h"

namespace vexorel {
namespace {

using namespace std::string_literals;

struct ReadCase {
  const char* what;
  std::string file;
  const char* section;
  const char* key;
  const char* expected;  // with the default "Default"
};

const ReadCase kReadCases[] = {
    {"plain key", "[A]\r\nk=v\r\n", "A", "k", "v"},
    {"section and key ignore letter case", "[Engine.Engine]\nGameRenderDevice=X\n", "engine.ENGINE", "gamerenderdevice",
     "X"},
    {"blanks around key, '=' and value", "[A]\n  k  =  v w  \n", "A", "k", "v w"},
    {"tabs, CR and Ctrl-Z trimmed", "[A]\n\tk\t=\tv\t\x1A\r\n", "A", "k", "v"},
    {"header with blanks inside", "  [  A  ]  \nk=v\n", "A", "k", "v"},
    {"name runs to the last ']'", "[A]B]\nk=v\n", "A]B", "k", "v"},
    {"text after the last ']' ignored", "[A] ; note\nk=v\n", "A", "k", "v"},
    {"'[' without ']' is no header", "[A]\n[B\nk=v\n", "A", "k", "v"},
    {"'[' without ']' does not open B", "[A]\n[B\nk=v\n", "B", "k", "Default"},
    {"missing section", "[A]\nk=v\n", "B", "k", "Default"},
    {"missing key", "[A]\nk=v\n", "A", "x", "Default"},
    {"key from another section", "[A]\nk=v\n[B]\nj=w\n", "A", "j", "Default"},
    {"empty value is empty text", "[A]\nk=\n", "A", "k", ""},
    {"blank value is empty text", "[A]\nk=   \r\n", "A", "k", ""},
    {"key without '=' reads the default", "[A]\nk\n", "A", "k", "Default"},
    {"first key of duplicates", "[A]\nk=1\nk=2\n", "A", "k", "1"},
    {"bare key hides a later duplicate", "[A]\nk\nk=2\n", "A", "k", "Default"},
    {"first section of duplicates only", "[A]\nk=1\n[A]\nk=2\nj=3\n", "A", "j", "Default"},
    {"duplicate section in other case", "[a]\nk=1\n[A]\nk=2\n", "A", "k", "1"},
    {"comment never matches", "[A]\n;k=1\nk=2\n", "A", "k", "2"},
    {"a comment is found when asked for with its ';'", "[A]\n;k=1\n", "A", ";k", "1"},
    {"double quotes removed", "[A]\nk=\"a b\"\n", "A", "k", "a b"},
    {"single quotes removed", "[A]\nk='a b'\n", "A", "k", "a b"},
    {"unmatched quotes kept", "[A]\nk=\"a b'\n", "A", "k", "\"a b'"},
    {"one quote kept", "[A]\nk=\"\n", "A", "k", "\""},
    {"empty quotes give empty text", "[A]\nk=\"\"\n", "A", "k", ""},
    {"only the first '=' splits", "[A]\nk=a=b\n", "A", "k", "a=b"},
    {"no final line break", "[A]\nk=v", "A", "k", "v"},
    {"mixed CRLF and LF", "[A]\r\nj=1\nk=v\r\n", "A", "k", "v"},
    {"a CR alone ends a line", "[A]\rk=v\r", "A", "k", "v"},
    {"BOM is not part of the first line", "\xEF\xBB\xBF[A]\nk=v\n", "A", "k", "v"},
    {"lines before any header: nameless section", "k=v\n[A]\nk=w\n", "", "k", "v"},
    {"nameless section ends at the first header", "[A]\nk=w\n", "", "k", "Default"},
    {"foreign code-page bytes pass unchanged", "[A]\nk=caf\xE9 \x80\xFF\n", "A", "k", "caf\xE9 \x80\xFF"},
    {"key with foreign bytes", "[\xC4]\n\xE4=1\n", "\xC4", "\xE4", "1"},
    {"case folding is ASCII only", "[\xC4]\nk=1\n", "\xE4", "k", "Default"},
    {"NUL ends the value", "[A]\nk=ab\0cd\n"s, "A", "k", "ab"},
    {"NUL elsewhere is an ordinary byte", "[A]\nx\0y=1\nk=v\n"s, "A", "k", "v"},
    {"section given with blanks", "[A]\nk=v\n", " A ", " k ", "v"},
    {"empty key reads the default", "[A]\n=v\n", "A", "", "Default"},
    {"empty file", "", "A", "k", "Default"},
};

TEST(IniRead, FollowsTheWindowsRules) {
  for (const ReadCase& c : kReadCases) {
    EXPECT_EQ(ini::readValue(std::string_view(c.file), c.section, c.key, "Default", 255), c.expected) << c.what;
  }
}

TEST(IniRead, DefaultAndBufferRules) {
  const std::string file = std::string("[A]\nk=") + std::string(300, 'x') + "\nq=\"" + std::string(300, 'y') + "\"\n";
  EXPECT_EQ(ini::readValue(std::string_view(file), "A", "k", "Default", 255), std::string(254, 'x'));
  EXPECT_EQ(ini::readValue(std::string_view(file), "A", "q", "Default", 255), std::string(254, 'y'));
  EXPECT_EQ(ini::readValue(std::string_view(file), "A", "k", "Default", 4), "xxx");
  EXPECT_EQ(ini::readValue(std::string_view(file), "A", "k", "Default", 1), "");
  EXPECT_EQ(ini::readValue(std::string_view(file), "A", "k", "Default", 0), "");
  // The default loses its trailing blanks (only those) and is cut like a value.
  EXPECT_EQ(ini::readValue(std::string_view(file), "A", "missing", "  De fault  ", 255), "  De fault");
  EXPECT_EQ(ini::readValue(std::string_view(file), "A", "missing", "Default", 4), "Def");
  // A file that could not be read gives the default.
  EXPECT_EQ(ini::readValue(std::nullopt, "A", "k", "Default", 255), "Default");
}

TEST(IniRead, LongLinesAndManyLines) {
  const std::string longValue(70 * 1024, 'v');
  const std::string file = std::string("[A]\nfiller=") + std::string(100 * 1024, 'f') + "\nk=" + longValue + "\nlast=1";
  EXPECT_EQ(ini::findValue(file, "A", "k"), longValue);
  EXPECT_EQ(ini::findValue(file, "A", "last"), "1");
  std::string big;
  for (int i = 0; i < 5000; ++i) big += "[S" + std::to_string(i) + "]\r\nKey=" + std::to_string(i) + "\r\n";
  EXPECT_EQ(ini::findValue(big, "s4999", "key"), "4999");
  EXPECT_EQ(ini::findValue(big, "S5000", "Key"), std::nullopt);
}

TEST(IniRead, RandomBytesNeverCrash) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> byte(0, 255);
  const char alphabet[] = "[]=;\r\n\t \x1A\"'k\0A";  // bytes that steer the parser, NUL included
  for (int round = 0; round < 2000; ++round) {
    std::string file(static_cast<std::size_t>(random() % 200), '\0');
    for (char& c : file) {
      c = (random() % 2) ? alphabet[random() % (sizeof alphabet - 1)] : static_cast<char>(byte(random));
    }
    const std::string value = ini::readValue(std::string_view(file), "A", "k", "Default", 255);
    EXPECT_LE(value.size(), 254u);
    EXPECT_EQ(value.find('\0'), std::string::npos);
  }
}

}  // namespace
}  // namespace vexorel
