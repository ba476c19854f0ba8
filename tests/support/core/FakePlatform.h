#pragma once
// The system's real backend on a test's own folders, but with a fixed memory size, pauses and shell calls recorded
// (not run), a game that runs only when the test says so, and every profile write and copy logged in order, the
// writes failing when the test chooses.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/NativePlatform.h"

namespace vexorel::testing {

class FakePlatform : public NativePlatform {
 public:
  explicit FakePlatform(NativePlatformOptions options) : NativePlatform(std::move(options)) {}

  std::uint64_t totalPhysicalMemory() override { return 128ull << 20; }
  int shellExecute(const std::string& verb, const std::string& file, const std::string& dir, int show) override {
    shellCalls.push_back(verb + "|" + file + "|" + dir + "|" + std::to_string(show));
    return shellResult;
  }
  void sleep(unsigned milliseconds) override { sleeps.push_back(milliseconds); }
  bool processRunning(const std::string&) override { return gameRunning; }
  bool writePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                                 const std::string& file) override {
    log.push_back("write " + section + "/" + key + "=" + value);
    return !(failWrite && failWrite(file)) && NativePlatform::writePrivateProfileString(section, key, value, file);
  }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    log.push_back("copy " + from + " -> " + to);
    return NativePlatform::copyFile(from, to, failIfExists);
  }

  int shellResult = 42;
  bool gameRunning = false;
  std::vector<std::string> shellCalls;  // verb|file|folder|show command
  std::vector<unsigned> sleeps;
  std::vector<std::string> log;
  std::function<bool(const std::string& file)> failWrite;
};

}  // namespace vexorel::testing
