// Page-footer and margins dialog models.
#include "ravelog/report/page_footer_editor.h"

#include <algorithm>

#include "common/field_validation.h"
#include "common/format.h"
#include "common/numbers.h"

namespace ravelog {

namespace {
constexpr int kSlotFirstPrefix = 71;
constexpr int kSlotVerticalMode = 80;
constexpr int kSlotYFromPaperTop = 81;
constexpr int kSlotYBelowBottomLine = 82;
constexpr int kSlotHorizontalMode = 83;
constexpr int kSlotXLeft = 84;
constexpr int kSlotXCentre = 85;
constexpr int kLargestStandardLeft = 150;
}  // namespace

PageFooterEditor::PageFooterEditor(const SoundingDocument& document, PaperSize paper) : paper_(paper) {
    for (int k = 0; k < 3; ++k) {
        const int first = kSlotFirstPrefix + 3 * k;
        rows[static_cast<std::size_t>(k)] = {document.header[first], document.header[first + 1],
                                             document.header[first + 2]};
    }
    verticalMode = rave::ParseInteger(document.header[kSlotVerticalMode]) == 1 ? 1 : 0;
    yFromPaperTop = document.header[kSlotYFromPaperTop];
    yBelowBottomLine = document.header[kSlotYBelowBottomLine];
    horizontalMode = rave::ParseInteger(document.header[kSlotHorizontalMode]) == 1 ? 1 : 0;
    xFromLeftEdge = document.header[kSlotXLeft];
    xCentre = rave::FormatText("%d", paper_.widthMm / 2);
}

std::string PageFooterEditor::SampleLine(int format) const {
    if (format < 1 || format > 3) {
        return {};
    }
    const FormatRow& row = rows[static_cast<std::size_t>(format - 1)];
    return row.prefix + row.startPage + row.suffix;
}

void PageFooterEditor::PrefixLeftFocus(int format) {
    if (format < 1 || format > 3) {
        return;
    }
    FormatRow& row = rows[static_cast<std::size_t>(format - 1)];
    if (row.prefix.find("<無し>") != std::string::npos) {
        row.prefix.clear();
    }
    if (row.suffix.empty()) {
        if (row.prefix == "(") {
            row.suffix = ")";
        } else if (row.prefix == "-") {
            row.suffix = "-";
        }
    }
}

void PageFooterEditor::PlaceLikeCompanyName() {
    yBelowBottomLine = "1.6";
}

void PageFooterEditor::ApplyStandard() {
    yFromPaperTop = rave::FormatText("%d", PaperTopLimitMm());
    yBelowBottomLine = "1.6";
    xFromLeftEdge = rave::FormatText("%d", std::min(paper_.widthMm / 2, kLargestStandardLeft));
    verticalMode = 1;
    horizontalMode = 1;
}

bool PageFooterEditor::Validate(rave::MessageSink& messages) const {
    for (const FormatRow& row : rows) {
        for (const std::string* text : {&row.prefix, &row.startPage, &row.suffix}) {
            if (!rave::CheckStorableText(*text, messages)) {
                return false;
            }
        }
    }
    for (const std::string* text : {&yFromPaperTop, &yBelowBottomLine, &xFromLeftEdge, &xCentre}) {
        if (!rave::CheckStorableText(*text, messages)) {
            return false;
        }
    }
    return true;
}

void PageFooterEditor::WarnIfOffPaper(rave::MessageSink& messages) const {
    if (verticalMode == 0 && rave::ParseDecimal(yFromPaperTop) >= static_cast<double>(PaperTopLimitMm())) {
        messages.Show(rave::Message{0, "フッタ表示位置が用紙外の可能性があります \n( %1 mm)", yFromPaperTop});
    }
}

void PageFooterEditor::WriteBack(SoundingDocument& document) const {
    for (int k = 0; k < 3; ++k) {
        const int first = kSlotFirstPrefix + 3 * k;
        const FormatRow& row = rows[static_cast<std::size_t>(k)];
        document.header[first] = row.prefix;
        document.header[first + 1] = row.startPage;
        document.header[first + 2] = row.suffix;
    }
    document.header[kSlotVerticalMode] = rave::FormatText("%d", verticalMode);
    document.header[kSlotYFromPaperTop] = yFromPaperTop;
    document.header[kSlotYBelowBottomLine] = yBelowBottomLine;
    document.header[kSlotHorizontalMode] = rave::FormatText("%d", horizontalMode);
    document.header[kSlotXLeft] = xFromLeftEdge;
    document.header[kSlotXCentre] = xCentre;
    document.modified = true;
}

MarginsEditor::MarginsEditor(const rave::RavelogSettings& settings)
    : top(rave::FormatText("%d", static_cast<int>(settings.Int(rave::sysline::kTopMargin)))),
      left(rave::FormatText("%d", static_cast<int>(settings.Int(rave::sysline::kLeftMargin)))),
      titleRow12(rave::FormatText("%d", static_cast<int>(settings.Int(rave::sysline::kTitleRowFormats12)))),
      titleRow3(rave::FormatText("%d", static_cast<int>(settings.Int(rave::sysline::kTitleRowFormat3)))) {}

void MarginsEditor::ApplyStandard() {
    top = "5";
    left = "20";
    titleRow12 = "4";
    titleRow3 = "4";
}

bool MarginsEditor::Validate(rave::MessageSink& messages) const {
    // The range the settings reader keeps margins in, so what is typed is what is drawn.
    for (const std::string* field : {&top, &left, &titleRow12, &titleRow3}) {
        if (!rave::CheckIntegerInRange(*field, 0, 100, messages)) {
            return false;
        }
    }
    return true;
}

void MarginsEditor::WriteBack(rave::RavelogSettings& settings) const {
    settings.SetInt(rave::sysline::kTopMargin, rave::ParseWholeNumberField(top).value_or(0));
    settings.SetInt(rave::sysline::kLeftMargin, rave::ParseWholeNumberField(left).value_or(0));
    settings.SetInt(rave::sysline::kTitleRowFormats12, rave::ParseWholeNumberField(titleRow12).value_or(0));
    settings.SetInt(rave::sysline::kTitleRowFormat3, rave::ParseWholeNumberField(titleRow3).value_or(0));
}

}  // namespace ravelog
