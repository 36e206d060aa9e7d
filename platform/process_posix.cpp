// Processes on Linux: the process table and /proc.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/process.h"

namespace rave::platform {

long CurrentProcessId() {
    return static_cast<long>(::getpid());
}

bool ProcessExists(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// Field 22 of /proc/<pid>/stat: when the process started, in clock ticks since boot. Empty where
// the system does not say.
std::string ProcessStartToken(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string text;
    std::getline(in, text);
    // The command name (field 2) is in parentheses and may hold blanks: count after the last ')'.
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) {
        return {};
    }
    std::istringstream fields(text.substr(close + 1));
    std::string field;
    for (int number = 3; number <= 22 && (fields >> field); ++number) {
        if (number == 22) {
            return field;
        }
    }
    return {};
}

}  // namespace rave::platform
