// A full disk for the length of a test: the process may write no file beyond `bytes`, so a write
// past that fails with EFBIG exactly where a full file system fails with ENOSPC. The signal the
// kernel sends for it is ignored, as a write error must be reported by the program, not kill it.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstddef>

namespace rave::testing {

class FullDisk {
public:
    explicit FullDisk(std::size_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};

}  // namespace rave::testing
