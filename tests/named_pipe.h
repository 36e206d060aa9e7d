// A named pipe (FIFO) for tests of readers that must never open one. Opening a pipe for reading
// blocks until a writer comes, so a reader that wrongly opens it would hang the test: while the
// pipe lives, a thread keeps trying to open its write end without blocking and closes it at once,
// which lets such a reader go on (to an empty read) and the test fail instead of hanging.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace rave::testing {

class NamedPipe {
public:
    explicit NamedPipe(const std::filesystem::path& path) : path_(path) {
        ok_ = ::mkfifo(path.c_str(), 0600) == 0;
        unblocker_ = std::thread([this] {
            while (!stop_.load()) {
                const int end = ::open(path_.c_str(), O_WRONLY | O_NONBLOCK);
                if (end >= 0) {
                    ::close(end);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    ~NamedPipe() {
        stop_.store(true);
        unblocker_.join();
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    bool ok() const { return ok_; }
    std::string string() const { return path_.string(); }

private:
    std::filesystem::path path_;
    bool ok_ = false;
    std::atomic<bool> stop_{false};
    std::thread unblocker_;
};

}  // namespace rave::testing
