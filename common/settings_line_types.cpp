// The line-type settings: presets, colour and monochrome rules, validation and write-back.
#include "common/settings_line_types.h"

#include <cctype>
#include <stdexcept>

#include "common/field_validation.h"
#include "common/format.h"

namespace rave {

namespace {

constexpr int kColourLines[6] = {sysline::kTableRuleColour,  sysline::kGrid5Colour, sysline::kGrid1Colour,
                                 sysline::kPlotWswNswColour, sysline::kPlotNColour, sysline::kPlotQuQaColour};

// The gaps that colour mode keeps at 0, and the dash fields (solid part and gap) it disables.
constexpr int kColourSolidGaps[3] = {48, 52, 55};
constexpr int kDashLines[6] = {47, 48, 51, 52, 54, 55};

// Lines 41 to 59 of each preset, then line 36.
struct PresetValues {
    int numbers[19];
    int monochrome;
};

constexpr PresetValues kColourStandardValues{{2, 1, 2, 4, 4, 1, 3, 0, 2, 1, 4, 0, 0, 2, 0, 3, 2, 1, 0}, 0};
constexpr PresetValues kMonochromeValues{{2, 1, 2, 4, 4, 1, 3, 0, 2, 1, 4, 0, 0, 2, 4, 2, 1, 1, 0}, 1};
constexpr PresetValues kColourFineValues{{2, 1, 2, 4, 4, 1, 3, 4, 2, 1, 4, 2, 1, 2, 4, 3, 2, 1, 0}, 0};

// The colours of both colour presets, in the order of kColourLines.
constexpr const char* kPresetColours[6] = {"0x808080", "0x808080", "0xcccccc",
                                           "0x000000", "0x000080", "0x800000"};

int ColourIndex(int line) {
    for (int i = 0; i < 6; ++i) {
        if (kColourLines[i] == line) {
            return i;
        }
    }
    return -1;
}

bool IsColourText(const std::string& text) {
    if (text.empty()) {
        return true;
    }
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

}  // namespace

LineStyle LineStyleAt(const RavelogSettings& settings, int widthLine) {
    return LineStyle{static_cast<int>(settings.Int(widthLine)), static_cast<int>(settings.Int(widthLine + 1)),
                     static_cast<int>(settings.Int(widthLine + 2))};
}

LineTypeEditor::LineTypeEditor(const RavelogSettings& settings)
    : monochrome(settings.Int(sysline::kMonochrome) == 1) {
    for (int line = kFirstNumber; line <= kLastNumber; ++line) {
        Field(line) = FormatText("%d", static_cast<int>(settings.Int(line)));
    }
    for (int line : kColourLines) {
        Field(line) = settings.Line(line);
    }
}

bool LineTypeEditor::IsColourLine(int line) {
    return ColourIndex(line) >= 0;
}

bool LineTypeEditor::IsDashLine(int line) {
    for (int dash : kDashLines) {
        if (dash == line) {
            return true;
        }
    }
    return false;
}

std::string& LineTypeEditor::Field(int line) {
    return const_cast<std::string&>(static_cast<const LineTypeEditor&>(*this).Field(line));
}

const std::string& LineTypeEditor::Field(int line) const {
    if (line >= kFirstNumber && line <= kLastNumber) {
        return numbers_[static_cast<std::size_t>(line - kFirstNumber)];
    }
    const int colour = ColourIndex(line);
    if (colour < 0) {
        throw std::out_of_range("no line-type field on this settings line");
    }
    return colours_[static_cast<std::size_t>(colour)];
}

void LineTypeEditor::ApplyPreset(LineTypePreset preset) {
    const PresetValues& values = preset == LineTypePreset::kColourStandard ? kColourStandardValues
                                 : preset == LineTypePreset::kMonochrome   ? kMonochromeValues
                                                                           : kColourFineValues;
    for (int line = kFirstNumber; line <= kLastNumber; ++line) {
        Field(line) = FormatText("%d", values.numbers[line - kFirstNumber]);
    }
    monochrome = values.monochrome == 1;
    if (preset != LineTypePreset::kMonochrome) {
        for (int i = 0; i < 6; ++i) {
            Field(kColourLines[i]) = kPresetColours[i];
        }
    }
}

void LineTypeEditor::ChooseMonochrome(bool chosen) {
    monochrome = chosen;
    if (!chosen) {
        for (int gap : kColourSolidGaps) {
            Field(gap) = "0";
        }
    }
}

void LineTypeEditor::SetColour(int line, long colour) {
    Field(line) = FormatText("0x%06lx", static_cast<unsigned long>(colour) & 0xffffffUL);
}

bool LineTypeEditor::IsEnabled(int line) const {
    if (IsColourLine(line)) {
        return !monochrome;
    }
    if (IsDashLine(line)) {
        return monochrome;
    }
    return true;
}

bool LineTypeEditor::Validate(MessageSink& messages) const {
    for (int line = kFirstNumber; line <= kLastNumber; ++line) {
        const long high = line == sysline::kPlotLineStyle ? 2 : 100;
        if (!CheckIntegerInRange(Field(line), 0, high, messages)) {
            return false;
        }
    }
    for (int line : kColourLines) {
        if (!IsColourText(Field(line))) {
            // "Enter a colour as 0x followed by up to six hexadecimal digits (0xBBGGRR)".
            messages.Show(Message{0, "色は 0x に続く 6 桁以内の16進数 (0xBBGGRR) で入力してください", ""});
            return false;
        }
    }
    return true;
}

void LineTypeEditor::WriteBack(RavelogSettings& settings) const {
    settings.SetInt(sysline::kMonochrome, monochrome ? 1 : 0);
    for (int line = kFirstNumber; line <= kLastNumber; ++line) {
        settings.SetInt(line, ParseWholeNumberField(Field(line)).value_or(0));
    }
    for (int line : kColourLines) {
        settings.Line(line) = Field(line);
    }
}

}  // namespace rave
