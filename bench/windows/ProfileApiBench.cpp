// The program's private-profile engine against the Windows API's own, in one process on the same files:
// one key read and one key write, the key in the file's last section so that both must scan the whole
// file. The engine reads the file afresh for every call, as the POSIX backend does; its write builds the
// new bytes, writes them to a temporary file and moves that over the old one (with and without flushing
// it to disk first). Prints microseconds per call and the ratio API / engine.
//   vexorel_api_bench [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <string>

#include "platform/formats/IniEngine.h"
#include "platform/win32/Files.h"

namespace {

namespace ini = vexorel::ini;

constexpr const char* kSection = "Bench.Last";
constexpr const char* kKey = "CacheSizeMegs";

std::string demoFile() {
  std::ifstream in(std::string(VEXOREL_SOURCE_DIR) + "/examples/game/System/UnrealTournament.ini", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The demo file padded with realistic sections to about `lines` lines, then the benchmarks' section.
std::string buildFile(std::size_t lines) {
  std::string text = demoFile();
  std::size_t count = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
  for (int section = 0; count + 3 < lines; ++section) {
    text += "\r\n[Pad.Section" + std::to_string(section) + "]\r\n";
    count += 2;
    for (int key = 0; key < 12 && count + 3 < lines; ++key, ++count) {
      text += "SomeSetting" + std::to_string(key) + "=Value " + std::to_string(section * key) + "\r\n";
    }
  }
  return text + "[" + kSection + "]\r\n" + kKey + "=16\r\n";
}

std::string readAll(const std::string& path) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot read " + path);
  LARGE_INTEGER size{};
  ::GetFileSizeEx(file, &size);
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD got = 0;
  ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
  ::CloseHandle(file);
  bytes.resize(got);
  return bytes;
}

void writeAll(const std::string& path, const std::string& bytes, bool flush) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write " + path);
  DWORD written = 0;
  ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  if (flush) ::FlushFileBuffers(file);
  ::CloseHandle(file);
}

std::string engineRead(const std::string& path) {
  const std::string bytes = readAll(path);
  return ini::readValue(std::string_view(bytes), kSection, kKey, "Default", 255);
}

void engineWrite(const std::string& path, const char* value, bool flush) {
  const std::string updated = ini::applyWrite(readAll(path), kSection, kKey, value);
  const std::string temporary = vexorel::win32::temporaryBeside(path);
  writeAll(temporary, updated, flush);
  if (!::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) throw std::runtime_error("move");
}

std::string apiRead(const std::string& path) {
  char buffer[255] = {};
  const DWORD n = ::GetPrivateProfileStringA(kSection, kKey, "Default", buffer, sizeof buffer, path.c_str());
  return std::string(buffer, n);
}

void apiWrite(const std::string& path, const char* value) {
  if (!::WritePrivateProfileStringA(kSection, kKey, value, path.c_str())) throw std::runtime_error("API write");
}

// Microseconds per call over `rounds` calls (after one call to warm caches).
double timePerCall(int rounds, const std::function<void(int)>& call) {
  call(-1);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < rounds; ++i) call(i);
  const std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
  return spent.count() / rounds;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  std::printf("%-28s %12s %12s %8s\n", "operation", "engine us", "API us", "API/eng");
  for (const std::size_t lines : {20000u, 1000u}) {
    const std::string path = std::string(folder) + "vexorel-bench-" + std::to_string(lines) + ".ini";
    writeAll(path, buildFile(lines), false);
    const std::string label = std::to_string(lines) + " lines";
    const auto values = [](int i) { return i % 2 ? "32" : "16"; };
    const double engineReads = timePerCall(rounds * 5, [&](int) {
      if (engineRead(path).empty()) throw std::runtime_error("engine read");
    });
    const double apiReads = timePerCall(rounds * 5, [&](int) {
      if (apiRead(path).empty()) throw std::runtime_error("API read");
    });
    if (engineRead(path) != apiRead(path)) throw std::runtime_error("the two reads differ");
    const double engineWrites = timePerCall(rounds, [&](int i) { engineWrite(path, values(i), false); });
    const double engineFlushed = timePerCall(rounds, [&](int i) { engineWrite(path, values(i), true); });
    const double apiWrites = timePerCall(rounds, [&](int i) { apiWrite(path, values(i)); });
    std::printf("%-28s %12.1f %12.1f %8.2f\n", ("read, " + label).c_str(), engineReads, apiReads,
                apiReads / engineReads);
    std::printf("%-28s %12.1f %12.1f %8.2f\n", ("write, " + label).c_str(), engineWrites, apiWrites,
                apiWrites / engineWrites);
    std::printf("%-28s %12.1f %12.1f %8.2f\n", ("write+flush, " + label).c_str(), engineFlushed, apiWrites,
                apiWrites / engineFlushed);
    ::DeleteFileA(path.c_str());
  }
  return 0;
}
