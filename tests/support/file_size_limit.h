#pragma once
// Runs code as on a full disk: in a forked child whose files may not grow
// beyond a given size (RLIMIT_FSIZE, with SIGXFSZ ignored so a write past it
// fails with EFBIG as a write to a full disk fails with ENOSPC).
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/rtl/Exceptions.h"

namespace test_support {

enum class LimitedRun { Returned = 0, WriteError = 1, CreateError = 2, OtherError = 3, Crashed = 4 };

// How `body` ended in a child limited to files of `limit` bytes.
inline LimitedRun RunWithFileSizeLimit(rlim_t limit, const std::function<void()>& body) {
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limits{limit, limit};
    if (setrlimit(RLIMIT_FSIZE, &limits) != 0) _exit(static_cast<int>(LimitedRun::Crashed));
    LimitedRun result = LimitedRun::Returned;
    try {
      body();
    } catch (const rtl::EWriteError&) {
      result = LimitedRun::WriteError;
    } catch (const rtl::EFCreateError&) {
      result = LimitedRun::CreateError;
    } catch (...) {
      result = LimitedRun::OtherError;
    }
    _exit(static_cast<int>(result));
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return LimitedRun::Crashed;
  return static_cast<LimitedRun>(WEXITSTATUS(status));
}

}  // namespace test_support
