// A full disk for the length of a test: the process may write no file beyond `bytes`, so a write
// past that fails with EFBIG exactly where a full file system fails with ENOSPC. The signal the
// kernel sends for it is ignored, as a write error must be reported by the program, not kill it.
// Windows has no file-size limit per process: there every file creation fails instead, which is
// where the programs' writes meet a full disk first.
#pragma once

#include <cstddef>

#ifdef _WIN32
#include <climits>

#include "common/native_file.h"

namespace rave::testing {

class FullDisk {
public:
    explicit FullDisk(std::size_t) { FailNextFileCreations(INT_MAX); }
    ~FullDisk() { FailNextFileCreations(0); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;
};

}  // namespace rave::testing

#else
#include <sys/resource.h>

#include <csignal>

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
#endif
