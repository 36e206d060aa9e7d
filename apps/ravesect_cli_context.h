// What every Ravesect verb shares: the output streams, the message sink that prints to stderr,
// the install folder chosen with --install-folder, and the helpers that keep a command-line run
// away from the desktop program's working files.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "platform/console_messages.h"
#include "ravesect/document/placement_list.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"
#include "ravesect/settings/section_paper.h"

namespace ravesect::cli {

struct CommandContext {
    CommandContext(std::ostream& out, std::ostream& err) : out(out), err(err), messages(err) {}

    std::ostream& out;
    std::ostream& err;
    rave::platform::ConsoleMessageSink messages;
    std::string installFolderOption;      // empty: find the install folder as the desktop program does
    std::filesystem::path installFolder;  // set by ResolveInstallFolder once it is prepared
    int exitCode = 0;
};

// --install-folder when given, else the folder the desktop program finds through
// "\Kelvard\Vivad5.whr"; created from the program's data folder when it does not exist yet.
// Nothing when it cannot be prepared: the message is on stderr and the exit status set to 1.
std::optional<std::filesystem::path> ResolveInstallFolder(CommandContext& context);

// The paper sections are laid out on: the default printer's, A4 landscape when there is none.
SectionPaper DefaultSectionPaper(rave::MessageSink& messages);

// A private folder for the working files of one command-line run ("ravesect-work-N" in the
// system's temporary folder), removed with its content at the end of the run, or when the run is
// interrupted by SIGINT, SIGTERM, SIGHUP or SIGPIPE, so the verbs never touch the files of the
// desktop program's section and leave nothing behind.
class PrivateWorkingFolder {
public:
    PrivateWorkingFolder();
    ~PrivateWorkingFolder();
    PrivateWorkingFolder(const PrivateWorkingFolder&) = delete;
    PrivateWorkingFolder& operator=(const PrivateWorkingFolder&) = delete;

    // False when the folder could not be created.
    bool ok() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }
    const WorkingFiles& files() const { return files_; }

private:
    std::filesystem::path path_;
    WorkingFiles files_;
    int slot_ = -1;  // its place among the folders an interrupting signal removes
};

// Opens a section file into `document` through the private working files, as the desktop program
// opens a file named on its command line. False (message on stderr) when it cannot be read.
bool OpenSectionForCommandLine(CommandContext& context, const PrivateWorkingFolder& working,
                               const std::filesystem::path& file, SectionDocument& document);

}  // namespace ravesect::cli
