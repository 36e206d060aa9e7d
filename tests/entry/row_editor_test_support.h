// Shared set-up of the measured-row editor tests: a document, default settings and a recorder.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ravelog/entry/row_editor.h"

namespace ravelog::testing {

class RowEditorTest : public ::testing::Test {
protected:
    RowEditorTest() : settings(rave::RavelogSettings::Defaults()) {}

    void SetRow(int i, const char* depth, const char* load = "1.00", const char* halfTurns = "0") {
        doc.Row(i)[field::kDepth] = depth;
        doc.Row(i)[field::kLoad] = load;
        doc.Row(i)[field::kHalfTurns] = halfTurns;
    }

    // Fills the entry area with the three numbers.
    static void Type(RowEditorModel& editor, const char* depth, const char* load = "1.00",
                     const char* halfTurns = "0") {
        editor.SetFieldText(EntryField::kDepth, depth);
        editor.SetFieldText(EntryField::kLoad, load);
        editor.SetFieldText(EntryField::kHalfTurns, halfTurns);
    }

    // Types and adds one entry, expecting it to be accepted.
    void AddEntry(RowEditorModel& editor, const char* depth, const char* load = "1.00",
                  const char* halfTurns = "0") {
        Type(editor, depth, load, halfTurns);
        ASSERT_TRUE(editor.Add(sink)) << depth;
    }

    std::vector<int> ShownIds() const {
        std::vector<int> ids;
        for (const rave::Message& m : sink.shown) {
            ids.push_back(m.id);
        }
        return ids;
    }

    SoundingDocument doc;
    rave::RavelogSettings settings;
    rave::RecordingMessageSink sink;
};

}  // namespace ravelog::testing
