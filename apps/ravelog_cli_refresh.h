// The settings and the refresh of a command-line run, as the desktop program has them when it
// shows a document: "Sys.ndx" of the install folder, the defaults the view fills in, and the
// refresh of a committed row edit.
#pragma once

#include <optional>

#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog::cli {

struct CommandContext;

// The settings of the install folder (prepared first, see ResolveInstallFolder). Nothing when the
// install folder cannot be prepared: the message is on stderr and the exit status set to 1.
std::optional<rave::RavelogSettings> LoadCommandLineSettings(CommandContext& context);

// --refresh: the view's set-up (ApplyViewSetUpDefaults with the install folder's settings), then
// the refresh of a committed row edit (the soil-name pass with the install folder's JACIC table,
// RecomputeRowDerived, AssignSoilClasses, RecomputeConversions). False when the install folder
// cannot be prepared; the document is then left as it was.
bool RefreshForCommandLine(SoundingDocument& document, CommandContext& context);

}  // namespace ravelog::cli
