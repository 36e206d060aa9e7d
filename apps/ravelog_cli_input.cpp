// Opening a sounding for the command line, refusing files that hold nothing usable.
#include "apps/ravelog_cli_input.h"

#include "apps/cli_shared.h"
#include "apps/ravelog_cli_context.h"
#include "common/path_text.h"
#include "platform/codec.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/document/sounding_file_verdict.h"

namespace ravelog::cli {

namespace {

// Why the command line refuses a file the open would not take as a sounding, in English for
// scripts; empty when the open itself should judge (and name) it.
std::string RefusalReason(std::string_view bytes, SoundingVerdict verdict) {
    switch (verdict) {
        case SoundingVerdict::kNotText:
            return rave::cli::BinaryInputReason(bytes);
        case SoundingVerdict::kNothingUsable:
            return "it holds neither a header nor measured rows";
        case SoundingVerdict::kRowsUnreadable:
            return "not one of its measured rows has a depth";
        case SoundingVerdict::kSounding:
        case SoundingVerdict::kUnknownVersion:
            break;
    }
    return rave::cli::BinaryInputReason(bytes);
}

}  // namespace

// The file is read and parsed once: the judged document becomes the open one, as the menu's
// Open would make it.
SoundingFileVersion OpenSoundingForCommandLine(SoundingDocument& document, CommandContext& context,
                                               const std::string& file) {
    const std::optional<std::string> bytes = ReadFileForOpen(context.messages, rave::PathFromUtf8(file));
    if (!bytes) {
        return kVersionUnknown;  // the reason is shown, naming the file
    }
    SoundingDocument read;
    int rowsLeftOut = 0;
    const SoundingFileVersion version = ReadSoundingBytes(read, *bytes, kMenuOpenLimits, &rowsLeftOut);
    const SoundingVerdict verdict = JudgeSoundingFile(*bytes, version, read);
    if (const std::string reason = RefusalReason(*bytes, verdict); !reason.empty()) {
        context.err << file << ": not a sounding file: " << reason << '\n';
        return kVersionUnknown;
    }
    if (verdict != SoundingVerdict::kSounding) {
        ShowNotSoundingFile(context.messages);
        return kVersionUnknown;
    }
    // Rows the verb cannot use in full are named, so a script's log says what the sheet or the
    // figures leave out; the verb goes on.
    const UnusedRowNotes notes = NoteUnusedRows(read, rowsLeftOut);
    for (const std::string* note : {&notes.rowsLeftOut, &notes.rowWithoutDepth}) {
        if (!note->empty()) {
            context.err << file << ": " << rave::platform::Cp932ToUtf8(*note) << '\n';
        }
    }
    AdoptOpenedSounding(document, std::move(read), rave::PathFromUtf8(file));
    return version;
}

}  // namespace ravelog::cli
