// The vexorel-profile command run as a real program: get, set, failures and usage.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/core/TempFolder.h"

extern char** environ;

namespace vexorel {
namespace {

using testing::readFileBytes;
using testing::TempFolder;
using testing::writeFileBytes;

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class ProfileTool : public ::testing::Test {
 protected:
  void SetUp() override {
    // The build tells the tests where it puts the tool.
    tool_ = VEXOREL_PROFILE_TOOL;
    ASSERT_TRUE(std::filesystem::exists(tool_)) << tool_;
  }

  ToolRun run(std::vector<std::string> args) {
    args.insert(args.begin(), tool_);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const std::string out = folder / "stdout";
    const std::string err = folder / "stderr";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    ToolRun result;
    if (::posix_spawn(&child, tool_.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
      int status = 0;
      ::waitpid(child, &status, 0);
      result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = readFileBytes(out);
    result.err = readFileBytes(err);
    return result;
  }

  TempFolder folder;
  std::string tool_;
};

TEST_F(ProfileTool, GetSetReadsAndFailures) {
  const std::string ini = folder / "UT.ini";
  writeFileBytes(ini, "[A]\r\nk=1\r\nEmpty=\r\n[B]\nj = two words \n");
  EXPECT_EQ(run({"get", ini, "a", "K"}).out, "1\n");
  EXPECT_EQ(run({"get", ini, "A", "Missing", "Fallback"}).out, "Fallback\n");
  ToolRun r = run({"set", ini, "C", "n", " 96"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(readFileBytes(ini), "[A]\r\nk=1\r\nEmpty=\r\n[B]\nj = two words \n[C]\r\nn= 96\r\n");
  const std::string queries = folder / "queries";
  writeFileBytes(queries, "A\tk\r\nb\tJ\n\nA\tEmpty\tFallback\nA\tmissing\tFallback  \nC");
  r = run({"reads", ini, queries});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "1\ntwo words\n\nFallback\n\n");
  r = run({"reads", ini, folder / "missing"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "vexorel-profile: cannot read " + (folder / "missing") + "\n");
  const std::string missing = folder / "nofolder/UT.ini";
  r = run({"set", missing, "A", "k", "v"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "vexorel-profile: cannot write " + missing + ": No such file or directory\n");
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"get", "f", "s"}, {"set", "f", "s", "k"}, {"remove", "f", "s", "k"}}) {
    r = run(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("usage: vexorel-profile get FILE SECTION KEY [DEFAULT]\n", 0), 0u);
  }
}

}  // namespace
}  // namespace vexorel
