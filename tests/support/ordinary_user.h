#pragma once
// Running a check as an ordinary user. Permissions do not stop root, so tests of what cannot
// be read run their check, when the tests run as root, in a child process that has given
// root up (user and group "nobody"). Whatever the check reads must be open to others.

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace trawlex::testing {

// True when `check` returned true.
inline bool AsOrdinaryUser(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    constexpr uid_t kNobody = 65534;
    if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(2);
    _exit(check() ? 0 : 1);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace trawlex::testing
