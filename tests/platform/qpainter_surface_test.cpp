// The QPainter surface on an offscreen image: what the sheets draw in device units must land on
// those pixels, texts must sit where their alignment says, clipping must hold and the AND
// raster operation must let white through.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>
#include <utility>
#include <vector>

#include "platform/qpainter_surface.h"
#include "qt_test_application.h"

namespace rave::platform {
namespace {

constexpr QRgb kWhitePixel = 0xFFFFFFFF;

bool IsDark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// The bounding box of all non-white pixels; an empty rectangle when there are none.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kWhitePixel) {
                bounds = bounds.united(QRect(x, y, 1, 1));
            }
        }
    }
    return bounds;
}

class QPainterSurfaceTest : public ::testing::Test {
protected:
    QPainterSurfaceTest() : image_(200, 150, QImage::Format_RGB32) {
        testing::TestApplication();
        image_.fill(Qt::white);
        image_.setDotsPerMeterX(11811);  // 300 dpi
        image_.setDotsPerMeterY(11811);
    }

    // Runs `draw` on a surface over the image and ends the painting.
    template <typename Draw>
    void Paint(Draw draw) {
        QPainter painter(&image_);
        QPainterSurface surface(painter);
        draw(surface);
    }

    QImage image_;
};

TEST_F(QPainterSurfaceTest, TakesResolutionAndPageSizeFromTheDevice) {
    Paint([](QPainterSurface& surface) {
        EXPECT_EQ(surface.DpiX(), 300);
        EXPECT_EQ(surface.DpiY(), 300);
        EXPECT_EQ(surface.PhysicalPageSize(), (SurfaceSize{200, 150}));
        EXPECT_EQ(surface.AndRasterMode(), AndMode::kRasterOp);
    });
}

TEST_F(QPainterSurfaceTest, ThinLinesCoverExactlyTheirDeviceUnits) {
    Paint([](QPainterSurface& surface) {
        surface.Line({10, 20}, {60, 20}, Pen{pen_style::kSolid, 1, kBlack});
        surface.Line({100, 10}, {100, 90}, Pen{pen_style::kSolid, 0, kBlack});
    });
    EXPECT_TRUE(IsDark(image_, 10, 20));
    EXPECT_TRUE(IsDark(image_, 35, 20));
    EXPECT_TRUE(IsDark(image_, 59, 20));
    EXPECT_FALSE(IsDark(image_, 35, 19));
    EXPECT_FALSE(IsDark(image_, 35, 21));
    EXPECT_FALSE(IsDark(image_, 62, 20));
    // Width 0 is still one device unit wide.
    EXPECT_TRUE(IsDark(image_, 100, 50));
    EXPECT_FALSE(IsDark(image_, 99, 50));
    EXPECT_FALSE(IsDark(image_, 101, 50));
}

TEST_F(QPainterSurfaceTest, WidePensAndColoursAreHonoured) {
    Paint([](QPainterSurface& surface) {
        surface.Line({20, 50}, {180, 50}, Pen{pen_style::kSolid, 7, MakeColorRef(255, 0, 0)});
        surface.Line({20, 100}, {180, 100}, Pen{pen_style::kNull, 7, kBlack});
    });
    EXPECT_EQ(image_.pixel(100, 50), qRgb(255, 0, 0));
    EXPECT_EQ(image_.pixel(100, 47), qRgb(255, 0, 0));
    EXPECT_EQ(image_.pixel(100, 53), qRgb(255, 0, 0));
    EXPECT_EQ(image_.pixel(100, 45), kWhitePixel);
    EXPECT_EQ(image_.pixel(100, 55), kWhitePixel);
    EXPECT_FALSE(InkBounds(image_).intersects(QRect(0, 90, 200, 20))) << "the null pen draws nothing";
}

TEST_F(QPainterSurfaceTest, DashedPensLeaveGaps) {
    Paint([](QPainterSurface& surface) {
        surface.Line({0, 30}, {199, 30}, Pen{pen_style::kDash, 1, kBlack});
    });
    int dark = 0;
    for (int x = 0; x < 200; ++x) {
        dark += IsDark(image_, x, 30) ? 1 : 0;
    }
    EXPECT_GT(dark, 50);
    EXPECT_LT(dark, 190);
}

