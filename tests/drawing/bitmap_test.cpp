// The bitmap reader and writer, the drawing of a tile, and the tiles the product ships.
#include "common/patterns/pattern_bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "common/drawing/recording_surface.h"
#include "common/messages.h"
#include "common/pattern_colors.h"
#include "common/patterns/soil_patterns.h"
#include "temp_folder.h"

namespace rave {
namespace {

std::optional<SurfaceBitmap> Decode(const std::string& bytes) {
    return DecodeBitmap(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

void Put16(std::string& s, std::uint32_t v) {
    s.push_back(static_cast<char>(v & 0xFF));
    s.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

// A bitmap file built field by field, so that tests can write what no encoder would.
struct BmpParts {
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette;  // 0x00RRGGBB as the file stores it (B, G, R, 0)
    std::string extra;                   // after the palette (bit-field masks)
    std::string pixels;
    std::uint32_t infoSize = 40;
    std::optional<std::uint32_t> pixelOffset;

    std::string Build() const {
        std::string s = "BM";
        const std::uint32_t headerBytes = std::max<std::uint32_t>(infoSize, 40);
        const std::uint32_t offset = pixelOffset.value_or(
            14 + headerBytes + static_cast<std::uint32_t>(extra.size() + 4 * palette.size()));
        Put32(s, offset + static_cast<std::uint32_t>(pixels.size()));
        Put32(s, 0);
        Put32(s, offset);
        Put32(s, infoSize);
        Put32(s, static_cast<std::uint32_t>(width));
        Put32(s, static_cast<std::uint32_t>(height));
        Put16(s, 1);
        Put16(s, bits);
        Put32(s, compression);
        Put32(s, static_cast<std::uint32_t>(pixels.size()));
        Put32(s, 2835);
        Put32(s, 2835);
        Put32(s, colorsUsed);
        Put32(s, 0);
        s.append(headerBytes - 40, '\0');
        s += extra;
        for (std::uint32_t c : palette) {
            Put32(s, c);
        }
        const std::size_t at = s.size();
        if (!pixelOffset && offset > at) {
            s.append(offset - at, '\0');
        }
        s += pixels;
        return s;
    }
};

SurfaceBitmap Image(int width, int height, std::vector<ColorRef> pixels) {
    return {width, height, std::move(pixels)};
}

int BitsOf(const std::string& file) {
    return static_cast<unsigned char>(file[28]);
}

TEST(BitmapCodec, RoundTripsWithTheSmallestPixelFormat) {
    const SurfaceBitmap two = Image(3, 2, {kWhite, 0x0000FF, kWhite, 0x0000FF, kWhite, kWhite});
    std::vector<ColorRef> sixteen, many;
    for (int i = 0; i < 16; ++i) {
        sixteen.push_back(MakeColorRef(i * 10, 0, 255 - i));
    }
    for (int i = 0; i < 300; ++i) {
        many.push_back(MakeColorRef(i % 256, i / 256, 7));
    }
    std::vector<ColorRef> twoHundred(many.begin(), many.begin() + 200);
    const std::pair<SurfaceBitmap, int> cases[] = {{two, 1},
                                                   {Image(4, 4, sixteen), 4},
                                                   {Image(20, 10, twoHundred), 8},
                                                   {Image(30, 10, many), 24},
                                                   {Image(1, 1, {kBlack}), 1}};
    for (const auto& [image, bits] : cases) {
        const std::string file = EncodeBitmap(image);
        ASSERT_GE(file.size(), 54u);
        EXPECT_EQ(BitsOf(file), bits);
        const auto decoded = Decode(file);
        ASSERT_TRUE(decoded) << bits;
        EXPECT_EQ(*decoded, image) << bits;
    }
    EXPECT_EQ(EncodeBitmap(SurfaceBitmap{}), "");
    EXPECT_EQ(EncodeBitmap(Image(2, 2, {kBlack})), "");
}

TEST(BitmapReader, ReadsBottomUpRowsWithTheirPadding) {
    BmpParts parts;
    parts.width = 3;
    parts.height = 2;
    // Bottom row first, each row padded to 12 bytes.
    parts.pixels = std::string(
                       "\x00\x00\xFF"
                       "\x00\xFF\x00"
                       "\xFF\x00\x00"
                       "\x00\x00\x00",
                       12) +
                   std::string(
                       "\xFF\xFF\xFF"
                       "\x00\x00\x00"
                       "\x10\x20\x30"
                       "\x00\x00\x00",
                       12);
    const auto image = Decode(parts.Build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->At(0, 0), kWhite);
    EXPECT_EQ(image->At(2, 0), MakeColorRef(0x30, 0x20, 0x10));
    EXPECT_EQ(image->At(0, 1), MakeColorRef(255, 0, 0));
    EXPECT_EQ(image->At(1, 1), MakeColorRef(0, 255, 0));
    EXPECT_EQ(image->At(2, 1), MakeColorRef(0, 0, 255));
}

TEST(BitmapReader, ReadsTopDownPalettedAndBitFieldFiles) {
    BmpParts top;
    top.width = 2;
    top.height = -2;
    top.bits = 8;
    top.colorsUsed = 2;
    top.palette = {0x00FF0000, 0x000000FF};  // red, blue
    top.pixels = std::string(
        "\x00\x01\x00\x00"
        "\x01\x01\x00\x00",
        8);
    const auto image = Decode(top.Build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->At(0, 0), MakeColorRef(255, 0, 0));
    EXPECT_EQ(image->At(1, 0), MakeColorRef(0, 0, 255));
    EXPECT_EQ(image->At(0, 1), MakeColorRef(0, 0, 255));

    BmpParts rgb32;
    rgb32.bits = 32;
    rgb32.pixels = std::string("\x11\x22\x33\x00", 4);
    EXPECT_EQ(Decode(rgb32.Build())->At(0, 0), MakeColorRef(0x33, 0x22, 0x11));

    BmpParts rgb555;
    rgb555.bits = 16;
    rgb555.pixels = std::string("\x00\x7C\x00\x00", 4);  // 0x7C00: full red
    EXPECT_EQ(Decode(rgb555.Build())->At(0, 0), MakeColorRef(255, 0, 0));

    BmpParts rgb565;
    rgb565.bits = 16;
    rgb565.compression = 3;
    Put32(rgb565.extra, 0xF800);
    Put32(rgb565.extra, 0x07E0);
    Put32(rgb565.extra, 0x001F);
    rgb565.pixels = std::string("\xE0\x07\x00\x00", 4);  // 0x07E0: full green
    EXPECT_EQ(Decode(rgb565.Build())->At(0, 0), MakeColorRef(0, 255, 0));

    BmpParts fourBit;
    fourBit.width = 3;
    fourBit.bits = 4;
    fourBit.palette = std::vector<std::uint32_t>(16, 0x00FFFFFF);
    fourBit.palette[2] = 0x00000000;
    fourBit.pixels = std::string("\x02\x20\x00\x00", 4);
    const auto four = Decode(fourBit.Build());
    ASSERT_TRUE(four);
    EXPECT_EQ(four->At(0, 0), kWhite);
    EXPECT_EQ(four->At(1, 0), kBlack);
    EXPECT_EQ(four->At(2, 0), kBlack);
}

TEST(BitmapReader, ReadsRunLengthFilesAndIgnoresRunsOutsideTheImage) {
    BmpParts rle;
    rle.width = 4;
    rle.height = 2;
    rle.bits = 8;
    rle.compression = 1;
    rle.colorsUsed = 2;
    rle.palette = {0x00FFFFFF, 0x00000000};
    // Bottom row: 3 black then end of line; top row: absolute run of 3 (white, black, white),
    // a run far past the right edge, a move far outside, end of bitmap.
    rle.pixels = std::string(
        "\x03\x01\x00\x00"
        "\x00\x03\x00\x01\x00\x00"
        "\xFF\x01"
        "\x00\x02\xFF\xFF"
        "\x00\x01",
        18);
    const auto image = Decode(rle.Build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->At(0, 1), kBlack);
    EXPECT_EQ(image->At(2, 1), kBlack);
    EXPECT_EQ(image->At(3, 1), kWhite);
    EXPECT_EQ(image->At(0, 0), kWhite);
    EXPECT_EQ(image->At(1, 0), kBlack);
    EXPECT_EQ(image->At(3, 0), kBlack);  // from the long run, cut at the edge
}

TEST(BitmapReader, MalformedFilesGiveNothing) {
    BmpParts good;
    good.width = 2;
    good.height = 2;
    good.pixels = std::string(16, '\x7F');
    ASSERT_TRUE(Decode(good.Build()));

    std::vector<BmpParts> bad(12, good);
    bad[0].width = 0;
    bad[1].width = -5;
    bad[2].height = 0;
    bad[3].height = std::numeric_limits<std::int32_t>::min();
    bad[4].width = 100000;
    bad[5].width = 3000;  // 3000 x 2000 pixels: more than a tile reader accepts
    bad[5].height = 2000;
    bad[6].bits = 7;
    bad[7].compression = 4;  // JPEG inside a bitmap
    bad[8].bits = 8;
    bad[8].colorsUsed = 300;
    bad[9].pixelOffset = 100000;
    bad[10].infoSize = 12;
    bad[11].compression = 1;  // run-length data needs 8 bits per pixel
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_FALSE(Decode(bad[i].Build())) << i;
    }
    std::string wrongMagic = good.Build();
    wrongMagic[1] = 'A';
    EXPECT_FALSE(Decode(wrongMagic));
    EXPECT_FALSE(Decode(""));
    // Every truncation of a good file is refused: the rows must all be there.
    const std::string whole = good.Build();
    for (std::size_t length = 0; length < whole.size(); ++length) {
        EXPECT_FALSE(Decode(whole.substr(0, length))) << length;
    }
}

TEST(BitmapReader, PaletteIndexesBeyondTheTableAreBlack) {
    BmpParts parts;
    parts.bits = 8;
    parts.colorsUsed = 1;
    parts.palette = {0x00FFFFFF};
    parts.pixels = std::string("\x05\x00\x00\x00", 4);
    const auto image = Decode(parts.Build());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->At(0, 0), kBlack);
}

TEST(DrawPatternBitmap, StretchesTheTileOneUnitInsideTheLeftEdge) {
    testing::TempFolder folder;
    const SurfaceBitmap tile = Image(2, 1, {kBlack, kWhite});
    const auto file = folder.Write("J/600.bmp", EncodeBitmap(tile));
    RecordingSurface surface;
    PatternMapping mapping = PatternMapping::ForDevice(600, 600, 10, 10);
    const MappedSurface target{surface, mapping};
    EXPECT_TRUE(DrawPatternBitmap(target, file, 20, 30, 8.2, 12, raster_op::kAnd));
    const auto calls = surface.CallsOf(SurfaceCall::kStretchBitmap);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rect, (SurfaceRect{mapping.ToSurfaceX(20) + 1, mapping.ToSurfaceY(30),
                                          mapping.ToSurfaceX(28.2), mapping.ToSurfaceY(42)}));
    EXPECT_EQ(calls[0].bitmap, tile);
    EXPECT_EQ(calls[0].rasterOp, raster_op::kAnd);

    // The other spelling of the extension is found too.
    EXPECT_TRUE(DrawPatternBitmap(target, folder.path() / "J/600.BMP", 20, 30, 8.2, 12, raster_op::kCopy));
    surface.ClearCalls();
    EXPECT_FALSE(DrawPatternBitmap(target, folder.path() / "J/601.bmp", 20, 30, 8.2, 12, raster_op::kCopy));
    EXPECT_FALSE(DrawPatternBitmap(target, folder.Write("J/602.bmp", "BM not really"), 20, 30, 8, 12,
                                   raster_op::kCopy));
    EXPECT_FALSE(DrawPatternBitmap(target, folder.path() / "J", 20, 30, 8.2, 12, raster_op::kCopy));
    EXPECT_TRUE(surface.Calls().empty());
}

TEST(PatternTiles, FolderAndFileNames) {
    EXPECT_EQ(PatternTileFolder("C:\\Kelvard\\Sver5\\Jbptn", true, false), "C:\\Kelvard\\Sver5\\Jbptn\\J");
    EXPECT_EQ(PatternTileFolder("C:\\Kelvard\\Sver5\\Jbptn", true, true), "C:\\Kelvard\\Sver5\\Jbptn01\\J");
    EXPECT_EQ(PatternTileFolder("D:\\x\\Cbptn", false, false), "D:\\x\\Cbptn\\C");
    EXPECT_EQ(PatternTileFolder("D:\\x\\Cbptn", false, true), "D:\\x\\Cbptn01\\C");
    EXPECT_EQ(PatternTileFile("D:\\x\\Cbptn\\C", 3300), "D:\\x\\Cbptn\\C\\3300.bmp");
}

// The install folder the product creates carries a tile for every pattern, in colour and black.
TEST(PatternTiles, ShippedTilesCoverEveryPatternAndReadBack) {
    const std::filesystem::path data = std::filesystem::path(RAVE_SOURCE_DIR) / "data";
    PatternColorTable colors;
    RecordingMessageSink messages;
    ASSERT_TRUE(colors.LoadPatternColors(data / "PtnvcJG.ndx", messages));
    const std::pair<const char*, bool> folders[] = {
        {"Jbptn/J", false}, {"Jbptn01/J", true}, {"Cbptn/C", false}, {"Cbptn01/C", true}};
    for (const auto& [folder, monochrome] : folders) {
        for (long n : KnownPatternNumbers(PatternSet::kRavesect)) {
            if (n == 20004) {
                continue;
            }
            const auto file = data / folder / (std::to_string(n) + ".bmp");
            const auto tile = ReadBitmapFile(file);
            ASSERT_TRUE(tile) << file;
            EXPECT_EQ(tile->width, 64);
            EXPECT_EQ(tile->height, 128);
            std::set<ColorRef> seen(tile->pixels.begin(), tile->pixels.end());
            const ColorRef ink = monochrome ? kBlack : colors.PatternColor(n);
            EXPECT_EQ(seen, (std::set<ColorRef>{kWhite, ink})) << file;
        }
    }
}

}  // namespace
}  // namespace rave
