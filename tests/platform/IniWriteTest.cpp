// The write rules of the private-profile engine: each case gives the file before and after, byte for
// byte, so everything a write must not touch is compared too.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/IniEngine.h"

namespace vexorel {
namespace {

using namespace std::string_literals;

struct WriteCase {
  const char* what;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

const WriteCase kWriteCases[] = {
    {"replace keeps CRLF", "[A]\r\nk=1\r\nj=2\r\n", "A", "k", "22", "[A]\r\nk=22\r\nj=2\r\n"},
    {"replace keeps the key's spelling and indentation", "[a]\n  KEY = 1 \nj=2\n", "A", "key", "x",
     "[a]\n  KEY =x\nj=2\n"},
    {"leading blank of the value is written", "[Engine.GameEngine]\r\nCacheSizeMegs=4\r\n", "Engine.GameEngine",
     "CacheSizeMegs", " 96", "[Engine.GameEngine]\r\nCacheSizeMegs= 96\r\n"},
    {"empty value", "[A]\nk=1\n", "A", "k", "", "[A]\nk=\n"},
    {"quoted value replaced as a whole", "[A]\nk=\"1\"\n", "A", "k", "2", "[A]\nk=2\n"},
    {"last line without a line break", "[A]\nk=1", "A", "k", "2", "[A]\nk=2"},
    {"Ctrl-Z end mark kept", "[A]\r\nk=1\r\x1A", "A", "k", "2", "[A]\r\nk=2\r\x1A"},
    {"bare key gets its '='", "[A]\n  k  \r\nj=1\r\n", "A", "k", "v", "[A]\n  k=v\r\nj=1\r\n"},
    {"only the first duplicate key changes", "[A]\nk=1\nk=2\n", "A", "k", "3", "[A]\nk=3\nk=2\n"},
    {"only the first duplicate section changes", "[A]\nk=1\n[B]\n[a]\nk=2\n", "A", "k", "3",
     "[A]\nk=3\n[B]\n[a]\nk=2\n"},
    {"new key after the last entry, before closing blank lines", "[A]\r\nk=1\r\n\r\n\r\n[B]\r\nx=1\r\n", "A", "j", "2",
     "[A]\r\nk=1\r\nj=2\r\n\r\n\r\n[B]\r\nx=1\r\n"},
    {"new key in the first duplicate section", "[A]\nk=1\n[A]\nj=1\n", "a", "j", "2", "[A]\nk=1\nj=2\n[A]\nj=1\n"},
    {"new key after a header alone", "[A]\n\n[B]\n", "A", "k", "v", "[A]\nk=v\n\n[B]\n"},
    {"new key after a header ending the file", "[A]", "A", "k", "v", "[A]\r\nk=v"},
    {"new key after an entry ending the file", "[A]\nj=1", "A", "k", "v", "[A]\nj=1\nk=v"},
    {"new key after a trailing comment of the section", "[A]\nk=1\n; note\n[B]\n", "A", "j", "2",
     "[A]\nk=1\n; note\nj=2\n[B]\n"},
    {"comment lookalike is not the key", "[A]\n;k=1\n", "A", "k", "2", "[A]\n;k=1\nk=2\n"},
    {"new section appended", "[A]\r\nk=1\r\n", "B", "j", "2", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n"},
    {"new section after a file without final line break", "[A]\r\nk=1", "B", "j", "2", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n"},
    {"new lines take the first line break style", "[A]\nk=1\r\n", "B", "j", "2", "[A]\nk=1\r\n[B]\nj=2\n"},
    {"first break CRLF wins in a mixed file", "[A]\r\nk=1\n", "A", "j", "2", "[A]\r\nk=1\nj=2\r\n"},
    {"empty file gets CRLF", "", "A", "k", "v", "[A]\r\nk=v\r\n"},
    {"single line without a break gets CRLF", "; hello", "A", "k", "v", "; hello\r\n[A]\r\nk=v\r\n"},
    {"BOM kept", "\xEF\xBB\xBF[A]\nk=1\n", "A", "k", "2", "\xEF\xBB\xBF[A]\nk=2\n"},
    {"BOM-only file", "\xEF\xBB\xBF", "A", "k", "v", "\xEF\xBB\xBF[A]\r\nk=v\r\n"},
    {"'[' line without ']' is an entry of the section", "[A]\n[B\n", "A", "k", "v", "[A]\n[B\nk=v\n"},
    {"section and key given with blanks are trimmed", "", " A ", " k ", " v ", "[A]\r\nk= v \r\n"},
    {"foreign bytes around the edit stay", "[A]\n\xE9=\xFF\nk=1\n\x80\n", "A", "k", "\xE4",
     "[A]\n\xE9=\xFF\nk=\xE4\n\x80\n"},
    {"NUL bytes elsewhere stay", "[A]\nx=\0\nk=1\n"s, "A", "k", "2", "[A]\nx=\0\nk=2\n"s},
    {"header found by the last ']'", "[A]B]\nk=1\n", "A]B", "k", "2", "[A]B]\nk=2\n"},
};

TEST(IniWrite, ChangesOnlyItsOwnLine) {
  for (const WriteCase& c : kWriteCases) {
    ASSERT_EQ(ini::whyNotWritable(c.section, c.key, c.value), "") << c.what;
    EXPECT_EQ(ini::applyWrite(c.before, c.section, c.key, c.value), c.after) << c.what;
  }
}

TEST(IniWrite, WrittenValuesReadBack) {
  for (const WriteCase& c : kWriteCases) {
    const std::string after = ini::applyWrite(c.before, c.section, c.key, c.value);
    std::string expected = c.value;
    expected = expected.substr(expected.find_first_not_of(' ') == std::string::npos ? expected.size()
                                                                                    : expected.find_first_not_of(' '));
    expected = expected.substr(0, expected.find_last_not_of(' ') + 1);
    EXPECT_EQ(ini::readValue(std::string_view(after), c.section, c.key, "Default", 255), expected) << c.what;
  }
}

TEST(IniWrite, RefusesWhatALineCannotHold) {
  EXPECT_EQ(ini::whyNotWritable("A", "k", "a\nb"), "the value contains a line break");
  EXPECT_EQ(ini::whyNotWritable("A", "k", "a\rb"), "the value contains a line break");
  EXPECT_EQ(ini::whyNotWritable("A", "k", "a\0b"s), "the value contains a NUL character");
  EXPECT_EQ(ini::whyNotWritable("A\n", "k", "v"), "the section name contains a line break");
  EXPECT_EQ(ini::whyNotWritable("A", "k\r", "v"), "the key name contains a line break");
  EXPECT_EQ(ini::whyNotWritable("A", "k\0"s, "v"), "the key name contains a NUL character");
  EXPECT_EQ(ini::whyNotWritable(" ", "k", "v"), "the section name is empty");
  EXPECT_EQ(ini::whyNotWritable("A", "", "v"), "the key name is empty");
  EXPECT_EQ(ini::whyNotWritable("A", "a=b", "v"), "the key name contains '='");
  EXPECT_NE(ini::whyNotWritable("A", ";k", "v"), "");
  EXPECT_NE(ini::whyNotWritable("A", "[k]", "v"), "");
  EXPECT_EQ(ini::whyNotWritable("A", "k", "a=b;c[d]\"'"), "");
}

TEST(IniWrite, LongLinesNoFinalBreakAndDuplicatesSurvive) {
  const std::string longLine = std::string("pad=") + std::string(70 * 1024, 'p');
  const std::string before = "[A]\r\n" + longLine + "\r\nk=1\r\n[A]\r\nk=9\r\n[B]\r\n" + longLine;
  const std::string after = ini::applyWrite(before, "A", "k", "2");
  EXPECT_EQ(after, "[A]\r\n" + longLine + "\r\nk=2\r\n[A]\r\nk=9\r\n[B]\r\n" + longLine);
  EXPECT_EQ(ini::applyWrite(after, "B", "n", "3"),
            "[A]\r\n" + longLine + "\r\nk=2\r\n[A]\r\nk=9\r\n[B]\r\n" + longLine + "\r\nn=3");
}

// On any file, a write leaves every byte before and after its own line untouched, and reads back.
TEST(IniWrite, RandomFilesKeepEveryOtherByte) {
  std::mt19937 random(2024);
  const char alphabet[] = "[]=;\r\n\t \x1A\"'kA\0\xFF";
  for (int round = 0; round < 2000; ++round) {
    std::string before(static_cast<std::size_t>(random() % 120), '\0');
    for (char& c : before) c = alphabet[random() % (sizeof alphabet - 1)];
    const std::string after = ini::applyWrite(before, "A", "k", "value");
    ASSERT_EQ(ini::readValue(std::string_view(after), "A", "k", "Default", 255), "value") << round;
    // The change is one contiguous edit: a common prefix and suffix cover all of the old file but what
    // the key's line held after its '='.
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
      ++suffix;
    }
    const std::string removed = before.substr(prefix, before.size() - prefix - suffix);
    EXPECT_EQ(removed.find('\n'), std::string::npos) << "a write removed a line break, round " << round;
  }
}

}  // namespace
}  // namespace vexorel
