// The interpret verb on the example section with a few of its lines changed as offices have them,
// and replacing twice; the build verb on logs whose elevation a section cannot hold.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <numeric>
#include <sstream>

#include "apps/ravesect_cli.h"
#include "platform/codec.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

using Json = nlohmann::json;
const std::string kExamples = std::string(RAVE_SOURCE_DIR) + "/examples/";

// Lines `first` to `last` after the line that reads `marker` become `text`.
struct Change {
    const char* marker;
    int first, last;
    std::string text;
};

class InterpretFaults : public ::testing::Test {
protected:
    rave::testing::TempFolder folder;
    std::string out, err;
    int Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--install-folder", (folder.path() / "install").string()});
        std::ostringstream output, errors;
        const int status = RunRavesectCommandLine(arguments, output, errors);
        out = output.str(), err = errors.str();
        return status;
    }
    // The example section with `changes`, written as NAME.sqw.
    std::string Section(const std::string& name, const std::vector<Change>& changes) {
        std::vector<std::string> lines;
        std::istringstream in(
            rave::testing::TempFolder::Read(kExamples + "section/example-interpretation.sqw"));
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line + '\n');  // the CR stays with the line
        }
        for (const Change& change : changes) {
            const auto at = std::find(lines.begin(), lines.end(), change.marker + std::string("\r\n"));
            std::fill(at + change.first, at + change.last + 1, change.text + "\r\n");
        }
        return folder.Write(name + ".sqw", std::accumulate(lines.begin(), lines.end(), std::string()))
            .string();
    }
    Json Info(const std::string& section) { return Run({"info", section}) == 0 ? Json::parse(out) : Json(); }
};

// Slots 1..6 hold logs at 0, 12.5, 20, 31, 45 and 60 m (the deepest 13.5 m); slot 3 (P-1) is the
// middle of three; layer 4 lists point 29 (0, 1), which is never moved, nor defined once deleted.
TEST_F(InterpretFaults, LogsPointsTitlesAndOptionsAsOfficesHaveThem) {
    const std::vector<Change> onlySand{{"$$Z3", 22, 22, *rave::platform::Utf8ToCp932("0.00,砂,400.1")},
                                       {"$$Z3", 23, 24, ""}};
    const std::vector<Change> titlesFull{{"$$Z HY", 7, 50, "10.00,1.00,memo,1"}};
    const struct {
        std::vector<Change> changes;
        std::vector<std::string> options;
        int status;
        const char* says;
        std::vector<int> order;  // the logs by distance: links join neighbours of this order only
    } cases[] = {
        {onlySand, {}, 0, "", {1, 2, 4, 5, 6}},
        {{{"$$Z1", 1, 1, "45.00"}, {"$$Z5", 1, 1, "0.00"}}, {}, 0, "", {5, 2, 3, 4, 1, 6}},
        {{{"$$Z PO", 29, 29, "-9999.99,-9999.99,29"}}, {}, 0, "", {1, 2, 3, 4, 5, 6}},
        {{{"$$Z2", 1, 1, "20.00"}}, {}, 1, "同じ距離 20.00 m", {}},
        {{{"$$Z2", 7, 7, "99999.99"}}, {}, 1, "標高 99999.99 m は断面図に保存でき", {}},
        {titlesFull, {"--replace"}, 1, "標題記事が 50 件すべて使われている", {}},
        {{}, {"--min-thickness", "nan"}, 2, "0 から断面図で最も深い", {}},
        {{}, {"--min-thickness", " 0.3"}, 2, "0 から断面図で最も深い", {}},
        {{}, {"--min-thickness", "-1"}, 2, "0 から断面図で最も深い", {}},
        {{}, {"--min-thickness", "13.51"}, 2, "(0 から 13.50 m まで", {}},
        {{}, {"--min-thickness", "13.5"}, 0, "", {1, 2, 3, 4, 5, 6}},
    };
    int number = 0;
    for (const auto& c : cases) {
        const std::string input = Section(std::to_string(++number), c.changes), output = input + ".out.sqw";
        std::vector<std::string> arguments{"interpret", input, "-o", output, "--json"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(Run(arguments), c.status) << number << ": " << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << number << ": " << err;
        EXPECT_EQ(err.find("--replace で置き換えられます"), std::string::npos) << number << ": " << err;
        EXPECT_EQ(std::filesystem::exists(output), c.status == 0) << number;
        for (const Json& link : c.status == 0 ? Json::parse(out)["links"] : Json::array()) {
            const auto from = std::find(c.order.begin(), c.order.end(), link["fromSlot"].get<int>());
            const auto to = std::find(c.order.begin(), c.order.end(), link["toSlot"].get<int>());
            EXPECT_TRUE(from != c.order.end() && to != c.order.end() && std::abs(from - to) == 1)
                << number << link;
        }
        for (const Json& point : c.status == 0 ? Info(output)["points"] : Json::array()) {
            EXPECT_TRUE(point["number"] != 29 || (point["x"] == 0.0 && point["y"] == 1.0)) << number;
        }
    }
}

// The example's own six titles say more than a symbol and stay.
TEST_F(InterpretFaults, ReplacingTwiceLeavesTheEngineersTitlesAndOneProposals) {
    const std::string once = (folder.path() / "once.sqw").string(), twice = once + ".out.sqw";
    ASSERT_EQ(Run({"interpret", kExamples + "section/example-interpretation.sqw", "-o", once, "--replace"}),
              0);
    ASSERT_EQ(Run({"interpret", once, "-o", twice, "--replace", "--json"}), 0);
    const std::size_t units = Json::parse(out)["units"].size();
    EXPECT_EQ(Info(twice)["titles"], Info(once)["titles"]);
    EXPECT_EQ(Info(twice)["titles"].size(), 6 + units);
}

TEST_F(InterpretFaults, BuildRefusesAnElevationTheSectionCannotHold) {
    std::string log = rave::testing::TempFolder::Read(kExamples + "example-short.sdw");
    const std::size_t at = log.find("\r\n12.35\r\n") + 2;
    for (const auto& [elevation, status] :
         {std::pair{"99999.99", 1}, {"1e9", 1}, {"-9999.99", 1}, {"9999.00", 0}}) {
        const std::string sdw = folder.Write("high.sdw", std::string(log).replace(at, 5, elevation)).string();
        EXPECT_EQ(Run({"build", "-o", sdw + ".sqw", "0=" + sdw}), status) << elevation << err;
    }
}

}  // namespace
}  // namespace ravesect::cli
