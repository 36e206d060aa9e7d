// Feeds arbitrary bytes to the bitmap reader: whatever it accepts must be a consistent image that
// the writer stores and the reader reads back unchanged. The same bytes also choose a soil
// pattern and a cell to draw it in on the recording surface, so that no cell geometry makes a
// pattern hang or crash.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

#include "common/drawing/pattern_mapping.h"
#include "common/drawing/recording_surface.h"
#include "common/patterns/pattern_bitmap.h"
#include "common/patterns/soil_patterns.h"

namespace {

double ReadDouble(const std::uint8_t* data, double lowest, double highest) {
    std::uint32_t raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    return lowest + (highest - lowest) * (raw / 4294967295.0);
}

void DrawPatternFromBytes(const std::uint8_t* data, std::size_t size) {
    if (size < 24) {
        return;
    }
    const auto numbers = rave::KnownPatternNumbers(rave::PatternSet::kRavesect);
    const long patternNo = numbers[data[0] % numbers.size()];
    const double x1 = ReadDouble(data + 4, -50.0, 300.0);
    const double y1 = ReadDouble(data + 8, -100.0, 400.0);
    const double width = ReadDouble(data + 12, 0.0, 60.0);
    const double height = ReadDouble(data + 16, 0.0, 300.0);
    const double fill = ReadDouble(data + 20, 0.0, 1.2);
    rave::RecordingSurface surface;
    rave::PatternMapping mapping =
        rave::PatternMapping::ForDevice(72 + data[1] * 4, 72 + data[2] * 4, 10, 10);
    const rave::MappedSurface target{surface, mapping};
    rave::DrawSoilPattern(target, patternNo, x1, y1, x1 + width, y1 + height, fill, data[3] % 4, rave::kBlack,
                          data[3] & 4, rave::PatternSet::kRavesect);
    rave::DrawCellMarker(target, x1, y1, x1 + width, y1 + height, data[0] % 6, data[1] % 3, 1, false,
                         nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto image = rave::DecodeBitmap(std::span<const std::uint8_t>(data, size));
    if (image) {
        if (image->width < 1 || image->height < 1 || image->width > rave::kMaxBitmapSide ||
            image->height > rave::kMaxBitmapSide ||
            image->pixels.size() !=
                static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height)) {
            std::abort();
        }
        const std::string again = rave::EncodeBitmap(*image);
        const auto reread = rave::DecodeBitmap(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(again.data()), again.size()));
        if (!reread || *reread != *image) {
            std::abort();
        }
    }
    DrawPatternFromBytes(data, size);
    return 0;
}
