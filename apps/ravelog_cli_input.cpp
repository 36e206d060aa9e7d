// Opening a sounding for the command line, refusing files that hold nothing usable.
#include "apps/ravelog_cli_input.h"

#include "apps/cli_shared.h"
#include "apps/ravelog_cli_context.h"
#include "common/text_file.h"
#include "ravelog/document/sounding_file_commands.h"

namespace ravelog::cli {

namespace {

// The sheet titles do not count: opening fills them with the standard title.
bool HasAnyHeaderText(const SoundingDocument& document) {
    for (int n = 1; n <= kHeaderSlots; ++n) {
        if (n != slot::kTitleFormat1 && n != slot::kTitleFormat2 && !document.header[n].empty()) {
            return true;
        }
    }
    return false;
}

}  // namespace

SoundingFileVersion OpenSoundingForCommandLine(SoundingDocument& document, CommandContext& context,
                                               const std::string& file) {
    if (const std::optional<std::string> bytes = rave::ReadFileBytes(file)) {
        const std::string reason = rave::cli::BinaryInputReason(*bytes);
        if (!reason.empty()) {
            context.err << file << ": not a sounding file: " << reason << '\n';
            return kVersionUnknown;
        }
    }
    const SoundingFileVersion version = OpenSoundingFromMenu(document, context.messages, file, std::nullopt);
    if (version == kVersionUnknown) {
        return version;
    }
    if (document.RowCount() == 0 && !HasAnyHeaderText(document)) {
        context.err << file << ": not a sounding file: it holds neither a header nor measured rows\n";
        return kVersionUnknown;
    }
    return version;
}

}  // namespace ravelog::cli
