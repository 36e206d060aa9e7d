// Undo deltas of the sounding document: only what changed is held, and swapping the delta turns
// the edited document back into the original and then into the edited one again.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "ravelog/document/document_delta.h"

namespace ravelog {
namespace {

// Rows 1..rows with depths, loads and a soil name, and their conversion entries.
SoundingDocument Sounding(int rows) {
    SoundingDocument doc;
    doc.header[slot::kSurveyName1] = "survey";
    doc.header[slot::kPointNumber] = "No.1";
    for (int i = 1; i <= rows; ++i) {
        const std::string n = std::to_string(i);
        doc.Row(i)[field::kLoad] = "1.00";
        doc.Row(i)[field::kHalfTurns] = n;
        doc.Row(i)[field::kDepth] = "0." + n;
        doc.Row(i)[field::kSimpleSoilName] = "clay " + n;
        doc.Conversion(i)[1] = n;
        doc.Conversion(i)[2] = "qu " + n;
    }
    return doc;
}

void ExpectSameContent(const SoundingDocument& actual, const SoundingDocument& expected) {
    EXPECT_EQ(actual.header.slots, expected.header.slots);
    for (int i = 0; i <= kMaxRows; ++i) {
        ASSERT_EQ(actual.Row(i).fields, expected.Row(i).fields) << "row " << i;
        ASSERT_EQ(actual.Conversion(i).fields, expected.Conversion(i).fields) << "conversion " << i;
    }
}

// Moves rows from..last-1 one down and puts a new row at `from` (the last row drops out).
void InsertRow(SoundingDocument& doc, int from, const std::string& depth) {
    for (int i = kMaxRows; i > from; --i) {
        doc.Row(i) = doc.Row(i - 1);
        doc.Conversion(i) = doc.Conversion(i - 1);
    }
    doc.Row(from) = MeasuredRow{};
    doc.Row(from)[field::kDepth] = depth;
    doc.Conversion(from) = ConversionRow{};
    doc.Conversion(from)[1] = "new";
}

void DeleteRow(SoundingDocument& doc, int row) {
    for (int i = row; i < kMaxRows; ++i) {
        doc.Row(i) = doc.Row(i + 1);
        doc.Conversion(i) = doc.Conversion(i + 1);
    }
    doc.Row(kMaxRows) = MeasuredRow{};
    doc.Conversion(kMaxRows) = ConversionRow{};
}

struct DeltaCase {
    const char* name;
    int rows;
    std::function<void(SoundingDocument&)> edit;
    std::size_t maxHeldBytes;         // holding the parts before the edit
    std::size_t maxHeldBytesSwapped;  // holding the edit's own parts
};

TEST(DocumentDelta, SwapGivesTheOriginalAndTheEditBackAndHoldsOnlyTheChange) {
    // A row holds 15 strings (480 bytes here) plus its texts; a conversion entry 5 strings.
    const DeltaCase cases[] = {
        {"nothing changed", 100, [](SoundingDocument&) {}, 200, 200},
        {"one header text", 1350, [](SoundingDocument& d) { d.header[slot::kSurveyName2] = "second line"; },
         300, 300},
        {"settings slots", 1350,
         [](SoundingDocument& d) {
             d.header[slot::kReportFormat] = "3";
             d.header[slot::kDepthScale] = "";
             d.header[kHeaderSlots] = "last slot";
         },
         400, 400},
        {"row changed at start", 1350, [](SoundingDocument& d) { d.Row(1)[field::kLoad] = "0.75"; }, 1000,
         1000},
        {"row changed in the middle", 1350, [](SoundingDocument& d) { d.Row(700)[field::kRemarks] = "x"; },
         1000, 1000},
        {"row changed at the end", 1350, [](SoundingDocument& d) { d.Row(1350)[field::kDepth] = "9"; }, 1000,
         1000},
        {"row inserted at start", 1000, [](SoundingDocument& d) { InsertRow(d, 1, "0.05"); }, 300, 1000},
        {"row inserted in the middle", 1000, [](SoundingDocument& d) { InsertRow(d, 500, "5.5"); }, 300,
         1000},
        {"row appended", 1000, [](SoundingDocument& d) { InsertRow(d, 1001, "99"); }, 300, 1000},
        // The last row drops out, so the two versions share no end: every row from the new one on.
        {"row inserted into a full table", 1350, [](SoundingDocument& d) { InsertRow(d, 10, "0.1"); },
         1341 * 1000, 1341 * 1000},
        {"row deleted at start", 1000, [](SoundingDocument& d) { DeleteRow(d, 1); }, 1000, 300},
        {"row deleted in the middle", 1000, [](SoundingDocument& d) { DeleteRow(d, 500); }, 1000, 300},
        {"row deleted at the end", 1000, [](SoundingDocument& d) { DeleteRow(d, 1000); }, 1000, 300},
        {"conversion entry only", 1000, [](SoundingDocument& d) { d.Conversion(3)[4] = "qa"; }, 600, 600},
        {"rows into an empty document", 0, [](SoundingDocument& d) { d = Sounding(20); }, 300, 20 * 1000},
        {"document emptied", 20, [](SoundingDocument& d) { d.ClearSoundingData(); }, 20 * 1000, 300},
        {"unused row 0 and class field", 10,
         [](SoundingDocument& d) {
             d.Row(0)[field::kResolvedName] = "r";
             d.Row(5)[field::kSoilClass] = "1";
         },
         6 * 1000, 6 * 1000},
    };
    for (const DeltaCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SoundingDocument before = Sounding(c.rows);
        SoundingDocument after = before;
        c.edit(after);

        DocumentDelta delta = DocumentDelta::Between(before, after);
        EXPECT_EQ(delta.Empty(), std::string(c.name) == "nothing changed");
        EXPECT_LE(delta.HeldBytes(), c.maxHeldBytes);
        SoundingDocument document = after;
        delta.SwapInto(document);
        ExpectSameContent(document, before);
        EXPECT_LE(delta.HeldBytes(), c.maxHeldBytesSwapped);
        delta.SwapInto(document);
        ExpectSameContent(document, after);
        delta.SwapInto(document);
        ExpectSameContent(document, before);
    }
}

TEST(DocumentDelta, LeavesTheFileNameAndModifiedFlag) {
    SoundingDocument before = Sounding(3);
    SoundingDocument after = before;
    after.header[slot::kPointNumber] = "No.2";
    DocumentDelta delta = DocumentDelta::Between(before, after);
    after.pathName = "/saved/as.sdw";
    after.modified = true;
    delta.SwapInto(after);
    EXPECT_EQ(after.header[slot::kPointNumber], "No.1");
    EXPECT_EQ(after.pathName, "/saved/as.sdw");
    EXPECT_TRUE(after.modified);
}

}  // namespace
}  // namespace ravelog
