// The file the PDF export writes for the name typed and the file type picked in its chooser.
#include <gtest/gtest.h>

#include "platform/page_export.h"

namespace rave::platform {
namespace {

TEST(PageExportTarget, TheTypedExtensionWinsElseThePickedType) {
    const std::string pdf = "PDFファイル(*.pdf)";
    const std::string png = "PNG画像(*.png)";
    const std::string svg = "SVG画像(*.svg)";
    struct Case {
        const char* chosen;
        std::string picked;
        const char* target;
    };
    for (const Case& c :
         {Case{"/d/sheet", pdf, "/d/sheet.pdf"}, Case{"/d/sheet", png, "/d/sheet.png"},
          Case{"/d/sheet.", svg, "/d/sheet.svg"}, Case{"/d/sheet.PNG", pdf, "/d/sheet.PNG"},
          Case{"/d/sheet.svg", png, "/d/sheet.svg"}, Case{"/d/a.b/sheet.txt", png, "/d/a.b/sheet.txt.png"},
          Case{"/d/sheet.dxf", pdf, "/d/sheet.dxf.pdf"}}) {
        // Compared as paths: Windows joins the folder and the name with its own separator.
        EXPECT_EQ(PageExportTarget(c.chosen, c.picked), std::filesystem::path(c.target)) << c.chosen;
    }
    EXPECT_EQ(ProposedPdfName("/d/B-1.sdw").string(), "/d/B-1.pdf");
    EXPECT_EQ(ProposedPdfName("").string(), "");
}

}  // namespace
}  // namespace rave::platform
