// The render verb end to end: every bundled example in every format becomes a PDF with the
// sheet's page count and PNG pages with ink where the sheet is; bad input is refused with a
// message, and the install folder is left as it was.
// The core headers come before Qt's: the header's member `slots` would meet Qt's keyword macro.
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"
// clang-format off
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <sstream>

#include "apps/ravelog_cli.h"
#include "qt_test_application.h"
#include "temp_folder.h"
// clang-format on

namespace ravelog {
namespace {

struct RunResult {
    int status = 0;
    std::string out;
    std::string err;
};

class RenderVerbTest : public ::testing::Test {
protected:
    RenderVerbTest() { rave::platform::testing::TestApplication(); }

    RunResult Render(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "render");
        arguments.push_back("--install-folder");
        arguments.push_back(Install().string());
        std::ostringstream out;
        std::ostringstream err;
        RunResult run;
        run.status = cli::RunRavelogCommandLine(arguments, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }

    std::filesystem::path Install() const { return folder.path() / "install"; }
    std::filesystem::path Out(const std::string& name) const { return folder.path() / name; }

    static std::string Example(const std::string& name) {
        return std::string(RAVE_SOURCE_DIR) + "/examples/" + name;
    }

    static int PageCountOf(const std::string& file) {
        SoundingDocument document;
        rave::RecordingMessageSink messages;
        OpenSoundingFromMenu(document, messages, file, std::nullopt);
        return CountReportPages(document);
    }

    static int PdfPageCount(const std::filesystem::path& path) {
        QFile file(QString::fromStdString(path.string()));
        if (!file.open(QIODevice::ReadOnly)) {
            return -1;
        }
        return static_cast<int>(
            QString::fromLatin1(file.readAll()).count(QRegularExpression(QStringLiteral("/Type /Page\\b"))));
    }

    // Share of non-white pixels in a rectangle given in fractions of the page.
    static double InkShare(const QImage& image, double left, double top, double right, double bottom) {
        int ink = 0;
        int all = 0;
        for (int y = static_cast<int>(top * image.height()); y < static_cast<int>(bottom * image.height());
             ++y) {
            for (int x = static_cast<int>(left * image.width()); x < static_cast<int>(right * image.width());
                 ++x) {
                ink += image.pixel(x, y) != qRgb(255, 255, 255) ? 1 : 0;
                ++all;
            }
        }
        return all > 0 ? static_cast<double>(ink) / all : 0.0;
    }

    rave::testing::TempFolder folder;
};

TEST_F(RenderVerbTest, EveryExampleInEveryFormatToPdfAndPng) {
    for (const std::string example : {"example-short.sdw", "example-long.sdw", "example-simple.sdw"}) {
        const int pages = PageCountOf(Example(example));
        ASSERT_GE(pages, 1) << example;
        for (const std::string format : {"1", "2", "3"}) {
            const std::string label = example + " format " + format;
            const std::filesystem::path pdf = Out("sheet.pdf");
            RunResult run = Render({Example(example), "-o", pdf.string(), "--format", format});
            ASSERT_EQ(run.status, 0) << label << ": " << run.err;
            EXPECT_EQ(PdfPageCount(pdf), pages) << label;
            EXPECT_NE(rave::testing::TempFolder::Read(pdf).find("IPAexMincho"), std::string::npos)
                << label << ": the Mincho face is embedded for \"ＭＳ 明朝\"";

            const std::filesystem::path png = Out("sheet-" + format + ".png");
            run = Render(
                {Example(example), "-o", png.string(), "--format", format, "--pages", "1", "--dpi", "100"});
            ASSERT_EQ(run.status, 0) << label << ": " << run.err;
            const QImage image(QString::fromStdString(png.string()));
            ASSERT_FALSE(image.isNull()) << label;
            EXPECT_EQ(image.width(), 827) << "210 mm at 100 dpi";
            EXPECT_EQ(image.height(), 1169) << "297 mm at 100 dpi";
            EXPECT_GT(InkShare(image, 0.05, 0.15, 0.9, 0.85), 0.02) << label << ": the table and chart";
            EXPECT_LT(InkShare(image, 0.05, 0.15, 0.9, 0.85), 0.6) << label;
            EXPECT_LT(InkShare(image, 0.0, 0.96, 1.0, 1.0), 0.001)
                << label << ": the paper's foot stays white";
        }
    }
    const std::filesystem::path data = std::filesystem::path(RAVE_SOURCE_DIR) / "data";
    for (const char* name : {"Sys.ndx", "Font1.ndx"}) {
        EXPECT_EQ(rave::testing::TempFolder::Read(Install() / name),
                  rave::testing::TempFolder::Read(data / name))
            << name << ": a command line never writes the settings";
    }
}

TEST_F(RenderVerbTest, SeveralRasterPagesGetNumberedFiles) {
    ASSERT_GE(PageCountOf(Example("example-long.sdw")), 3);
    const RunResult run = Render(
        {Example("example-long.sdw"), "-o", Out("long.png").string(), "--pages", "2-3", "--dpi", "20"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(std::filesystem::exists(Out("long-2.png")));
    EXPECT_TRUE(std::filesystem::exists(Out("long-3.png")));
    EXPECT_FALSE(std::filesystem::exists(Out("long-1.png")));
    EXPECT_FALSE(std::filesystem::exists(Out("long.png")));
    EXPECT_TRUE(run.err.empty()) << "no progress when stderr is not the terminal: " << run.err;
}

TEST_F(RenderVerbTest, SvgOutput) {
    const RunResult run =
        Render({Example("example-short.sdw"), "-o", Out("short.svg").string(), "--format", "3"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(rave::testing::TempFolder::Read(Out("short.svg")).find("<svg"), std::string::npos);
}

TEST_F(RenderVerbTest, BadInputIsRefusedWithAMessage) {
    RunResult run = Render({Example("no-such-file.sdw"), "-o", Out("x.pdf").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no-such-file.sdw"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(Out("x.pdf")));

    run = Render({Example("example-short.sdw"), "-o", Out("x.pdf").string(), "--pages", "9"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("page 9 does not exist"), std::string::npos) << run.err;

    run = Render({Example("example-short.sdw"), "-o", Out("x.pdf").string(), "--pages", "2-1"});
    EXPECT_EQ(run.status, 1);

    run = Render({Example("example-short.sdw"), "-o", Out("x.jpg").string()});
    EXPECT_EQ(run.status, 2) << "an output kind that does not exist is a usage error";

    run = Render({Example("example-short.sdw"), "-o", Out("x.pdf").string(), "--format", "4"});
    EXPECT_EQ(run.status, 2);
    run = Render({Example("example-short.sdw"), "-o", Out("x.pdf").string(), "--dpi", "0"});
    EXPECT_EQ(run.status, 2);

    run = Render({Example("example-short.sdw"), "-o", (folder.path() / "no" / "x.pdf").string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace ravelog
