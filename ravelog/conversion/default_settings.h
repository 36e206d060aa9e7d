// The program-level default coefficient set kept in the settings file, and the filling of a
// sounding's empty conversion and header slots from it whenever the view takes up a document.
#pragma once

#include <array>
#include <string>

#include "common/ravelog_settings.h"
#include "ravelog/document/sounding_document.h"

namespace ravelog {

// The defaults new and old files take for their empty coefficient slots: the display index, the
// 24 coefficient texts and the two plot-depth choices.
struct DefaultCoefficientSet {
    std::string display;                 // slot 34; settings line 90
    std::array<std::string, 5> nSandy;   // a..e; lines 21..25
    std::array<std::string, 5> nClayey;  // lines 26..30
    std::array<std::string, 5> qu;       // lines 31..35
    std::array<std::string, 5> qa;       // the qa formula; lines 91..95
    std::array<std::string, 4> qaFromN;  // b of qa = b·N: sandy Nsw = 0, sandy Nsw > 0, clayey
                                         // Nsw = 0, clayey Nsw > 0; lines 96..99
    std::string nPlotDepth = "0";        // slot 62; line 3
    std::string quQaPlotDepth = "0";     // slot 63; line 4

    static DefaultCoefficientSet FromSettings(const rave::RavelogSettings& settings);
    // The values the program ships with, used when there is no settings file.
    static DefaultCoefficientSet Factory();
    // What "標準の設定" of the default-set editor fills in: the factory coefficients, the display
    // of N and qu, and qa = b·N factors 8, 8, 8, 10.
    static DefaultCoefficientSet Standard();

    // Writes the display index and the 24 values (not the plot depths, which the format
    // settings own) into the settings lines.
    void StoreCoefficientsInto(rave::RavelogSettings& settings) const;
};

// Fills the empty conversion slots of the document from the program defaults (each slot on its
// own, except that the qa formula's a and b and the sandy qa = b·N pair are taken together), and
// repairs the header slots the sheets cannot do without: depth scale 5..5000, report format 0..2,
// title frame and rows-per-page choice, the company name.
void FillEmptySettings(SoundingDocument& document, const rave::RavelogSettings& settings);

// Everything the view does to a document's settings when it takes it up: FillEmptySettings, the
// exponent-1 and Wsw-1-only flags made numeric, the standard titles of formats 1 and 2 and the
// JACIC soil-name table when none is chosen.
void ApplyViewSetUpDefaults(SoundingDocument& document, const rave::RavelogSettings& settings);

}  // namespace ravelog