TEST_F(QPainterSurfaceTest, RectanglesFillWithSolidAndHatchedBrushes) {
    Paint([](QPainterSurface& surface) {
        surface.Rectangle({10, 10, 50, 50}, Pen{pen_style::kNull, 1, kBlack},
                          Brush::Solid(MakeColorRef(0, 0, 255)));
        surface.SetTransparentText(true);  // hatches leave their background alone, as texts do
        surface.Rectangle({100, 10, 180, 90}, Pen{pen_style::kNull, 1, kBlack},
                          Brush::Hatch(hatch_style::kHorizontal, kBlack));
    });
    EXPECT_EQ(image_.pixel(30, 30), qRgb(0, 0, 255));
    EXPECT_EQ(image_.pixel(60, 30), kWhitePixel);
    // Horizontal hatching: whole dark rows separated by white rows; columns never differ.
    int darkRows = 0;
    for (int y = 12; y < 88; ++y) {
        const bool dark = IsDark(image_, 120, y);
        EXPECT_EQ(dark, IsDark(image_, 160, y)) << "row " << y;
        darkRows += dark ? 1 : 0;
    }
    EXPECT_GT(darkRows, 3);
    EXPECT_LT(darkRows, 40);
}

TEST_F(QPainterSurfaceTest, DiagonalHatchesRunTheWayTheirNamesSay) {
    Paint([](QPainterSurface& surface) {
        surface.SetTransparentText(true);
        surface.Rectangle({0, 0, 64, 64}, Pen{pen_style::kNull, 1, kBlack},
                          Brush::Hatch(hatch_style::kForwardDiagonal, kBlack));
    });
    // Top left to bottom right: a dark pixel has a dark neighbour one down and one to the right.
    int along = 0;
    int across = 0;
    for (int y = 5; y < 50; ++y) {
        for (int x = 5; x < 50; ++x) {
            if (IsDark(image_, x, y)) {
                along += IsDark(image_, x + 1, y + 1) ? 1 : 0;
                across += IsDark(image_, x - 1, y + 1) ? 1 : 0;
            }
        }
    }
    EXPECT_GT(along, across);
}

TEST_F(QPainterSurfaceTest, TextSitsOnItsAlignmentPoint) {
    const std::string text = "MW";
    QRect leftTop;
    QRect rightBottom;
    QRect centreTop;
    auto drawAligned = [&](int align, SurfacePoint at) {
        image_.fill(Qt::white);
        Paint([&](QPainterSurface& surface) {
            surface.SetTransparentText(true);
            ASSERT_TRUE(surface.SelectFont(FontSpec{"Arial", 40}));
            surface.SetTextAlign(align);
            surface.TextOut(at, text);
        });
        return InkBounds(image_);
    };
    leftTop = drawAligned(text_align::kLeftTop, {50, 40});
    rightBottom = drawAligned(text_align::kRightBottom, {150, 120});
    centreTop = drawAligned(text_align::kCenterTop, {100, 40});

    ASSERT_FALSE(leftTop.isEmpty());
    EXPECT_GE(leftTop.left(), 50);
    EXPECT_LE(leftTop.left(), 56);
    EXPECT_GE(leftTop.top(), 40);
    EXPECT_LE(leftTop.bottom(), 80);

    ASSERT_FALSE(rightBottom.isEmpty());
    EXPECT_LE(rightBottom.right(), 150);
    EXPECT_GE(rightBottom.right(), 143);
    EXPECT_LE(rightBottom.bottom(), 120);
    EXPECT_GE(rightBottom.top(), 80);

    ASSERT_FALSE(centreTop.isEmpty());
    EXPECT_NEAR((centreTop.left() + centreTop.right()) / 2.0, 100.0, 3.0);
}

TEST_F(QPainterSurfaceTest, FontHeightIsTheCellHeightAndMinchoIsSubstituted) {
    const std::string msMincho = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";  // "ＭＳ 明朝" in cp932
    EXPECT_TRUE(
        QPainterSurface::ResolveFaceFamily(msMincho).contains(QStringLiteral("IPAex"), Qt::CaseInsensitive) ||
        QPainterSurface::ResolveFaceFamily(msMincho).contains(QStringLiteral(u"明朝")))
        << QPainterSurface::ResolveFaceFamily(msMincho).toStdString();
    Paint([&](QPainterSurface& surface) {
        ASSERT_TRUE(surface.SelectFont(FontSpec{msMincho, 100}));
        EXPECT_EQ(surface.CurrentFont().height, 100);
        EXPECT_NEAR(surface.TextExtent("A").height, 100, 2);
        // A full-width character is one em wide, a little less than the cell is high.
        const SurfaceSize japanese = surface.TextExtent("\x93\xFA\x96\x7B");  // "日本"
        EXPECT_GT(japanese.width, 150);
        EXPECT_LE(japanese.width, 200);
        EXPECT_FALSE(surface.SelectFont(FontSpec{msMincho, 100000})) << "a font no device can make";
        EXPECT_EQ(surface.CurrentFont().height, 100) << "the previous font stays";
    });
}

