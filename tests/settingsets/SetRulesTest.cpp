// The naming and numbering rules of setting sets, and the name check held against the real
// private-profile engine: a name is refused exactly when it would not read back as typed.

#include <gtest/gtest.h>

#include "core/ReadModule.h"
#include "core/SetRules.h"
#include "support/core/FakePlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel::testing {
namespace {

TEST(SetRules, SectionNamesAndCounts) {
  EXPECT_EQ(sets::sectionName(12), "Save12");
  EXPECT_EQ(sets::parseSaveNumber("0"), 0);
  EXPECT_EQ(sets::parseSaveNumber("03"), 3);
  EXPECT_EQ(sets::parseSaveNumber("32767"), 32767);
  for (const char* text : {"", "Default", "abc", "-1", "+1", "1e3", " 1", "1 ", "3.0", "32768", "99999999999"}) {
    EXPECT_FALSE(sets::parseSaveNumber(text).has_value()) << text;
  }
}

// Writes the name as a set's "SaveName" and reads it back the way the load window does.
bool roundTrips(Platform& platform, ReadModule& module, const std::string& file, const std::string& name) {
  if (!platform.writePrivateProfileString("Save1", "SaveName", name, file)) return false;
  return module.ReadProfileValue("Save1", "SaveName", file) == name;
}

TEST(SetRules, RefusedExactlyWhenTheFileCannotHoldTheName) {
  TempFolder temp;
  FakePlatform platform(PosixPlatformOptions{temp / "registry.reg", temp.path().string()});
  ReadModule module(platform);
  const std::string file = temp / "Vexorel.ini";

  const std::string names[] = {
      // Kept: the value is everything after the key's '=', so these characters are plain text there.
      "Fast", "a=b", "=lead", "[Save2]", "x]", ";comment", "x;y", "Default", "Été über ñ 日本", "Mid  blanks", "a\tb",
      "\"half", "'mixed\"", "'", std::string(254, 'y'), std::string(127, 'y') + "\xC3\xA9",
      // Refused: trimmed, cut, stripped or cut short by the reader, or refused by the writer.
      " lead", "trail ", "\tTab", "end\x1A", "Fast\nSlow", "Fast\r", std::string("a\0b", 3), std::string(255, 'z'),
      std::string(300, 'z'), std::string(128, 'z') + "\xC3\xA9", "\"quoted\"", "'single'", "   "};
  for (const std::string& name : names) {
    EXPECT_EQ(!sets::nameProblem(name).has_value(), roundTrips(platform, module, file, name)) << name;
  }
}

}  // namespace
}  // namespace vexorel::testing
