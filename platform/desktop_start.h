// The start of both desktop programs: the arguments left after Qt took its own, the program's
// settings and Qt's Japanese texts, the install folder (created on the first start), the main
// window with autosave, a file named on the command line, and the offer of the recovery copies an
// earlier run left.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/install_folder.h"
#include "platform/recovery.h"

namespace rave::platform {

class DocumentWindow;

struct DesktopArguments {
    std::filesystem::path installFolder;  // --install-folder DIR; empty: found through the pointer file
    std::optional<std::filesystem::path> file;
    std::string error;  // why the arguments were refused (ASCII); empty when accepted
};

// The program's own arguments: an optional "--install-folder DIR" (or "--install-folder=DIR")
// and at most one file.
DesktopArguments ParseDesktopArguments(const std::vector<std::string>& arguments);

// Offers the recovery copies an earlier run left (each question answered by `ask`); 復元 opens
// the copy in `window` as the modified document of its original file, after the question about
// the document in hand. Nothing is offered to a read-only window. True when one was restored.
bool OfferRecoveries(DocumentWindow& window, RecoverySession& session, const RecoveryAsk& ask);

// What tells the two programs apart at the start.
struct DesktopProgram {
    DesktopProgram(QString application, QString caption, const char* command, const char* extension,
                   PointerFile pointer)
        : application(std::move(application)),
          caption(std::move(caption)),
          command(command),
          extension(extension),
          pointer(pointer) {}

    QString application;    // "Ravelog": settings, recovery copies
    QString caption;        // the window's caption
    const char* command;    // "ravelog": the usage line
    const char* extension;  // ".sdw": the recovery copies' file type
    PointerFile pointer;    // where the install folder is found
    // The one document of the program starts empty (the run's own, not a test's).
    std::function<void()> resetDocument;
    // The main window over the install folder.
    std::function<std::unique_ptr<DocumentWindow>(const std::filesystem::path& installFolder)> createWindow;
    // Before the window is shown: takes what the window's files need (the returned guard lives
    // until the program ends). May leave the window read-only.
    std::function<std::shared_ptr<void>(DocumentWindow& window, RecoverySession& session)> takeFiles;
};

// Runs the desktop program until its window is closed; the process's exit status (2 for bad
// arguments, 1 when there is no install folder).
int RunDesktopProgram(int argc, char** argv, const DesktopProgram& program);

}  // namespace rave::platform
