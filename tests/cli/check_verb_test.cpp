// The check verb: the self-sinking layers below a footing as JSON, and its refusals of a missing
// or negative footing depth (usage, 2) and of a file that is no sounding (1).
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "ravelog/document/sounding_file.h"

namespace ravelog::cli {
namespace {

using testing::CliResult;
using testing::CliTest;
using Json = nlohmann::ordered_json;

class CheckVerbTest : public CliTest {
protected:
    // A sounding whose rows 2 and 4 sank by themselves: (0.25, 1.00] under 0.75 kN and
    // (3.00, 3.50] under 0.50 kN; it ends at 4.00 m.
    std::filesystem::path Sounding() {
        SoundingDocument d;
        d.header[slot::kSurveyName1] = "check";
        const char* rows[][3] = {{"0.25", "1.00", "3"},
                                 {"1.00", "0.75", ""},
                                 {"3.00", "1.00", "12"},
                                 {"3.50", "0.50", "0"},
                                 {"4.00", "1.00", "20"}};
        int i = 0;
        for (const auto& r : rows) {
            MeasuredRow& row = d.Row(++i);
            row[field::kDepth] = r[0];
            row[field::kLoad] = r[1];
            row[field::kHalfTurns] = r[2];
        }
        return Temp().Write("check.sdw", WriteSoundingFile(d));
    }
};

TEST_F(CheckVerbTest, PrintsTheLayersAndConditions) {
    const CliResult result = Run({"check", Sounding().string(), "--footing-depth", "0.5"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // Footing 0.5 m: (0.5, 2.5] holds row 2, (2.5, 5.5] holds row 4 under 0.50 kN; the sounding
    // ends above 5.5 m.
    const Json expected = Json::parse(R"({"footingDepth": 0.5,
        "selfSinking": [{"from": 0.25, "to": 1.0, "wsw": 0.75}, {"from": 3.0, "to": 3.5, "wsw": 0.5}],
        "within2m": true, "from2to5m": true, "settlementCheck": true, "reaches5m": false})");
    EXPECT_EQ(Json::parse(result.out), expected);

    // Below both layers: they are still listed, but neither lies in a band.
    const Json deep = Json::parse(Run({"check", Sounding().string(), "--footing-depth=3.5"}).out);
    EXPECT_EQ(deep["selfSinking"].size(), 2u);
    EXPECT_FALSE(deep["settlementCheck"].get<bool>());
}

TEST_F(CheckVerbTest, RefusesBadFootingDepthsAndFiles) {
    const std::filesystem::path sounding = Sounding();
    const std::filesystem::path notSounding = Temp().Write("notes.sdw", "hello\r\n");
    const std::pair<std::vector<std::string>, int> cases[] = {
        {{"check", sounding.string()}, 2},
        {{"check", sounding.string(), "--footing-depth=-1"}, 2},
        {{"check", sounding.string(), "--footing-depth", "deep"}, 2},
        {{"check", (Folder() / "missing.sdw").string(), "--footing-depth", "1"}, 1},
        {{"check", notSounding.string(), "--footing-depth", "1"}, 1},
    };
    for (const auto& [arguments, status] : cases) {
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, status) << arguments.back();
        EXPECT_TRUE(result.out.empty()) << arguments.back();
        EXPECT_FALSE(result.err.empty()) << arguments.back();
    }
}

}  // namespace
}  // namespace ravelog::cli
