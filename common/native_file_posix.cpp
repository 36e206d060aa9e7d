// File creation and replacement with the POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/native_file.h"

namespace rave {

namespace {

std::string Reason() {
    return std::strerror(errno);
}

}  // namespace

std::string CreateNewFile(const std::filesystem::path& path, std::string_view bytes,
                          const std::filesystem::path& likeFile) {
    if (detail::TakeInjectedCreationFailure()) {
        return std::strerror(ENOSPC);
    }
    struct stat existing {};
    const bool copyMode = !likeFile.empty() && ::stat(likeFile.c_str(), &existing) == 0;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Reason();
    }
    std::string failure;
    if (copyMode) {
        // Keep the owner and permissions the file had; a change of owner needs rights we may
        // lack, and then the file becomes ours with the same permissions.
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
        }
        if (::fchmod(fd, existing.st_mode & 07777) != 0) {
            failure = "cannot set the permissions: " + Reason();
        }
    }
    std::size_t done = 0;
    while (failure.empty() && done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno != EINTR) {
                failure = Reason();
            }
        } else {
            done += static_cast<std::size_t>(written);
        }
    }
    if (failure.empty() && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) {
        failure = Reason();
    }
    if (::close(fd) != 0 && failure.empty()) {
        failure = Reason();
    }
    if (!failure.empty()) {
        ::unlink(path.c_str());
    }
    return failure;
}

std::string ReplaceByRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0 ? std::string() : Reason();
}

bool DeniesWriting(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        return false;
    }
    if (::geteuid() != 0) {
        // The system's own answer, which counts every group and access list.
        return ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 &&
               (errno == EACCES || errno == EPERM);
    }
    // The administrator may write anything; the bits of the class it falls into decide instead.
    if (info.st_uid == 0) {
        return (info.st_mode & S_IWUSR) == 0;
    }
    if (info.st_gid == ::getegid()) {
        return (info.st_mode & S_IWGRP) == 0;
    }
    return (info.st_mode & S_IWOTH) == 0;
}

std::size_t LongestFileName(const std::filesystem::path& folder) {
    const long limit = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : 255;
}

}  // namespace rave
