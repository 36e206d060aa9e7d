// A named pipe for tests of readers that must never open one. While it lives, a thread keeps
// opening and closing its write end without blocking, so a reader that wrongly opens it reads
// nothing and the test fails instead of hanging.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

namespace rave::testing {

struct NamedPipe {
    explicit NamedPipe(std::filesystem::path at)
        : path(std::move(at)), ok(::mkfifo(path.c_str(), 0600) == 0) {}
    ~NamedPipe() {
        stop = true;
        writer.join();
        std::filesystem::remove(path);
    }
    std::filesystem::path path;
    bool ok;
    std::atomic<bool> stop{false};
    std::thread writer{[this] {
        for (int end; !stop; ::usleep(20000)) {
            if ((end = ::open(path.c_str(), O_WRONLY | O_NONBLOCK)) >= 0) {
                ::close(end);
            }
        }
    }};
};

}  // namespace rave::testing
