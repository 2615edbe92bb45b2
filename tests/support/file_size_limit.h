// A limit on the size of written files, to make a write fail part of the way through.
#pragma once

#include <sys/resource.h>
#include <csignal>

namespace testsupport {

// While it lives, no file may grow past `bytes`: a write beyond fails part of the way through,
// as it does on a full disc (this works whatever rights the tests run with).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &before_);
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = before_;
    small.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &before_);
    signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  struct rlimit before_ {};
  void (*oldHandler_)(int) = nullptr;
};

}  // namespace testsupport
