// The naming and numbering rules of setting sets from a table, the name check held against the real
// private-profile engine: a name is refused exactly when it would not read back as typed.

#include <sstream>

#include "core/ReadModule.h"
#include "core/SetRules.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

std::string decoded(const std::string& text) {  // \xHH is that byte, {c*N} is N copies of c
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "\\x") == 0) {
      out += static_cast<char>(std::stoi(text.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else if (text[i] == '{') {
      const std::size_t end = text.find('}', i);
      out.append(std::stoul(text.substr(i + 3, end - i - 3)), text[i + 1]);
      i = end;
    } else {
      out += text[i];
    }
  }
  return out;
}

TEST(SetRules, EveryCaseOfTheTable) {
  TempFolder temp;
  FakePlatform platform(PosixPlatformOptions{temp / "registry.reg", temp.path().string()});
  ReadModule module(platform);
  const std::string file = temp / "Vexorel.ini";
  EXPECT_EQ(sets::sectionName(12), "Save12");
  std::istringstream table(testData("settingsets/setrules.txt"));
  int cases = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.starts_with('#')) continue;
    const std::size_t bar = line.find('|'), last = line.rfind('|');
    const std::string kind = line.substr(0, bar), name = decoded(line.substr(bar + 1, last - bar - 1));
    ++cases;
    if (kind == "number") {
      const auto count = sets::parseSaveNumber(name);
      EXPECT_EQ(count ? std::to_string(*count) : "-", line.substr(last + 1)) << line;
      continue;
    }
    const std::string typed = decoded(line.substr(bar + 1));
    // Written as a set's "SaveName" and read back the way the load window does.
    const bool readsBack = platform.writePrivateProfileString("Save1", "SaveName", typed, file) &&
                           module.ReadProfileValue("Save1", "SaveName", file) == typed;
    EXPECT_EQ(!sets::nameProblem(typed).has_value(), kind == "keep") << line;
    EXPECT_EQ(readsBack, kind == "keep") << line;
  }
  EXPECT_EQ(cases, 43);
}

}  // namespace
}  // namespace vexorel::testing
