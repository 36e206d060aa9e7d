// The pattern settings on their lines of "Sysq.ndx".
#include "ravesect/settings/pattern_settings.h"

#include <cctype>

#include "common/field_validation.h"
#include "common/numbers.h"
#include "common/text_fields.h"

namespace ravesect {

namespace {

constexpr double kLargestLineWidth = 2.0;

bool IsColourText(const std::string& text) {
    if (text.size() < 3 || text.size() > 8 || text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) {
        return false;
    }
    for (std::size_t i = 2; i < text.size(); ++i) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) {
            return false;
        }
    }
    return true;
}

bool Fault(PatternSettingsField field, PatternSettingsField* faulty) {
    if (faulty != nullptr) {
        *faulty = field;
    }
    return false;
}

}  // namespace

PatternSettings PatternSettingsOf(const SysqSettings& sysq) {
    PatternSettings s;
    s.masterFile = sysq.Line(sysqline::kSoilMasterFile);
    s.jacicFolder = sysq.Line(sysqline::kJacicBitmapFolder);
    s.simpleFolder = sysq.Line(sysqline::kSimpleBitmapFolder);
    const long drawing = sysq.Int(sysqline::kPatternDrawing);
    s.drawing =
        drawing >= 0 && drawing <= 3 ? static_cast<PatternDrawing>(drawing) : PatternDrawing::kLinesOnly;
    s.monochrome = sysq.Int(sysqline::kPatternMonochrome) == 1;
    s.lineWidth = sysq.Line(sysqline::kPatternLineWidth);
    s.mixedMarking = sysq.Int(sysqline::kMixedSoilMarking) != 1;
    s.lineColour = sysq.Line(sysqline::kPatternLineColour);
    return s;
}

void StorePatternSettings(const PatternSettings& s, SysqSettings& sysq) {
    sysq.Line(sysqline::kSoilMasterFile) = s.masterFile;
    sysq.Line(sysqline::kJacicBitmapFolder) = s.jacicFolder;
    sysq.Line(sysqline::kSimpleBitmapFolder) = s.simpleFolder;
    sysq.SetInt(sysqline::kPatternDrawing, static_cast<long>(s.drawing));
    sysq.SetInt(sysqline::kPatternMonochrome, s.monochrome ? 1 : 0);
    sysq.Line(sysqline::kPatternLineWidth) = s.lineWidth;
    sysq.SetInt(sysqline::kMixedSoilMarking, s.mixedMarking ? 0 : 1);
    sysq.Line(sysqline::kPatternLineColour) = s.lineColour;
}

PatternSettings StandardPatternSettings(const std::filesystem::path& installFolder) {
    return PatternSettingsOf(SysqSettings::Defaults(installFolder));
}

bool CheckPatternSettings(const PatternSettings& s, rave::MessageSink& messages,
                          PatternSettingsField* faulty) {
    const std::pair<const std::string*, PatternSettingsField> paths[] = {
        {&s.masterFile, PatternSettingsField::kMasterFile},
        {&s.jacicFolder, PatternSettingsField::kJacicFolder},
        {&s.simpleFolder, PatternSettingsField::kSimpleFolder}};
    for (const auto& [path, field] : paths) {
        if (path->empty()) {
            // "Enter the file or folder".
            messages.Show(rave::Message{0, "ファイル名、フォルダ名を入力してください。", {}});
            return Fault(field, faulty);
        }
        if (!rave::CheckStorableText(*path, messages)) {
            return Fault(field, faulty);
        }
    }
    const double width = rave::ParseDecimal(s.lineWidth);
    if (rave::IsNumericStart(s.lineWidth) != 1 || !(width > 0.0 && width <= kLargestLineWidth)) {
        // "Enter a line width above 0 and at most 2 mm".
        messages.Show(rave::Message{0, "線の太さは 0 より大きく 2 ㎜ 以下の数値を入力してください。", {}});
        return Fault(PatternSettingsField::kLineWidth, faulty);
    }
    if (!IsColourText(s.lineColour)) {
        // "Enter the colour as 0x followed by six hexadecimal digits".
        messages.Show(rave::Message{0, "色は 0x に続く 16 進 6 桁で入力してください。", {}});
        return Fault(PatternSettingsField::kLineColour, faulty);
    }
    return true;
}

}  // namespace ravesect