TEST_F(QPainterSurfaceTest, JapaneseTextIsDrawnFromCp932) {
    Paint([](QPainterSurface& surface) {
        surface.SetTransparentText(true);
        surface.SelectFont(FontSpec{"\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9", 60});
        surface.SetTextColor(MakeColorRef(0, 128, 0));
        surface.TextOut({10, 10}, "\x93\xFA\x96\x7B");
    });
    const QRect ink = InkBounds(image_);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GT(ink.width(), 60) << "two full-width glyphs";
    bool green = false;
    for (int y = ink.top(); y <= ink.bottom() && !green; ++y) {
        for (int x = ink.left(); x <= ink.right() && !green; ++x) {
            green = image_.pixel(x, y) == qRgb(0, 128, 0);
        }
    }
    EXPECT_TRUE(green) << "the text colour is used";
}

TEST_F(QPainterSurfaceTest, UpdatingTheCurrentPositionWritesALineInPieces) {
    Paint([](QPainterSurface& surface) {
        surface.SelectFont(FontSpec{"Arial", 30});
        surface.SetTextAlign(text_align::kUpdateCurrentPosition);
        surface.MoveTo({10, 10});
        const int width = surface.TextExtent("AB").width;
        surface.TextOut({0, 0}, "AB");
        EXPECT_EQ(surface.CurrentPosition(), (SurfacePoint{10 + width, 10}));
    });
}

TEST_F(QPainterSurfaceTest, OpaqueTextFillsItsBackground) {
    image_.fill(Qt::black);
    Paint([](QPainterSurface& surface) {
        surface.SetTransparentText(false);
        surface.SelectFont(FontSpec{"Arial", 30});
        surface.SetTextColor(kBlack);
        surface.TextOut({10, 10}, "i");
    });
    EXPECT_EQ(image_.pixel(11, 12), kWhitePixel) << "the cell behind the text is white";
}

TEST_F(QPainterSurfaceTest, ClippingIntersectsExcludesAndResets) {
    const Brush fill = Brush::Solid(kBlack);
    const Pen none{pen_style::kNull, 1, kBlack};
    Paint([&](QPainterSurface& surface) {
        surface.IntersectClipRect({20, 20, 100, 100});
        surface.IntersectClipRect({50, 0, 200, 150});  // now 50..100 x 20..100
        surface.ExcludeClipRect({60, 30, 70, 40});
        surface.Rectangle({0, 0, 200, 150}, none, fill);
    });
    EXPECT_TRUE(IsDark(image_, 50, 20));
    EXPECT_TRUE(IsDark(image_, 99, 99));
    EXPECT_FALSE(IsDark(image_, 100, 50)) << "the clip's right edge is outside";
    EXPECT_FALSE(IsDark(image_, 49, 50));
    EXPECT_FALSE(IsDark(image_, 30, 50));
    EXPECT_FALSE(IsDark(image_, 65, 35)) << "excluded";
    EXPECT_TRUE(IsDark(image_, 75, 35));

    image_.fill(Qt::white);
    Paint([&](QPainterSurface& surface) {
        surface.ExcludeClipRect({0, 0, 100, 150});  // exclusion without a clip: the rest stays
        surface.Rectangle({0, 0, 200, 150}, none, fill);
        surface.ResetClip();
        surface.Line({0, 5}, {50, 5}, Pen{});
    });
    EXPECT_FALSE(IsDark(image_, 50, 50));
    EXPECT_TRUE(IsDark(image_, 150, 50));
    EXPECT_TRUE(IsDark(image_, 20, 5)) << "after the reset nothing is clipped";
}

