// A small writer for the fault tests, run as a child process so that it can be killed, limited and
// stripped of privileges without touching the test program.
//
//   vexorel-safety-writer loop FILE START
//       Prints "r", then writes the keys of kLoopKeys in turn, key i % 4 taking the value i, for
//       i = START, START + 1, ... until it is killed.
//   vexorel-safety-writer once FILE SECTION KEY VALUE [fsize=BYTES] [nofile=COUNT] [nobody]
//       One write under the given limits: a file-size limit (SIGXFSZ ignored, so write() fails with
//       EFBIG as on a full disk), a limit on open files, or as the unprivileged user "nobody" (so that
//       folder permissions apply even when the tests run as root). Prints the reason on failure and
//       exits with 0 (written) or 1 (refused).

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/PosixPlatform.h"
#include "safety/LoopKeys.h"

namespace {

int loop(vexorel::PosixPlatform& platform, const std::string& file, long start) {
  std::fputs("r", stdout);
  std::fflush(stdout);
  for (long i = start;; ++i) {
    const auto& [section, key] =
        vexorel::safety::kLoopKeys[static_cast<std::size_t>(i) % vexorel::safety::kLoopKeys.size()];
    if (!platform.writePrivateProfileString(section, key, std::to_string(i), file)) {
      std::fprintf(stderr, "%s\n", platform.lastError().c_str());
      std::fflush(stderr);
      ::_exit(1);
    }
  }
}

bool applyOption(const std::string& option) {
  if (option.rfind("fsize=", 0) == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{std::strtoul(option.c_str() + 6, nullptr, 10), RLIM_INFINITY};
    return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  if (option.rfind("nofile=", 0) == 0) {
    const rlim_t count = std::strtoul(option.c_str() + 7, nullptr, 10);
    const rlimit limit{count, count};
    return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
  }
  if (option == "nobody") {
    constexpr uid_t kNobody = 65534;
    return ::geteuid() != 0 || (::setgid(kNobody) == 0 && ::setuid(kNobody) == 0);
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  // Only INI files are written: the registry store and the Wine lookup are kept out of the way.
  vexorel::PosixPlatformOptions options;
  options.registryFile = "/nonexistent/vexorel-registry.reg";
  options.currentDirectory = "/";
  options.wineLookup = false;
  vexorel::PosixPlatform platform(options);
  if (mode == "loop" && argc == 4) return loop(platform, argv[2], std::strtol(argv[3], nullptr, 10));
  if (mode != "once" || argc < 6) {
    std::fprintf(stderr, "usage: see the comment at the top of writer/main.cpp\n");
    return 2;
  }
  for (int i = 6; i < argc; ++i) {
    if (!applyOption(argv[i])) {
      std::fprintf(stderr, "cannot apply %s\n", argv[i]);
      return 2;
    }
  }
  const bool written = platform.writePrivateProfileString(argv[3], argv[4], argv[5], argv[2]);
  if (!written) std::fputs(platform.lastError().c_str(), stdout);
  std::fflush(stdout);
  // Straight out: under a sanitizer the leak check at exit would need file descriptors (or rights)
  // the limits above took away, and would change the exit code.
  ::_exit(written ? 0 : 1);
}
