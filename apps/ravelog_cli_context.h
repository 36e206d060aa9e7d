// What every Ravelog verb shares: the output streams, the message sink that prints to stderr and
// the install folder chosen with --install-folder.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "platform/console_messages.h"

namespace ravelog::cli {

struct CommandContext {
    CommandContext(std::ostream& out, std::ostream& err) : out(out), err(err), messages(err) {}

    std::ostream& out;
    std::ostream& err;
    rave::platform::ConsoleMessageSink messages;
    std::string installFolderOption;      // empty: find the install folder as the desktop program does
    std::filesystem::path installFolder;  // set by ResolveInstallFolder once it is prepared
    int exitCode = 0;
};

}  // namespace ravelog::cli
