// A small writer for the fault tests, run as a child process so that it can be killed, limited and
// stripped of privileges without touching the test program.
//   vexorel-safety-writer loop FILE START
//       Prints "r", then writes the keys of kLoopKeys in turn, key i % 4 taking the value i, for
//       i = START, START + 1, ... until it is killed.
//   vexorel-safety-writer once FILE SECTION KEY VALUE [fsize=BYTES] [nofile=COUNT] [nobody]
//       One write under the given limits: a file-size limit (SIGXFSZ ignored, so write() fails with EFBIG
//       as on a full disk), a limit on open files, or as the unprivileged user "nobody" (so that folder
//       permissions apply even when the tests run as root). Prints the reason on failure and exits with
//       0 (written), 1 (refused) or 2 (a limit could not be set).
#include <sys/resource.h>
#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/PosixPlatform.h"
#include "safety/LoopKeys.h"

namespace {

bool applyOption(const std::string& option) {
  const rlim_t number = std::strtoul(option.c_str() + option.find('=') + 1, nullptr, 10);
  if (option.rfind("fsize=", 0) == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{number, RLIM_INFINITY};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  if (option.rfind("nofile=", 0) == 0) {
    const rlimit limit{number, number};
    return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
  }
  constexpr uid_t kNobody = 65534;
  return option == "nobody" && (::geteuid() != 0 || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0));
}

}  // namespace

int main(int argc, char** argv) {
  using vexorel::safety::kLoopKeys;
  const std::string mode = argc > 1 ? argv[1] : "";
  // Only INI files are written: the registry store and the Wine lookup are kept out of the way.
  vexorel::PosixPlatform platform(vexorel::PosixPlatformOptions{"/nonexistent/vexorel-registry.reg", "/", "", false});
  if (mode == "loop" && argc == 4) {
    std::fputs("r", stdout);
    std::fflush(stdout);
    for (long i = std::strtol(argv[3], nullptr, 10);; ++i) {
      const auto& [section, key] = kLoopKeys[static_cast<std::size_t>(i) % kLoopKeys.size()];
      if (!platform.writePrivateProfileString(section, key, std::to_string(i), argv[2])) return 1;
    }
  }
  for (int i = 6; i < argc; ++i) {
    if (!applyOption(argv[i])) return 2;
  }
  if (mode != "once" || argc < 6) return 2;
  const bool written = platform.writePrivateProfileString(argv[3], argv[4], argv[5], argv[2]);
  if (!written) std::fputs(platform.lastError().c_str(), stdout);
  std::fflush(stdout);
  // Straight out: under a sanitizer the leak check at exit would need file descriptors (or rights)
  // the limits above took away, and would change the exit code.
  ::_exit(written ? 0 : 1);
}
