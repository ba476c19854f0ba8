#pragma once
// The safety writer (writer/main.cpp) started as a child process: its output read through a pipe, and
// its end waited for or brought about with SIGKILL.

#include <sys/types.h>

#include <string>
#include <vector>

namespace vexorel::testing {

class ChildProcess {
 public:
  // Starts the writer with the arguments; stdout comes back through a pipe, stderr is the test's.
  explicit ChildProcess(const std::vector<std::string>& arguments);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  // Reads until `count` bytes came or the output ended.
  std::string read(std::size_t count);
  // Everything the child still writes, then its exit code (-1 when a signal ended it).
  int finish(std::string& output);
  // SIGKILL and reap.
  void kill();

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

}  // namespace vexorel::testing
