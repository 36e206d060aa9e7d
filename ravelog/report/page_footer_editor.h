// The models of the page-footer dialog ("ページ フッタ") and the margins dialog ("設定 >
// マージン"): they copy the values in, apply the dialog's rules and write everything back on OK.
// The dialogs bind their controls to these and hold no rule of their own.
#pragma once

#include <array>
#include <string>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"
#include "ravelog/report/printer_paper.h"

namespace ravelog {

class PageFooterEditor {
public:
    struct FormatRow {
        std::string prefix;     // "前文字"
        std::string startPage;  // "頁(開始頁)"; empty: no page number
        std::string suffix;     // "後文字"
    };

    // Copies the footer slots 71..85; the centred x starts at half the paper width.
    PageFooterEditor(const SoundingDocument& document, PaperSize paper);

    std::array<FormatRow, 3> rows;  // formats 1, 2, 3
    int verticalMode = 0;           // 0 "用紙上端から", 1 "下線から"
    std::string yFromPaperTop;      // mm, with "用紙上端から"
    std::string yBelowBottomLine;   // mm, with "下線から"
    int horizontalMode = 0;         // 0 "用紙左端から", 1 "用紙左右中央"
    std::string xFromLeftEdge;      // mm, with "用紙左端から"
    std::string xCentre;            // mm, with "用紙左右中央"

    // The limits the dialog shows: paper height - 16 (control 1000) and the paper width (1001).
    int PaperTopLimitMm() const { return paper_.heightMm - 16; }
    int PaperWidthMm() const { return paper_.widthMm; }

    // The sample line of a format (1..3): prefix, start page and suffix joined.
    std::string SampleLine(int format) const;

    // A prefix field losing focus: "<無し>" in it clears it; with an empty suffix, a prefix "("
    // sets the suffix to ")" and a prefix "-" sets it to "-".
    void PrefixLeftFocus(int format);

    bool YFromPaperTopEnabled() const { return verticalMode == 0; }
    bool YBelowBottomLineEnabled() const { return verticalMode == 1; }
    bool XFromLeftEdgeEnabled() const { return horizontalMode == 0; }

    // "←" ("社名と同じ位置"): the footer goes where the company name is, 1.6 mm below the line.
    void PlaceLikeCompanyName();
    // "標準の設定": paper top distance paper height - 16, under-line distance 1.6, left-edge
    // distance half the paper width but at most 150, "下線から" and "用紙左右中央".
    void ApplyStandard();

    // OK, first: every text must be storable in the sounding file (no line break, no "$$"); the
    // message is shown and false keeps the dialog open.
    bool Validate(rave::MessageSink& messages) const;

    // OK: warns "フッタ表示位置が用紙外の可能性があります \n( %1 mm)" when the footer is placed from
    // the paper top at paper height - 16 or beyond; the dialog closes either way.
    void WarnIfOffPaper(rave::MessageSink& messages) const;

    // The nine texts, the two modes ("%d") and the four positions into the document.
    void WriteBack(SoundingDocument& document) const;

private:
    PaperSize paper_;
};

class MarginsEditor {
public:
    explicit MarginsEditor(const rave::RavelogSettings& settings);

    std::string top;         // control 1119 "トップ", mm
    std::string left;        // 1118 "レフト"
    std::string titleRow12;  // 1000 title-row position of formats 1 and 2
    std::string titleRow3;   // 1001 format 3

    // "標準の設定": 5, 20, 4, 4.
    void ApplyStandard();
    // OK: each field must be a whole number (the integer message otherwise); false keeps the
    // dialog open.
    bool Validate(rave::MessageSink& messages) const;
    // Stores the four values as integers; the caller rewrites the settings file and redraws.
    void WriteBack(rave::RavelogSettings& settings) const;
};

}  // namespace ravelog
