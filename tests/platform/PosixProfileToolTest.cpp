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

TEST_F(ProfileTool, GetAndSet) {
  const std::string ini = folder / "UT.ini";
  writeFileBytes(ini, "[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice\r\n");
  ToolRun r = run({"get", ini, "engine.engine", "GameRenderDevice"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "D3DDrv.D3DRenderDevice\n");
  r = run({"get", ini, "Engine.Engine", "Missing", "Fallback"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "Fallback\n");
  r = run({"get", ini, "Engine.Engine", "Missing"});
  EXPECT_EQ(r.out, "\n");

  r = run({"set", ini, "Engine.GameEngine", "CacheSizeMegs", " 96"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(
      readFileBytes(ini),
      "[Engine.Engine]\r\nGameRenderDevice=D3DDrv.D3DRenderDevice\r\n[Engine.GameEngine]\r\nCacheSizeMegs= 96\r\n");
}

TEST_F(ProfileTool, ManyReadsFromAQueryFile) {
  const std::string ini = folder / "UT.ini";
  writeFileBytes(ini, "[A]\r\nk=1\r\nEmpty=\r\n[B]\nj = two words \n");
  const std::string queries = folder / "queries";
  writeFileBytes(queries, "A\tk\r\nb\tJ\n\nA\tEmpty\tFallback\nA\tmissing\tFallback  \nA\tmissing\nC");
  ToolRun r = run({"reads", ini, queries});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "1\ntwo words\n\nFallback\n\n\n");
  r = run({"reads", ini, folder / "missing"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "vexorel-profile: cannot read " + (folder / "missing") + "\n");
}

TEST_F(ProfileTool, FailedWritesAndWrongUsage) {
  const std::string missing = folder / "nofolder/UT.ini";
  ToolRun r = run({"set", missing, "A", "k", "v"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "vexorel-profile: cannot write " + missing + ": No such file or directory\n");
  EXPECT_EQ(r.out, "");

  for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                               {"get", "f", "s"},
                                               {"set", "f", "s", "k"},
                                               {"get", "f", "s", "k", "d", "x"},
                                               {"remove", "f", "s", "k"}}) {
    r = run(args);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err.rfind("usage: vexorel-profile get FILE SECTION KEY [DEFAULT]\n", 0), 0u);
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
}  // namespace vexorel
