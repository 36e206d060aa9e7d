// Bitmap tiles: the pattern numbers can also name Windows bitmap files ("%ld.bmp") that are
// stretched over a soil cell instead of the drawn symbols.
//
// A table's bitmap folder holds the colour tiles in "<folder>\J" (JACIC table) or "<folder>\C"
// (simple table) and the black ones in "<folder>01\J" or "<folder>01\C".
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/drawing/drawing_surface.h"
#include "common/drawing/pattern_mapping.h"

namespace rave {

// The reader refuses larger images (a tile is a few dozen pixels across).
inline constexpr int kMaxBitmapSide = 8192;
inline constexpr std::size_t kMaxBitmapPixels = 2048u * 2048u;
inline constexpr std::size_t kMaxBitmapFileBytes = 64u * 1024u * 1024u;

// Decodes an uncompressed Windows bitmap (file header, 40-byte or larger information header,
// colour table, pixel rows bottom-up or top-down) of 1, 4, 8, 16, 24 or 32 bits per pixel, and
// 4- and 8-bit run-length files (bottom-up). Anything malformed, truncated or oversized gives
// nothing.
std::optional<SurfaceBitmap> DecodeBitmap(std::span<const std::uint8_t> bytes);
std::optional<SurfaceBitmap> ReadBitmapFile(const std::filesystem::path& path);

// Writes a bitmap file of the image: 1 bit per pixel when it holds at most two colours, 4 or 8
// bits with a colour table when it holds at most 16 or 256, else 24 bits.
std::string EncodeBitmap(const SurfaceBitmap& bitmap);

// Loads the file and stretches it over the world rectangle (left edge moved 1 device unit right,
// width 1 unit narrower) with the raster operation: raster_op::kCopy for the first layer of a
// cell, raster_op::kAnd for layers laid over it. A file that cannot be read draws nothing (false).
bool DrawPatternBitmap(const MappedSurface& target, const std::filesystem::path& file, double x, double y,
                       double width, double height, std::uint32_t rasterOp);

// "<folder>\J" / "<folder>\C" in colour, "<folder>01\J" / "<folder>01\C" in monochrome, as text
// in the form the settings hold the folder (backslashes).
std::string PatternTileFolder(std::string_view tableFolder, bool jacic, bool monochrome);
// The tile of a pattern number in a folder: "<tileFolder>\<patternNo>.bmp".
std::string PatternTileFile(std::string_view tileFolder, long patternNo);

}  // namespace rave
