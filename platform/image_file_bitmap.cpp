// Decoding photographs for the drawing surface.
#include "platform/image_file_bitmap.h"

#include <QImage>
#include <QImageReader>
#include <QString>
#include <algorithm>
#include <cmath>

namespace rave::platform {

std::optional<SurfaceBitmap> ReadImageFileBitmap(const std::filesystem::path& file, int largestSide) {
    QImageReader reader(QString::fromStdU16String(file.generic_u16string()));
    reader.setAutoTransform(true);
    // A picture claiming an enormous size is refused before any memory is taken for it.
    reader.setAllocationLimit(256);
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > largestSide) {
        const double scale = static_cast<double>(largestSide) / std::max(size.width(), size.height());
        reader.setScaledSize(QSize(std::max(1, static_cast<int>(std::lround(size.width() * scale))),
                                   std::max(1, static_cast<int>(std::lround(size.height() * scale)))));
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    if (std::max(image.width(), image.height()) > largestSide) {
        image = image.scaled(largestSide, largestSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    image = image.convertToFormat(QImage::Format_RGB32);
    SurfaceBitmap bitmap;
    bitmap.width = image.width();
    bitmap.height = image.height();
    bitmap.pixels.resize(static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height));
    for (int y = 0; y < bitmap.height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < bitmap.width; ++x) {
            const QRgb pixel = line[x];
            bitmap.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width) +
                          static_cast<std::size_t>(x)] =
                MakeColorRef(qRed(pixel), qGreen(pixel), qBlue(pixel));
        }
    }
    return bitmap;
}

}  // namespace rave::platform
