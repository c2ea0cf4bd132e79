#pragma once
// A write that fails on demand, for root too: while a FileSizeLimit is alive, no file of
// this process can grow beyond `bytes` (RLIMIT_FSIZE); a write past it fails with EFBIG
// instead of raising SIGXFSZ. Permission bits cannot do this: they do not stop root.

#include <sys/resource.h>

#include <csignal>

namespace trawlex::testing {

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = nullptr;
};

}  // namespace trawlex::testing
