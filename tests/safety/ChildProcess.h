#pragma once
// The safety writer (writer/main.cpp) started as a child process: it first says its process id, then
// its output is read through the pipe, and its end is waited for or brought about with SIGKILL.
#include <signal.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vexorel::testing {

class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& arguments) {
    std::string command = "exec '" VEXOREL_SAFETY_WRITER "'";
    for (const std::string& argument : arguments) command += " '" + argument + "'";  // no quotes in the tests' texts
    out_ = ::popen(command.c_str(), "r");
    if (out_ && (std::fscanf(out_, "%d", &pid_) != 1 || std::fgetc(out_) != '\n')) pid_ = -1;
  }
  ~ChildProcess() { out_ ? void(kill()) : void(); }
  // Reads until `count` bytes came or the output ended.
  std::string read(std::size_t count = std::string::npos) {
    std::string text;
    for (int c; text.size() < count && (c = std::fgetc(out_)) != EOF;) text += static_cast<char>(c);
    return text;
  }
  // The exit code once the child ends (-1 when a signal ended it); kill() brings that end about.
  int wait() {
    const int status = ::pclose(out_);
    out_ = nullptr;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int kill() { return pid_ > 0 ? ::kill(pid_, SIGKILL) : 0, wait(); }

 private:
  FILE* out_ = nullptr;
  int pid_ = -1;
};

}  // namespace vexorel::testing
