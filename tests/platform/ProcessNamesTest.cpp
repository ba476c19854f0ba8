// Which running process is the game: the rule over a process's short name and command line, a case a line
// of process-names.txt.
#include <gtest/gtest.h>

#include "platform/ProcessNames.h"
#include "support/core/Table.h"

namespace vexorel {
namespace {

using testing::Row;

TABLE_TEST(ProcessNames, TableOfCases, testing::RowName({0, 1, 2}), "platform/process-names.txt") {
  std::string cmdline;  // its arguments, a NUL between them
  for (std::size_t i = 2; i < row.size(); ++i) cmdline += (i > 2 ? std::string(1, '\0') : "") + row[i];
  EXPECT_EQ(processes::isProcessOf("UnrealTournament.exe", row[1], cmdline), row[0] == "yes");
}

}  // namespace
}  // namespace vexorel
