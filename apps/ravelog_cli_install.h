// The install folder of a command-line run, for the verbs that read settings, tables or fonts.
#pragma once

#include <filesystem>
#include <optional>

namespace ravelog::cli {

struct CommandContext;

// --install-folder when given, else the folder the desktop program finds through its pointer
// file; created from the program's data folder when it does not exist yet. The result is kept
// in the context, so later calls of the same run neither search nor create again. Nothing when
// the folder cannot be prepared: the message is on stderr and the exit status set to 1.
std::optional<std::filesystem::path> ResolveInstallFolder(CommandContext& context);

}  // namespace ravelog::cli
