// The install folder, the private working folder and the path conversions of Ravesect's verbs.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <random>
#include <system_error>

#include "apps/cli_shared.h"
#include "apps/ravesect_cli_context.h"
#include "common/text_file.h"
#include "platform/codec.h"
#include "platform/install_folder.h"
#include "platform/printer_paper.h"
#include "ravesect/document/section_commands.h"

namespace ravesect::cli {

namespace fs = std::filesystem;

std::optional<fs::path> ResolveInstallFolder(CommandContext& context) {
    if (!context.installFolder.empty()) {
        return context.installFolder;
    }
    auto request = rave::platform::DefaultInstallFolderRequest(rave::kRavesectPointerFile);
    request.overrideFolder = context.installFolderOption;
    auto folder = rave::platform::PrepareInstallFolder(request, context.messages);
    if (!folder) {
        context.exitCode = 1;
        return std::nullopt;
    }
    context.installFolder = *folder;
    return folder;
}

namespace {

// Working folders of this process, so an interrupted run (Ctrl+C, kill, a closed terminal, a
// closed pipe) removes them before it ends. The signal handler may only use what is safe there:
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

int RegisterWorkingFolder(const fs::path& path) {
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

}  // namespace

PrivateWorkingFolder::PrivateWorkingFolder() {
    std::random_device random;
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    if (error) {
        return;
    }
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path candidate = base / ("ravesect-work-" + std::to_string(random()));
        if (fs::create_directory(candidate, error) && !error) {
            path_ = candidate;
            files_ = WorkingFiles::In(path_);
            slot_ = RegisterWorkingFolder(path_);
            return;
        }
    }
}

PrivateWorkingFolder::~PrivateWorkingFolder() {
    if (slot_ >= 0) {
        g_workingFolders[slot_].used.store(false);
    }
    if (!path_.empty()) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
}

bool OpenSectionForCommandLine(CommandContext& context, const PrivateWorkingFolder& working,
                               const fs::path& file, SectionDocument& document) {
    if (const std::string problem = rave::cli::InputFileProblem(file.string()); !problem.empty()) {
        context.err << problem << '\n';
        return false;
    }
    // The file is read once, here: a pipe or device was refused above without being opened.
    const rave::InputFileBytes input = rave::ReadInputFile(file);
    if (input.refusal == rave::InputRefusal::kMissing) {
        context.messages.Show(SourceNotFoundMessage(file));
        return false;
    }
    if (!input.bytes) {
        context.err << file.string() << ": "
                    << rave::platform::Cp932ToUtf8(rave::InputRefusalText(input.refusal)) << '\n';
        return false;
    }
    // The desktop program opens whatever splits into working files; a script must not get a
    // blank section and success from an empty, binary or foreign file.
    const std::string& bytes = *input.bytes;
    std::string reason = rave::cli::BinaryInputReason(bytes);
    if (reason.empty() && (bytes.rfind("$$_", 0) != 0 || (bytes.find("\n$$Z") == std::string::npos &&
                                                          bytes.find("\r$$Z") == std::string::npos))) {
        reason = "it does not begin as a section file does (\"$$_QSVERAN...\" and its \"$$Z\" parts)";
    }
    if (!reason.empty()) {
        context.err << file.string() << ": not a section file: " << reason << '\n';
        return false;
    }
    if (!working.ok()) {
        std::error_code error;
        context.messages.Show(CannotOpenWorkingFileMessage(fs::temp_directory_path(error)));
        return false;
    }
    if (!OpenSectionBytes(document, working.files(), file, bytes, context.messages)) {
        if (context.messages.count() == 0) {
            context.messages.Show(SourceNotFoundMessage(file));
        }
        return false;
    }
    // The section keeps 50 titles, 200 points and 20 layers; a file holding more is opened with
    // those, and what was left out is said.
    if (const std::string cut = SectionCutsText(CountSectionEntries(working.files())); !cut.empty()) {
        context.err << file.string() << ": " << rave::platform::Cp932ToUtf8(cut) << '\n';
    }
    return true;
}

SectionPaper DefaultSectionPaper(rave::MessageSink& messages) {
    const std::optional<rave::platform::PrinterPageInfo> printer = rave::platform::DefaultPrinterPage();
    if (!printer) {
        return SectionPaper{297, 210};
    }
    return PaperFromPrinter(
        PrinterPageDots{printer->widthUnits, printer->heightUnits, printer->dpiX, printer->dpiY}, messages);
}

}  // namespace ravesect::cli
