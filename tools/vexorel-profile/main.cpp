// vexorel-profile: the program's private-profile engine from the command line, through the very same
// platform calls the program makes, for scripts and for checking the engine from outside.
#include <cstdio>
#include <string>

#include "platform/PosixPlatform.h"

namespace {

constexpr std::size_t kBufferSize = 255;

int usage() {
  std::fputs(
      "usage: vexorel-profile get FILE SECTION KEY [DEFAULT]\n"
      "       vexorel-profile set FILE SECTION KEY VALUE\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  const std::string command = argv[1];
  vexorel::PosixPlatform platform;
  if (command == "get" && (argc == 5 || argc == 6)) {
    std::string value;
    const std::string defaultValue = argc == 6 ? argv[5] : "";
    platform.getPrivateProfileString(argv[3], argv[4], defaultValue, value, kBufferSize, argv[2]);
    std::fwrite(value.data(), 1, value.size(), stdout);
    std::fputc('\n', stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (command == "set" && argc == 6) {
    if (platform.writePrivateProfileString(argv[3], argv[4], argv[5], argv[2])) return 0;
    std::fprintf(stderr, "vexorel-profile: %s\n", platform.lastError().c_str());
    return 1;
  }
  return usage();
}
