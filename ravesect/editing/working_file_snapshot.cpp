// Taking and restoring the bytes of a working file.
#include "ravesect/editing/working_file_snapshot.h"

#include <optional>
#include <system_error>
#include <utility>

#include "common/text_file.h"

namespace ravesect {

WorkingFileSnapshot TakeSnapshot(const std::filesystem::path& file) {
    WorkingFileSnapshot snapshot;
    if (std::optional<std::string> bytes = rave::ReadFileBytes(file)) {
        snapshot.exists = true;
        snapshot.bytes = std::move(*bytes);
    }
    return snapshot;
}

bool RestoreSnapshot(const std::filesystem::path& file, const WorkingFileSnapshot& snapshot) {
    if (!snapshot.exists) {
        std::error_code error;
        std::filesystem::remove(file, error);
        return !error;
    }
    return rave::WriteFileAtomically(file, snapshot.bytes);
}

}  // namespace ravesect
