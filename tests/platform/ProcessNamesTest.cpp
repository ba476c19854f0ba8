// Which running process is the game: the rule over a process's short name and command line, as a table.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "platform/ProcessNames.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

TEST(ProcessNames, TableOfCases) {
  std::istringstream table(testing::readFileBytes(std::string(VEXOREL_SOURCE_DIR) + "/tests/platform/process-names.txt"));
  int cases = 0;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    const std::size_t answer = line.find('|'), comm = line.find('|', answer + 1);
    std::string cmdline = line.substr(comm + 1);
    std::replace(cmdline.begin(), cmdline.end(), '|', '\0');
    const bool expected = line.substr(0, answer) == "yes";
    EXPECT_EQ(processes::isProcessOf("UnrealTournament.exe", line.substr(answer + 1, comm - answer - 1), cmdline),
              expected)
        << line;
    ++cases;
  }
  EXPECT_EQ(cases, 17);
}

}  // namespace
}  // namespace vexorel
