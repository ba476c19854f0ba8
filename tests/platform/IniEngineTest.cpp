// What the golden files cannot show: buffer sizes other than the program's 255, the texts a write
// refuses and why, NUL bytes (the command line cannot carry them), and random files.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/IniEngine.h"

namespace vexorel {
namespace {

using namespace std::string_literals;

std::string read(std::string_view file, const char* key, const char* fallback = "Default", std::size_t size = 255) {
  return ini::readValue(file, "A", key, fallback, size);
}

TEST(IniEngine, BufferSizesDefaultsAndNuls) {
  const std::string file = "[A]\nk=" + std::string(300, 'x') + "\nq=\"yyyy\"\nn=ab\0cd\nx\0y=1\nm=v\n"s;
  EXPECT_EQ(read(file, "k", "", 4), "xxx");
  EXPECT_EQ(read(file, "q", "", 4), "yyy");
  EXPECT_EQ(read(file, "k", "", 1), "");
  EXPECT_EQ(read(file, "k", "", 0), "");
  EXPECT_EQ(read(file, "missing", "Default", 4), "Def");
  EXPECT_EQ(ini::readValue(std::nullopt, "A", "k", "Default ", 255), "Default") << "an unreadable file";
  EXPECT_EQ(read(file, "n"), "ab") << "a NUL ends the value";
  EXPECT_EQ(read(file, "m"), "v") << "elsewhere it is an ordinary byte";
  EXPECT_EQ(read(file, ""), "Default");
  EXPECT_EQ(ini::applyWrite("[A]\nx=\0\nk=1\n"s, "A", "k", "2"), "[A]\nx=\0\nk=2\n"s);
}

TEST(IniEngine, RefusesWhatALineCannotHold) {
  const struct {
    std::string section, key, value;
    const char* why;
  } cases[] = {
      {"A", "k", "a\nb", "the value contains a line break"},
      {"A", "k", "a\rb", "the value contains a line break"},
      {"A", "k", "a\0b"s, "the value contains a NUL character"},
      {"A\n", "k", "v", "the section name contains a line break"},
      {"A", "k\r", "v", "the key name contains a line break"},
      {"A", "k\0"s, "v", "the key name contains a NUL character"},
      {" ", "k", "v", "the section name is empty"},
      {"A", "", "v", "the key name is empty"},
      {"A", "a=b", "v", "the key name contains '='"},
      {"A", ";k", "v", "the key name would read back as a comment or a section header"},
      {"A", "[k]", "v", "the key name would read back as a comment or a section header"},
      // Found by fuzzing: the line's own Ctrl-Z end mark is kept, so this value grew with every write.
      {"A", "k", "v\x1A", "the value ends with a Ctrl-Z end-of-file mark"},
      {"A", "k", "a=b;c[d]\"'\x1A!", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ini::whyNotWritable(c.section, c.key, c.value), c.why) << c.value;
}

// On any file a write reads back, changes nothing when repeated, and is one edit inside one line (or
// only adds lines): no line break of the old file goes.
TEST(IniEngine, RandomFilesKeepEveryOtherByte) {
  std::mt19937 random(2024);
  const char alphabet[] = "[]=;\r\n\t \x1A\"'kA\0\xFF";
  for (int round = 0; round < 3000; ++round) {
    std::string before(static_cast<std::size_t>(random() % 120), '\0');
    for (char& c : before) c = alphabet[random() % (sizeof alphabet - 1)];
    EXPECT_LE(read(before, "k").size(), 254u);
    const std::string after = ini::applyWrite(before, "A", "k", "value");
    ASSERT_EQ(read(after, "k"), "value") << round;
    EXPECT_EQ(ini::applyWrite(after, "A", "k", "value"), after) << round;
    std::size_t prefix = 0;
    while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
      ++suffix;
    }
    EXPECT_EQ(before.substr(prefix, before.size() - prefix - suffix).find_first_of("\r\n"), std::string::npos)
        << "a write removed a line break, round " << round;
  }
}

}  // namespace
}  // namespace vexorel
