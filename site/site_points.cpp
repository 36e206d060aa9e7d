// The points of a site report: opening their soundings, their rows in the overview and the notice
// check, the cover's defaults and the draft of the findings.
#include "site/site_points.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "common/numbers.h"
#include "common/text_fields.h"
#include "common/text_file.h"
#include "ravelog/document/sounding_file.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/document/sounding_file_verdict.h"

namespace site {

namespace {

// Discards what the calculator says about its range: the report's range is always two numbers in
// order.
class SilentSink : public rave::MessageSink {
public:
    void Show(const rave::Message&) override {}
    bool AskYesNo(const rave::Message&) override { return false; }
};

std::string Trimmed(std::string_view text) {
    return std::string(rave::TrimBlanks(text));
}

std::string DateOf(const ravelog::SoundingHeader& header) {
    const std::string year = Trimmed(header[7]);
    const std::string month = Trimmed(header[8]);
    const std::string day = Trimmed(header[9]);
    if (year.empty() && month.empty() && day.empty()) {
        return {};
    }
    return Trimmed(header[6]) + year + "年" + month + "月" + day + "日";
}

// A date's place in time for finding the earliest and latest: era, then year, month, day.
struct DateKey {
    int era = 0;
    long year = 0;
    long month = 0;
    long day = 0;
    auto operator<=>(const DateKey&) const = default;
};

DateKey DateKeyOf(const ravelog::SoundingHeader& header) {
    static constexpr std::string_view kEras[] = {"明治", "大正", "昭和", "平成", "令和"};
    DateKey key;
    const std::string era = Trimmed(header[6]);
    for (int i = 0; i < 5; ++i) {
        if (era == kEras[i]) {
            key.era = i + 1;
        }
    }
    if (key.era == 0 && rave::ParseInteger(header[7]) > 1000) {
        key.era = 9;  // a western year comes after every era year
    }
    key.year = rave::ParseInteger(header[7]);
    key.month = rave::ParseInteger(header[8]);
    key.day = rave::ParseInteger(header[9]);
    return key;
}

std::optional<double> NumberOf(const std::string& text) {
    if (text.empty() || !rave::HasLeadingNumber(text)) {
        return std::nullopt;
    }
    return rave::ParseDecimal(text);
}

std::string Metres(double value) {
    return rave::FormatText("%.2f", value);
}

}  // namespace

std::string OpenPointSounding(const std::filesystem::path& path, ravelog::SoundingDocument& document) {
    const rave::InputFileBytes input = rave::ReadInputFile(path);
    if (!input.bytes) {
        return input.refusal == rave::InputRefusal::kMissing ? std::string("ファイルが見つかりません")
                                                             : rave::InputRefusalText(input.refusal);
    }
    ravelog::SoundingDocument read;
    const ravelog::SoundingFileVersion version =
        ravelog::ReadSoundingBytes(read, *input.bytes, ravelog::kMenuOpenLimits);
    switch (ravelog::JudgeSoundingFile(*input.bytes, version, read)) {
        case ravelog::SoundingVerdict::kSounding:
            break;
        case ravelog::SoundingVerdict::kRowsUnreadable:
            return "測定行に深度が1つもありません";
        case ravelog::SoundingVerdict::kNothingUsable:
            return "ヘッダも測定行もありません";
        default:
            return "サウンディングのファイルではありません";
    }
    ravelog::AdoptOpenedSounding(document, std::move(read), path);
    return {};
}

std::string AverageRangeStart(double footingDepth) {
    return ReportNumberText(footingDepth);
}
std::string AverageRangeEnd(double footingDepth) {
    return ReportNumberText(footingDepth + 2.0);
}

PointSummary SummarizePoint(const ravelog::SoundingDocument& document, const rave::RavelogSettings& settings,
                            double footingDepth, const std::string& label) {
    PointSummary row;
    const ravelog::SoundingHeader& header = document.header;
    row.name = label.empty() ? Trimmed(header[ravelog::slot::kPointNumber]) : label;
    row.date = DateOf(header);
    row.groundElevation = Trimmed(header[13]);
    const int rows = document.RowCount();
    for (int i = 1; i <= rows; ++i) {
        row.depth = std::max(row.depth, rave::ParseDecimal(document.Row(i)[ravelog::field::kDepth]));
    }
    if (rows > 0) {
        row.lastRemark = Trimmed(document.Row(rows)[ravelog::field::kRemarks]);
    }
    row.check = ravelog::CheckSelfSinking(document, footingDepth);
    SilentSink silent;
    row.average = ravelog::CalculateNswAverage(document, settings, AverageRangeStart(footingDepth),
                                               AverageRangeEnd(footingDepth), silent);
    row.nswAverage = NumberOf(row.average.average);
    row.qa = NumberOf(row.average.qa);
    return row;
}

std::vector<ravelog::SelfSinkingLayer> LayersInBand(const ravelog::SelfSinkingCheck& check, double top,
                                                    double bottom, double maxLoad) {
    std::vector<ravelog::SelfSinkingLayer> layers;
    for (const ravelog::SelfSinkingLayer& layer : check.layers) {
        if (layer.wsw <= maxLoad + 1e-9 && layer.to > top && layer.from < bottom) {
            layers.push_back(layer);
        }
    }
    return layers;
}

std::string DraftFindings(const std::vector<PointSummary>& rows, double footingDepth,
                          const std::optional<double>& contactPressure) {
    std::vector<std::string> lines;
    const double f = footingDepth;
    lines.push_back("調査は " + std::to_string(rows.size()) + " 地点で行い、根入れ深さ GL-" + Metres(f) +
                    " m を基準に告示第1113号第2の自沈層の有無を確認した。");
    std::vector<std::string> within;
    std::vector<std::string> lower;
    for (const PointSummary& row : rows) {
        for (const auto& layer : LayersInBand(row.check, f, f + 2, ravelog::kSelfSinkingMaxLoad)) {
            within.push_back(row.name + "(GL-" + Metres(layer.from) + "〜" + Metres(layer.to) + "m, Wsw " +
                             rave::FormatText("%.2f", layer.wsw) + "kN)");
        }
        for (const auto& layer : LayersInBand(row.check, f + 2, f + 5, ravelog::kLowerBandMaxLoad)) {
            lower.push_back(row.name + "(GL-" + Metres(layer.from) + "〜" + Metres(layer.to) + "m, Wsw " +
                            rave::FormatText("%.2f", layer.wsw) + "kN)");
        }
    }
    const auto join = [](const std::vector<std::string>& items) {
        std::string text;
        for (const std::string& item : items) {
            text += (text.empty() ? "" : "、") + item;
        }
        return text;
    };
    lines.push_back(within.empty()
                        ? "基礎底面から 2 m 以内に荷重 1kN 以下の自沈層は認められなかった。"
                        : "基礎底面から 2 m 以内に荷重 1kN 以下の自沈層がある: " + join(within) + "。");
    lines.push_back(lower.empty()
                        ? "基礎底面から 2〜5 m に荷重 0.5kN 以下の自沈層は認められなかった。"
                        : "基礎底面から 2〜5 m に荷重 0.5kN 以下の自沈層がある: " + join(lower) + "。");
    const bool settlement = std::any_of(rows.begin(), rows.end(),
                                        [](const PointSummary& row) { return row.check.settlementCheck; });
    lines.push_back(settlement ? "このため告示第1113号第2第三号により、建築物の沈下の検討が求められる。"
                               : "告示第1113号第2第三号による沈下の検討を求める自沈層はない。");
    std::optional<double> low;
    std::optional<double> high;
    for (const PointSummary& row : rows) {
        if (row.qa) {
            low = low ? std::min(*low, *row.qa) : *row.qa;
            high = high ? std::max(*high, *row.qa) : *row.qa;
        }
    }
    if (low) {
        std::string line = "GL-" + Metres(f) + "〜" + Metres(f + 2) + " m の Nsw 平均から求めた qa~ は " +
                           rave::FormatText("%.1f", *low) + "〜" + rave::FormatText("%.1f", *high) +
                           " kN/m2 である";
        if (contactPressure) {
            line += (*low >= *contactPressure ? "(設計接地圧 " : "(最小値が設計接地圧 ") +
                    rave::FormatText("%.1f", *contactPressure) +
                    (*low >= *contactPressure ? " kN/m2 以上)" : " kN/m2 を下回る)");
        }
        lines.push_back(line + "。");
    }
    double deepest = 0;
    std::string deepestName;
    for (const PointSummary& row : rows) {
        if (row.depth > deepest || deepestName.empty()) {
            deepest = row.depth;
            deepestName = row.name;
        }
    }
    if (!rows.empty()) {
        lines.push_back("最も深い調査は " + deepestName + " の GL-" + Metres(deepest) + " m である。");
    }
    std::string text = rave::JoinCrLf(lines);
    text.resize(text.size() - 2);  // no line end after the last line: the findings end there
    return text;
}

CoverPage MakeCoverPage(const CoverTexts& typed,
                        const std::vector<const ravelog::SoundingDocument*>& soundings) {
    CoverPage page;
    const ravelog::SoundingDocument* first = soundings.empty() ? nullptr : soundings.front();
    page.title = typed.title;
    if (page.title.empty() && first != nullptr) {
        page.title = Trimmed(first->header[ravelog::slot::kSurveyName1]);
        const std::string second = Trimmed(first->header[ravelog::slot::kSurveyName2]);
        if (!second.empty()) {
            page.title += (page.title.empty() ? "" : " ") + second;
        }
    }
    page.company = typed.company;
    if (page.company.empty() && first != nullptr) {
        page.company = Trimmed(first->header[29]);
    }
    page.place = typed.place;
    page.client = typed.client;
    page.reportDate = typed.reportDate;
    page.engineer = typed.engineer;
    const ravelog::SoundingDocument* earliest = nullptr;
    const ravelog::SoundingDocument* latest = nullptr;
    for (const ravelog::SoundingDocument* document : soundings) {
        if (DateOf(document->header).empty()) {
            continue;
        }
        if (earliest == nullptr || DateKeyOf(document->header) < DateKeyOf(earliest->header)) {
            earliest = document;
        }
        if (latest == nullptr || DateKeyOf(latest->header) < DateKeyOf(document->header)) {
            latest = document;
        }
    }
    if (earliest != nullptr) {
        const std::string from = DateOf(earliest->header);
        const std::string to = DateOf(latest->header);
        page.period = from == to ? from : from + " 〜 " + to;
    }
    return page;
}

}  // namespace site
