#pragma once
// Code under test that opens a named pipe or a device may, when it is wrong, block or read
// forever. Such an operation is first run in a child process: the test waits for the child
// to end, but no longer than a bound, and kills it when it has not; and the child may map no
// more than a little memory beyond what it started with, so that a read without end fails
// quickly instead of taking the machine's memory. Only once the child has come back does the
// test run the operation itself and check what it did.

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <fstream>
#include <functional>

namespace trawlex::testing {

// Address space beyond the current one (which a sanitizer makes huge) fails to map.
inline void LimitNewMemory(std::size_t extraBytes) {
  std::size_t pages = 0;
  if (!(std::ifstream("/proc/self/statm") >> pages)) return;
  const rlim_t limit = pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + extraBytes;
  const rlimit bound{limit, limit};
  ::setrlimit(RLIMIT_AS, &bound);
}

// True when `operation` returns (and the child exits normally) within `bound`.
inline bool FinishesInChild(const std::function<void()>& operation,
                            std::chrono::milliseconds bound = std::chrono::seconds(10)) {
  int ends[2];
  if (::pipe(ends) != 0) return false;
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(ends[0]);
    LimitNewMemory(std::size_t{1} << 30);
    operation();
    ::_exit(0);  // no exit handlers: the parent's test run goes on, not the child's
  }
  ::close(ends[1]);
  // The child holds the only write end: it closes when the child ends, however it ends.
  pollfd hangUp{ends[0], POLLIN, 0};
  int ready = 0;
  do {
    ready = child > 0 ? ::poll(&hangUp, 1, static_cast<int>(bound.count())) : 0;
  } while (ready < 0 && errno == EINTR);
  const bool ended = ready == 1;
  ::close(ends[0]);
  if (child <= 0) return false;
  if (!ended) ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
  return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace trawlex::testing
