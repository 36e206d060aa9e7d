// Point and title markers of the editing modes.
#include "ravesect/editing/edit_markers.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/format.h"
#include "common/numbers.h"

namespace ravesect {

namespace {

int SelectSectionFont(rave::DrawingSurface& surface, const SectionFonts& fonts, int n) {
    const rave::FontSlot& slot = SectionFont(fonts, n);
    rave::FontSpec spec;
    spec.face = slot.face;
    spec.height = static_cast<int>(std::trunc(surface.DpiY() * slot.size / 72.0));
    surface.SelectFont(spec);
    surface.SetTextColor(slot.colour);
    return spec.height;
}

void Circle(rave::DrawingSurface& surface, rave::SurfacePoint centre, int radius, rave::ColorRef fill) {
    surface.Ellipse({centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius},
                    rave::Pen{rave::pen_style::kSolid, 1, marker_colour::kOutline}, rave::Brush::Solid(fill));
}

rave::SurfacePoint At(const SectionMapping& mapping, double x, double y) {
    return {mapping.ToSurfaceX(x), mapping.ToSurfaceY(y)};
}

void DrawPointMarkers(rave::DrawingSurface& surface, const SectionMapping& mapping,
                      const EditSession& session, const SectionFonts& fonts, int radius) {
    const SectionDocument& document = session.Document();
    const int mode = session.Mode();
    const bool allCyan = mode == edit_mode::kPickLayerPoint || mode == edit_mode::kLayerMarkers;
    const rave::ColorRef pickedFill =
        mode == edit_mode::kDeletePoint ? marker_colour::kDelete : marker_colour::kPicked;
    SelectSectionFont(surface, fonts, section_font::kPointNumber);
    surface.SetTextAlign(rave::text_align::kLeftBottom);
    for (int n = 1; n <= kPoints; ++n) {
        const SectionPoint& point = document.Point(n);
        if (!point.IsDefined()) {
            continue;
        }
        const bool picked = !allCyan && n == session.PickedPoint();
        const rave::SurfacePoint centre = At(mapping, point.x, point.y);
        Circle(surface, centre, radius, picked ? pickedFill : marker_colour::kOther);
        surface.TextOut({centre.x + radius, centre.y - radius}, rave::FormatText("%d", n));
    }
    if (mode == edit_mode::kMovePoint && session.Dragging() && session.PickedPoint() != 0) {
        const rave::SurfacePoint centre = At(mapping, session.DragPosition().x, session.DragPosition().y);
        Circle(surface, centre, radius, marker_colour::kPicked);
        surface.TextOut({centre.x + radius, centre.y - radius},
                        rave::FormatText("%d", session.PickedPoint()));
    }
}

void DrawTitleMarkers(rave::DrawingSurface& surface, const SectionMapping& mapping,
                      const EditSession& session, const SectionFonts& fonts, int radius) {
    const SectionDocument& document = session.Document();
    for (int n = 1; n <= kTitleEntries; ++n) {
        const TitleText& title = document.Title(n);
        if (!IsDefinedCoordinate(title.x) || !IsDefinedCoordinate(title.y)) {
            continue;
        }
        const bool picked = n == session.PickedTitle();
        Circle(surface, At(mapping, title.x, title.y), radius,
               picked ? marker_colour::kPicked : marker_colour::kOther);
    }
    const int picked = session.PickedTitle();
    if (session.Mode() == edit_mode::kMoveTitle && session.Dragging() && picked != 0) {
        // The title's text follows the mouse in its own font.
        const TitleText& title = document.Title(picked);
        const rave::SurfacePoint at = At(mapping, session.DragPosition().x, session.DragPosition().y);
        SelectSectionFont(surface, fonts, title.font == "2" ? section_font::kTitle2 : section_font::kTitle1);
        surface.SetTextAlign(rave::text_align::kLeftTop);
        surface.TextOut(at, title.text);
        Circle(surface, at, radius, marker_colour::kPicked);
    }
}

}  // namespace

void DrawEditMarkers(rave::DrawingSurface& surface, const SectionMapping& mapping, const EditSession& session,
                     const SectionFonts& fonts) {
    const int radius = std::max(1, static_cast<int>(std::lround(kMarkerRadiusMm * mapping.unitX)));
    if (ShowsPointMarkers(session.Mode())) {
        DrawPointMarkers(surface, mapping, session, fonts, radius);
    }
    if (ShowsTitleMarkers(session.Mode())) {
        DrawTitleMarkers(surface, mapping, session, fonts, radius);
    }
}

}  // namespace ravesect
