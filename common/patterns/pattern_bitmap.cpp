// Windows bitmap files: a bounds-checked reader, a small writer for the tiles we ship, and the
// drawing of a tile over a soil cell.
//
// The reader trusts nothing in the file: every offset and size is checked against the bytes
// actually present before it is used, the image size is limited, and run-length data that points
// outside the image is ignored. A file that does not hold a bitmap we can read gives nothing.
#include "common/patterns/pattern_bitmap.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <map>
#include <system_error>
#include <vector>

#include "common/format.h"
#include "common/text_file.h"

namespace rave {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t size() const { return bytes_.size(); }
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    std::uint8_t U8(std::size_t offset) const { return bytes_[offset]; }
    std::uint16_t U16(std::size_t offset) const {
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::uint32_t U32(std::size_t offset) const {
        return static_cast<std::uint32_t>(bytes_[offset]) |
               (static_cast<std::uint32_t>(bytes_[offset + 1]) << 8) |
               (static_cast<std::uint32_t>(bytes_[offset + 2]) << 16) |
               (static_cast<std::uint32_t>(bytes_[offset + 3]) << 24);
    }
    std::int32_t S32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }

private:
    std::span<const std::uint8_t> bytes_;
};

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint32_t maximum = 0;

    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask != 0) {
            shift = std::countr_zero(mask);
            maximum = mask >> shift;
        }
    }
    int Of(std::uint32_t pixel) const {
        if (maximum == 0) {
            return 0;
        }
        return static_cast<int>(((pixel & mask) >> shift) * 255u / maximum);
    }
};

struct Header {
    int width = 0;
    int height = 0;  // always positive
    bool topDown = false;
    int bits = 0;
    std::uint32_t compression = kRgb;
    std::size_t pixelOffset = 0;
    std::vector<ColorRef> palette;
    std::uint32_t masks[3] = {0, 0, 0};
};

std::optional<Header> ReadHeader(const ByteReader& in) {
    if (!in.Has(0, kFileHeaderBytes + kInfoHeaderBytes) || in.U8(0) != 'B' || in.U8(1) != 'M') {
        return std::nullopt;
    }
    Header h;
    const std::uint32_t infoSize = in.U32(14);
    if (infoSize < kInfoHeaderBytes || infoSize > 4096 || !in.Has(kFileHeaderBytes, infoSize)) {
        return std::nullopt;
    }
    const std::int64_t width = in.S32(18);
    const std::int64_t height = in.S32(22);
    h.bits = in.U16(28);
    h.compression = in.U32(30);
    const std::uint32_t colorsUsed = in.U32(46);
    if (width < 1 || width > kMaxBitmapSide || height == 0 || height < -kMaxBitmapSide ||
        height > kMaxBitmapSide) {
        return std::nullopt;
    }
    h.width = static_cast<int>(width);
    h.height = static_cast<int>(height < 0 ? -height : height);
    h.topDown = height < 0;
    if (static_cast<std::int64_t>(h.width) * h.height > static_cast<std::int64_t>(kMaxBitmapPixels)) {
        return std::nullopt;
    }
    switch (h.compression) {
        case kRgb:
            if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32) {
                return std::nullopt;
            }
            break;
        case kRle8:
        case kRle4:
            if (h.bits != (h.compression == kRle8 ? 8 : 4) || h.topDown) {
                return std::nullopt;
            }
            break;
        case kBitFields:
            if (h.bits != 16 && h.bits != 32) {
                return std::nullopt;
            }
            break;
        default:
            return std::nullopt;
    }

    std::size_t after = kFileHeaderBytes + infoSize;
    if (h.bits == 16 || h.bits == 32) {
        if (h.compression == kBitFields) {
            // The masks follow a plain 40-byte header; longer headers hold them inside.
            const std::size_t at = kFileHeaderBytes + kInfoHeaderBytes;
            if (!in.Has(at, 12)) {
                return std::nullopt;
            }
            for (int i = 0; i < 3; ++i) {
                h.masks[i] = in.U32(at + 4 * static_cast<std::size_t>(i));
            }
            if (infoSize == kInfoHeaderBytes) {
                after += 12;
            }
        } else if (h.bits == 16) {
            h.masks[0] = 0x7C00;
            h.masks[1] = 0x03E0;
            h.masks[2] = 0x001F;
        } else {
            h.masks[0] = 0xFF0000;
            h.masks[1] = 0x00FF00;
            h.masks[2] = 0x0000FF;
        }
    }
    if (h.bits <= 8) {
        const std::uint32_t most = 1u << h.bits;
        const std::uint32_t count = colorsUsed == 0 ? most : colorsUsed;
        if (count > most || !in.Has(after, static_cast<std::uint64_t>(count) * 4)) {
            return std::nullopt;
        }
        h.palette.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t at = after + 4 * static_cast<std::size_t>(i);
            h.palette.push_back(MakeColorRef(in.U8(at + 2), in.U8(at + 1), in.U8(at)));
        }
        after += 4 * static_cast<std::size_t>(count);
    }
    const std::uint32_t pixelOffset = in.U32(10);
    if (pixelOffset < kFileHeaderBytes + infoSize || pixelOffset > in.size()) {
        return std::nullopt;
    }
    h.pixelOffset = pixelOffset;
    return h;
}

