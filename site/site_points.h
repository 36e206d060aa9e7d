// The soundings of a site report, opened and summed up: one row of the overview (調査概要) and of
// the notice check (告示第1113号による検討) per point, computed by the same code as Ravelog's
// self-sinking check and its Nsw average and qa~ calculator, and the draft of the findings.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/ravelog_settings.h"
#include "ravelog/conversion/nsw_average.h"
#include "ravelog/conversion/self_sinking.h"
#include "ravelog/document/sounding_document.h"
#include "site/site_report.h"

namespace site {

// Reads a sounding (.sdw or Ver2) as the menu's Open reads it. Empty on success, else why not
// (cp932, without the file's name): no file, no sounding, no measured rows.
std::string OpenPointSounding(const std::filesystem::path& path, ravelog::SoundingDocument& document);

// What the report shows of one point.
struct PointSummary {
    std::string name;                   // the report's label, else the point number (slot 5), cp932
    std::string date;                   // 試験日 from slots 6..9, e.g. "令和6年5月14日", cp932
    std::string groundElevation;        // 孔口標高 as typed (slot 13), cp932
    double depth = 0;                   // the deepest measured row, m
    std::string lastRemark;             // the last row's remark (e.g. 貫入不能), cp932
    ravelog::SelfSinkingCheck check;    // as `ravelog check --footing-depth F`
    ravelog::NswAverageResult average;  // as `ravelog qa --from F --to F+2`
    std::optional<double> nswAverage;   // the average as a number, when there is one
    std::optional<double> qa;           // qa~ as a number, when there is one
};

// The point's row for a footing `footingDepth` m below ground. The document is taken as the view
// has it (defaults filled in), with `settings` of the install folder; `label` is the report's.
PointSummary SummarizePoint(const ravelog::SoundingDocument& document, const rave::RavelogSettings& settings,
                            double footingDepth, const std::string& label);

// The range of the average, F .. F + 2, as the calculator's range fields get it.
std::string AverageRangeStart(double footingDepth);
std::string AverageRangeEnd(double footingDepth);

// The self-sinking layers of a check that lie (partly) in (top, bottom] with a load of at most
// `maxLoad`: the layers the notice's two bands look at.
std::vector<ravelog::SelfSinkingLayer> LayersInBand(const ravelog::SelfSinkingCheck& check, double top,
                                                    double bottom, double maxLoad);

// "案を作成": a draft of the findings from the rows (which points show self-sinking layers in
// which depths, the range of qa~, the deepest layer reached), cp932, lines separated by CR LF.
// It states facts only; the judgement is the engineer's to add. The rows are those SummarizePoint
// made for the same footing depth.
std::string DraftFindings(const std::vector<PointSummary>& rows, double footingDepth,
                          const std::optional<double>& contactPressure);

// The cover texts with their defaults: 件名 from the first sounding's survey name (slots 1 and 2),
// 調査会社 from its company (slot 29), 調査期間 from the earliest and latest test dates.
struct CoverPage {
    std::string title;
    std::string place;
    std::string client;
    std::string period;
    std::string company;
    std::string reportDate;
    std::string engineer;
};
CoverPage MakeCoverPage(const CoverTexts& typed,
                        const std::vector<const ravelog::SoundingDocument*>& soundings);

}  // namespace site
