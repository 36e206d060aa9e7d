// Report fonts realised for a device.
#include "ravelog/report/sheet_fonts.h"

#include <cmath>

namespace ravelog {

namespace {
int PointsToDeviceUnits(double points, int dpi) {
    return static_cast<int>(std::trunc(dpi * points / 72.0));
}
}  // namespace

rave::FontSpec SheetFontSpec(const rave::FontSlot& slot, int dpiY) {
    rave::FontSpec spec;
    spec.face = slot.face;
    spec.height = PointsToDeviceUnits(slot.size, dpiY);
    return spec;
}

CharacterCell SheetFontCell(const rave::FontSlot& slot, int dpiX, int dpiY) {
    const double unitX = dpiX * rave::PatternMapping::kInchesPerMillimetre;
    const double unitY = dpiY * rave::PatternMapping::kInchesPerMillimetre;
    CharacterCell cell;
    if (unitX > 0.0) {
        cell.widthMm = PointsToDeviceUnits(slot.size, dpiX) / unitX;
    }
    if (unitY > 0.0) {
        cell.heightMm = PointsToDeviceUnits(slot.size, dpiY) / unitY;
    }
    return cell;
}

CharacterCell SelectSheetFont(rave::DrawingSurface& surface, const rave::RavelogFonts& fonts, int n,
                              rave::MessageSink* messages) {
    if (n < 1 || n > rave::kRavelogFontCount) {
        return {};
    }
    const rave::FontSlot& slot = fonts[static_cast<std::size_t>(n - 1)];
    if (!surface.SelectFont(SheetFontSpec(slot, surface.DpiY())) && messages != nullptr) {
        messages->Show(rave::Message{0, "Can't create font", {}});
    }
    surface.SetTextColor(slot.colour);
    return SheetFontCell(slot, surface.DpiX(), surface.DpiY());
}

CharacterCell SelectSheetFont(const SheetContext& context, int n) {
    return SelectSheetFont(context.surface, context.resources.fonts, n, context.messages);
}

}  // namespace ravelog
