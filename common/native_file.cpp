// What the file operations of every operating system share.
#include "common/native_file.h"

#include <atomic>

namespace rave {

namespace {
std::atomic<int> g_injectedCreationFailures{0};
}  // namespace

void FailNextFileCreations(int count) {
    g_injectedCreationFailures = count;
}

namespace detail {
bool TakeInjectedCreationFailure() {
    int left = g_injectedCreationFailures.load();
    while (left > 0) {
        if (g_injectedCreationFailures.compare_exchange_weak(left, left - 1)) {
            return true;
        }
    }
    return false;
}
}  // namespace detail

}  // namespace rave
