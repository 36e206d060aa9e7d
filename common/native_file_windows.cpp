// File creation and replacement with the Windows calls. Paths go to Windows as UTF-16, so a file
// name with characters no code page holds is opened as it is, never as another file.
#include <windows.h>

#include <algorithm>
#include <string>

#include "common/native_file.h"

namespace rave {

namespace {

std::string Reason(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        code, MAKELANGID(LANG_ENGLISH, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string reason;
    if (length > 0 && text != nullptr) {
        const int size =
            WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        reason.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), reason.data(), size, nullptr,
                            nullptr);
        while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ' ||
                                   reason.back() == '.')) {
            reason.pop_back();
        }
    }
    if (text != nullptr) {
        LocalFree(text);
    }
    return reason.empty() ? "system error " + std::to_string(code) : reason;
}

}  // namespace

std::string CreateNewFile(const std::filesystem::path& path, std::string_view bytes,
                          const std::filesystem::path& likeFile) {
    if (detail::TakeInjectedCreationFailure()) {
        return Reason(ERROR_DISK_FULL);
    }
    // CREATE_NEW fails on anything already there, a link included, which is never followed. Windows
    // files carry no owner or mode bits a save must copy: a new file inherits the folder's rights.
    (void)likeFile;
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Reason(GetLastError());
    }
    std::string failure;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            failure = Reason(GetLastError());
            break;
        }
        done += written;
    }
    if (failure.empty() && !FlushFileBuffers(file)) {
        failure = Reason(GetLastError());
    }
    if (!CloseHandle(file) && failure.empty()) {
        failure = Reason(GetLastError());
    }
    if (!failure.empty()) {
        DeleteFileW(path.c_str());
    }
    return failure;
}

std::string ReplaceByRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    // A read-only target stays as it is: Windows refuses to replace it, as its other programs do.
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return {};
    }
    return Reason(GetLastError());
}

bool DeniesWriting(const std::filesystem::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

std::size_t LongestFileName(const std::filesystem::path&) {
    return 255;  // UTF-16 units, as NTFS and FAT with long names store them
}

}  // namespace rave
