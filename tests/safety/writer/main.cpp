// The writer the fault tests start as a child process. It writes INI files only (no registry, no Wine)
// and first prints its process id and a line break.
//   loop FILE START SECTION KEY [SECTION KEY...]: writes key i % count the value i, for
//       i = START, START + 1, ... until it is killed.
//   once FILE SECTION KEY VALUE [fsize=BYTES] [nofile=COUNT] [nobody]: one write under a file-size limit
//       (SIGXFSZ ignored, so write() fails with EFBIG as on a full disk), a limit on open files, or as the
//       user "nobody" (folder permissions then hold for root too). Prints the reason on failure; exits 0
//       (written), 1 (refused) or 2 (a limit could not be set).
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/linux/LinuxPlatform.h"

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  vexorel::LinuxPlatform platform(vexorel::LinuxPlatformOptions{"/nonexistent/vexorel-registry.reg", "/", "", false});
  std::printf("%d\n", static_cast<int>(::getpid()));
  std::fflush(stdout);
  for (long i = mode == "loop" && argc >= 6 && argc % 2 == 0 ? std::strtol(argv[3], nullptr, 10) : -1; i >= 0; ++i) {
    char** pair = argv + 4 + 2 * (i % ((argc - 4) / 2));
    if (!platform.writePrivateProfileString(pair[0], pair[1], std::to_string(i), argv[2])) return 1;
  }
  for (int i = 6; i < argc; ++i) {
    const std::string option = argv[i];
    const rlim_t number = std::strtoul(option.c_str() + option.find('=') + 1, nullptr, 10);
    if (option.starts_with("fsize=")) std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{number, option.starts_with("fsize=") ? RLIM_INFINITY : number};
    const bool set = option.starts_with("fsize=") ? ::setrlimit(RLIMIT_FSIZE, &limit) == 0
                     : option.starts_with("nofile=")
                         ? ::setrlimit(RLIMIT_NOFILE, &limit) == 0
                         : option == "nobody" && (::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0));
    if (!set) return 2;
  }
  if (mode != "once" || argc < 6) return 2;
  const bool written = platform.writePrivateProfileString(argv[3], argv[4], argv[5], argv[2]);
  if (!written) std::fputs(platform.lastError().c_str(), stdout);
  std::fflush(stdout);
  // Straight out: under a sanitizer the leak check at exit would need the file descriptors (or rights)
  // the limits took away, and would change the exit code.
  ::_exit(written ? 0 : 1);
}
