// Faults that strike the writer, which runs in a child process (fork) so that it can be killed, limited and
// stripped of privileges without touching the test program.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <random>
#include <thread>

#include "platform/FileReplace.h"
#include "platform/formats/IniEngine.h"
#include "platform/linux/LinuxPlatform.h"
#include "support/core/TempFolder.h"
#include "support/gui/GuiTest.h"

namespace vexorel::testing {
namespace {

namespace fs = std::filesystem;

// `work` run in a child process, which ends with it; what it returns comes back through a pipe. Straight out
// with _exit: under a sanitizer the leak check at exit would need the file descriptors (or rights) a limit took.
struct Child {
  explicit Child(const std::function<std::string()>& work) {
    if (::pipe(ends) != 0 || (pid = ::fork()) != 0) return;
    const std::string said = work();
    ::_exit(::write(ends[1], said.data(), said.size()) == static_cast<ssize_t>(said.size()) ? 0 : 1);
  }
  // What the child said once it ended; kill() brings that end about.
  std::string said() {
    int status = -1;  // no normal end, unless the child had one
    if (pid > 0) ::waitpid(pid, &status, 0);
    ::close(ends[1]);
    const std::string text = readFileBytes("/dev/fd/" + std::to_string(ends[0]));
    ::close(ends[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "(the child did not finish)";
  }
  std::string kill() { return pid > 0 ? ::kill(pid, SIGKILL) : 0, said(); }
  int ends[2] = {-1, -1};
  pid_t pid = -1;
};

// The child's backend, made once in each child and never destroyed: after a limit even a sanitizer's check of the
// destructor could fail for want of a file descriptor.
LinuxPlatform& childsPlatform() {
  static LinuxPlatform platform(LinuxPlatformOptions{"/nonexistent/vexorel-registry.reg", "/", "", false});
  return platform;
}

long entries(const fs::path& folder) {
  return std::distance(fs::directory_iterator(folder), {});
}

// Writes that fail part-way or cannot start: a file-size limit (the full disk: write() fails with EFBIG, SIGXFSZ
// ignored), no file descriptors left, a folder the writer may not write in (as the user "nobody" when the tests run
// as root, so that the permission bits hold; skipped, and reported so, where the writer cannot become one). Each
// time the old file stays byte for byte, the call says why, and no temporary file is left; with the fault gone the
// same write goes through.
TEST(FailingWrite, EveryFaultKeepsTheOldFileAndSaysWhy) {
  TempFolder temp;
  const fs::path folder = temp.path() / "System";
  const std::string file = (folder / "UnrealTournament.ini").string(), value = "Changed.RenderDevice";
  fs::create_directories(folder);
  writeFileBytes(file, demoGameIni());
  // What the writer said ("" when it wrote) with a limit on a resource, or as "nobody" (kAsNobody); SIGXFSZ ignored.
  constexpr int kAsNobody = -1;
  const auto write = [&](int resource, rlim_t most = 0) {
    return Child([&] {
             LinuxPlatform& platform = childsPlatform();
             const rlimit limit{most, resource == RLIMIT_FSIZE ? RLIM_INFINITY : most};
             std::signal(SIGXFSZ, SIG_IGN);
             if (resource == kAsNobody ? ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)
                                       : ::setrlimit(resource, &limit) != 0)
               return std::string("no limit");
             const bool written = platform.writePrivateProfileString("Engine.Engine", "GameRenderDevice", value, file);
             return written ? std::string() : platform.lastError();
           })
        .said();
  };
  const auto fails = [&](int resource, rlim_t most, const std::string& expected) {
    EXPECT_EQ(write(resource, most), expected);
    EXPECT_EQ(readFileBytes(file), demoGameIni()) << expected;
    EXPECT_EQ(entries(folder), 1) << expected;
  };
  // Below the file's size, at half of it and one byte short of the new content: each write fails inside the
  // temporary file. With room for the new content it goes through.
  const std::size_t newSize = demoGameIni().size() + value.size() - std::string("D3DDrv.D3DRenderDevice").size();
  for (const std::size_t limit : {std::size_t{1}, newSize / 2, newSize - 1})
    fails(RLIMIT_FSIZE, limit, "cannot write " + file + ": File too large");
  ASSERT_EQ(write(RLIMIT_FSIZE, newSize), "");
  EXPECT_NE(readFileBytes(file).find("GameRenderDevice=" + value + "\r\n"), std::string::npos);
  EXPECT_EQ(entries(folder), 1);
  writeFileBytes(file, demoGameIni());

  fails(RLIMIT_NOFILE, 3, "cannot read " + file + ": Too many open files");  // standard input, output and error

  fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::others_exec);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
  }
  fs::permissions(folder,
                  fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
  if (write(kAsNobody) == "no limit")
    GTEST_SKIP() << "the writer cannot run as an unprivileged user: no permission case";
  fails(kAsNobody, 0, "cannot write " + file + ": Permission denied");
  fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(write(kAsNobody), "");
  EXPECT_NE(readFileBytes(file).find("GameRenderDevice=" + value + "\r\n"), std::string::npos);
}

// A writer killed with SIGKILL at random moments, a thousand times, over a game file of a thousand lines:
// after every kill the file is, byte for byte, the content before or after one whole write, and the
// temporary files a killed writer leaves are never read as the file and go with the next write.
// The writer counts up in the file's last key; the file holding count `last` is known.
std::string contentAfter(long last) {
  static const std::string base = [] {
    std::string text = demoGameIni();
    for (int section = 0; std::count(text.begin(), text.end(), '\n') < 990; ++section) {
      text += "\r\n[Pad." + std::to_string(section) + "]\r\n";
      for (int key = 0; key < 8; ++key) text += "Key" + std::to_string(key) + "=Value " + std::to_string(key) + "\r\n";
    }
    return text + "\r\n[Pad.Last]\r\nCounter=0\r\n";
  }();
  return ini::applyWrite(base, "Pad.Last", "Counter", std::to_string(last));
}

TEST(KillDuringWrite, EveryKillLeavesTheOldOrTheNewFileAndLeftoversGoWithTheNextWrite) {
  TempFolder temp;
  const fs::path system = temp.path() / "UT" / "System", file = system / "UnrealTournament.ini";
  fs::create_directories(system);
  long last = 0;
  const std::string start = contentAfter(last);
  ASSERT_GE(std::count(start.begin(), start.end(), '\n'), 1000);
  writeFileBytes(file, start);
  LinuxPlatform reader(LinuxPlatformOptions{temp / "registry.reg", (temp.path() / "UT").string(), "", false});
  const auto leftovers = [&] { return entries(system) - 1; };

  std::mt19937 random(20261206);
  int killsMidWrite = 0, killsWithProgress = 0;  // mid-write: a temporary file was left behind
  for (int kill = 0; kill < 1000; ++kill) {
    Child writer([&] {  // counts on from `last` until killed
      for (long i = last + 1;; ++i)
        if (!childsPlatform().writePrivateProfileString("Pad.Last", "Counter", std::to_string(i), file)) return "";
    });
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 4001));
    writer.kill();
    const std::string now = readFileBytes(file);
    const auto counted = ini::findValue(now, "Pad.Last", "Counter");
    ASSERT_TRUE(counted.has_value()) << "kill " << kill << ": the count is gone";
    const long newest = std::stol(std::string(*counted));
    ASSERT_GE(newest, last) << "kill " << kill;
    ASSERT_EQ(now, contentAfter(newest)) << "kill " << kill << " left a file that no whole write made";
    killsWithProgress += newest > last;
    last = newest;
    // A leftover is never taken for the file, whatever letter case the path is spelt in.
    killsMidWrite += leftovers() > 0;
    std::string value;
    reader.getPrivateProfileString("Pad.Last", "Counter", "", value, 255, "system\\unrealtournament.ini");
    ASSERT_EQ(value, std::string(*counted));
    ASSERT_LE(leftovers(), 1) << "leftovers of earlier writers were not cleaned";
  }
  // The next write from another process cleans up after the last killed writer, and keeps the file of a writer that
  // still runs (the process that started this test stands for one).
  const fs::path running =
      system / (".UnrealTournament.ini" + std::string(replace::kTemporaryMark) + std::to_string(::getppid()) + "-0");
  writeFileBytes(running, "");
  ASSERT_TRUE(reader.writePrivateProfileString("Pad.Last", "Counter", "done", "System\\UnrealTournament.ini"));
  EXPECT_EQ(leftovers(), 1);
  EXPECT_TRUE(fs::exists(running));
  EXPECT_EQ(readFileBytes(file), ini::applyWrite(contentAfter(last), "Pad.Last", "Counter", "done"));
  std::printf("[ figures  ] kills: 1000, with a write completed: %d, inside one: %d, last value: %ld\n",
              killsWithProgress, killsMidWrite, last);
  // The kills landed where they matter: both between writes and inside them.
  EXPECT_GT(killsWithProgress, 0);
  EXPECT_GT(killsMidWrite, 0);
}

}  // namespace
}  // namespace vexorel::testing
