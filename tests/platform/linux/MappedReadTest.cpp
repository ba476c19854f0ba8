// Key reads of large files go through a mapping. Another program truncating the file meanwhile cuts the
// look short, and the file is looked at again; one that never settles is a clean failure. A SIGBUS the
// reader does not own still reaches the handler that was there before.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "platform/linux/AtomicFile.h"
#include "formats/IniEngine.h"
#include "platform/linux/FaultGuard.h"
#include "support/core/TempFolder.h"

namespace vexorel {
namespace {

using namespace testing;

// A lookup of [A] k that, for its first `swaps` looks, first replaces the file by a short one of another
// length each time ("[A]\r\nk=s", "[A]\r\nk=ss", ...), as another program saving it would.
struct Probe {
  int fd;
  int swaps;
  int looks = 0;
};

std::optional<std::string_view> lookAndSwap(std::string_view content, const void* context) noexcept {
  auto& probe = *static_cast<Probe*>(const_cast<void*>(context));
  if (probe.looks++ < probe.swaps) {
    static const char kShort[] = "[A]\r\nk=ssssssssss";
    if (::ftruncate(probe.fd, 0) != 0 || ::pwrite(probe.fd, kShort, static_cast<std::size_t>(7 + probe.looks), 0) < 0) return std::nullopt;
  }
  return ini::findValue(content, "A", "k");
}

TEST(PosixMappedRead, ALargeFileIsMappedAndATruncationMeanwhileReadsItAgain) {
  TempFolder folder;
  const std::string path = folder / "Large.ini";
  std::string large = "[Pad]\r\n";
  while (large.size() < (1u << 20)) large += "SomeSetting=Some value\r\n";
  std::optional<std::string> part;
  files::Failure error;
  files::Bytes bytes;
  const auto read = [&](int swaps) {
    writeFileBytes(path, large + "[A]\r\nk=large\r\n");
    Probe probe{::open(path.c_str(), O_WRONLY), swaps};
    const bool done = files::readPart(path, bytes, lookAndSwap, &probe, part, error);
    ::close(probe.fd);
    return std::pair{done, probe.looks};
  };
  EXPECT_EQ(read(0), std::pair(true, 1));
  EXPECT_EQ(part, "large");
  EXPECT_EQ(bytes.view(), "") << "a large file is looked at where it lies, not copied";
  EXPECT_EQ(read(1), std::pair(true, 2)) << "the mapping faults once, the short file reads";
  EXPECT_EQ(part, "s");
  EXPECT_EQ(bytes.view(), "[A]\r\nk=s");
  EXPECT_EQ(read(3), std::pair(false, 3));
  EXPECT_EQ(part, std::nullopt);
  EXPECT_EQ(error.text(), "cannot read " + path + ": the file kept changing while it was read");
}

// In a fresh process (the guard's handler is installed once per process): a handler of the program's
// own (a plain one, one that takes the signal's details, or none) comes first, the guard's goes over it,
// and then a SIGBUS from elsewhere must reach the first one (or end the process as SIGBUS does).
enum class Own { plain, detailed, none };
constexpr int kReachedOwnHandler = 42;

void installOwnHandler(Own own) {
  ::alarm(10);  // a fault handled by returning would strike again forever
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  struct sigaction action {};
  if (own == Own::detailed) {
    action.sa_flags = SA_SIGINFO;
    action.sa_sigaction = [](int, siginfo_t*, void*) { ::_exit(kReachedOwnHandler); };
  } else {
    action.sa_handler = own == Own::plain ? +[](int) { ::_exit(kReachedOwnHandler); } : SIG_DFL;
  }
  ::sigaction(SIGBUS, &action, nullptr);
}

bool reachedOwn(Own own, int status) {
  if (own == Own::none) return WIFSIGNALED(status) && WTERMSIG(status) == SIGBUS;
  return WIFEXITED(status) && WEXITSTATUS(status) == kReachedOwnHandler;
}

// Two pages mapped from a file that is then cut to nothing: touching them faults.
char* truncatedMapping(const std::string& path) {
  writeFileBytes(path, std::string(2 * 4096, 'x'));
  const int fd = ::open(path.c_str(), O_RDWR);
  void* mapped = ::mmap(nullptr, 2 * 4096, PROT_READ, MAP_SHARED, fd, 0);
  const bool cut = ::ftruncate(fd, 0) == 0;
  ::close(fd);
  return mapped != MAP_FAILED && cut ? static_cast<char*>(mapped) : nullptr;
}

void touch(void* at) {
  *static_cast<volatile char*>(at);
}

TEST(PosixFaultGuardDeathTest, ASigbusTheGuardDoesNotOwnReachesTheHandlerBeforeIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  TempFolder folder;
  char* gone = truncatedMapping(folder / "Gone.bin");
  ASSERT_NE(gone, nullptr);
  for (const Own own : {Own::plain, Own::detailed, Own::none}) {
    EXPECT_EXIT(
        {
          installOwnHandler(own);
          files::runGuarded(gone, 1, [](void*) {}, nullptr);
          ::kill(::getpid(), SIGBUS);
          ::_exit(0);
        },
        [own](int status) { return reachedOwn(own, status); }, "")
        << "a sent signal";
  }
  EXPECT_EXIT(
      {
        installOwnHandler(Own::plain);
        ::_exit(files::runGuarded(gone, 4096, touch, gone + 4096) ? 2 : 3);
      },
      [](int status) { return reachedOwn(Own::plain, status); }, "")
      << "a fault just past the guarded bytes";
  // Only now in this process: each child above runs the test from its start.
  EXPECT_FALSE(files::runGuarded(gone + 4096, 1, touch, gone + 4096)) << "a fault at the first guarded byte";
  ::munmap(gone, 2 * 4096);
}

}  // namespace
}  // namespace vexorel
