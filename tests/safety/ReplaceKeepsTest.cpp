// What a replacement keeps: the permission bits, a symbolic link (its target is replaced), and a file
// with other hard links (refused, so every name keeps the same bytes); and what it cleans up: the
// temporary files of writers that no longer run.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/PosixPlatform.h"
#include "support/core/TempFolder.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ReplaceKeeps, BitsLinksAndHardLinksAndLeftoversOfWritersThatAreGone) {
  TempFolder temp;
  PosixPlatform platform{PosixPlatformOptions{temp / "registry.reg", temp.path().string(), "", false}};
  const auto write = [&](const std::string& name, const std::string& value) {
    return platform.writePrivateProfileString("A", "k", value, name);
  };
  const auto modeOf = [&](const std::string& name) {
    struct stat info {};
    ::lstat((temp / name).c_str(), &info);
    return info.st_mode & 07777;
  };
  const auto count = [](const fs::path& folder) { return std::distance(fs::directory_iterator(folder), {}); };
  writeFileBytes(temp / "game.ini", "[A]\r\nk=1\r\n");
  for (const mode_t mode : {0600, 0640, 0604, 0755, 0660}) {
    ASSERT_EQ(::chmod((temp / "game.ini").c_str(), mode), 0);
    ASSERT_TRUE(write("game.ini", std::to_string(mode))) << platform.lastError();
    EXPECT_EQ(modeOf("game.ini"), mode);
    fs::remove(temp.path() / "copy.ini");
    ASSERT_TRUE(platform.copyFile("game.ini", "copy.ini", false));
    EXPECT_EQ(modeOf("copy.ini"), mode) << "a new copy takes the source's bits";
  }

  // A file with other hard links is refused by every call that replaces it; reads are not affected.
  writeFileBytes(temp / "game.ini", "[A]\r\nk=1\r\n");
  fs::create_hard_link(temp.path() / "game.ini", temp.path() / "other-name.ini");
  const std::string refused = "cannot write " + (temp / "game.ini") +
                              ": the file has other hard links; it is not replaced, so that they stay the same";
  EXPECT_FALSE(write("game.ini", "2"));
  EXPECT_EQ(platform.lastError(), refused);
  EXPECT_FALSE(platform.copyFile("other-name.ini", "game.ini", false));
  EXPECT_EQ(platform.lastError(), refused);
  EXPECT_FALSE(platform.createEmptyFile("game.ini"));
  EXPECT_EQ(readFileBytes(temp / "other-name.ini"), "[A]\r\nk=1\r\n");
  EXPECT_EQ(fs::hard_link_count(temp.path() / "game.ini"), 2u);
  std::string value;
  platform.getPrivateProfileString("A", "k", "", value, 255, "game.ini");
  EXPECT_EQ(value, "1");
  fs::remove(temp.path() / "other-name.ini");

  // Leftovers: of a writer that no longer runs (a process id just used and reaped), of a running one
  // (process 1), of a running one whose file is hours old (its id was given to another process since),
  // and another file's. None is taken for the file, in any spelling of its name.
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ASSERT_GT(gone, 0);
  ::waitpid(gone, nullptr, 0);
  const std::string dead = ".game.ini.vxtmp-" + std::to_string(gone) + "-0", live = ".game.ini.vxtmp-1-0",
                    old = ".game.ini.vxtmp-1-7", other = ".other.ini.vxtmp-" + std::to_string(gone) + "-0";
  for (const std::string& name : {dead, live, old, other}) writeFileBytes(temp / name, "[A]\r\nk=9\r\n");
  const timeval hoursAgo[2] = {{::time(nullptr) - 7200, 0}, {::time(nullptr) - 7200, 0}};
  ASSERT_EQ(::utimes((temp / old).c_str(), hoursAgo), 0);
  platform.getPrivateProfileString("A", "k", "", value, 255, "GAME.INI");
  EXPECT_EQ(value, "1");
  ASSERT_TRUE(write("Game.ini", "2")) << platform.lastError();
  EXPECT_EQ(readFileBytes(temp / "game.ini"), "[A]\r\nk=2\r\n");
  EXPECT_FALSE(fs::exists(temp / dead) || fs::exists(temp / old));
  EXPECT_TRUE(fs::exists(temp / live) && fs::exists(temp / other));
  for (const std::string& name : {live, other}) fs::remove(temp / name);

  // A symbolic link (and a link to it) stays a link; its target is replaced, beside itself, keeping its
  // bits, and is refused when read-only.
  fs::create_directories(temp.path() / "real");
  fs::rename(temp.path() / "game.ini", temp.path() / "real" / "game.ini");
  ::chmod((temp / "real/game.ini").c_str(), 0640);
  fs::create_symlink("real/game.ini", temp.path() / "link.ini");
  fs::create_symlink(temp / "link.ini", temp.path() / "chain.ini");
  ASSERT_TRUE(write("chain.ini", "2")) << platform.lastError();
  ASSERT_TRUE(write("link.ini", "3")) << platform.lastError();
  EXPECT_TRUE(fs::is_symlink(temp.path() / "chain.ini"));
  EXPECT_EQ(fs::read_symlink(temp.path() / "link.ini"), "real/game.ini");
  EXPECT_EQ(readFileBytes(temp / "real/game.ini"), "[A]\r\nk=3\r\n");
  EXPECT_EQ(modeOf("real/game.ini"), 0640u);
  EXPECT_EQ(count(temp.path() / "real"), 1);
  ::chmod((temp / "real/game.ini").c_str(), 0440);
  EXPECT_FALSE(write("link.ini", "4"));
  EXPECT_EQ(platform.lastError(), "cannot write " + (temp / "link.ini") + ": the file is read-only");
}

}  // namespace
}  // namespace vexorel::testing
