// The pattern settings of Ravesect ("柱状図模様/パターンファイル"): the soil-name master file, the
// bitmap folders of the JACIC and simple tables, how the pattern cell is drawn, colour or
// monochrome patterns, the pattern line width and colour, and the mixed-soil marking, kept on
// lines 40-43 and 52-55 of "Sysq.ndx".
#pragma once

#include <filesystem>
#include <string>

#include "common/messages.h"
#include "ravesect/settings/sysq_settings.h"

namespace ravesect {

// How the pattern cell is drawn (line 43; the section drawing's PatternSourcesFor).
enum class PatternDrawing {
    kLinesOnly = 0,     // "線描のみ使用"
    kBitmapsFirst = 1,  // "ビットマップ優先": a tile, its line pattern where the tile is missing
    kLinesFirst = 2,    // "線描優先": the line pattern, a tile where there is no line pattern
    kBitmapsOnly = 3,   // "ビットマップのみ": tiles only, a blank cell where one is missing
};

struct PatternSettings {
    std::string masterFile;    // line 40
    std::string jacicFolder;   // line 41
    std::string simpleFolder;  // line 42
    PatternDrawing drawing = PatternDrawing::kLinesOnly;
    bool monochrome = false;   // line 52
    std::string lineWidth;     // line 53, mm
    bool mixedMarking = true;  // line 54 holds 1 when the marking is off
    std::string lineColour;    // line 55, "0x%06x"
};

PatternSettings PatternSettingsOf(const SysqSettings& sysq);
void StorePatternSettings(const PatternSettings& settings, SysqSettings& sysq);

// "標準の設定": the files under the install folder, lines only, colour, width "0.4", grey lines,
// mixed-soil marking on.
PatternSettings StandardPatternSettings(const std::filesystem::path& installFolder);

// What OK accepts: paths that are not empty and hold no line break, a line width above 0 and at
// most 2 mm, a colour "0x" with at most six hex digits. False after the message of the first
// fault.
enum class PatternSettingsField { kMasterFile, kJacicFolder, kSimpleFolder, kLineWidth, kLineColour };
bool CheckPatternSettings(const PatternSettings& settings, rave::MessageSink& messages,
                          PatternSettingsField* faulty = nullptr);

}  // namespace ravesect
