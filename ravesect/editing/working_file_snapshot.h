// The exact bytes of one working file at one moment, so an edit can be undone and redone by
// putting the file back as it was (and the view re-reads it).
#pragma once

#include <filesystem>
#include <string>

namespace ravesect {

struct WorkingFileSnapshot {
    bool exists = false;
    std::string bytes;

    friend bool operator==(const WorkingFileSnapshot&, const WorkingFileSnapshot&) = default;
};

WorkingFileSnapshot TakeSnapshot(const std::filesystem::path& file);
// Writes the bytes back (or removes the file when it did not exist). False when that failed.
bool RestoreSnapshot(const std::filesystem::path& file, const WorkingFileSnapshot& snapshot);

}  // namespace ravesect
