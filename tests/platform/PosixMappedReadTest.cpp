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

#include "platform/AtomicFile.h"
#include "platform/IniEngine.h"
#include "platform/PosixFaultGuard.h"
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
    if (::ftruncate(probe.fd, 0) != 0 || ::pwrite(probe.fd, kShort, 7 + probe.looks, 0) < 0) return std::nullopt;
  }
  return ini::findValue(content, "A", "k");
}

TEST(PosixMappedRead, ALargeFileIsMappedAndATruncationMeanwhileReadsItAgain) {
  TempFolder folder;
  const std::string path = folder / "Large.ini";
  std::string large = "[Pad]\r\n";
  while (large.size() < (2u << 20)) large += "SomeSetting=Some value\r\n";
  const auto attempt = [&](int swaps, std::optional<std::string>& part, files::Bytes& bytes, files::Failure& error) {
    writeFileBytes(path, large + "[A]\r\nk=large\r\n");
    Probe probe{::open(path.c_str(), O_WRONLY), swaps};
    const bool read = files::readPart(path, bytes, lookAndSwap, &probe, part, error);
    ::close(probe.fd);
    return std::pair{read, probe.looks};
  };
  std::optional<std::string> part;
  files::Failure error;
  files::Bytes untouched;
  EXPECT_EQ(attempt(0, part, untouched, error), std::pair(true, 1));
  EXPECT_EQ(part, "large");
  EXPECT_EQ(untouched.view(), "") << "a large file is looked at where it lies, not copied";

  files::Bytes bytes;
  EXPECT_EQ(attempt(1, part, bytes, error), std::pair(true, 2)) << "the mapping faults once, the short file reads";
  EXPECT_EQ(part, "s");
  EXPECT_EQ(bytes.view(), "[A]\r\nk=s");

  EXPECT_EQ(attempt(3, part, bytes, error), std::pair(false, 3));
  EXPECT_EQ(part, std::nullopt);
  EXPECT_EQ(error.text(), "cannot read " + path + ": the file kept changing while it was read");
}

// In a fresh process (the guard's handler is installed once per process): a handler of the program's
// own (or none) comes first, the guard's goes over it, and then a SIGBUS from elsewhere must reach the
// first one (or end the process).
constexpr int kReachedOwnHandler = 42;

void installOwnHandler(void (*handler)(int)) {
  ::alarm(10);  // a fault handled by returning would strike again forever
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  struct sigaction own {};
  own.sa_handler = handler;
  ::sigaction(SIGBUS, &own, nullptr);
}

void ownHandler(int) {
  ::_exit(kReachedOwnHandler);
}

TEST(PosixFaultGuardDeathTest, ASigbusTheGuardDoesNotOwnReachesTheHandlerBeforeIt) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  char guarded = 0;
  for (const auto handler : {ownHandler, SIG_DFL}) {
    EXPECT_EXIT(
        {
          installOwnHandler(handler);
          files::runGuarded(&guarded, 1, [](void*) {}, nullptr);
          ::raise(SIGBUS);
          ::_exit(0);
        },
        [&](int status) {
          return handler == SIG_DFL ? WIFSIGNALED(status)
                                    : WIFEXITED(status) && WEXITSTATUS(status) == kReachedOwnHandler;
        },
        "")
        << "a sent signal";
  }
  TempFolder folder;
  const std::string path = folder / "Gone.bin";
  EXPECT_EXIT(
      {
        installOwnHandler(ownHandler);
        writeFileBytes(path, std::string(2 * 4096, 'x'));
        const int fd = ::open(path.c_str(), O_RDWR);
        auto* other = static_cast<volatile char*>(::mmap(nullptr, 2 * 4096, PROT_READ, MAP_SHARED, fd, 0));
        if (::ftruncate(fd, 0) != 0) ::_exit(1);
        const bool whole = files::runGuarded(
            &guarded, 1, [](void* at) { *static_cast<volatile char*>(at); }, const_cast<char*>(other + 4096));
        ::_exit(whole ? 2 : 3);
      },
      ::testing::ExitedWithCode(kReachedOwnHandler), "")
      << "a fault outside the guarded bytes";
}

}  // namespace
}  // namespace vexorel
