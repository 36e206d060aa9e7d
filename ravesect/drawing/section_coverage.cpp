// The columns no printed page shows.
#include "ravesect/drawing/section_coverage.h"

#include <algorithm>

#include "ravesect/drawing/section_column.h"
#include "ravesect/settings/section_paging.h"

namespace ravesect {

std::vector<int> ColumnsOnNoPrintedPage(const SectionDocument& columns, const SectionSettings& settings,
                                        double graphWidthMm) {
    std::vector<int> missing;
    if (settings.distancePerPage <= 0 || settings.depthPerPage <= 0) {
        return missing;
    }
    const int last = columns.LastUsedSlot();
    const int pages = CountPrintedPages(settings, last >= 0 ? columns.Column(last).Distance() : 0.0);
    // World y grows downwards: y = -elevation.
    const double pageTop = -settings.topElevation;
    const double pageBottom = pageTop + settings.depthPerPage;
    for (int slot = 1; slot <= kUserColumns; ++slot) {
        const PlacedColumn& column = columns.Column(slot);
        if (!column.NamesFile()) {
            continue;
        }
        const ColumnLayout layout =
            LayOutColumnWithLog(column, columns.Log(slot), graphWidthMm, settings.distanceScale);
        const CellEdges block = layout.Block();
        const double top = std::min(layout.top, layout.bottom);
        const double bottom = std::max(layout.top, layout.bottom);
        bool shown = false;
        if (top <= pageBottom && bottom >= pageTop) {
            for (int page = 1; page <= pages && !shown; ++page) {
                const double left = PrintedPageLeftEnd(settings, page) * 10.0;
                const double right = left + settings.distancePerPage * 10.0;
                shown =
                    std::min(block.left, block.right) <= right && std::max(block.left, block.right) >= left;
            }
        }
        if (!shown) {
            missing.push_back(slot);
        }
    }
    return missing;
}

rave::Message ColumnsOnNoPageMessage(const SectionDocument& columns, const std::vector<int>& slots) {
    std::string names;
    for (const int slot : slots) {
        const PlacedColumn& column = columns.Column(slot);
        if (!names.empty()) {
            names += "、";
        }
        const std::string& label = column[colfield::kLabel];
        names += (label.empty() ? std::string() : "Ｎo." + label) + "(" + column[colfield::kDistance] + "m)";
    }
    return rave::Message{0,
                         "どの印刷ページにも入らない柱状図があります: " + names +
                             "\n「設定」-「縮尺/標尺」の上端の標高と１ページの深度で印刷範囲を変えられます.",
                         {}};
}

}  // namespace ravesect
