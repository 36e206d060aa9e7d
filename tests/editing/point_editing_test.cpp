// Adding, inserting, moving and deleting points, by the operations and through the mouse.
#include "ravesect/editing/point_editing.h"

#include <gtest/gtest.h>

#include <vector>

#include "editing_fixture.h"
#include "ravesect/editing/edit_session.h"

namespace ravesect {
namespace {

// The x of points 1..count (undefined ones as -1).
std::vector<double> Xs(const SectionDocument& document, int count) {
    std::vector<double> xs;
    for (int n = 1; n <= count; ++n) {
        xs.push_back(document.Point(n).IsDefined() ? document.Point(n).x : -1.0);
    }
    return xs;
}

TEST(PointEditing, AddTakesTheNumberAfterTheHighestUpTo200) {
    SectionDocument document = testing::SmallSection();
    EXPECT_EQ(AddPoint(document, 50.0, 1.0), 1);
    document.Point(7) = {70.0, 1.0};
    EXPECT_EQ(AddPoint(document, 80.0, 1.0), 8) << "gaps below the highest number stay free";
    EXPECT_EQ(AddPoint(document, 1.0, 2.0), 9);
    EXPECT_DOUBLE_EQ(document.Point(9).x, 0.0) << "0.1 m right of the left boundary lands on it";

    document.Point(200) = {90.0, 1.0};
    EXPECT_EQ(AddPoint(document, 95.0, 1.0), 0);
    EXPECT_EQ(LastDefinedPoint(document), 200);
}

TEST(PointEditing, InsertShiftsTheRestAndTheLayersFollow) {
    SectionDocument document = testing::SmallSection();
    testing::AddPoints(document, 5);
    document.Layer(1).number = "1";
    document.Layer(1).SetPointNumbers({1, 3, 5, 2});
    EXPECT_EQ(InsertPoint(document, 3, 25.0, 0.5), 3);
    EXPECT_EQ(Xs(document, 7), (std::vector<double>{10, 20, 25, 30, 40, 50, -1}));
    EXPECT_EQ(document.Layer(1).points, "1,4,6,2,") << "the layer still runs through the same points";

    // An undefined number is simply filled; a number outside 1..200 means 1.
    document.Point(9) = SectionPoint{};
    EXPECT_EQ(InsertPoint(document, 9, 90.0, 1.0), 9);
    EXPECT_EQ(InsertPoint(document, 0, 5.0, 1.0), 1);
    EXPECT_EQ(InsertPoint(document, 201, 6.0, 1.0), 1);
    EXPECT_EQ(Xs(document, 4), (std::vector<double>{6, 5, 10, 20}));
}

TEST(PointEditing, InsertBelowAFullTableIsRefused) {
    SectionDocument document = testing::SmallSection();
    testing::AddPoints(document, 3);
    document.Point(200) = {99.0, 1.0};
    EXPECT_EQ(InsertPoint(document, 2, 15.0, 1.0), 0);
    EXPECT_EQ(Xs(document, 3), (std::vector<double>{10, 20, 30}));
    EXPECT_DOUBLE_EQ(document.Point(200).x, 99.0);
}

TEST(PointEditing, DeleteKeepsTheNumbersAndTheLayerSurvivesTheFile) {
    testing::EditingFiles io;
    SectionDocument document = testing::SmallSection();
    testing::AddPoints(document, 6);
    document.Layer(1).number = "1";
    document.Layer(1).colour = "0x0000ff";
    document.Layer(1).SetPointNumbers({3, 4, 5});
    EXPECT_TRUE(DeletePoint(document, 4));
    EXPECT_FALSE(DeletePoint(document, 4));
    EXPECT_EQ(Xs(document, 6), (std::vector<double>{10, 20, 30, -1, 50, 60}));

    rave::RecordingMessageSink messages;
    ASSERT_TRUE(WritePointsLayersFile(io.files, document, messages));
    SectionDocument read;
    ReadPointsLayersFile(io.files, read);
    EXPECT_EQ(Xs(read, 6), (std::vector<double>{10, 20, 30, -1, 50, 60}));
    EXPECT_DOUBLE_EQ(read.Point(4).x, -9999.99);
    EXPECT_EQ(read.Layer(1).PointNumbers(), (std::vector<int>{3, 4, 5}));
}

TEST(PointEditing, MoveSnapsAndRefusesUndefinedPoints) {
    SectionDocument document = testing::SmallSection();
    testing::AddPoints(document, 2);
    EXPECT_TRUE(MovePoint(document, 2, 199.5, 4.0));
    EXPECT_DOUBLE_EQ(document.Point(2).x, 200.0);
    EXPECT_DOUBLE_EQ(document.Point(2).y, 4.0);
    EXPECT_FALSE(MovePoint(document, 3, 50.0, 1.0));
    EXPECT_FALSE(document.Point(3).IsDefined());
}

struct SessionFixture : ::testing::Test {
    SectionDocument document = testing::SmallSection();
    rave::RecordingMessageSink messages;
    EditSession session{document, messages};
    int repaints = 0;
    SessionFixture() {
        session.onChanged = [this] { ++repaints; };
    }
};

TEST_F(SessionFixture, DragMovesThePickedPointAndShowsTheDragPosition) {
    testing::AddPoints(document, 3);
    session.SetMode(edit_mode::kMovePoint);
    EXPECT_TRUE(session.CapturesMouse());
    EXPECT_TRUE(session.Press({20.2, 2.0}));
    EXPECT_EQ(session.PickedPoint(), 2);
    const int before = repaints;
    session.Move({25.0, 3.0});
    EXPECT_TRUE(session.Dragging());
    EXPECT_DOUBLE_EQ(session.DragPosition().x, 25.0);
    EXPECT_GT(repaints, before);
    EXPECT_TRUE(session.Release({26.0, 3.5}));
    EXPECT_FALSE(session.Dragging());
    EXPECT_DOUBLE_EQ(document.Point(2).x, 26.0);
    EXPECT_DOUBLE_EQ(document.Point(2).y, 3.5);

    // A press that finds nothing does nothing, and the moves after it drag nothing.
    EXPECT_FALSE(session.Press({150.0, 9.0}));
    session.Move({151.0, 9.0});
    EXPECT_FALSE(session.Dragging());
    EXPECT_FALSE(session.Release({151.0, 9.0}));
}

TEST_F(SessionFixture, DeleteAsksAndNoKeepsThePoint) {
    testing::AddPoints(document, 3);
    session.SetMode(edit_mode::kDeletePoint);
    messages.answers = {false, true};
    session.Press({30.0, 3.0});
    EXPECT_EQ(session.PickedPoint(), 3);
    EXPECT_FALSE(session.Release({30.0, 3.0}));
    EXPECT_TRUE(document.Point(3).IsDefined());
    session.Press({30.0, 3.0});
    EXPECT_TRUE(session.Release({30.0, 3.0}));
    EXPECT_FALSE(document.Point(3).IsDefined());
    ASSERT_EQ(messages.asked.size(), 2u);
    EXPECT_EQ(messages.asked[0].id, 140);
    EXPECT_EQ(messages.asked[0].text, "削除します");
}

TEST_F(SessionFixture, AddAndInsertThroughTheMouse) {
    session.SetMode(edit_mode::kAddPoint);
    session.Press({40.0, 1.0});
    session.Release({40.0, 1.0});
    session.Press({60.0, 1.0});
    session.SetMode(edit_mode::kInsertPoint);
    session.SetInsertNumber(2);
    session.Press({50.0, 1.0});
    EXPECT_EQ(Xs(document, 3), (std::vector<double>{40, 50, 60}));

    document.Point(200) = {99.0, 1.0};
    session.SetMode(edit_mode::kAddPoint);
    EXPECT_FALSE(session.Press({70.0, 1.0}));
    EXPECT_TRUE(messages.Saw(4001)) << "a 201st point is refused with a message";
}

TEST_F(SessionFixture, LayerPickingCollectsTheNearestNumbers) {
    testing::AddPoints(document, 9);
    std::vector<int> picked;
    int refreshes = 0;
    session.onLayerPointPicked = [&](int n) { picked.push_back(n); };
    session.onLayerPickDone = [&] { ++refreshes; };
    session.SetMode(edit_mode::kPickLayerPoint);
    for (const int n : {2, 7, 9}) {
        session.Press({10.0 * n + 0.1, 1.0 * n});
        session.Release({10.0 * n + 0.1, 1.0 * n});
    }
    session.Press({500.0, 1.0});  // nothing near
    EXPECT_EQ(picked, (std::vector<int>{2, 7, 9}));
    EXPECT_EQ(refreshes, 3);
}

TEST_F(SessionFixture, AClickInHoverModeEndsIt) {
    session.SetMode(edit_mode::kHover);
    EXPECT_TRUE(session.Press({1.0, 1.0}));
    EXPECT_EQ(session.Mode(), edit_mode::kNone);
    EXPECT_FALSE(session.CapturesMouse());
    EXPECT_FALSE(session.Press({1.0, 1.0}));
}

}  // namespace
}  // namespace ravesect
