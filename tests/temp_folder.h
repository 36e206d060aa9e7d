// A fresh folder under the system's temporary folder, removed with everything in it at the end
// of the test.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace rave::testing {

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("rave-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes `bytes` exactly (no line-end translation), creating the folders on the way.
    std::filesystem::path Write(const std::filesystem::path& relative, std::string_view bytes) const {
        const std::filesystem::path file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }

    // The bytes of a file, or an empty text when it cannot be read.
    static std::string Read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

// Makes a symbolic link where the system lets a test make one: Windows does only with a privilege,
// and wine not at all, so there tests leave their cases with links out. Elsewhere a failure throws.
inline bool MakeLinkWherePossible(const std::filesystem::path& target, const std::filesystem::path& link) {
#ifdef _WIN32
    std::error_code error;
    std::filesystem::create_symlink(target, link, error);
    return !error;
#else
    std::filesystem::create_symlink(target, link);
    return true;
#endif
}

}  // namespace rave::testing
