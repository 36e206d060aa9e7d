// The render verb end to end: every bundled example in every format becomes a PDF with the
// sheet's page count and PNG pages with ink where the sheet is; bad input is refused with a
// message, and the install folder is left as it was. A full disk, garbage input and a runaway
// depth fail cleanly; a batch writes what it can and lists what failed.
// The core headers come before Qt's: the header's member `slots` would meet Qt's keyword macro.
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/report/page_count.h"
// clang-format off
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <chrono>
#include <cstdlib>
#include <random>
#include <sstream>

#include "apps/ravelog_cli.h"
#include "full_disk.h"
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

    // Every usage error, --pages included, is status 2.
    run = Render({Example("example-short.sdw"), "-o", Out("x.pdf").string(), "--pages", "9"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("page 9 does not exist"), std::string::npos) << run.err;

    run = Render({Example("example-short.sdw"), "-o", Out("x.pdf").string(), "--pages", "2-1"});
    EXPECT_EQ(run.status, 2);

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

TEST_F(RenderVerbTest, AFullDiskFailsAndKeepsTheEarlierOutput) {
    const std::filesystem::path pdf = folder.Write("sheet.pdf", "earlier sheet");
    const std::filesystem::path png = folder.Write("long-2.png", "earlier page 2");
    RunResult pdfRun;
    RunResult pngRun;
    {
        rave::testing::FullDisk full(20000);  // far less than a sheet
        pdfRun = Render({Example("example-short.sdw"), "-o", pdf.string()});
        pngRun = Render({Example("example-long.sdw"), "-o", Out("long.png").string(), "--pages", "1-3"});
    }
    EXPECT_EQ(pdfRun.status, 1);
    EXPECT_NE(pdfRun.err.find("cannot write"), std::string::npos) << pdfRun.err;
    EXPECT_EQ(rave::testing::TempFolder::Read(pdf), "earlier sheet");
    EXPECT_EQ(pngRun.status, 1);
    EXPECT_EQ(rave::testing::TempFolder::Read(png), "earlier page 2") << "all pages or none";
    EXPECT_FALSE(std::filesystem::exists(Out("long-1.png")));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        ++files;
    }
    EXPECT_EQ(files, 3) << "the two earlier files and the install folder, no temporary files";
}

TEST_F(RenderVerbTest, PdfTextIsTheSheetsText) {
#ifdef _WIN32
    GTEST_SKIP() << "reads the PDF with poppler's pdftotext, a Linux tool";
#endif
    // Spaced texts come out a character at a time: compare without the blanks between them.
    std::string extracted;
    for (const char* format : {"1", "3"}) {
        const std::filesystem::path pdf = Out("short.pdf");
        ASSERT_EQ(Render({Example("example-short.sdw"), "-o", pdf.string(), "--format", format}).status, 0);
        const std::filesystem::path text = Out("short.txt");
        ASSERT_EQ(
            std::system(("pdftotext -enc UTF-8 '" + pdf.string() + "' '" + text.string() + "'").c_str()), 0);
        extracted += rave::testing::TempFolder::Read(text);
    }
    std::erase_if(extracted, [](char c) { return c == ' ' || c == '\n' || c == '\f'; });
    for (const char* word : {"粘土", "自沈", "令和6年5月14日"}) {
        EXPECT_NE(extracted.find(word), std::string::npos) << word << " in " << extracted.substr(0, 3000);
    }
    for (const char* radical : {"⼟", "⽇", "⾃"}) {  // U+2F1F, U+2F47, U+2F83
        EXPECT_EQ(extracted.find(radical), std::string::npos) << radical;
    }
}

TEST_F(RenderVerbTest, ARunawayDepthIsRefusedAtOnce) {
    const std::filesystem::path deep = folder.Write(
        "deep.sdw", "$$_SWJVERAN304\r\n$$Z\r\nsurvey\r\n$$A\r\n1.00,0,0.25\r\n1.00,0,1000000000\r\n$$C\r\n");
    const auto start = std::chrono::steady_clock::now();
    const RunResult run = Render({deep.string(), "-o", Out("deep.pdf").string()});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("1000000000"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(Out("deep.pdf")));
}

TEST_F(RenderVerbTest, GarbageIsNotASheet) {
    std::string random(5 << 20, '\0');
    std::mt19937 generator(7);
    for (char& c : random) {
        c = static_cast<char>(generator());
    }
    for (const std::filesystem::path& file :
         {folder.Write("empty.sdw", ""), folder.Write("first-line.sdw", "$$_SWJVERAN304\r\n" + random),
          folder.Write("only-magic.sdw", "$$_SWJVERAN304\r\n")}) {
        const RunResult run = Render({file.string(), "-o", Out("g.pdf").string()});
        EXPECT_EQ(run.status, 1) << file;
        EXPECT_NE(run.err, "") << file;
        EXPECT_FALSE(std::filesystem::exists(Out("g.pdf"))) << file;
    }
}

TEST_F(RenderVerbTest, ABatchRendersEveryFileAndListsTheFailures) {
    const std::filesystem::path broken = folder.Write("broken.sdw", "not a sounding\r\n");
    const RunResult run =
        Render({Example("example-short.sdw"), broken.string(), Example("example-simple.sdw"),
                Example("example-long.sdw"), "-o", Out("sheets/").string(), "--jobs", "2"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("broken.sdw"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("1 of 4 files failed"), std::string::npos) << run.err;
    EXPECT_EQ(PdfPageCount(Out("sheets/example-short.pdf")), PageCountOf(Example("example-short.sdw")));
    EXPECT_EQ(PdfPageCount(Out("sheets/example-simple.pdf")), PageCountOf(Example("example-simple.sdw")));
    EXPECT_EQ(PdfPageCount(Out("sheets/example-long.pdf")), PageCountOf(Example("example-long.sdw")));
    EXPECT_FALSE(std::filesystem::exists(Out("sheets/broken.pdf")));

    const RunResult png =
        Render({Example("example-short.sdw"), Example("example-simple.sdw"), "-o", Out("pngs").string() + "/",
                "--type", "png", "--dpi", "20", "--pages", "1"});
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_FALSE(QImage(QString::fromStdString(Out("pngs/example-short.png").string())).isNull());
    EXPECT_FALSE(QImage(QString::fromStdString(Out("pngs/example-simple.png").string())).isNull());

    EXPECT_EQ(
        Render({Example("example-short.sdw"), Example("example-short.sdw"), "-o", Out("twice/").string()})
            .status,
        1)
        << "two inputs of one name would overwrite each other";
    EXPECT_EQ(Render({Example("example-short.sdw"), "-o", Out("d/").string(), "--jobs", "0"}).status, 2);
}

}  // namespace
}  // namespace ravelog
