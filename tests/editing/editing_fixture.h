// A small section for the editing tests: scales 1/100, the left boundary at distance 0, one
// column with a file at 10 m and the closing ruler column at 20 m; working files in a temporary
// folder; a recording message sink.
#pragma once

#include "common/messages.h"
#include "ravesect/document/section_document.h"
#include "ravesect/document/working_files.h"
#include "temp_folder.h"

namespace ravesect::testing {

inline SectionDocument SmallSection() {
    SectionDocument document;
    document.settings.distanceScale = 100;
    document.settings.depthScale = 100;
    document.Column(0)[colfield::kDistance] = "0";
    document.Column(1)[colfield::kDistance] = "10";
    document.Column(1)[colfield::kSourcePath] = "/logs/a.sdw";
    document.Column(2)[colfield::kDistance] = "20";
    return document;
}

// Points 1..count at x = 10 n, y = n.
inline void AddPoints(SectionDocument& document, int count) {
    for (int n = 1; n <= count; ++n) {
        document.Point(n) = {10.0 * n, 1.0 * n};
    }
}

struct EditingFiles {
    rave::testing::TempFolder folder;
    WorkingFiles files = WorkingFiles::In(folder.path());
};

}  // namespace ravesect::testing
