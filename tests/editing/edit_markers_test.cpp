// The markers of the editing modes on the recording surface.
#include "ravesect/editing/edit_markers.h"

#include <gtest/gtest.h>

#include "common/drawing/recording_surface.h"
#include "editing_fixture.h"

namespace ravesect {
namespace {

struct MarkerFixture : ::testing::Test {
    SectionDocument document = testing::SmallSection();
    rave::RecordingMessageSink messages;
    EditSession session{document, messages};
    rave::RecordingSurface surface{254, 254, {2000, 2000}};
    // 254 dpi: 10 units a mm, so a marker's radius is 15 units.
    SectionMapping mapping = SectionMapping::ForDevice(254, 254, 100, 100, 0.0, 0.0);

    std::vector<rave::RecordedCall> Draw() {
        surface.ClearCalls();
        DrawEditMarkers(surface, mapping, session, DefaultSectionFonts());
        return surface.CallsOf(rave::SurfaceCall::kEllipse);
    }
};

TEST_F(MarkerFixture, PointCirclesCarryTheModeColours) {
    testing::AddPoints(document, 3);
    session.SetMode(edit_mode::kNone);
    EXPECT_TRUE(Draw().empty()) << "no markers without a mode";

    session.SetMode(edit_mode::kMovePoint);
    session.Press({20.0, 2.0});
    auto circles = Draw();
    ASSERT_EQ(circles.size(), 3u);
    // Point 2 at x 20 (200 units), y 2 m (200 units).
    EXPECT_EQ(circles[1].rect, (rave::SurfaceRect{185, 185, 215, 215}));
    EXPECT_EQ(circles[1].pen.color, 0xff0000);
    EXPECT_EQ(circles[0].brush.color, 0xffff00);
    EXPECT_EQ(circles[1].brush.color, 0x0000ff);
    const auto numbers = surface.CallsOf(rave::SurfaceCall::kTextOut);
    ASSERT_EQ(numbers.size(), 3u);
    EXPECT_EQ(numbers[2].text, "3");
    EXPECT_EQ(numbers[2].font.height, 31) << "font 7, 9 points at 254 dpi: 31.75 units";

    session.Move({50.0, 5.0});
    circles = Draw();
    ASSERT_EQ(circles.size(), 4u) << "the dragged point is shown at the mouse";
    EXPECT_EQ(circles[3].rect, (rave::SurfaceRect{485, 485, 515, 515}));

    session.Release({50.0, 5.0});
    session.SetMode(edit_mode::kDeletePoint);
    session.Press({10.0, 1.0});
    EXPECT_EQ(Draw()[0].brush.color, 0x00ffff) << "the point to delete is yellow";

    session.SetMode(edit_mode::kPickLayerPoint);
    for (const auto& circle : Draw()) {
        EXPECT_EQ(circle.brush.color, 0xffff00);
    }
}

TEST_F(MarkerFixture, TitleMarkersInTheTitleModesOnly) {
    document.Title(1) = {30.0, 1.0, "砂", "1"};
    document.Title(4) = {60.0, 2.0, "粘土", "2"};
    testing::AddPoints(document, 2);
    session.SetMode(edit_mode::kTitleDeleted);
    const auto circles = Draw();
    ASSERT_EQ(circles.size(), 2u) << "the titles, not the points";
    EXPECT_EQ(circles[1].rect, (rave::SurfaceRect{585, 185, 615, 215}));
    session.SetMode(edit_mode::kAddPoint);
    EXPECT_EQ(Draw().size(), 2u) << "the points, not the titles";
}

}  // namespace
}  // namespace ravesect
