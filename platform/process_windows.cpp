// Processes on Windows.
#include <windows.h>

#include "platform/process.h"

namespace rave::platform {

long CurrentProcessId() {
    return static_cast<long>(GetCurrentProcessId());
}

bool ProcessExists(long pid) {
    if (pid <= 0) {
        return false;
    }
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        return GetLastError() == ERROR_ACCESS_DENIED;  // another user's: it exists
    }
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) != 0 && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

std::string ProcessStartToken(long pid) {
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        return {};
    }
    FILETIME created{}, exited{}, kernel{}, user{};
    std::string token;
    if (GetProcessTimes(process, &created, &exited, &kernel, &user) != 0) {
        token = std::to_string((static_cast<unsigned long long>(created.dwHighDateTime) << 32) |
                               created.dwLowDateTime);
    }
    CloseHandle(process);
    return token;
}

}  // namespace rave::platform
