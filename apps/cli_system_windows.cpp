// The command lines' system calls on Windows.
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <system_error>
#include <vector>

#include "apps/cli_system.h"

namespace rave::cli {

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; wide != nullptr && i < count; ++i) {
        const int length = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(length > 0 ? length - 1 : 0), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), length, nullptr, nullptr);
        arguments.push_back(std::move(text));
    }
    LocalFree(wide);
    return arguments;
}

namespace {

UINT g_consoleOutputPage = 0;

void RestoreConsolePage() {
    if (g_consoleOutputPage != 0) {
        SetConsoleOutputCP(g_consoleOutputPage);
    }
}

// Ctrl+C, Ctrl+Break and closing the console end the process without running atexit: the code
// page goes back to what the user had here too.
BOOL WINAPI RestoreConsolePageOnInterrupt(DWORD) {
    RestoreConsolePage();
    return FALSE;  // the next handler, Windows' own, ends the process
}

bool IsValid(HANDLE handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

void PrepareStandardStreams() {
    // A desktop program (the .exe) has no standard streams unless they were redirected; started
    // from a console it writes into that console instead of nowhere.
    if (!IsValid(GetStdHandle(STD_OUTPUT_HANDLE)) && !IsValid(GetStdHandle(STD_ERROR_HANDLE)) &&
        AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    // The verbs write UTF-8: a console shows it as such for the length of the run.
    if (GetConsoleWindow() != nullptr && GetConsoleOutputCP() != CP_UTF8) {
        g_consoleOutputPage = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
        std::atexit(RestoreConsolePage);
        SetConsoleCtrlHandler(RestoreConsolePageOnInterrupt, TRUE);
    }
}

bool StandardErrorIsTerminal() {
    return _isatty(_fileno(stderr)) != 0;
}

std::optional<std::pair<unsigned long long, unsigned long long>> FileIdentity(
    const std::filesystem::path& path) {
    // Opened for no access at all, so a file another program holds open can still be looked up.
    const HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool found = GetFileInformationByHandle(file, &information) != 0;
    CloseHandle(file);
    if (!found) {
        return std::nullopt;
    }
    const unsigned long long index =
        (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return std::pair<unsigned long long, unsigned long long>(information.dwVolumeSerialNumber, index);
}

void KeepLargeAllocations() {}

namespace {

// A console's Ctrl+C, Ctrl+Break and closing arrive on a thread of their own, where removing the
// folders with the usual calls is safe; the process then ends as it would have.
std::mutex g_lock;
std::vector<std::filesystem::path> g_folders;

BOOL WINAPI RemoveWorkingFoldersAndStop(DWORD) {
    std::lock_guard<std::mutex> guard(g_lock);
    for (const std::filesystem::path& folder : g_folders) {
        if (!folder.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder, ignored);
        }
    }
    return FALSE;  // the next handler, Windows' own, ends the process
}

}  // namespace

int RegisterWorkingFolder(const std::filesystem::path& folder) {
    static std::once_flag once;
    std::call_once(once, [] { SetConsoleCtrlHandler(RemoveWorkingFoldersAndStop, TRUE); });
    std::lock_guard<std::mutex> guard(g_lock);
    for (std::size_t i = 0; i < g_folders.size(); ++i) {
        if (g_folders[i].empty()) {
            g_folders[i] = folder;
            return static_cast<int>(i);
        }
    }
    g_folders.push_back(folder);
    return static_cast<int>(g_folders.size() - 1);
}

void ForgetWorkingFolder(int slot) {
    std::lock_guard<std::mutex> guard(g_lock);
    if (slot >= 0 && static_cast<std::size_t>(slot) < g_folders.size()) {
        g_folders[static_cast<std::size_t>(slot)].clear();
    }
}

}  // namespace rave::cli
