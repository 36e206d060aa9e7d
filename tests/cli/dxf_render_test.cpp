// The render verb into DXF, read back by another CAD library (ezdxf): the file passes its audit,
// the sheet's texts hold the same characters as the SVG of the same page, every entity lies on the
// page, and --one-file puts the pages side by side in one file. Skipped where Python's ezdxf is not installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

constexpr const char* kPython = "/usr/bin/python3";

bool HasEzdxf() {
    const std::string command = std::string(kPython) + " -c 'import ezdxf' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Compares the texts of the DXF with those of the SVG, checks the layers and that every point
// lies within `width` x 297 mm; prints what differs and exits non-zero on a mismatch.
constexpr const char* kCheckScript = R"(
import sys, collections, xml.etree.ElementTree as ET
import ezdxf
dxf_path, svg_path, width = sys.argv[1], sys.argv[2], float(sys.argv[3])
doc = ezdxf.readfile(dxf_path)
assert doc.encoding.lower() in ('cp932', 'shift_jis'), doc.encoding
# Every object has its owner and nothing needs repairing.
auditor = doc.audit()
if auditor.has_errors or auditor.has_fixes:
    print('audit:', [str(e.message) for e in auditor.errors + auditor.fixes][:5])
    sys.exit(1)
msp = doc.modelspace()
# The SVG splits a text where the font changes, so the characters are compared.
dxf_texts = collections.Counter(''.join(t.dxf.text for t in msp.query('TEXT')).replace(' ', ''))
svg_texts = collections.Counter()
for element in ET.parse(svg_path).iter('{http://www.w3.org/2000/svg}text'):
    svg_texts.update(''.join(element.itertext()).replace(' ', '').replace('\n', ''))
if dxf_texts != svg_texts:
    print('only in DXF:', dict(dxf_texts - svg_texts))
    print('only in SVG:', dict(svg_texts - dxf_texts))
    sys.exit(1)
layers = {e.dxf.layer for e in msp}
for needed in ('FRAME', 'GRID', 'TEXT', 'PLOT', 'TITLE'):
    if needed not in layers:
        print('missing layer', needed, sorted(layers))
        sys.exit(1)
points = []
for e in msp:
    kind = e.dxftype()
    if kind == 'LINE':
        points += [e.dxf.start, e.dxf.end]
    elif kind == 'LWPOLYLINE':
        points += [p[:2] for p in e.get_points()]
    elif kind == 'TEXT':
        points.append(e.dxf.insert)
for p in points:
    if not (-0.01 <= p[0] <= width + 0.01 and -0.01 <= p[1] <= 297.01):
        print('outside the page:', p)
        sys.exit(1)
print(len(points), 'points,', sum(dxf_texts.values()), 'characters')
)";

using DxfRenderTest = CliTest;

TEST_F(DxfRenderTest, SheetTextsAndPlacesMatchTheSvg) {
    if (!HasEzdxf()) {
        GTEST_SKIP() << "python3-ezdxf is not installed";
    }
    const std::filesystem::path dxf = Folder() / "short.dxf";
    const std::filesystem::path svg = Folder() / "short.svg";
    const std::string input = Example("example-short.sdw").string();
    for (const std::filesystem::path& output : {dxf, svg}) {
        const CliResult result = Run({"render", input, "-o", output.string(), "--format", "1", "--pages", "1"});
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    const std::filesystem::path script = Folder() / "check.py";
    std::ofstream(script) << kCheckScript;
    const std::string command = std::string(kPython) + " " + script.string() + " " + dxf.string() + " " +
                                svg.string() + " 210";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST_F(DxfRenderTest, OneFileHoldsEveryPage) {
    const std::filesystem::path dxf = Folder() / "all.dxf";
    const CliResult result =
        Run({"render", Example("example-long.sdw").string(), "-o", dxf.string(), "--pages", "1-2", "--one-file"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(std::filesystem::exists(dxf));
    EXPECT_FALSE(std::filesystem::exists(Folder() / "all-1.dxf"));
    // Without --one-file each page has its own file.
    const std::filesystem::path paged = Folder() / "paged.dxf";
    ASSERT_EQ(Run({"render", Example("example-long.sdw").string(), "-o", paged.string(), "--pages", "1-2"}).exitCode,
              0);
    EXPECT_TRUE(std::filesystem::exists(Folder() / "paged-1.dxf"));
    EXPECT_TRUE(std::filesystem::exists(Folder() / "paged-2.dxf"));
}

}  // namespace
}  // namespace ravelog::cli::testing
