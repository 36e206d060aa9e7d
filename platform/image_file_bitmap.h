// Photographs (JPEG, PNG) as bitmaps the drawing surface stretches: what the site report's
// photograph pages need from the toolkit, which alone can decode such files.
#pragma once

#include <filesystem>
#include <optional>

#include "common/drawing/drawing_surface.h"

namespace rave::platform {

// The longest side a decoded photograph keeps: a page shows a photograph at most about 17 cm
// wide, so 1024 pixels are over 150 dpi there, and a camera's 6000-pixel picture does not make a
// PDF of a hundred megabytes.
inline constexpr int kLargestPhotoSide = 1024;

// The image in the file, scaled down (proportions kept) so its longer side is at most
// `largestSide`; nothing when the file is no image Qt can read. The camera's orientation tag is
// applied, so a portrait photograph stands upright.
std::optional<SurfaceBitmap> ReadImageFileBitmap(const std::filesystem::path& file,
                                                 int largestSide = kLargestPhotoSide);

}  // namespace rave::platform
