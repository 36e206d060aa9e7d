// Feeds arbitrary bytes to the settings readers of both programs: "Sys.ndx", "Sysq.ndx", a font
// file and the section's settings line ("Tmp0.tmp"). Besides crashes, a value the readers let
// through outside what the dialogs accept is a fault, as is a saved file that reads back
// differently.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/font_settings.h"
#include "common/settings_files.h"
#include "ravesect/document/working_files.h"
#include "ravesect/drawing/section_fonts.h"
#include "ravesect/settings/format_sheet_fields.h"
#include "ravesect/settings/sysq_settings.h"

namespace {

// The readers take paths. A folder in memory (/dev/shm) keeps each run free of disk writes and
// syncs, which would otherwise bound the speed of the target.
const std::filesystem::path& Folder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path base = "/dev/shm";
        std::error_code error;
        if (!std::filesystem::is_directory(base, error)) {
            base = std::filesystem::temp_directory_path();
        }
        const std::filesystem::path made = base / ("rave-settings-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(made);
        return made;
    }();
    return folder;
}

std::filesystem::path WriteInput(const char* name, std::string_view bytes) {
    const std::filesystem::path path = Folder() / name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void Check(bool held) {
    if (!held) {
        __builtin_trap();
    }
}

void RavelogSettingsFile(std::string_view bytes) {
    const std::filesystem::path path = WriteInput("Sys.ndx", bytes);
    const std::optional<rave::RavelogSettings> read = rave::ReadSettingsFile(path);
    Check(read.has_value());
    for (int n : {rave::sysline::kTopMargin, rave::sysline::kLeftMargin, rave::sysline::kTitleRowFormats12,
                  rave::sysline::kTitleRowFormat3}) {
        Check(read->Int(n) >= 0 && read->Int(n) <= 100);
    }
    for (int n = rave::sysline::kDecimalsNa; n <= rave::sysline::kDecimalsQa; ++n) {
        Check(read->Int(n) >= 0 && read->Int(n) <= 4);
    }
    // Saved and read again, the settings are the same (each line up to any line break).
    const std::filesystem::path again = Folder() / "Sys-again.ndx";
    Check(rave::SaveSettings(again, *read));
    const std::optional<rave::RavelogSettings> back = rave::ReadSettingsFile(again);
    Check(back.has_value());
    for (int n = 1; n < rave::RavelogSettings::kLines; ++n) {
        Check(back->Int(n) == read->Int(n));
    }
}

void SysqFile(std::string_view bytes) {
    const std::filesystem::path path = WriteInput("Sysq.ndx", bytes);
    const std::optional<ravesect::SysqSettings> read = ravesect::ReadSysqFile(path, Folder());
    Check(read.has_value());
    for (int n = 1; n <= ravesect::SysqSettings::kLines; ++n) {
        if (const auto range = ravesect::FormatSheetRange(n)) {
            Check(read->Int(n) >= range->lowest && read->Int(n) <= range->highest);
            Check(std::isfinite(read->Real(n)));
        }
    }
    const double radius = read->Real(ravesect::sysqline::kDotRadius);
    Check(radius > 0.0 && radius <= 10.0);
}

void FontFiles(std::string_view bytes) {
    const std::filesystem::path path = WriteInput("Font1.ndx", bytes);
    if (std::optional<rave::FontSlot> font = rave::ReadFontFile(path)) {
        for (int n = 1; n <= rave::kRavelogFontCount; ++n) {
            rave::FontSlot repaired = *font;
            rave::RepairRavelogFont(n, repaired);
            Check(repaired.size > 1.0 && repaired.size <= 200.0);
        }
        for (int n = 1; n <= 7; ++n) {
            rave::FontSlot repaired = *font;
            ravesect::RepairSectionFont(n, repaired);
            Check(std::isfinite(repaired.size));
        }
    }
}

void SectionSettingsLine(std::string_view bytes) {
    ravesect::SectionSettings settings;
    ravesect::ApplySettingsLine(settings, bytes.substr(0, bytes.find_first_of("\r\n")));
    Check(settings.distanceScale >= 20 && settings.distanceScale <= 2000);
    Check(settings.depthScale >= 20 && settings.depthScale <= 2000);
    Check(settings.rulerBottom < settings.rulerTop);
    Check(std::isfinite(settings.topElevation));
    // The written line reads back to itself.
    const std::string line = ravesect::FormatSettingsLine(settings);
    ravesect::SectionSettings again;
    ravesect::ApplySettingsLine(again, line);
    Check(ravesect::FormatSettingsLine(again) == line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    RavelogSettingsFile(bytes);
    SysqFile(bytes);
    FontFiles(bytes);
    SectionSettingsLine(bytes);
    return 0;
}
