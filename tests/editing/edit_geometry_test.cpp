// The surface-to-world conversion, the nearest point / title and the snapping to ruler columns.
#include "ravesect/editing/edit_geometry.h"

#include <gtest/gtest.h>

#include "editing_fixture.h"

namespace ravesect {
namespace {

TEST(SurfaceToWorld, UndoesTheMappingOfAScrolledView) {
    // 254 dpi: 10 units a mm; 1/100: scaleX 10 units per 0.1 m, scaleY 100 units per m;
    // margins 10 mm (100 units); the page starts at distance -2 m and elevation 5 m.
    const SectionMapping mapping = [] {
        SectionMapping m = SectionMapping::ForDevice(254, 254, 100, 100, 10.0, 10.0);
        m.ShowPage(-2.0, 5.0);
        return m;
    }();
    const WorldPosition at = mapping.SurfaceToWorld(150 + 50, 250 + 100);
    EXPECT_DOUBLE_EQ(at.x, (200.0 - 100.0) / 10.0 - 20.0);  // -10: distance -1 m
    EXPECT_DOUBLE_EQ(at.y, (350.0 - 100.0) / 100.0 - 5.0);  // -2.5: elevation 2.5 m

    SectionMapping flat = mapping;
    flat.scaleX = 0.001;
    flat.scaleY = 0.0;
    const WorldPosition zero = flat.SurfaceToWorld(150 + 50, 250 + 100);
    EXPECT_EQ(zero.x, 0.0);
    EXPECT_EQ(zero.y, 0.0);
}

TEST(NearestPoint, SmallestScoreWinsAndTheLowerNumberOnATie) {
    SectionDocument document = testing::SmallSection();
    // Two points 0.5 mm apart at 1/100: 0.5 world x units.
    document.Point(1) = {10.0, 1.0};
    document.Point(2) = {10.5, 1.0};
    document.Point(4) = {30.0, 2.0};
    document.Point(5) = {30.3, 2.0};
    document.Point(6) = {30.0, 2.05};
    struct Case {
        double x, y;
        int expected;
    } const cases[] = {
        {10.2, 1.0, 1},   // dx 0.2 against 0.3
        {10.3, 1.0, 2},   // dx 0.3 against 0.2
        {10.25, 1.0, 1},  // a tie: the lower number
        {10.2, 1.09, 0},  // dy 0.09 is beyond 0.0008 x 100 = 0.08
        {9.19, 1.0, 0},   // dx 0.81 is not below 0.8
        {30.1, 2.03, 6},  // 5: 0.2 + 0.3 = 0.5; 4: 0.1 + 0.3 = 0.4; 6: 0.1 + 0.2 = 0.3
        {30.25, 2.0, 5},  // 5: 0.05; 4: 0.25; 6: 0.25 + 0.5
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NearestPoint(document, c.x, c.y), c.expected) << c.x << "," << c.y;
    }
    document.Point(1) = SectionPoint{};
    EXPECT_EQ(NearestPoint(document, 10.2, 1.0), 2) << "undefined points are never picked";
}

TEST(NearestPoint, ToleranceFollowsTheScales) {
    SectionDocument document = testing::SmallSection();
    document.settings.distanceScale = 500;  // 0.8 mm = 4 world x units
    document.settings.depthScale = 200;     // 0.8 mm = 0.16 m
    document.Point(1) = {100.0, 3.0};
    EXPECT_EQ(NearestPoint(document, 103.9, 3.15), 1);
    EXPECT_EQ(NearestPoint(document, 104.0, 3.0), 0);
    EXPECT_EQ(NearestPoint(document, 100.0, 3.17), 0);
}

TEST(NearestTitle, OnlyPlacedTitlesCount) {
    SectionDocument document = testing::SmallSection();
    document.Title(3) = {50.0, 2.0, "砂質土", "1"};
    document.Title(7) = {50.4, 2.0, "粘性土", "2"};
    EXPECT_EQ(NearestTitle(document, 50.1, 2.0), 3);
    EXPECT_EQ(NearestTitle(document, 50.3, 2.0), 7);
    EXPECT_EQ(NearestTitle(document, 60.0, 2.0), 0);
}

TEST(SnapToRulerColumn, OnlyColumnsWithoutAFileAttract) {
    const SectionDocument document = testing::SmallSection();
    struct Case {
        double x, expected;
    } const cases[] = {
        {1.0, 0.0},      // 0.1 m right of the left boundary lands on distance 0
        {-1.2, 0.0},     // exactly 1.2 units still snaps
        {1.3, 1.3},      // beyond 0.12 m
        {100.5, 100.5},  // the column at 10 m names a file
        {199.0, 200.0},  // the closing column
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(SnapToRulerColumn(document, c.x), c.expected) << c.x;
    }
}

}  // namespace
}  // namespace ravesect
