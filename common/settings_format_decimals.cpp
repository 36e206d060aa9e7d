// The format and decimals settings: standard values, validation and write-back.
#include "common/settings_format_decimals.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "common/field_validation.h"
#include "common/format.h"

namespace rave {

namespace {

int RadioChoice(const RavelogSettings& settings, int line, int buttons) {
    const long value = settings.Int(line);
    return value >= 0 && value < buttons ? static_cast<int>(value) : 0;
}

std::string IntText(const RavelogSettings& settings, int line) {
    return FormatText("%d", static_cast<int>(settings.Int(line)));
}

// A footing depth field: blanks around a plain decimal number of 0 or more ("0.5", "1.25", "2").
bool IsFootingDepthField(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    text.remove_prefix(first);
    text.remove_suffix(text.size() - text.find_last_not_of(' ') - 1);
    double depth = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), depth, std::chars_format::fixed);
    return error == std::errc() && end == text.data() + text.size() && std::isfinite(depth) && depth >= 0;
}

}  // namespace

FormatDecimalsEditor::FormatDecimalsEditor(const RavelogSettings& settings)
    : dataInputOrder(RadioChoice(settings, sysline::kDataInputOrder, 2)),
      loadUnit(RadioChoice(settings, sysline::kLoadUnit, 2)),
      lengthUnit(RadioChoice(settings, sysline::kLengthUnit, 2)),
      nPlotDepth(RadioChoice(settings, sysline::kNPlotDepth, 2)),
      quQaPlotDepth(RadioChoice(settings, sysline::kQuQaPlotDepth, 2)),
      depthStoreFormat(RadioChoice(settings, sysline::kDepthStoreFormat, 3)),
      depthDecimals(IntText(settings, sysline::kDecimalsDepth)),
      naDecimals(IntText(settings, sysline::kDecimalsNa)),
      lengthDecimals(IntText(settings, sysline::kDecimalsLength)),
      nDecimals(IntText(settings, sysline::kDecimalsN)),
      quDecimals(IntText(settings, sysline::kDecimalsQu)),
      qaDecimals(IntText(settings, sysline::kDecimalsQa)),
      titleFormat1(settings.Line(sysline::kTitleFormat1)),
      titleFormat2(settings.Line(sysline::kTitleFormat2)),
      titleFormat3(settings.Line(sysline::kTitleFormat3)),
      companyName(settings.Line(sysline::kCompanyName)),
      printSelfSinking(settings.Int(sysline::kSelfSinkingNote) == 1),
      footingDepth(settings.Line(sysline::kFootingDepth)) {}

void FormatDecimalsEditor::ApplyStandard() {
    dataInputOrder = 0;
    loadUnit = 0;
    lengthUnit = 0;
    nPlotDepth = 0;
    quQaPlotDepth = 0;
    depthStoreFormat = 0;
    depthDecimals = "2";
    naDecimals = "0";
    lengthDecimals = "0";
    nDecimals = "1";
    quDecimals = "1";
    qaDecimals = "1";
    titleFormat1 = "スクリューウエイト貫入試験";
    titleFormat2 = "スクリューウエイト貫入試験";
    titleFormat3 = "スクリューウエイト貫入試験換算結果";
}

bool FormatDecimalsEditor::Validate(MessageSink& messages) const {
    for (const std::string* decimals :
         {&depthDecimals, &naDecimals, &lengthDecimals, &nDecimals, &quDecimals, &qaDecimals}) {
        if (!CheckIntegerInRange(*decimals, 0, 4, messages)) {
            return false;
        }
    }
    for (const std::string* text : {&titleFormat1, &titleFormat2, &titleFormat3, &companyName}) {
        if (!CheckStorableText(*text, messages)) {
            return false;
        }
    }
    if ((printSelfSinking || !footingDepth.empty()) && !IsFootingDepthField(footingDepth)) {
        messages.Show(Message{0, "基礎底部の深さには 0 以上の数値 (m) を入力してください。", ""});
        return false;
    }
    return true;
}

void FormatDecimalsEditor::WriteBack(RavelogSettings& settings) const {
    settings.SetInt(sysline::kDataInputOrder, dataInputOrder);
    settings.SetInt(sysline::kLoadUnit, loadUnit);
    settings.SetInt(sysline::kLengthUnit, lengthUnit);
    settings.SetInt(sysline::kNPlotDepth, nPlotDepth);
    settings.SetInt(sysline::kQuQaPlotDepth, quQaPlotDepth);
    settings.SetInt(sysline::kDepthStoreFormat, depthStoreFormat);
    const std::pair<int, const std::string*> decimals[] = {
        {sysline::kDecimalsDepth, &depthDecimals},   {sysline::kDecimalsNa, &naDecimals},
        {sysline::kDecimalsLength, &lengthDecimals}, {sysline::kDecimalsN, &nDecimals},
        {sysline::kDecimalsQu, &quDecimals},         {sysline::kDecimalsQa, &qaDecimals}};
    for (const auto& [line, text] : decimals) {
        settings.SetInt(line, ParseWholeNumberField(*text).value_or(0));
    }
    settings.Line(sysline::kTitleFormat1) = titleFormat1;
    settings.Line(sysline::kTitleFormat2) = titleFormat2;
    settings.Line(sysline::kTitleFormat3) = titleFormat3;
    settings.Line(sysline::kCompanyName) = companyName;
    if (printSelfSinking || !settings.Line(sysline::kSelfSinkingNote).empty()) {
        settings.SetInt(sysline::kSelfSinkingNote, printSelfSinking ? 1 : 0);
    }
    settings.Line(sysline::kFootingDepth) = footingDepth;
}

void DepthDecimalsReminder::AfterOk(const RavelogSettings& settings, MessageSink& messages) {
    if (shown_ || settings.Int(sysline::kDecimalsDepth) == 2) {
        return;
    }
    shown_ = true;
    messages.Show(Message{0, "貫入深さの小数以下の標準は 2 です.", ""});
}

}  // namespace rave
