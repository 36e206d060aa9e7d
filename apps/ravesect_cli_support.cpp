// The install folder, the private working folder and the path conversions of Ravesect's verbs.
#include <random>
#include <system_error>

#include "apps/cli_shared.h"
#include "apps/cli_system.h"
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
            slot_ = rave::cli::RegisterWorkingFolder(path_);
            return;
        }
    }
}

PrivateWorkingFolder::~PrivateWorkingFolder() {
    if (slot_ >= 0) {
        rave::cli::ForgetWorkingFolder(slot_);
    }
    if (!path_.empty()) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
}

bool OpenSectionForCommandLine(CommandContext& context, const PrivateWorkingFolder& working,
                               const fs::path& file, SectionDocument& document) {
    if (const std::string problem = rave::cli::FolderInputProblem(file.string()); !problem.empty()) {
        context.err << problem << '\n';
        return false;
    }
    // The desktop program opens whatever splits into working files; a script must not get a
    // blank section and success from an empty, binary or foreign file.
    if (const std::optional<std::string> bytes = rave::ReadFileBytes(file)) {
        std::string reason = rave::cli::BinaryInputReason(*bytes);
        if (reason.empty() && (bytes->rfind("$$_", 0) != 0 || (bytes->find("\n$$Z") == std::string::npos &&
                                                               bytes->find("\r$$Z") == std::string::npos))) {
            reason = "it does not begin as a section file does (\"$$_QSVERAN...\" and its \"$$Z\" parts)";
        }
        if (!reason.empty()) {
            context.err << file.string() << ": not a section file: " << reason << '\n';
            return false;
        }
    }
    if (!working.ok()) {
        std::error_code error;
        context.messages.Show(CannotOpenWorkingFileMessage(fs::temp_directory_path(error)));
        return false;
    }
    if (!OpenSectionThroughFramework(document, working.files(), file, context.messages)) {
        if (context.messages.count() == 0) {
            context.messages.Show(SourceNotFoundMessage(file));
        }
        return false;
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