TEST_F(QPainterSurfaceTest, BitmapsStretchWithCopyAndAnd) {
    // 2 x 2: black, white / white, blue.
    const SurfaceBitmap tile{2, 2, {kBlack, kWhite, kWhite, MakeColorRef(0, 0, 255)}};
    Paint([&](QPainterSurface& surface) {
        surface.Rectangle({0, 0, 200, 150}, Pen{pen_style::kNull, 1, kBlack},
                          Brush::Solid(MakeColorRef(255, 0, 0)));
        surface.StretchBitmap(tile, {0, 0, 40, 40}, raster_op::kCopy);
        surface.StretchBitmap(tile, {100, 0, 140, 40}, raster_op::kAnd);
    });
    // Copy replaces the red: quadrants of 20 x 20.
    EXPECT_EQ(image_.pixel(10, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image_.pixel(30, 10), kWhitePixel);
    EXPECT_EQ(image_.pixel(30, 30), qRgb(0, 0, 255));
    EXPECT_EQ(image_.pixel(45, 10), qRgb(255, 0, 0));
    // AND: white lets the red through, black stays black, blue AND red is black.
    EXPECT_EQ(image_.pixel(110, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image_.pixel(130, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image_.pixel(130, 30), qRgb(0, 0, 0));
    EXPECT_EQ(image_.pixel(110, 30), qRgb(255, 0, 0));
}

TEST_F(QPainterSurfaceTest, ShapesFollowTheirBoundingBoxes) {
    Paint([](QPainterSurface& surface) {
        surface.Ellipse({20, 20, 80, 60}, Pen{}, Brush::None());
        const SurfacePoint triangle[] = {{120, 20}, {180, 20}, {150, 80}};
        surface.Polygon(triangle, Pen{pen_style::kNull, 1, kBlack}, Brush::Solid(kBlack),
                        FillMode::kAlternate);
        // The upper half of a circle: counter-clockwise from three o'clock to nine o'clock.
        surface.Arc({20, 90, 80, 150}, {80, 120}, {20, 120}, Pen{});
    });
    const QRect ellipse = InkBounds(image_.copy(0, 0, 100, 85));
    EXPECT_NEAR(ellipse.left(), 20, 1);
    EXPECT_NEAR(ellipse.right(), 80, 1);
    EXPECT_NEAR(ellipse.top(), 20, 1);
    EXPECT_NEAR(ellipse.bottom(), 60, 1);
    EXPECT_FALSE(IsDark(image_, 50, 40)) << "no brush: the inside stays white";
    EXPECT_TRUE(IsDark(image_, 150, 40));
    EXPECT_FALSE(IsDark(image_, 125, 70));
    const QRect arc = InkBounds(image_.copy(0, 86, 100, 64));
    EXPECT_LE(arc.bottom() + 86, 122) << "only the upper half";
    EXPECT_NEAR(arc.top() + 86, 90, 1);
}

// Thin lines are held back and drawn together, across and down the page as filled rows: every
// line must set the pixels the painter sets for it alone, whatever its direction and whatever
// meets it.
TEST_F(QPainterSurfaceTest, ThinLinesGiveThePixelsOfThePaintersOwnLines) {
    using Lines = std::vector<std::pair<SurfacePoint, SurfacePoint>>;
    const ColorRef red = MakeColorRef(255, 0, 0);
    const struct {
        const char* name;
        Lines lines;
    } cases[] = {
        {"diamond, corner to corner",
         {{{20, 40}, {40, 20}}, {{40, 20}, {60, 40}}, {{60, 40}, {40, 60}}, {{40, 60}, {20, 40}}}},
        {"right to left after left to right",
         {{{10, 10}, {90, 10}}, {{90, 12}, {10, 12}}, {{10, 14}, {90, 15}}, {{90, 17}, {10, 16}}}},
        {"up after down", {{{100, 10}, {100, 90}}, {{102, 90}, {102, 10}}, {{104, 10}, {105, 90}}}},
        {"steep and flat 45 degrees", {{{0, 0}, {149, 149}}, {{149, 0}, {0, 149}}, {{30, 100}, {130, 99}}}},
        {"past the image's edges",
         {{{-20, 70}, {250, 75}}, {{190, -10}, {150, 200}}, {{199, 149}, {0, 149}}, {{5, 160}, {5, 100}}}},
    };
    // Each line is drawn both ways, the first way in black or red.
    struct Stroke {
        SurfacePoint from;
        SurfacePoint to;
        ColorRef color;
    };
    for (const auto& c : cases) {
        std::vector<Stroke> strokes;
        for (std::size_t i = 0; i < c.lines.size(); ++i) {
            strokes.push_back({c.lines[i].first, c.lines[i].second, i % 2 == 0 ? kBlack : red});
            strokes.push_back({c.lines[i].second, c.lines[i].first, kBlack});
        }
        QImage own(image_.size(), QImage::Format_RGB32);
        own.fill(Qt::white);
        {
            QPainter painter(&own);
            for (const Stroke& s : strokes) {
                QPen pen(QColor(RedOf(s.color), GreenOf(s.color), BlueOf(s.color)), 1, Qt::SolidLine,
                         Qt::FlatCap, Qt::MiterJoin);
                painter.setPen(pen);
                painter.drawLine(QPoint(s.from.x, s.from.y), QPoint(s.to.x, s.to.y));
            }
            painter.fillRect(QRect(150, 100, 20, 20), Qt::red);
            painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
            painter.drawLine(140, 110, 180, 110);
        }
        image_.fill(Qt::white);
        Paint([&](QPainterSurface& surface) {
            for (const Stroke& s : strokes) {
                surface.Line(s.from, s.to, Pen{pen_style::kSolid, 1, s.color});
            }
            // The rectangle's pen (none) is not taken for the next line's.
            surface.Rectangle({150, 100, 170, 120}, Pen{pen_style::kNull, 1, kBlack}, Brush::Solid(red));
            surface.Line({140, 110}, {180, 110}, Pen{pen_style::kSolid, 1, kBlack});
        });
        EXPECT_EQ(image_, own) << c.name;
    }
}

TEST_F(QPainterSurfaceTest, TextWidthsBelongToTheirFont) {
    Paint([](QPainterSurface& surface) {
        ASSERT_TRUE(surface.SelectFont(FontSpec{"", 20}));
        const SurfaceSize small = surface.TextExtent("ABC");
        ASSERT_TRUE(surface.SelectFont(FontSpec{"", 40}));
        EXPECT_GT(surface.TextExtent("ABC").width, small.width * 3 / 2);
        ASSERT_TRUE(surface.SelectFont(FontSpec{"", 20}));
        EXPECT_EQ(surface.TextExtent("ABC"), small);
    });
}

TEST_F(QPainterSurfaceTest, VectorDevicesLeaveTheWhiteOfAndOut) {
    // A picture records vector commands like a PDF does; replayed onto the image it shows what
    // the vector path drew.
    const SurfaceBitmap tile{2, 2, {kBlack, kWhite, kWhite, MakeColorRef(0, 0, 255)}};
    QPicture picture;
    {
        QPainter painter(&picture);
        QPainterSurface surface(painter, 300, 300, {200, 150});
        EXPECT_EQ(surface.AndRasterMode(), AndMode::kOverlay);
        surface.Rectangle({0, 0, 200, 150}, Pen{pen_style::kNull, 1, kBlack},
                          Brush::Solid(MakeColorRef(255, 0, 0)));
        surface.StretchBitmap(tile, {100, 0, 140, 40}, raster_op::kAnd);
        surface.StretchBitmap(tile, {0, 0, 40, 40}, raster_op::kCopy);
    }
    // Replayed at the picture's own resolution, so nothing is scaled.
    image_.setDotsPerMeterX(qRound(picture.logicalDpiX() / 0.0254));
    image_.setDotsPerMeterY(qRound(picture.logicalDpiY() / 0.0254));
    {
        QPainter painter(&image_);
        painter.drawPicture(0, 0, picture);
    }
    EXPECT_EQ(image_.pixel(110, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image_.pixel(130, 10), qRgb(255, 0, 0)) << "white lets the red through";
    EXPECT_EQ(image_.pixel(30, 30), qRgb(0, 0, 255));
    EXPECT_EQ(image_.pixel(30, 10), kWhitePixel) << "copy lays the white down";
}

TEST(QPainterSurfaceDevices, VectorDevicesEmulateAnd) {
    testing::TestApplication();
    QBuffer pdfBytes;
    pdfBytes.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&pdfBytes);
    pdf.setResolution(600);
    {
        QPainter painter(&pdf);
        QPainterSurface surface(painter);
        EXPECT_EQ(surface.DpiX(), 600);
        EXPECT_EQ(surface.AndRasterMode(), AndMode::kOverlay);
        const SurfaceBitmap tile{2, 1, {kBlack, kWhite}};
        surface.StretchBitmap(tile, {0, 0, 10, 10}, raster_op::kAnd);
        surface.StretchBitmap(tile, {20, 0, 30, 10}, raster_op::kCopy);
    }
    // Tiles are drawn as filled areas, never as JPEG images that would blur their hatching.
    EXPECT_FALSE(pdfBytes.data().contains("/Subtype /Image"));
}

}  // namespace
}  // namespace rave::platform
