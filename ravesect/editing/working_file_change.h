// What one committed edit of the section changed in a file it rewrote (a working file, or the
// install folder's "Sysq.ndx"), held as the smallest stretch of bytes that differs. Undo and redo
// swap that stretch back into the file on disk: swapping turns the file as after the edit into the
// file as before it, and back again.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>

#include "common/messages.h"
#include "common/splice.h"
#include "ravesect/editing/working_file_snapshot.h"

namespace ravesect {

struct WorkingFileChange {
    std::filesystem::path file;
    bool exists = false;       // the file exists in the state the change is swapped into next
    bool otherExists = false;  // and in the state the swap gives
    rave::ByteSplice splice;

    // The memory the change keeps, its own size included.
    std::size_t HeldBytes() const;
};

// The change of `file` from `before` to `after`; none when the two are the same.
std::optional<WorkingFileChange> ChangeBetween(const std::filesystem::path& file,
                                               const WorkingFileSnapshot& before,
                                               const WorkingFileSnapshot& after);

enum class SwapResult { kSwapped, kChangedElsewhere, kCannotWrite };

// Swaps the change into its file on disk (writing the file whole, or removing it when the state
// the swap gives had none). The file stays as it is when it no longer holds what the change
// expects (kChangedElsewhere) or cannot be written (kCannotWrite).
SwapResult SwapIntoFile(WorkingFileChange& change);
// True when the file holds what the change expects, so SwapIntoFile would find it as it should.
bool SwapFits(const WorkingFileChange& change);

// "ファイルが他で変更されているため元に戻せません\n( %1 )" with the path.
rave::Message FileChangedElsewhereMessage(const std::filesystem::path& path);

}  // namespace ravesect