ColorRef PaletteColor(const Header& h, std::uint32_t index) {
    return index < h.palette.size() ? h.palette[index] : kBlack;
}

std::optional<SurfaceBitmap> DecodeRows(const ByteReader& in, const Header& h, SurfaceBitmap bitmap) {
    const std::uint64_t stride = (static_cast<std::uint64_t>(h.width) * h.bits + 31) / 32 * 4;
    if (!in.Has(h.pixelOffset, stride * static_cast<std::uint64_t>(h.height))) {
        return std::nullopt;
    }
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    for (int row = 0; row < h.height; ++row) {
        const std::size_t start =
            h.pixelOffset + static_cast<std::size_t>(stride * static_cast<std::uint64_t>(row));
        const int y = h.topDown ? row : h.height - 1 - row;
        ColorRef* out = &bitmap.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(h.width)];
        for (int x = 0; x < h.width; ++x) {
            const std::size_t ux = static_cast<std::size_t>(x);
            switch (h.bits) {
                case 1:
                    out[x] = PaletteColor(h, (in.U8(start + ux / 8) >> (7 - ux % 8)) & 1u);
                    break;
                case 4:
                    out[x] = PaletteColor(h, (in.U8(start + ux / 2) >> (ux % 2 == 0 ? 4 : 0)) & 0x0Fu);
                    break;
                case 8:
                    out[x] = PaletteColor(h, in.U8(start + ux));
                    break;
                case 16: {
                    const std::uint32_t p = in.U16(start + 2 * ux);
                    out[x] = MakeColorRef(red.Of(p), green.Of(p), blue.Of(p));
                    break;
                }
                case 24: {
                    const std::size_t at = start + 3 * ux;
                    out[x] = MakeColorRef(in.U8(at + 2), in.U8(at + 1), in.U8(at));
                    break;
                }
                default: {
                    const std::uint32_t p = in.U32(start + 4 * ux);
                    out[x] = MakeColorRef(red.Of(p), green.Of(p), blue.Of(p));
                    break;
                }
            }
        }
    }
    return bitmap;
}

// Run-length data (bottom-up only). Pixels the data never sets keep palette entry 0.
std::optional<SurfaceBitmap> DecodeRunLength(const ByteReader& in, const Header& h, SurfaceBitmap bitmap) {
    const bool four = h.compression == kRle4;
    std::fill(bitmap.pixels.begin(), bitmap.pixels.end(), PaletteColor(h, 0));
    std::int64_t x = 0;
    std::int64_t row = 0;  // from the bottom
    const auto put = [&](std::uint32_t index) {
        if (x >= 0 && x < h.width && row >= 0 && row < h.height) {
            const std::size_t y = static_cast<std::size_t>(h.height - 1 - row);
            bitmap.pixels[y * static_cast<std::size_t>(h.width) + static_cast<std::size_t>(x)] =
                PaletteColor(h, index);
        }
        ++x;
    };
    std::size_t at = h.pixelOffset;
    while (in.Has(at, 2) && row < h.height) {
        const std::uint8_t count = in.U8(at);
        const std::uint8_t value = in.U8(at + 1);
        at += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) {
                put(four ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
            }
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++row;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // move
            if (!in.Has(at, 2)) {
                break;
            }
            x += in.U8(at);
            row += in.U8(at + 1);
            at += 2;
        } else {  // `value` pixels given one by one, padded to a 16-bit boundary
            const std::size_t dataBytes = four ? (value + 1u) / 2u : value;
            if (!in.Has(at, dataBytes)) {
                break;
            }
            for (int i = 0; i < value; ++i) {
                const std::uint8_t byte =
                    in.U8(at + (four ? static_cast<std::size_t>(i / 2) : static_cast<std::size_t>(i)));
                put(four ? ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) : byte);
            }
            at += dataBytes + (dataBytes % 2);
        }
    }
    return bitmap;
}

std::optional<std::filesystem::path> ExistingFile(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) {
        return file;
    }
    // Tiles are named "%ld.bmp" by one program and "%ld.BMP" by the other; on a file system that
    // tells case apart, try the other spelling of the extension as well.
    std::string extension = file.extension().string();
    if (extension.empty()) {
        return std::nullopt;
    }
    const bool lower = extension == ".bmp";
    const bool upper = extension == ".BMP";
    if (!lower && !upper) {
        return std::nullopt;
    }
    std::filesystem::path other = file;
    other.replace_extension(lower ? ".BMP" : ".bmp");
    if (std::filesystem::is_regular_file(other, error)) {
        return other;
    }
    return std::nullopt;
}

void PutU16(std::string& out, std::uint32_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}
void PutU32(std::string& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

}  // namespace

