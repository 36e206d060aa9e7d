// The interpretation example: examples/section/example-interpretation.sqw is the example section
// with points, layers and titles drawn through the editing model (the same calls the dialogs and
// the mouse make). The test builds it again and compares the bytes; with RAVE_UPDATE_EXAMPLES set
// it writes the file instead.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <vector>

#include "ravesect/document/section_file.h"
#include "ravesect/editing/edit_session.h"
#include "ravesect/editing/layer_list.h"
#include "ravesect/editing/title_list.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

const std::filesystem::path kExamples = std::filesystem::path(RAVE_SOURCE_DIR) / "examples" / "section";

// Distances of the boundary points (m): the left ruler, the six logs and the closing ruler.
constexpr double kDistances[] = {0.0, 12.5, 20.0, 31.0, 45.0, 60.0, 80.0};
constexpr int kAcross = 7;
// Elevations (m) of the ground and the three layer boundaries below it, and the bottom line.
constexpr double kLines[5][kAcross] = {
    {12.35, 10.85, 11.20, 12.35, 9.40, 12.35, 12.00},   // ground
    {11.20, 9.90, 10.10, 11.00, 8.60, 11.20, 11.00},    // fill / clay
    {8.00, 7.20, 7.00, 7.80, 6.20, 8.00, 8.00},         // clay / sand
    {4.50, 3.50, 3.00, 4.00, 2.50, 4.00, 4.00},         // sand / gravel
    {-1.00, -1.50, -1.50, -1.00, -1.50, -1.00, -1.00},  // bottom of the interpretation
};
constexpr double kGroundwater[kAcross] = {9.60, 8.75, 8.50, 8.20, 7.60, 8.40, 8.50};

struct LayerSpec {
    int top;  // line index
    const char* colour;
    const char* hatch;
    const char* lineMode;
};
const LayerSpec kLayerSpecs[] = {
    {0, "0x1f5fa0", "2", ""},  // fill: brown, diagonal
    {1, "0x3f8f3f", "0", ""},  // clay: green, horizontal
    {2, "0x1fa0d0", "3", ""},  // sand: ochre, diagonal the other way
    {3, "0x7f4f8f", "5", ""},  // gravel: purple, diagonal cross
};

struct TitleSpec {
    const char* text;
    const char* font;
    double distance;
    double elevation;
};
const TitleSpec kTitleSpecs[] = {
    {"推定地層断面図", "1", 4.0, 16.9}, {"盛土（Ｂ）", "2", 37.0, 10.9},  {"粘性土（Ａｃ）", "2", 37.0, 9.0},
    {"砂質土（Ａｓ）", "2", 37.0, 5.8}, {"砂礫（Ａｇ）", "2", 37.0, 1.6}, {"推定地下水位", "2", 51.0, 7.4},
};

void Click(EditSession& session, double distance, double elevation) {
    session.Press({distance * 10.0, -elevation});
    session.Release({distance * 10.0, -elevation});
}

std::string BuildInterpretation(const rave::testing::TempFolder& folder) {
    const WorkingFiles files = WorkingFiles::In(folder.path());
    rave::RecordingMessageSink messages;
    SectionDocument document;
    EXPECT_EQ(LoadSectionFile(document, files, kExamples / "example-section.sqw", messages), 2);
    ReloadSectionDocument(document, files);
    EditSession session(document, messages);

    // Points: the five lines left to right (1..35), then the groundwater line (36..42).
    session.SetMode(edit_mode::kAddPoint);
    for (const auto& line : kLines) {
        for (int i = 0; i < kAcross; ++i) {
            Click(session, kDistances[i], line[i]);
        }
    }
    for (int i = 0; i < kAcross; ++i) {
        Click(session, kDistances[i], kGroundwater[i]);
    }

    // Layers: each outline picked on the section, along its top and back along its bottom.
    LayerListModel layers(document, messages);
    session.onLayerPointPicked = [&](int n) { layers.AppendPoint(n); };
    int number = 1;
    auto pick = [&](const double* elevations, int i) { Click(session, kDistances[i], elevations[i]); };
    for (const LayerSpec& spec : kLayerSpecs) {
        layers.SelectRow(number);
        layers.points.clear();
        session.SetMode(edit_mode::kPickLayerPoint);
        for (int i = 0; i < kAcross; ++i) {
            pick(kLines[spec.top], i);
        }
        for (int i = kAcross - 1; i >= 0; --i) {
            pick(kLines[spec.top + 1], i);
        }
        layers.colour = spec.colour;
        layers.hatch = spec.hatch;
        layers.lineMode = spec.lineMode;
        EXPECT_EQ(layers.StoreBoxes(), number);
        ++number;
    }
    layers.SelectRow(number);
    layers.points.clear();
    for (int i = 0; i < kAcross; ++i) {
        pick(kGroundwater, i);
    }
    layers.colour = "0xff0000";
    layers.hatch = "2";
    layers.lineMode = "1";
    EXPECT_EQ(layers.StoreBoxes(), number);
    EXPECT_TRUE(layers.Commit(files));

    TitleListModel titles(session, messages);
    for (const TitleSpec& spec : kTitleSpecs) {
        titles.text = spec.text;
        titles.font = spec.font;
        EXPECT_TRUE(titles.Add());
        Click(session, spec.distance, spec.elevation);
    }
    EXPECT_TRUE(titles.Commit(files));
    EXPECT_TRUE(messages.shown.empty());

    const std::filesystem::path out = folder.path() / "example-interpretation.sqw";
    EXPECT_TRUE(SaveSectionFile(document, files, out, messages));
    EXPECT_EQ(document.LayerCount(), 5);
    return rave::testing::TempFolder::Read(out);
}

TEST(ExampleInterpretation, TheExampleIsWhatTheEditingModelMakes) {
    rave::testing::TempFolder folder;
    const std::string built = BuildInterpretation(folder);
    const std::filesystem::path example = kExamples / "example-interpretation.sqw";
    if (std::getenv("RAVE_UPDATE_EXAMPLES") != nullptr) {
        std::ofstream(example, std::ios::binary) << built;
    }
    EXPECT_EQ(rave::testing::TempFolder::Read(example), built);
}

}  // namespace
}  // namespace ravesect
