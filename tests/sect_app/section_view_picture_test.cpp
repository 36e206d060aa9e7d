// The section view keeps the columns and what is drawn over them in a picture and redraws only
// the frame, layers and markers under it: what it shows must stay what the drawing itself draws,
// after a dragged point and after every change the picture was drawn from.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <QImage>
#include <QPainter>
#include <filesystem>
#include <functional>

#include "platform/install_folder.h"
#include "platform/qpainter_surface.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/app/section_view.h"
#include "ravesect/drawing/section_snapshot.h"
#include "temp_folder.h"
#include "tests/platform/qt_test_application.h"

namespace ravesect::app {
namespace {

namespace fs = std::filesystem;

class SectionViewPictureTest : public ::testing::Test {
protected:
    SectionViewPictureTest() {
        rave::platform::testing::TestApplication();
        std::string error;
        const fs::path installFolder = temp.path() / "install";
        EXPECT_TRUE(
            rave::platform::CreateInstallFolder(installFolder, fs::path(RAVE_SOURCE_DIR) / "data", error))
            << error;
        ResetCurrentSection();
        frame = std::make_unique<SectionFrame>(installFolder, &messages);
        EXPECT_TRUE(frame->OpenThroughFramework(fs::path(RAVE_SOURCE_DIR) / "examples" / "section" /
                                                "example-section.sqw"));
    }

    // The view's page drawn in one go, as before the view kept a picture.
    QImage Drawn() {
        SectionView& view = *frame->View();
        QImage image(view.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        rave::platform::QPainterSurface surface(painter, view.logicalDpiX(), view.logicalDpiY(),
                                                {view.width(), view.height()});
        const SectionDrawingResources resources{frame->Sysq(), frame->Fonts(), &frame->PatternColours()};
        DrawSectionSnapshot(surface, frame->Document(), view.Columns(), resources, false,
                            ScreenPage(frame->Position().shownLeftEnd, frame->Position().shownTop));
        return image;
    }
    QImage Shown() { return frame->View()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    rave::testing::TempFolder temp;
    rave::RecordingMessageSink messages;
    std::unique_ptr<SectionFrame> frame;
};

TEST_F(SectionViewPictureTest, ViewShowsWhatTheDrawingDrawsAfterEveryChange) {
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
        // Seen under wine: the same text is antialiased a little differently from one paint to
        // the next, so only the offscreen platform's painting can be compared pixel for pixel.
        GTEST_SKIP() << "compares pixels as the offscreen platform paints them";
    }
    SectionDocument& document = frame->Document();
    ASSERT_GT(document.LastUsedSlot(), 0);
    // A layer on three points, so that moving one of them changes what lies under the columns.
    document.Point(1) = {0.0, 0.0};
    document.Point(2) = {300.0, 2.0};
    document.Point(3) = {300.0, 12.0};
    document.Layer(1) = {"1", "0x0000ff", "", "", "1,2,3,"};
    QImage before = Shown();
    ASSERT_TRUE(before == Drawn());
    ASSERT_TRUE(Shown() == before);

    const std::pair<const char*, std::function<void()>> changes[] = {
        {"a dragged point",
         [&] {
             document.Point(2) = {450.0, 6.0};
         }},
        {"a title",
         [&] {
             document.Title(1) = {200.0, -4.0, "TITLE", "1"};
         }},
        {"the ruler title", [&] { document.settings.rulerTitle = "GL(m)"; }},
        {"the ruler step", [&] { document.settings.rulerStep += 1; }},
        {"a line of Sysq.ndx", [&] { frame->Sysq().SetInt(sysqline::kRulerDouble, 1); }},
        {"the shown page", [&] { frame->Position().shownTop -= 3.0; }},
    };
    for (const auto& [name, change] : changes) {
        change();
        // The first paint after the change draws everything, the next ones use the picture.
        const QImage shown = Shown();
        EXPECT_FALSE(shown == before) << name << " not shown";
        const QImage drawn = Drawn();
        EXPECT_TRUE(shown == drawn) << name << " shown otherwise than drawn";
        EXPECT_TRUE(Shown() == drawn) << name << " shown otherwise from the picture";
        EXPECT_TRUE(Shown() == drawn) << name << " shown otherwise over the picture";
        before = shown;
    }
}

}  // namespace
}  // namespace ravesect::app
