#include "ravelog/conversion/soil_name_pass.h"

#include <algorithm>

#include "common/soil_pattern_resolver.h"

namespace ravelog {

namespace {

int ClampedCount(int count) {
    return std::clamp(count, 0, kMaxRows);
}

}  // namespace

void RunSoilNamePass(const rave::SoilNameTable& jacic, SoundingDocument& document, int count) {
    for (int i = 1; i <= ClampedCount(count); ++i) {
        MeasuredRow& row = document.Row(i);
        if (row[field::kJacicSoilName].empty()) {
            row[field::kResolvedPattern].clear();
            row[field::kResolverWork].clear();
            row[field::kResolvedName].clear();
            continue;
        }
        const rave::SoilResolution resolved =
            rave::ResolveSoilPattern(jacic, row[field::kJacicSoilName], rave::soil_number_kind::kLineDrawing,
                                     row[field::kJacicPattern]);
        row[field::kResolvedPattern] = rave::FormatResolvedPattern(resolved);
        row[field::kResolverWork] = resolved.mark;
        row[field::kResolvedName] = resolved.name;
    }
}

void FillJacicPatterns(const rave::SoilNameTable& jacic, SoundingDocument& document, int count) {
    for (int i = 1; i <= ClampedCount(count); ++i) {
        MeasuredRow& row = document.Row(i);
        if (row[field::kJacicSoilName].empty()) {
            continue;
        }
        const rave::SoilResolution resolved =
            rave::ResolveSoilPattern(jacic, row[field::kJacicSoilName], rave::soil_number_kind::kBitmap);
        row[field::kJacicPattern] = rave::FormatResolvedPattern(resolved);
    }
}

SoilNamePassFunction MakeSoilNamePass(std::shared_ptr<const rave::InstalledSoilTables> tables) {
    return [tables = std::move(tables)](SoundingDocument& document, int count, rave::MessageSink&) {
        if (tables) {
            RunSoilNamePass(tables->jacic, document, count);
        }
    };
}

}  // namespace ravelog
