// The point and layer dialogs side by side: each OK writes only its own part of "SmpP.tmp", each
// Cancel drops only its own pending edits, and an insertion renumbers every layer consistently.
#include "ravesect/editing/points_layers_draft.h"

#include <gtest/gtest.h>

#include "editing_fixture.h"
#include "ravesect/editing/edit_session.h"
#include "ravesect/editing/title_list.h"

namespace ravesect {
namespace {

struct DraftFixture : ::testing::Test {
    testing::EditingFiles io;
    SectionDocument document = testing::SmallSection();
    rave::RecordingMessageSink messages;
    EditSession session{document, messages};

    DraftFixture() {
        // Committed: points 1..3 and layer 1 through all three.
        testing::AddPoints(document, 3);
        document.Layer(1) = {"1", "0x00ff00", "", "", "1,2,3,"};
        EXPECT_TRUE(WritePointsLayersFile(io.files, document, messages));
        session.Draft().TakeCommitted();
    }
    // Inserts a point at `n` by the mouse, as the point dialog's 挿入 does.
    void InsertAt(int n, double x) {
        session.SetInsertNumber(n);
        session.SetMode(edit_mode::kInsertPoint);
        session.Press({x, 9.0});
        session.Release({x, 9.0});
    }
    SectionDocument FromFile() const {
        SectionDocument read;
        ReadPointsLayersFile(io.files, read);
        return read;
    }
};

TEST_F(DraftFixture, EachOkWritesOnlyItsOwnPartInTheFilesNumbering) {
    InsertAt(1, 5.0);
    EXPECT_EQ(document.Layer(1).points, "2,3,4,") << "the layer keeps running through its points";
    // A layer the layer dialog adds meanwhile, through the new point and old point 1.
    document.Layer(2) = {"2", "0x0000ff", "", "", "1,2,"};

    // Layer OK: the file's points do not have the insertion yet, so neither do its layers.
    ASSERT_TRUE(session.Draft().CommitLayers(io.files, messages));
    SectionDocument read = FromFile();
    EXPECT_DOUBLE_EQ(read.Point(1).x, 10.0) << "the pending point stays out of the file";
    EXPECT_EQ(read.Layer(1).points, "1,2,3,");
    EXPECT_EQ(read.Layer(2).points, "1,") << "a reference to the pending point cannot be written";

    // Point OK: the new points, with every committed layer in their numbering.
    ASSERT_TRUE(session.Draft().CommitPoints(io.files, messages));
    read = FromFile();
    EXPECT_DOUBLE_EQ(read.Point(1).x, 5.0);
    EXPECT_DOUBLE_EQ(read.Point(4).x, 30.0);
    EXPECT_EQ(read.Layer(1).points, "2,3,4,");
    EXPECT_EQ(read.Layer(2).points, "1,2,");
}

TEST_F(DraftFixture, PointOkLeavesPendingLayersOutAndCancelsKeepTheOthersWork) {
    document.Layer(2) = {"2", "0x0000ff", "", "", "3,1,"};  // pending in the layer dialog
    InsertAt(2, 15.0);
    EXPECT_EQ(document.Layer(2).points, "4,1,");
    ASSERT_TRUE(session.Draft().CommitPoints(io.files, messages));
    EXPECT_EQ(FromFile().LayerCount(), 1) << "the layer dialog's row is not committed by the point dialog";
    EXPECT_EQ(document.Layer(2).points, "4,1,") << "and is still pending";

    // A second insertion, then the point dialog's Cancel: only that insertion goes.
    InsertAt(1, 5.0);
    document.Layer(3) = {"3", "0xff0000", "", "", "1,5,"};  // through the point about to be dropped
    EXPECT_EQ(session.Draft().RevertPoints(), std::vector<int>{1});
    EXPECT_DOUBLE_EQ(document.Point(2).x, 15.0);
    EXPECT_EQ(document.Layer(1).points, "1,3,4,");
    EXPECT_EQ(document.Layer(2).points, "4,1,");
    EXPECT_EQ(document.Layer(3).points, "4,");

    // The layer dialog's Cancel brings back the committed layers, in the points' numbering.
    session.Draft().RevertLayers();
    EXPECT_EQ(document.LayerCount(), 1);
    EXPECT_EQ(document.Layer(1).points, "1,3,4,");
    EXPECT_DOUBLE_EQ(document.Point(2).x, 15.0) << "the committed points stay";
}

TEST(TitleTextLimit, TextsWhoseLineTheFileCannotReadBackAreRefused) {
    SectionDocument document = testing::SmallSection();
    rave::RecordingMessageSink messages;
    EditSession session{document, messages};
    TitleListModel model{session, messages};
    const std::size_t limit = TitleTextLimit("x", "1");
    ASSERT_GT(limit, 400u);
    ASSERT_LT(limit, 480u);
    struct Case {
        std::string text;
        bool fits;
    };
    const Case cases[] = {{std::string(limit, 'x'), true},
                          {std::string(limit + 1, 'x'), false},
                          {std::string(limit - 1, ','), false}};  // quoted: two more bytes
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.size());
        messages.shown.clear();
        model.text = c.text;
        model.font = "1";
        EXPECT_EQ(model.Add(), c.fits);
        model.number = "1";
        model.x = "-9999";
        model.y = "-9999";
        EXPECT_EQ(model.Overwrite(), c.fits);
        EXPECT_EQ(messages.shown.size(), c.fits ? 0u : 2u);
    }
    // What was accepted comes back whole, font number included, wherever it is placed.
    model.text = std::string(limit, 'x');
    model.font = "2";
    ASSERT_TRUE(model.Overwrite());
    document.Title(1).x = -9999999.99;
    document.Title(1).y = -9999999.99;
    testing::EditingFiles io;
    ASSERT_TRUE(WriteTitlesFile(io.files, document, messages));
    SectionDocument read;
    ReadTitlesFile(io.files, read);
    EXPECT_EQ(read.Title(1).text.size(), limit);
    EXPECT_EQ(read.Title(1).font, "2");
}

}  // namespace
}  // namespace ravesect
