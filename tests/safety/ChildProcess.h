#pragma once
// The safety writer (writer/main.cpp) started as a child process: its output read through a pipe, and
// its end waited for or brought about with SIGKILL.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

extern char** environ;

namespace vexorel::testing {

class ChildProcess {
 public:
  explicit ChildProcess(std::vector<std::string> arguments) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) return;
    arguments.insert(arguments.begin(), VEXOREL_SAFETY_WRITER);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    if (::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    out_ = ends[0];
  }
  ~ChildProcess() { pid_ > 0 ? kill() : void(), out_ >= 0 ? void(::close(out_)) : void(); }
  // Reads until `count` bytes came or the output ended.
  std::string read(std::size_t count = std::string::npos) {
    std::string text;
    char buffer[4096];
    for (ssize_t n = 1; text.size() < count && (n > 0 || (n < 0 && errno == EINTR));) {
      n = ::read(out_, buffer, std::min(sizeof buffer, count - text.size()));
      if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
  }
  // The exit code once the child ends (-1 when a signal ended it); kill() brings that end about.
  int wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) continue;
    return pid_ = -1, WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void kill() { ::kill(pid_, SIGKILL), wait(); }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

}  // namespace vexorel::testing
