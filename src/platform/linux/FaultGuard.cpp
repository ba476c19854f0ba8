#include "platform/linux/FaultGuard.h"

#include <csetjmp>
#include <csignal>
#include <mutex>

namespace vexorel::files {
namespace {

// The range the running thread guards and where to go back to when it faults there. Signal state is
// the process's by nature, so this and the handler that was installed before ours live here.
struct Guard {
  sigjmp_buf* jump = nullptr;
  const char* begin = nullptr;
  const char* end = nullptr;
};

thread_local Guard current;
struct sigaction previous {};

void onBusError(int signal, siginfo_t* info, void* context) {
  const char* at = static_cast<const char*>(info->si_addr);
  const bool fault = info->si_code > 0;  // raised by the hardware, not sent by kill or raise
  if (fault && current.jump && at >= current.begin && at < current.end) siglongjmp(*current.jump, 1);
  if (previous.sa_flags & SA_SIGINFO) {
    previous.sa_sigaction(signal, info, context);
    return;
  }
  if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
    previous.sa_handler(signal);
    return;
  }
  // The old disposition takes over: a fault strikes again when its instruction is retried, and a sent
  // signal is sent once more.
  ::sigaction(SIGBUS, &previous, nullptr);
  if (!fault) ::raise(signal);
}

void installHandler() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction action {};
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &previous);
  });
}

}  // namespace

bool runGuarded(const void* begin, std::size_t size, void (*work)(void* context), void* context) {
  installHandler();
  const Guard outer = current;
  sigjmp_buf jump;
  // The signal mask is saved too: the handler runs with SIGBUS blocked, and jumping out of it must not
  // leave it blocked.
  if (sigsetjmp(jump, 1) != 0) {
    current = outer;
    return false;
  }
  current = {&jump, static_cast<const char*>(begin), static_cast<const char*>(begin) + size};
  work(context);
  current = outer;
  return true;
}

}  // namespace vexorel::files
