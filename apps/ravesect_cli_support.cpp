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
