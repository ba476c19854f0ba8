// Writes that fail part-way or cannot start, each in a child process under the fault: a file-size limit
// (the full disk: write() fails with EFBIG), no file descriptors left, a folder the writer may not write
// in (as an unprivileged user, so that it holds when the tests run as root; skipped, and reported so,
// where the writer cannot become one), and a name that is a folder.
// Each time the old file stays byte for byte, the call says false with its reason, and no temporary file
// is left behind; with the fault gone the same write goes through.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "safety/ChildProcess.h"
#include "support/core/TempFolder.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

TEST(FailingWrite, EveryFaultKeepsTheOldFileAndSaysWhy) {
  TempFolder temp;
  const fs::path folder = temp.path() / "System";
  const std::string file = (folder / "UnrealTournament.ini").string(), value = "Changed.RenderDevice";
  fs::create_directories(folder);
  writeFileBytes(file, demoGameIni());
  const auto write = [&](const std::string& option, const std::string& reason) {
    ChildProcess writer({"once", file, "Engine.Engine", "GameRenderDevice", value, option});
    const std::string said = writer.read();
    const int exitCode = writer.wait();
    if (reason.empty()) return exitCode;
    EXPECT_EQ(exitCode, 1) << option;
    EXPECT_EQ(said, (option == "nofile=3" ? "cannot read " : "cannot write ") + file + ": " + reason) << option;
    EXPECT_EQ(readFileBytes(file), demoGameIni()) << option;
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << option;
    return exitCode;
  };
  // Below the file's size, at half of it and one byte short of the new content: each write fails inside
  // the temporary file. With room for the new content it goes through.
  const std::size_t newSize = demoGameIni().size() + value.size() - std::string("D3DDrv.D3DRenderDevice").size();
  for (const std::size_t limit : {std::size_t{1}, newSize / 2, newSize - 1})
    write("fsize=" + std::to_string(limit), "File too large");
  ASSERT_EQ(write("fsize=" + std::to_string(newSize), ""), 0);
  EXPECT_NE(readFileBytes(file).find("GameRenderDevice=" + value + "\r\n"), std::string::npos);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  writeFileBytes(file, demoGameIni());

  write("nofile=3", "Too many open files");

  fs::remove(file);
  fs::create_directory(file);
  writeFileBytes(fs::path(file) / "inside.txt", "kept");
  ChildProcess intoFolder({"once", file, "Engine.Engine", "GameRenderDevice", value});
  EXPECT_EQ(intoFolder.read(), "cannot write " + file + ": it is a folder");
  EXPECT_EQ(intoFolder.wait(), 1);
  EXPECT_EQ(readFileBytes(fs::path(file) / "inside.txt"), "kept");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(file);
  writeFileBytes(file, demoGameIni());

  // The writer runs as "nobody" when the tests run as root, so the folder's permission bits hold.
  fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::others_exec);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
  }
  fs::permissions(folder,
                  fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
  if (write("nobody", "") == 2)
    GTEST_SKIP() << "the writer cannot run as an unprivileged user: no write-permission case";
  write("nobody", "Permission denied");
  fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(write("nobody", ""), 0);
  EXPECT_NE(readFileBytes(file).find("GameRenderDevice=" + value + "\r\n"), std::string::npos);
}

}  // namespace
}  // namespace vexorel::testing
