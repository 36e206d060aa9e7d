// A sheet on the recording surface for the sheet tests: 254 dpi, so one millimetre of paper is
// ten device units, no page margins, and the view's vertical origin of 5 mm. A sheet point
// (x, y) lands on (10 x, 10 y + 100).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/drawing/recording_surface.h"
#include "common/font_settings.h"
#include "common/ravelog_settings.h"
#include "ravelog/report/sheet_context.h"

namespace ravelog::testing {

inline constexpr rave::ColorRef kTableRuleColour = 0x010203;
inline constexpr rave::ColorRef kGrid5Colour = 0x020304;
inline constexpr rave::ColorRef kGrid1Colour = 0x030405;
inline constexpr rave::ColorRef kWswNswColour = 0x0000A1;
inline constexpr rave::ColorRef kNColour = 0x0000A2;
inline constexpr rave::ColorRef kQuQaColour = 0x0000A3;

// Line settings of the "カラー 細密" kind, with colours the tests can tell apart.
inline rave::RavelogSettings SheetTestSettings() {
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    const int widths[][2] = {{41, 2}, {42, 1}, {43, 2}, {44, 4}, {45, 4}, {46, 1}, {47, 3},
                             {48, 0}, {49, 2}, {50, 1}, {51, 4}, {52, 0}, {53, 1}, {54, 2},
                             {55, 0}, {56, 3}, {57, 2}, {58, 1}, {59, 0}, {36, 0}};
    for (const auto& [line, value] : widths) {
        settings.SetInt(line, value);
    }
    settings.Line(37) = "0x010203";
    settings.Line(38) = "0x020304";
    settings.Line(39) = "0x030405";
    settings.Line(83) = "0x0000a1";
    settings.Line(84) = "0x0000a2";
    settings.Line(85) = "0x0000a3";
    return settings;
}

inline rave::RavelogFonts SheetTestFonts() {
    rave::RavelogFonts fonts;
    for (int n = 1; n <= rave::kRavelogFontCount; ++n) {
        fonts[static_cast<std::size_t>(n - 1)] = rave::DefaultRavelogFont(n);
    }
    return fonts;
}

struct SheetFixture {
    rave::RecordingSurface surface{254, 254, {2100, 2970}};
    rave::PatternMapping mapping = MakeMapping();
    SoundingDocument document;
    rave::RavelogSettings settings = SheetTestSettings();
    rave::RavelogFonts fonts = SheetTestFonts();
    SheetResources resources{settings, fonts};
    SheetContext context{surface, mapping, document, resources};

    SheetFixture() {
        context.rowsPerPage = 45;
        context.scale = 0.5;
        document.header[19] = "50";
    }

    static rave::PatternMapping MakeMapping() {
        rave::PatternMapping mapping = rave::PatternMapping::ForDevice(254, 254, 0.0, 0.0);
        mapping.originY = 5.0;
        return mapping;
    }

    int X(double mm) const { return mapping.ToSurfaceX(mm); }
    int Y(double mm) const { return mapping.ToSurfaceY(mm); }

    // A measured row with the text fields given (depth, load, half turns, Nsw).
    void SetRow(int row, const std::string& depth, const std::string& load, const std::string& nsw) {
        document.Row(row)[3] = depth;
        document.Row(row)[1] = load;
        document.Row(row)[5] = nsw;
    }

    std::vector<rave::RecordedCall> LinesOfColour(rave::ColorRef colour) const {
        std::vector<rave::RecordedCall> lines;
        for (const rave::RecordedCall& call : surface.CallsOf(rave::SurfaceCall::kLine)) {
            if (call.pen.color == colour) {
                lines.push_back(call);
            }
        }
        return lines;
    }

    // TextOut calls of exactly this text.
    std::vector<rave::RecordedCall> TextsEqual(const std::string& text) const {
        std::vector<rave::RecordedCall> found;
        for (const rave::RecordedCall& call : surface.CallsOf(rave::SurfaceCall::kTextOut)) {
            if (call.text == text) {
                found.push_back(call);
            }
        }
        return found;
    }

    bool HasLine(rave::SurfacePoint from, rave::SurfacePoint to) const {
        for (const rave::RecordedCall& call : surface.CallsOf(rave::SurfaceCall::kLine)) {
            if ((call.points[0] == from && call.points[1] == to) ||
                (call.points[0] == to && call.points[1] == from)) {
                return true;
            }
        }
        return false;
    }
};

inline bool IsVertical(const rave::RecordedCall& line) {
    return line.points[0].x == line.points[1].x;
}
inline bool IsHorizontal(const rave::RecordedCall& line) {
    return line.points[0].y == line.points[1].y;
}

}  // namespace ravelog::testing
