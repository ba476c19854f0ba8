#pragma once
// The real backend of the system (POSIX, or Windows in the cross build) on a test's own folders, with
// the pieces a test must control replaced:
// the memory size is set by the test, pauses are recorded instead of slept, and shell calls are
// recorded and answered with a chosen code.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/NativePlatform.h"

namespace vexorel::testing {

struct ShellCall {
  std::string verb;
  std::string file;
  std::string directory;
  int showCommand = 0;
};

class FakePlatform : public NativePlatform {
 public:
  explicit FakePlatform(NativePlatformOptions options) : NativePlatform(std::move(options)) {}

  std::uint64_t totalPhysicalMemory() override { return memoryBytes; }
  int shellExecute(const std::string& verb, const std::string& file, const std::string& directory,
                   int showCommand) override {
    shellCalls.push_back({verb, file, directory, showCommand});
    return shellResult;
  }
  void sleep(unsigned milliseconds) override { sleeps.push_back(milliseconds); }

  std::uint64_t memoryBytes = 128ull << 20;
  int shellResult = 42;
  std::vector<ShellCall> shellCalls;
  std::vector<unsigned> sleeps;
};

}  // namespace vexorel::testing
