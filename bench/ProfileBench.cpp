// The cost of one key read and one key write beside the cost of the file access they cannot avoid:
// reading the file once (for reads), copying it and flushing the copy and its folder (for writes), as
// a key write flushes. Two files: the
// demo game file padded to 1,000 lines, and a 10 MB file. The key sits in the file's last section, so
// every read and write has to scan the whole file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/linux/LinuxPlatform.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSection = "Bench.Last";
constexpr const char* kKey = "CacheSizeMegs";

std::string demoFile() {
  std::ifstream in(fs::path(VEXOREL_SOURCE_DIR) / "examples" / "game" / "System" / "UnrealTournament.ini",
                   std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The demo file, then padding sections of realistic lines until the file has `lines` lines or `bytes`
// bytes, then the section the benchmarks use.
std::string buildFile(std::size_t lines, std::size_t bytes) {
  std::string text = demoFile();
  std::size_t count = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  for (int section = 0; count + 3 < lines || text.size() < bytes; ++section) {
    text += "\r\n[Pad.Section" + std::to_string(section) + "]\r\n";
    count += 2;
    for (int key = 0; key < 12 && (count + 3 < lines || text.size() < bytes); ++key, ++count) {
      text += "SomeSetting" + std::to_string(key) + "=Value " + std::to_string(section * key) + "\r\n";
    }
  }
  text += std::string("[") + kSection + "]\r\n" + kKey + "=16\r\n";
  return text;
}

class Files {
 public:
  Files() {
    folder_ = fs::temp_directory_path() / ("vexorel-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    write("small.ini", buildFile(1000, 0));
    write("large.ini", buildFile(0, 10u << 20));
  }
  ~Files() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string path(const char* name) const { return (folder_ / name).string(); }

 private:
  void write(const char* name, const std::string& bytes) { std::ofstream(folder_ / name, std::ios::binary) << bytes; }
  fs::path folder_;
};

const Files& files() {
  static const Files instance;
  return instance;
}

const char* fileFor(const benchmark::State& state) {
  return state.range(0) == 0 ? "small.ini" : "large.ini";
}

// The cheapest whole-file read: one buffer of the file's size, filled by read(2), never cleared first.
struct PlainBytes {
  std::unique_ptr<char[]> data;
  std::size_t size = 0;
};

PlainBytes plainRead(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) throw std::runtime_error("cannot open " + path);
  PlainBytes bytes{std::unique_ptr<char[]>(new char[fs::file_size(path)]), 0};
  const std::size_t size = fs::file_size(path);
  while (bytes.size < size) {
    const ssize_t n = ::read(fd, bytes.data.get() + bytes.size, size - bytes.size);
    if (n <= 0) break;
    bytes.size += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return bytes;
}

void PlainRead(benchmark::State& state) {
  const std::string path = files().path(fileFor(state));
  for (auto _ : state) benchmark::DoNotOptimize(plainRead(path));
}

void ReadKey(benchmark::State& state) {
  const std::string path = files().path(fileFor(state));
  vexorel::LinuxPlatform platform;
  std::string value;
  for (auto _ : state) {
    benchmark::DoNotOptimize(platform.getPrivateProfileString(kSection, kKey, "Default", value, 255, path));
  }
  if (value != "16" && value != "32") state.SkipWithError("the key was not found");
}

void PlainCopy(benchmark::State& state) {
  const std::string path = files().path(fileFor(state));
  const std::string copy = path + ".copy";
  for (auto _ : state) {
    const PlainBytes bytes = plainRead(path);
    const int fd = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (::write(fd, bytes.data.get(), bytes.size) != static_cast<ssize_t>(bytes.size)) state.SkipWithError("write");
    ::fsync(fd);
    ::close(fd);
    // The same flush as a key write: the file, then its folder's entry.
    const int folder = ::open(fs::path(copy).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(folder);
    ::close(folder);
  }
  fs::remove(copy);
}

void WriteKey(benchmark::State& state) {
  const std::string path = files().path(fileFor(state));
  vexorel::LinuxPlatform platform;
  bool flip = false;
  for (auto _ : state) {
    // Alternate the value so that every call really replaces the file.
    if (!platform.writePrivateProfileString(kSection, kKey, (flip = !flip) ? "32" : "16", path)) {
      state.SkipWithError(platform.lastError().c_str());
    }
  }
}

BENCHMARK(PlainRead)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadKey)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMicrosecond);
BENCHMARK(PlainCopy)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(WriteKey)->Arg(0)->Arg(1)->ArgName("large")->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
