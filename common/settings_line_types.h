// The line-type settings of the sheets ("設定 > 線種") as a dialog model: line widths, dash and
// gap lengths in device pixels, the plot line style, colour or monochrome lines and the colours of
// rules, grids and plots, all kept in "Sys.ndx" (lines 36-59 and 83-85). The dialog binds its
// fields to this model; the three ready-made presets and the colour/monochrome rules live here.
#pragma once

#include <array>
#include <string>

#include "common/messages.h"
#include "common/ravelog_settings.h"

namespace rave {

namespace sysline {
inline constexpr int kTableRuleColour = 37;
inline constexpr int kGrid5Colour = 38;
inline constexpr int kGrid1Colour = 39;
inline constexpr int kFrameOuterWidth = 41;
inline constexpr int kFrameSeparatorWidth = 42;
inline constexpr int kUnderlineWidth = 43;  // 43-45: width, solid part, gap
inline constexpr int kTableRuleWidth = 46;  // 46-48
inline constexpr int kGrid10Width = 49;
inline constexpr int kGrid5Width = 50;  // 50-52
inline constexpr int kGrid1Width = 53;  // 53-55: the 1 mm and logarithmic grid
inline constexpr int kPlotWswNswWidth = 56;
inline constexpr int kPlotNWidth = 57;
inline constexpr int kPlotQuQaWidth = 58;
inline constexpr int kPlotLineStyle = 59;  // 0 solid, 1 dashed, 2 long dashes
inline constexpr int kPlotWswNswColour = 83;
inline constexpr int kPlotNColour = 84;
inline constexpr int kPlotQuQaColour = 85;
}  // namespace sysline

// The buttons "カラー 標準", "白黒" and "カラー 細密".
enum class LineTypePreset { kColourStandard, kMonochrome, kColourFine };

// One ruled line as the sheets draw it: a gap of 0 is a solid line, otherwise dashes of `solid`
// pixels separated by `gap` pixels.
struct LineStyle {
    int width = 0;
    int solid = 0;
    int gap = 0;
};

// The style of a line group from its first line (width) and the two after it (solid part, gap).
LineStyle LineStyleAt(const RavelogSettings& settings, int widthLine);

class LineTypeEditor {
public:
    explicit LineTypeEditor(const RavelogSettings& settings);

    // The radio group "カラー" / "白黒" (line 36).
    bool monochrome = false;

    // The text of an edit field: the colours (37-39, 83-85) and the numbers (41-59).
    std::string& Field(int line);
    const std::string& Field(int line) const;

    // Sets every number, the colour mode and, for the colour presets, the six colours.
    void ApplyPreset(LineTypePreset preset);

    // Choosing "カラー" makes the table rules and the 5 mm and 1 mm grids solid (their gaps 0);
    // choosing "白黒" changes no value.
    void ChooseMonochrome(bool chosen);

    // The colour chooser's result (COLORREF 0x00BBGGRR) written as "0x%06x".
    void SetColour(int line, long colour);

    // Colour fields are editable in colour mode only, the dash fields of the table rules and of
    // the 5 mm and 1 mm grids in monochrome mode only; the others always.
    bool IsEnabled(int line) const;

    // OK: every number a whole number from 0 to 100 (the plot style 0 to 2); every colour empty
    // or "0x" with one to six hexadecimal digits. The first bad field shows its message.
    bool Validate(MessageSink& messages) const;

    // Stores line 36, the numbers as integers and the colours as typed; the caller rewrites the
    // settings file.
    void WriteBack(RavelogSettings& settings) const;

    static bool IsColourLine(int line);
    static bool IsDashLine(int line);

private:
    static constexpr int kFirstNumber = 41;
    static constexpr int kLastNumber = 59;
    std::array<std::string, kLastNumber - kFirstNumber + 1> numbers_;
    std::array<std::string, 6> colours_;  // 37, 38, 39, 83, 84, 85
};

}  // namespace rave
