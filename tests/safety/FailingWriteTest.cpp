// Writes that fail part-way or cannot start, each in a child process under the fault: a file-size
// limit (the full disk: write() fails with EFBIG), no file descriptors left, a folder the writer may
// not write in (as an unprivileged user, so that it holds when the tests run as root), and a name that
// is a folder. Each time the old file stays byte for byte, the call says false with a reason, and no
// temporary file is left behind.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "safety/ChildProcess.h"
#include "support/core/TempFolder.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int exitCode = -1;
  std::string reason;
};

Outcome writeOnce(const std::string& file, const std::vector<std::string>& options,
                  const std::string& value = "D3DDrv.D3DRenderDevice") {
  std::vector<std::string> arguments{"once", file, "Engine.Engine", "GameRenderDevice", value};
  arguments.insert(arguments.end(), options.begin(), options.end());
  ChildProcess writer(arguments);
  Outcome outcome;
  if (writer.started()) outcome.exitCode = writer.finish(outcome.reason);
  return outcome;
}

std::size_t entriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

class FailingWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(folder);
    writeFileBytes(file, demoGameIni());
  }
  // The old bytes, and nothing else in the folder.
  void expectUntouched() {
    EXPECT_EQ(readFileBytes(file), demoGameIni());
    EXPECT_EQ(entriesIn(folder), 1u);
  }

  TempFolder temp;
  fs::path folder = temp.path() / "System";
  std::string file = (folder / "UnrealTournament.ini").string();
};

TEST_F(FailingWrite, AFileSizeLimitStopsTheWriteHalfWayAndTheOldFileStays) {
  const std::string value = "Changed.RenderDevice";
  // Below the file's size, at half of it and one byte short of the new content: each write fails
  // inside the temporary file.
  const std::size_t newSize = demoGameIni().size() + value.size() - std::string("D3DDrv.D3DRenderDevice").size();
  for (const std::size_t limit : {std::size_t{1}, newSize / 2, newSize - 1}) {
    const Outcome outcome = writeOnce(file, {"fsize=" + std::to_string(limit)}, value);
    EXPECT_EQ(outcome.exitCode, 1) << limit;
    EXPECT_EQ(outcome.reason, "cannot write " + file + ": File too large") << limit;
    expectUntouched();
  }
  // With room for the new content the same write goes through.
  EXPECT_EQ(writeOnce(file, {"fsize=" + std::to_string(newSize)}, value).exitCode, 0);
  EXPECT_NE(readFileBytes(file).find("GameRenderDevice=" + value + "\r\n"), std::string::npos);
  EXPECT_EQ(entriesIn(folder), 1u);
}

TEST_F(FailingWrite, NoFileDescriptorLeftIsAFailureWithAReason) {
  const Outcome outcome = writeOnce(file, {"nofile=3"});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.reason, "cannot read " + file + ": Too many open files");
  expectUntouched();
}

TEST_F(FailingWrite, AFolderTheWriterMayNotWriteInKeepsTheFile) {
  // The writer runs as "nobody" when the tests run as root, so the folder's permission bits hold.
  fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::others_exec);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
  }
  fs::permissions(folder,
                  fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
  const Outcome outcome = writeOnce(file, {"nobody"}, "Other.Device");
  if (outcome.exitCode == 2) GTEST_SKIP() << "the writer cannot run as an unprivileged user here";
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.reason, "cannot write " + file + ": Permission denied");
  expectUntouched();
  // The same writer may write once the folder is writable again.
  fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(writeOnce(file, {"nobody"}, "Other.Device").exitCode, 0);
  EXPECT_NE(readFileBytes(file).find("GameRenderDevice=Other.Device\r\n"), std::string::npos);
}

TEST_F(FailingWrite, ANameThatIsAFolderIsRefused) {
  fs::remove(file);
  fs::create_directory(file);
  writeFileBytes(fs::path(file) / "inside.txt", "kept");
  const Outcome outcome = writeOnce(file, {});
  EXPECT_EQ(outcome.exitCode, 1);
  EXPECT_EQ(outcome.reason, "cannot write " + file + ": it is a folder");
  EXPECT_TRUE(fs::is_directory(file));
  EXPECT_EQ(readFileBytes(fs::path(file) / "inside.txt"), "kept");
  EXPECT_EQ(entriesIn(folder), 1u);
}

}  // namespace
}  // namespace vexorel::testing
