// File changes of committed section edits, swapped in and out of the files on disk.
#include "ravesect/editing/working_file_change.h"

#include <system_error>
#include <utility>

#include "common/text_file.h"

namespace ravesect {

std::size_t WorkingFileChange::HeldBytes() const {
    return sizeof(*this) - sizeof(splice) + splice.HeldBytes() + rave::StringHeapBytes(file.native());
}

std::optional<WorkingFileChange> ChangeBetween(const std::filesystem::path& file,
                                               const WorkingFileSnapshot& before,
                                               const WorkingFileSnapshot& after) {
    if (before == after) {
        return std::nullopt;
    }
    return WorkingFileChange{file, after.exists, before.exists,
                             rave::ByteSplice::Between(before.bytes, after.bytes)};
}

SwapResult SwapIntoFile(WorkingFileChange& change) {
    WorkingFileSnapshot now = TakeSnapshot(change.file);
    if (now.exists != change.exists || !change.splice.SwapInto(now.bytes)) {
        return SwapResult::kChangedElsewhere;
    }
    now.exists = change.otherExists;
    if (!RestoreSnapshot(change.file, now)) {
        // Nothing was written: the change goes back to what it held.
        change.splice.SwapInto(now.bytes);
        return SwapResult::kCannotWrite;
    }
    std::swap(change.exists, change.otherExists);
    return SwapResult::kSwapped;
}

bool SwapFits(const WorkingFileChange& change) {
    WorkingFileSnapshot now = TakeSnapshot(change.file);
    rave::ByteSplice splice = change.splice;
    return now.exists == change.exists && splice.SwapInto(now.bytes);
}

rave::Message FileChangedElsewhereMessage(const std::filesystem::path& path) {
    return rave::Message{0, "ファイルが他で変更されているため元に戻せません\n( %1 )", path.string()};
}

}  // namespace ravesect
