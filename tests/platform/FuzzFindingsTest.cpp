// What the fuzz targets (fuzz/) found, kept as cases: each input as the fuzzer shrank it, with the
// invariant it broke.

#include <gtest/gtest.h>

#include <string>

#include "platform/IniEngine.h"
#include "platform/Platform.h"
#include "platform/RegistryStore.h"

namespace vexorel {
namespace {

registry::Value text(const std::string& bytes) {
  return {RegSz, bytes + '\0'};
}

// A value ending in Ctrl-Z grew by one Ctrl-Z with every write of the same value: a line's trailing
// Ctrl-Z is kept as its end mark, and the value's own one was taken for part of that mark.
TEST(FuzzFindings, AValueEndingInCtrlZIsRefusedAndTheEndMarkStillKept) {
  EXPECT_EQ(ini::whyNotWritable("Non", "NewKey", "\"quotedSpaced  Engine=\x1A"),
            "the value ends with a Ctrl-Z end-of-file mark");
  EXPECT_EQ(ini::whyNotWritable("Non", "NewKey",
                                "a\x1A"
                                "b"),
            "");  // inside a value it is plain data
  const std::string marked = "[A]\r\nk=1\r\x1A";
  const std::string once = ini::applyWrite(marked, "A", "k", "2");
  EXPECT_EQ(once, "[A]\r\nk=2\r\x1A");
  EXPECT_EQ(ini::applyWrite(once, "A", "k", "2"), once);
}

// A key whose last value line ends in a backslash that continues nothing (the file ends, or a blank
// line follows): a value added after it was read as that line's continuation and vanished.
TEST(FuzzFindings, AValueAddedAfterADanglingBackslashReadsBack) {
  for (const std::string& tail :
       {std::string("\\"), std::string("\\\n"), std::string("\\\n \n"), std::string("\\\r\n\r\n")}) {
    const std::string before = "[K]\n\"Fla\"=hex:01,02" + tail;
    const std::string after = registry::applySet(before, "K", "", text("v"));
    const auto added = registry::findValue(after, "K", "");
    ASSERT_TRUE(added.has_value()) << after;
    EXPECT_EQ(added->bytes, std::string("v\0", 2));
    // The dangling line reads as before (not at all: its data ends in a stray backslash), and the new
    // line went in front of it, leaving its bytes as they were.
    EXPECT_EQ(registry::findValue(after, "K", "Fla").has_value(), registry::findValue(before, "K", "Fla").has_value());
    EXPECT_EQ(after, "[K]\n@=\"v\"\n\"Fla\"=hex:01,02" + tail);
    EXPECT_EQ(registry::applySet(after, "K", "", text("v")), after);
  }
  // A key added at the end of such a file: the blank line before its header ends the dangling line.
  const std::string before = "[A]\r\n\"a\"=hex:01,02\\";
  const std::string after = registry::applySet(before, "B", "b", text("x"));
  EXPECT_FALSE(registry::findValue(after, "A", "a").has_value());
  EXPECT_EQ(registry::findValue(after, "B", "b")->bytes, std::string("x\0", 2));
  // Real continued data still continues.
  const auto joined = registry::findValue("[A]\n\"a\"=hex:01,\\\n  02\n", "A", "a");
  ASSERT_TRUE(joined.has_value());
  EXPECT_EQ(joined->bytes, "\x01\x02");
}

}  // namespace
}  // namespace vexorel
