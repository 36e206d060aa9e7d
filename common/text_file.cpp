// Line reading with fixed limits and atomic whole-file writing.
#include "common/text_file.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>

#include "common/cp932.h"

namespace rave {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool LineCursor::Next(std::string_view& line) {
    if (position_ >= bytes_.size()) {
        return false;
    }
    const std::size_t newline = bytes_.find('\n', position_);
    const std::size_t end = newline == std::string_view::npos ? bytes_.size() : newline + 1;
    std::string_view whole = bytes_.substr(position_, end - position_);
    position_ = end;
    if (maxChars_ > 0 && whole.size() > maxChars_) {
        whole = Cp932Prefix(whole, maxChars_);
    }
    line = whole;
    return true;
}

std::string_view StripLineEnd(std::string_view line) {
    if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n") {
        line.remove_suffix(2);
    } else if (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path, std::size_t maxChars) {
    const auto bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    LineCursor cursor(*bytes, maxChars);
    std::string_view line;
    while (cursor.Next(line)) {
        lines.emplace_back(StripLineEnd(line));
    }
    return lines;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        return false;
    }
    std::random_device random;
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const std::filesystem::path temporary =
        folder / ("." + path.filename().string() + ".tmp" + std::to_string(random() % 1000000));
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

}  // namespace rave
