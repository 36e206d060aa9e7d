// The command lines' system calls on Linux and other POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include "apps/cli_system.h"

namespace rave::cli {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

void PrepareStandardStreams() {}

bool StandardErrorIsTerminal() {
    return isatty(STDERR_FILENO) == 1;
}

std::optional<std::pair<unsigned long long, unsigned long long>> FileIdentity(
    const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return std::pair<unsigned long long, unsigned long long>(status.st_dev, status.st_ino);
}

void KeepLargeAllocations() {
#if defined(__GLIBC__)
    // Every input allocates and frees the same large blocks (a document's 1350 rows, page
    // buffers, font subsets). They stay with the process for the next input instead of going back
    // to the system and being faulted in again, which cost a fifth of a batch.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

namespace {

// Working folders of this process, so an interrupted run (Ctrl+C, kill, a closed terminal) removes
// them before it ends (a closed pipe too). The signal handler may only use what is safe there:
// plain arrays, atomics and system calls.
constexpr int kWorkingFolderSlots = 64;
struct WorkingFolderSlot {
    std::atomic<bool> used{false};
    char path[PATH_MAX] = {};
};
WorkingFolderSlot g_workingFolders[kWorkingFolderSlots];

// Removes the files of a folder and the folder, with system calls only.
void RemoveFolderFromSignal(const char* path) {
    const int folder = ::open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        char buffer[4096];
        for (int pass = 0; pass < 8; ++pass) {
            ::lseek(folder, 0, SEEK_SET);
            bool removedAny = false;
            ssize_t size = 0;
            while ((size = ::getdents64(folder, buffer, sizeof buffer)) > 0) {
                for (ssize_t offset = 0; offset < size;) {
                    const auto* entry = reinterpret_cast<const dirent64*>(buffer + offset);
                    offset += entry->d_reclen;
                    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
                        removedAny = ::unlinkat(folder, entry->d_name, 0) == 0 || removedAny;
                    }
                }
            }
            if (!removedAny) {
                break;
            }
        }
        ::close(folder);
    }
    ::rmdir(path);
}

void RemoveWorkingFoldersAndStop(int signalNumber) {
    for (WorkingFolderSlot& slot : g_workingFolders) {
        if (slot.used.load()) {
            RemoveFolderFromSignal(slot.path);
        }
    }
    // End as the signal would have ended the program, so the caller sees the usual status.
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// Looked at on every registration, not once: a library may have ignored a signal since (the
// printing system ignores SIGPIPE), or a caller given it back its default.
void InstallCleanupHandlers() {
    // SIGPIPE too: output piped into a reader that stops early (| head) ends the run there.
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        struct sigaction previous {};
        ::sigaction(signalNumber, nullptr, &previous);
        if (previous.sa_handler != SIG_DFL) {
            continue;  // ignored (nohup, or no signal comes) or already ours: keep it so
        }
        struct sigaction action {};
        action.sa_handler = RemoveWorkingFoldersAndStop;
        sigemptyset(&action.sa_mask);
        ::sigaction(signalNumber, &action, nullptr);
    }
}

}  // namespace

int RegisterWorkingFolder(const std::filesystem::path& path) {
    const std::string text = path.string();
    if (text.size() >= PATH_MAX) {
        return -1;
    }
    InstallCleanupHandlers();
    static std::mutex lock;
    std::lock_guard<std::mutex> guard(lock);
    for (int i = 0; i < kWorkingFolderSlots; ++i) {
        if (!g_workingFolders[i].used.load()) {
            std::memcpy(g_workingFolders[i].path, text.c_str(), text.size() + 1);
            g_workingFolders[i].used.store(true);
            return i;
        }
    }
    return -1;
}

void ForgetWorkingFolder(int slot) {
    if (slot >= 0 && slot < kWorkingFolderSlots) {
        g_workingFolders[slot].used.store(false);
    }
}

}  // namespace rave::cli
