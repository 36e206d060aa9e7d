// The few file operations the operating system does its own way: creating a new file that nothing
// may stand in for, and replacing a file by renaming another over it. Everything else the core does
// with files goes through std::filesystem.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rave {

// Creates `path` as a new regular file, writes all the bytes, flushes them to the disk and closes
// it. Fails when anything already stands at `path`, a symbolic link included (never followed).
// When `likeFile` names an existing file, the new file takes its owner (where allowed) and
// permissions. Empty text on success, else the system's reason.
std::string CreateNewFile(const std::filesystem::path& path, std::string_view bytes,
                          const std::filesystem::path& likeFile = {});

// Renames `from` over `to` in one step, replacing what `to` held. Empty text on success, else the
// system's reason.
std::string ReplaceByRename(const std::filesystem::path& from, const std::filesystem::path& to);

// True when `file` exists and its permissions do not let this user write it: a file made
// read-only, or one owned by another user who has not shared it. Decided from the permission bits
// (and the read-only attribute on Windows), for the administrator too, who could otherwise replace
// any file: a save never replaces a file its owner protected. False for a missing file.
bool DeniesWriting(const std::filesystem::path& file);

// The longest file name, in bytes of the name as the file system stores it, that a new file in
// `folder` may have.
std::size_t LongestFileName(const std::filesystem::path& folder);

// Makes the next `count` calls of CreateNewFile fail as a full disk would, so tests can check that a
// failed write leaves every file as it was. 0 turns it off again.
void FailNextFileCreations(int count);

namespace detail {
// True, once per injected failure, while FailNextFileCreations is in effect.
bool TakeInjectedCreationFailure();
}  // namespace detail

}  // namespace rave
