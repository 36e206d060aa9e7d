// Row counting, derived values and clearing of the sounding document.
#include <gtest/gtest.h>

#include "ravelog/document/sounding_document.h"

namespace ravelog {
namespace {

void SetRow(SoundingDocument& doc, int i, const char* load, const char* halfTurns, const char* depth) {
    doc.Row(i)[field::kLoad] = load;
    doc.Row(i)[field::kHalfTurns] = halfTurns;
    doc.Row(i)[field::kDepth] = depth;
}

TEST(SoundingDocument, RowCountStopsAtFirstRowWithoutDepth) {
    SoundingDocument doc;
    EXPECT_EQ(doc.RowCount(), 0);
    EXPECT_EQ(doc.LastUsedRow(), 0);
    SetRow(doc, 2, "1.00", "4", "0.50");
    EXPECT_EQ(doc.RowCount(), 0);  // row 1 has no depth: nothing counts
    EXPECT_EQ(doc.LastUsedRow(), 2);
    SetRow(doc, 1, "1.00", "0", ".25");
    EXPECT_EQ(doc.RowCount(), 2);
    doc.Row(3)[field::kDepth] = "abc";
    doc.Row(4)[field::kDepth] = "1.0";
    EXPECT_EQ(doc.RowCount(), 2);
}

TEST(SoundingDocument, CountStopsAtCapacity) {
    SoundingDocument doc;
    for (int i = 1; i <= kMaxRows; ++i) {
        doc.Row(i)[field::kDepth] = "1";
    }
    EXPECT_EQ(doc.RowCount(), kMaxRows);
    EXPECT_EQ(doc.LastUsedRow(), kMaxRows);
    EXPECT_THROW(doc.Row(kMaxRows + 1), std::out_of_range);
}

TEST(SoundingDocument, LengthAndNswFollowDepthsAndHalfTurns) {
    SoundingDocument doc;
    SetRow(doc, 1, "1.00", "6", "0.25");
    SetRow(doc, 2, "1.00", "", "0.50");
    SetRow(doc, 3, "1.00", "8", "0.50");
    SetRow(doc, 4, "1.00", "x", "0.75");
    SetRow(doc, 5, "1.00", "3", "0.60");
    for (int i = 1; i <= 5; ++i) {
        doc.RecomputeRowDerived(i);
    }
    EXPECT_EQ(doc.Row(1)[field::kLength], "0.2500");  // row 1: its own depth
    EXPECT_EQ(doc.Row(1)[field::kNsw], "24.0000");
    EXPECT_EQ(doc.Row(2)[field::kNsw], "");  // half turns not numeric
    EXPECT_EQ(doc.Row(3)[field::kLength], "0.0000");
    EXPECT_EQ(doc.Row(3)[field::kNsw], "");  // no penetration
    EXPECT_EQ(doc.Row(4)[field::kNsw], "");
    EXPECT_EQ(doc.Row(5)[field::kLength], "-0.1500");  // written even when negative
    EXPECT_EQ(doc.Row(5)[field::kNsw], "");
}

TEST(SoundingDocument, ClearEmptiesEverythingButTheClass) {
    SoundingDocument doc;
    doc.header[1] = "件名";
    doc.header[100] = "x";
    SetRow(doc, 1, "1", "2", "3");
    doc.Row(1)[field::kSoilClass] = "2";
    doc.Row(kMaxRows)[field::kResolvedName] = "x";
    doc.Conversion(1)[2] = "5.0";
    doc.ClearSoundingData();
    for (int n = 1; n <= kHeaderSlots; ++n) {
        EXPECT_EQ(doc.header[n], "");
    }
    EXPECT_EQ(doc.Row(1)[field::kDepth], "");
    EXPECT_EQ(doc.Row(kMaxRows)[field::kResolvedName], "");
    EXPECT_EQ(doc.Row(1)[field::kSoilClass], "2");
    EXPECT_EQ(doc.Conversion(1)[2], "");
}

TEST(CurrentSounding, ResetGivesAFreshDocument) {
    CurrentSounding().header[1] = "x";
    ResetCurrentSounding();
    EXPECT_EQ(CurrentSounding().header[1], "");
}

}  // namespace
}  // namespace ravelog
