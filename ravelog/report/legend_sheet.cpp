// The legend sheet of a soil-name table.
#include "ravelog/report/legend_sheet.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "common/patterns/pattern_primitives.h"
#include "common/soil_name_table.h"
#include "ravelog/report/sheet_fonts.h"
#include "ravelog/report/soil_column.h"
#include "ravelog/report/standard_sheet_parts.h"

namespace ravelog {

namespace {

// Settings lines of the soil column.
constexpr int kLineBitmapDisplay = 61;  // JACIC table: 1 draws bitmap tiles
constexpr int kLineMonochrome = 62;

// Fonts of the report used on the legend.
constexpr int kTitleFont = 1;
constexpr int kHeadingFont = 2;
constexpr int kLabelFont = 3;
constexpr int kEntryFont = 4;
constexpr int kPageFont = 5;

// Page geometry in millimetres from the margins.
constexpr double kTitleBottom = 8.0;
constexpr double kSubtitleBottom = 14.0;
constexpr double kLabelBottom = 21.0;
constexpr double kLabelRule = 22.5;
constexpr double kFirstRowTop = 24.0;
constexpr double kTextAboveMiddle = 1.6;  // a text's bottom below the middle of its row
constexpr double kSwatchInset = 1.0;      // above and below the swatch within its row
constexpr double kSwatchLeft = 1.0;
// The width of the estimated soil column of format 2, so a swatch looks as the sheet prints it.
constexpr double kSwatchWidth = 8.8;
constexpr double kNameLeft = 13.0;
constexpr double kNumberRightInset = 3.0;
constexpr double kFootReserve = 12.0;
constexpr double kMinimumColumnWidth = 85.0;

struct PageFrame {
    double width = 0.0;   // usable width, mm
    double height = 0.0;  // usable height, mm
    int columns = 1;
    int rowsPerColumn = 1;
    double columnWidth = 0.0;
};

double LeftMargin(const rave::RavelogSettings& settings) {
    return std::max(0.0, static_cast<double>(settings.Int(rave::sysline::kLeftMargin)));
}

double TopMargin(const rave::RavelogSettings& settings) {
    return std::max(0.0, static_cast<double>(settings.Int(rave::sysline::kTopMargin)));
}

// The margins of the sheets on all four sides.
PageFrame FrameFor(double paperWidthMm, double paperHeightMm, const rave::RavelogSettings& settings,
                   double rowPitch) {
    PageFrame frame;
    frame.width = std::max(kMinimumColumnWidth, paperWidthMm - 2.0 * LeftMargin(settings));
    frame.height = paperHeightMm - 2.0 * TopMargin(settings);
    frame.columns = std::max(1, static_cast<int>(std::floor(frame.width / kMinimumColumnWidth)));
    frame.columnWidth = frame.width / frame.columns;
    frame.rowsPerColumn =
        std::max(2, static_cast<int>(std::floor((frame.height - kFootReserve - kFirstRowTop) / rowPitch)));
    return frame;
}

bool UsesTiles(const LegendSource& source) {
    return source.table == LegendTable::kSimple || source.resources.settings.Int(kLineBitmapDisplay) == 1;
}

bool Monochrome(const LegendSource& source) {
    if (source.table == LegendTable::kSimple) {
        return source.resources.simpleTilesMonochrome;
    }
    return source.resources.settings.Int(kLineMonochrome) == 1;
}

const rave::SoilNameTable& TableOf(const LegendSource& source) {
    return source.table == LegendTable::kJacic ? source.tables.jacic : source.tables.simple;
}

std::string Title(LegendTable table) {
    return table == LegendTable::kJacic ? "凡例　JACIC版土質名" : "凡例　シンプル版土質名";
}

std::string Subtitle(const LegendSource& source) {
    std::string text = UsesTiles(source) ? "パターン：ビットマップ" : "パターン：線画";
    text += Monochrome(source) ? "（白黒）" : "（カラー）";
    return text;
}

std::string GroupTitle(int group) {
    switch (group) {
        case 1:
            return "第1群　土質名";
        case 2:
            return "第2群　混り（混り土質名）";
        default:
            return "第3群　質（形容土質名）";
    }
}

std::string ClassText(int soilClass) {
    switch (soilClass) {
        case rave::soil_class::kSandy:
            return "砂質";
        case rave::soil_class::kClayey:
            return "粘性";
        case rave::soil_class::kBoth:
            return "砂質・粘性";
        default:
            return "－";
    }
}

void WriteText(const rave::MappedSurface& target, int align, double x, double y, const std::string& text) {
    target.surface.SetTextAlign(align);
    rave::DrawTextAt(target, x, y, text);
}

// The swatch of one pattern number: a one-layer log drawn by the sheets' soil column over the
// swatch, then framed left and right (the column draws the lines above and below).
void DrawSwatch(const LegendSource& source, rave::DrawingSurface& surface, rave::PatternMapping& mapping,
                SoundingDocument& swatchLog, long number, double x, double top, double bottom,
                rave::MessageSink* messages) {
    const std::string code = rave::FormatText("%ld", number);
    MeasuredRow& row = swatchLog.Row(1);
    row[field::kDepth] = "1";
    row[field::kSimplePattern] = code;
    row[field::kJacicPattern] = code;
    row[field::kResolvedPattern] = code;

    SheetContext context{surface, mapping, swatchLog, source.resources, messages, 1, 45, {}, 0.0, 0.5};
    const DepthWindow window{0.0, 1.0, top, bottom};
    DrawSoilColumn(context, x, x + kSwatchWidth, window);

    const int width = std::max(1, ReadSheetLineStyles(source.resources.settings).separatorWidth);
    const rave::MappedSurface target{surface, mapping};
    rave::DrawLine(target, x, top, x, bottom, rave::pen_style::kSolid, width, rave::kBlack);
    rave::DrawLine(target, x + kSwatchWidth, top, x + kSwatchWidth, bottom, rave::pen_style::kSolid, width,
                   rave::kBlack);
}

}  // namespace

double LegendRowPitch(const LegendSource& source) {
    return UsesTiles(source) ? kLegendTileRowPitch : kLegendRowPitch;
}

LegendTable LegendTableOf(const SoundingDocument& document) {
    return document.header[slot::kSoilTableKind] == "1" ? LegendTable::kJacic : LegendTable::kSimple;
}

std::vector<LegendLine> LegendLines(const LegendSource& source) {
    const rave::SoilNameTable& table = TableOf(source);
    const int kind =
        UsesTiles(source) ? rave::soil_number_kind::kBitmap : rave::soil_number_kind::kLineDrawing;
    std::vector<LegendLine> lines;
    for (int group = 1; group <= rave::SoilNameTable::kGroups; ++group) {
        const std::vector<rave::SoilNameRow> rows = table.GroupRows(kind, group);
        if (rows.empty()) {
            continue;
        }
        lines.push_back(LegendLine{true, group, {}, -1, 0});
        for (const rave::SoilNameRow& row : rows) {
            lines.push_back(LegendLine{false, group, row.name, row.number, row.soilClass});
        }
    }
    return lines;
}

LegendLayout LayOutLegend(const std::vector<LegendLine>& lines, double paperWidthMm, double paperHeightMm,
                          const rave::RavelogSettings& settings, double rowPitchMm) {
    const PageFrame frame = FrameFor(paperWidthMm, paperHeightMm, settings, rowPitchMm);
    LegendLayout layout;
    layout.columns = frame.columns;
    layout.rowsPerColumn = frame.rowsPerColumn;
    layout.pages.emplace_back();
    int column = 0;
    int row = 0;
    auto nextColumn = [&] {
        row = 0;
        if (++column == frame.columns) {
            column = 0;
            layout.pages.emplace_back();
        }
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (row == frame.rowsPerColumn || (lines[i].heading && row == frame.rowsPerColumn - 1)) {
            nextColumn();
        }
        layout.pages.back().push_back(LegendSlot{static_cast<int>(i), column, row});
        ++row;
    }
    return layout;
}

int CountLegendPages(const LegendSource& source, double paperWidthMm, double paperHeightMm) {
    return static_cast<int>(LayOutLegend(LegendLines(source), paperWidthMm, paperHeightMm,
                                         source.resources.settings, LegendRowPitch(source))
                                .pages.size());
}

void DrawLegendPage(rave::DrawingSurface& surface, const LegendSource& source, int page,
                    rave::MessageSink* messages) {
    const rave::RavelogSettings& settings = source.resources.settings;
    const rave::SurfaceSize device = surface.PhysicalPageSize();
    const double paperWidth = device.width / (surface.DpiX() * rave::PatternMapping::kInchesPerMillimetre);
    const double paperHeight = device.height / (surface.DpiY() * rave::PatternMapping::kInchesPerMillimetre);
    const std::vector<LegendLine> lines = LegendLines(source);
    const double pitch = LegendRowPitch(source);
    const LegendLayout layout = LayOutLegend(lines, paperWidth, paperHeight, settings, pitch);
    const PageFrame frame = FrameFor(paperWidth, paperHeight, settings, pitch);
    const int pageCount = static_cast<int>(layout.pages.size());
    if (page < 1 || page > pageCount) {
        return;
    }

    rave::PatternMapping mapping = rave::PatternMapping::ForDevice(surface.DpiX(), surface.DpiY(),
                                                                   LeftMargin(settings), TopMargin(settings));
    // The legend is laid out from the top margin itself, without the sheets' fixed offset.
    mapping.originY = -rave::PatternMapping::kFixedOffsetY / mapping.scaleY;
    const rave::MappedSurface target{surface, mapping};
    const rave::FontSpec previousFont = surface.CurrentFont();
    const rave::ColorRef previousColor = surface.TextColor();
    surface.SetTransparentText(true);
    const int ruleWidth = std::max(1, ReadSheetLineStyles(settings).separatorWidth);

    SelectSheetFont(surface, source.resources.fonts, kTitleFont, messages);
    WriteText(target, rave::text_align::kLeftBottom, 0.0, kTitleBottom, Title(source.table));
    SelectSheetFont(surface, source.resources.fonts, kLabelFont, messages);
    WriteText(target, rave::text_align::kLeftBottom, 0.0, kSubtitleBottom, Subtitle(source));

    for (int column = 0; column < frame.columns; ++column) {
        const double left = column * frame.columnWidth;
        const double right = left + frame.columnWidth;
        const double classLeft = left + kNameLeft + (frame.columnWidth - kNameLeft) * 0.55;
        WriteText(target, rave::text_align::kLeftBottom, left + kSwatchLeft, kLabelBottom, "パターン");
        WriteText(target, rave::text_align::kLeftBottom, left + kNameLeft + 2.0, kLabelBottom, "土質名");
        WriteText(target, rave::text_align::kLeftBottom, classLeft, kLabelBottom, "区分");
        WriteText(target, rave::text_align::kRightBottom, right - kNumberRightInset, kLabelBottom, "番号");
        rave::DrawLine(target, left, kLabelRule, right - 1.0, kLabelRule, rave::pen_style::kSolid, ruleWidth,
                       rave::kBlack);
    }

    SoundingDocument swatchLog;
    swatchLog.header[slot::kSoilTableKind] = source.table == LegendTable::kJacic ? "1" : "0";
    for (const LegendSlot& slot : layout.pages[static_cast<std::size_t>(page - 1)]) {
        const LegendLine& line = lines[static_cast<std::size_t>(slot.line)];
        const double left = slot.column * frame.columnWidth;
        const double right = left + frame.columnWidth;
        const double top = kFirstRowTop + slot.row * pitch;
        const double textBottom = top + pitch / 2.0 + kTextAboveMiddle;
        if (line.heading) {
            SelectSheetFont(surface, source.resources.fonts, kHeadingFont, messages);
            WriteText(target, rave::text_align::kLeftBottom, left + kSwatchLeft, textBottom,
                      GroupTitle(line.group));
            continue;
        }
        if (line.number > 0) {
            DrawSwatch(source, surface, mapping, swatchLog, line.number, left + kSwatchLeft,
                       top + kSwatchInset, top + pitch - kSwatchInset, messages);
        }
        SelectSheetFont(surface, source.resources.fonts, kEntryFont, messages);
        WriteText(target, rave::text_align::kLeftBottom, left + kNameLeft, textBottom, line.name);
        const double classLeft = left + kNameLeft + (frame.columnWidth - kNameLeft) * 0.55;
        WriteText(target, rave::text_align::kLeftBottom, classLeft, textBottom, ClassText(line.soilClass));
        WriteText(target, rave::text_align::kRightBottom, right - kNumberRightInset, textBottom,
                  line.number >= 0 ? rave::FormatText("%ld", line.number) : std::string("－"));
    }

    SelectSheetFont(surface, source.resources.fonts, kPageFont, messages);
    WriteText(target, rave::text_align::kCenterBottom, frame.width / 2.0, frame.height - 2.0,
              rave::FormatText("%d / %d", page, pageCount));

    surface.SelectFont(previousFont);
    surface.SetTextColor(previousColor);
}

}  // namespace ravelog