std::optional<SurfaceBitmap> DecodeBitmap(std::span<const std::uint8_t> bytes) {
    const ByteReader in(bytes);
    const std::optional<Header> header = ReadHeader(in);
    if (!header) {
        return std::nullopt;
    }
    SurfaceBitmap bitmap;
    bitmap.width = header->width;
    bitmap.height = header->height;
    bitmap.pixels.assign(static_cast<std::size_t>(header->width) * static_cast<std::size_t>(header->height),
                         kBlack);
    if (header->compression == kRle8 || header->compression == kRle4) {
        return DecodeRunLength(in, *header, std::move(bitmap));
    }
    return DecodeRows(in, *header, std::move(bitmap));
}

std::optional<SurfaceBitmap> ReadBitmapFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxBitmapFileBytes) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
        return std::nullopt;
    }
    return DecodeBitmap(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
}

std::string EncodeBitmap(const SurfaceBitmap& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() !=
            static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        return {};
    }
    std::vector<ColorRef> palette;
    std::map<ColorRef, std::uint32_t> indexOf;
    for (ColorRef color : bitmap.pixels) {
        if (indexOf.size() > 256) {
            break;
        }
        if (indexOf.emplace(color & 0xFFFFFF, static_cast<std::uint32_t>(palette.size())).second) {
            palette.push_back(color & 0xFFFFFF);
        }
    }
    int bits = 24;
    if (palette.size() <= 2) {
        bits = 1;
    } else if (palette.size() <= 16) {
        bits = 4;
    } else if (palette.size() <= 256) {
        bits = 8;
    }
    if (bits == 24) {
        palette.clear();
    }
    const std::uint32_t paletteEntries =
        bits == 24 ? 0 : (bits == 1 ? 2u : static_cast<std::uint32_t>(palette.size()));
    palette.resize(paletteEntries, kWhite);
    const std::uint32_t stride = (static_cast<std::uint32_t>(bitmap.width) * bits + 31) / 32 * 4;
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(bitmap.height);
    const std::uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + 4 * paletteEntries;

    std::string out;
    out.reserve(pixelOffset + imageBytes);
    out += "BM";
    PutU32(out, pixelOffset + imageBytes);
    PutU32(out, 0);
    PutU32(out, pixelOffset);
    PutU32(out, kInfoHeaderBytes);
    PutU32(out, static_cast<std::uint32_t>(bitmap.width));
    PutU32(out, static_cast<std::uint32_t>(bitmap.height));
    PutU16(out, 1);
    PutU16(out, static_cast<std::uint32_t>(bits));
    PutU32(out, kRgb);
    PutU32(out, imageBytes);
    PutU32(out, 2835);  // 72 dots per inch
    PutU32(out, 2835);
    PutU32(out, paletteEntries);
    PutU32(out, 0);
    for (ColorRef color : palette) {
        out.push_back(static_cast<char>(BlueOf(color)));
        out.push_back(static_cast<char>(GreenOf(color)));
        out.push_back(static_cast<char>(RedOf(color)));
        out.push_back('\0');
    }
    for (int y = bitmap.height - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < bitmap.width; ++x) {
            const ColorRef color = bitmap.At(x, y) & 0xFFFFFF;
            const std::size_t ux = static_cast<std::size_t>(x);
            if (bits == 24) {
                row[3 * ux] = static_cast<char>(BlueOf(color));
                row[3 * ux + 1] = static_cast<char>(GreenOf(color));
                row[3 * ux + 2] = static_cast<char>(RedOf(color));
                continue;
            }
            const std::uint32_t index = indexOf.at(color);
            if (bits == 8) {
                row[ux] = static_cast<char>(index);
            } else if (bits == 4) {
                row[ux / 2] = static_cast<char>(static_cast<unsigned char>(row[ux / 2]) |
                                                (index << (ux % 2 == 0 ? 4 : 0)));
            } else {
                row[ux / 8] =
                    static_cast<char>(static_cast<unsigned char>(row[ux / 8]) | (index << (7 - ux % 8)));
            }
        }
        out += row;
    }
    return out;
}

bool DrawPatternBitmap(const MappedSurface& target, const std::filesystem::path& file, double x, double y,
                       double width, double height, std::uint32_t rasterOp) {
    const std::optional<std::filesystem::path> existing = ExistingFile(file);
    if (!existing) {
        return false;
    }
    const std::optional<SurfaceBitmap> bitmap = ReadBitmapFile(*existing);
    if (!bitmap) {
        return false;
    }
    const int left = target.mapping.ToSurfaceX(x);
    const int right = target.mapping.ToSurfaceX(x + width);
    const SurfaceRect destination{ClampToSurface(left + 1.0), target.mapping.ToSurfaceY(y), right,
                                  target.mapping.ToSurfaceY(y + height)};
    target.surface.StretchBitmap(*bitmap, destination, rasterOp);
    return true;
}

std::string PatternTileFolder(std::string_view tableFolder, bool jacic, bool monochrome) {
    std::string folder(tableFolder);
    folder += monochrome ? "01\\" : "\\";
    folder += jacic ? "J" : "C";
    return folder;
}

std::string PatternTileFile(std::string_view tileFolder, long patternNo) {
    std::string file(tileFolder);
    file += '\\';
    file += FormatText("%ld.bmp", patternNo);
    return file;
}

}  // namespace rave
