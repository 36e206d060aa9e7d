// Feeds arbitrary bytes to the section file's split into the working files and to the readers
// of each working file, then writes the tables back and reads them again.
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/messages.h"
#include "ravesect/document/section_file.h"
#include "ravesect/document/working_files.h"

namespace {

// The working files live in memory (/dev/shm) where there is such a folder: each input writes
// four of them, and on a disk the flush of every write to it bounded the target to a few dozen
// inputs a second.
const ravesect::WorkingFiles& FuzzWorkingFiles() {
    static const ravesect::WorkingFiles files = [] {
        std::filesystem::path base = "/dev/shm";
        std::error_code error;
        if (!std::filesystem::is_directory(base, error)) {
            base = std::filesystem::temp_directory_path();
        }
        const std::filesystem::path folder = base / ("ravesect-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        return ravesect::WorkingFiles::In(folder);
    }();
    return files;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    ravesect::SectionDocument document;
    ravesect::ApplySettingsLine(document.settings, bytes.substr(0, bytes.find('\n')));
    ravesect::ReadColumns(document, bytes);
    ravesect::ReadTitleLines(document, bytes);
    ravesect::ReadPointsLayers(document, bytes);
    for (int n = 1; n <= ravesect::kLayers; ++n) {
        (void)document.Layer(n).PointNumbers();
        (void)document.Layer(n).ColourValue();
    }

    // What the writers produce must read back to the same text.
    const std::string columns = ravesect::ColumnsBytes(document, "1");
    ravesect::SectionDocument again;
    ravesect::ReadColumns(again, columns);
    if (ravesect::ColumnsBytes(again, "1") != columns) {
        __builtin_trap();
    }
    ravesect::ReadTitleLines(again, ravesect::TitleLinesBytes(document));
    ravesect::ReadPointsLayers(again, ravesect::PointsLayersBytes(document));

    rave::RecordingMessageSink messages;
    const ravesect::WorkingFiles& files = FuzzWorkingFiles();
    if (ravesect::LoadSectionBytes(document, files, bytes, messages) == 2) {
        ravesect::ReloadSectionDocument(document, files);
        (void)ravesect::JoinSectionFile(document, files);
    }
    return 0;
}
