// vexorel-profile: the program's private-profile calls from the command line, through the very same
// platform calls the program makes (its own engine on POSIX, the system's calls on Windows), for scripts
// and for checking one backend against the other from outside.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "platform/NativePlatform.h"

namespace {

constexpr std::size_t kBufferSize = 255;

constexpr const char* kUsage =
    "usage: vexorel-profile get FILE SECTION KEY [DEFAULT]\n"
    "       vexorel-profile set FILE SECTION KEY VALUE\n"
    "       vexorel-profile reads FILE QUERIES\n"
    "       vexorel-profile --help | --version\n"
    "QUERIES is a file of lines SECTION<tab>KEY<tab>DEFAULT (the default may be left out); each is read\n"
    "from FILE and its value printed on a line of its own.\n";

// A wrong call is told the usage on standard error and exits 2, so scripts can tell it from a failed
// read or write (1).
int usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// What was asked for goes to standard output; a failure to write it there is a failure of the call.
int answer(const char* text) {
  std::fputs(text, stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

void printLine(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

// One read per query line. A value never holds a line break (reads end at the line's end), so one
// output line per query is unambiguous.
int readQueries(vexorel::Platform& platform, const std::string& file, const char* queryFile) {
  std::FILE* queries = std::fopen(queryFile, "rb");
  if (!queries) {
    std::fprintf(stderr, "vexorel-profile: cannot read %s\n", queryFile);
    return 1;
  }
  std::string line;
  for (int c = std::fgetc(queries);; c = std::fgetc(queries)) {
    if (c != EOF && c != '\n') {
      line.push_back(static_cast<char>(c));
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) {
      const std::size_t tab = line.find('\t');
      const std::size_t second = tab == std::string::npos ? tab : line.find('\t', tab + 1);
      const std::string section = line.substr(0, tab);
      const std::string key = tab == std::string::npos ? "" : line.substr(tab + 1, second - tab - 1);
      const std::string fallback = second == std::string::npos ? "" : line.substr(second + 1);
      std::string value;
      platform.getPrivateProfileString(section, key, fallback, value, kBufferSize, file);
      printLine(value);
    }
    line.clear();
    if (c == EOF) break;
  }
  std::fclose(queries);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Values are bytes: no "\n" to "\r\n" translation on the way out.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  if (argc < 2) return usage();
  const std::string command = argv[1];
  if (argc == 2 && command == "--help") return answer(kUsage);
  if (argc == 2 && command == "--version") {
    char version[64];
    std::snprintf(version, sizeof version, "vexorel-profile %d.%d.%d\n", VEXOREL_VERSION_MAJOR, VEXOREL_VERSION_MINOR,
                  VEXOREL_VERSION_PATCH);
    return answer(version);
  }
  vexorel::NativePlatform platform;
  if (command == "get" && (argc == 5 || argc == 6)) {
    std::string value;
    const std::string defaultValue = argc == 6 ? argv[5] : "";
    platform.getPrivateProfileString(argv[3], argv[4], defaultValue, value, kBufferSize, argv[2]);
    printLine(value);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (command == "set" && argc == 6) {
    if (platform.writePrivateProfileString(argv[3], argv[4], argv[5], argv[2])) return 0;
    std::fprintf(stderr, "vexorel-profile: %s\n", platform.lastError().c_str());
    return 1;
  }
  if (command == "reads" && argc == 4) return readQueries(platform, argv[2], argv[3]);
  return usage();
}
