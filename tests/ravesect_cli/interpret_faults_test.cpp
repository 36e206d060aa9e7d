// The interpret verb on sections as offices have them: logs out of order, at one distance, without
// usable layers or at impossible elevations; deleted points a layer still lists; titles full;
// thicknesses that are no number; and replacing twice. Each case is the example section with a few
// of its lines changed.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "apps/ravesect_cli.h"
#include "platform/codec.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

using Json = nlohmann::json;
using Lines = std::vector<std::string>;
const std::string kExamples = std::string(RAVE_SOURCE_DIR) + "/examples/";

// The lines of a section file (CR LF) and the line `offset` after the one that reads `marker`.
Lines Split(const std::string& bytes) {
    Lines lines;
    for (std::size_t at = 0, end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
        lines.push_back(bytes.substr(at, end - at));
    }
    return lines;
}
std::string& After(Lines& lines, const std::string& marker, int offset) {
    const auto found = std::find(lines.begin(), lines.end(), marker);
    EXPECT_NE(found, lines.end()) << marker;
    return *(found + offset);
}

class InterpretFaults : public ::testing::Test {
protected:
    rave::testing::TempFolder folder;
    std::string err;
    int Run(std::vector<std::string> arguments, Json* json = nullptr) {
        arguments.insert(arguments.end(), {"--install-folder", (folder.path() / "install").string()});
        std::ostringstream out, errors;
        const int status = RunRavesectCommandLine(arguments, out, errors);
        err = errors.str();
        if (json != nullptr && status == 0) {
            *json = Json::parse(out.str());
        }
        return status;
    }
    // The example section changed by `edit`, written as NAME.sqw.
    std::string Section(const std::string& name, const std::function<void(Lines&)>& edit) {
        Lines lines =
            Split(rave::testing::TempFolder::Read(kExamples + "section/example-interpretation.sqw"));
        edit(lines);
        std::string bytes;
        for (const std::string& line : lines) {
            bytes += line + "\r\n";
        }
        return folder.Write(name + ".sqw", bytes).string();
    }
    Json Info(const std::string& section) {
        Json json;
        EXPECT_EQ(Run({"info", section}, &json), 0);
        return json;
    }
};

// Slots 1..6 hold logs at 0, 12.5, 20, 31, 45 and 60 m (the deepest 13.5 m); slot 3 (P-1) is the
// middle of three; layer 4 lists point 29 (0, 1), which is never moved, nor defined once deleted.
TEST_F(InterpretFaults, LogsPointsTitlesAndOptionsAsOfficesHaveThem) {
    const std::string sand = *rave::platform::Utf8ToCp932("0.00,砂,400.1");
    const auto onlySand = [&](Lines& l) {
        After(l, "$$Z3", 22) = sand;
        l.erase(l.begin() + (&After(l, "$$Z3", 23) - l.data()),
                l.begin() + (&After(l, "$$Z3", 25) - l.data()));
    };
    const auto titlesFull = [](Lines& l) {
        for (int n = 7; n <= 50; ++n) {
            After(l, "$$Z HY", n) = "10.00,1.00,memo,1";
        }
    };
    const auto none = [](Lines&) {};
    const std::vector<int> bySlot{1, 2, 3, 4, 5, 6};
    const struct {
        std::function<void(Lines&)> edit;
        std::vector<std::string> options;
        int status;
        const char* says;
        std::vector<int> order;  // the logs by distance: links join neighbours of this order only
    } cases[] = {
        {onlySand, {}, 0, "", {1, 2, 4, 5, 6}},
        {[](Lines& l) { After(l, "$$Z1", 1) = "45.00", After(l, "$$Z5", 1) = "0.00"; },
         {},
         0,
         "",
         {5, 2, 3, 4, 1, 6}},
        {[](Lines& l) { After(l, "$$Z PO", 29) = "-9999.99,-9999.99,29"; }, {}, 0, "", bySlot},
        {[](Lines& l) { After(l, "$$Z2", 1) = "20.00"; }, {}, 1, "同じ距離 20.00 m", {}},
        {[](Lines& l) { After(l, "$$Z2", 7) = "99999.99"; }, {}, 1, "標高 99999.99 m は断面図に保存でき", {}},
        {[](Lines& l) { After(l, "$$Z2", 7) = "1e9"; }, {}, 1, "保存できません", {}},
        {[](Lines& l) { After(l, "$$Z2", 7) = "-9999.99"; }, {}, 1, "保存できません", {}},
        {titlesFull, {"--replace"}, 1, "標題記事が 50 件すべて使われている", {}},
        {none, {"--min-thickness", "nan"}, 2, "0 から断面図で最も深い", {}},
        {none, {"--min-thickness", "1e9"}, 2, "0 から断面図で最も深い", {}},
        {none, {"--min-thickness", " 0.3"}, 2, "0 から断面図で最も深い", {}},
        {none, {"--min-thickness", "-1"}, 2, "0 から断面図で最も深い", {}},
        {none, {"--min-thickness", "13.51"}, 2, "(0 から 13.50 m まで", {}},
        {none, {"--min-thickness", "13.5"}, 0, "", bySlot},
    };
    int number = 0;
    for (const auto& c : cases) {
        const std::string input = Section(std::to_string(++number), c.edit), output = input + ".out.sqw";
        std::vector<std::string> arguments{"interpret", input, "-o", output, "--json"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        Json proposal;
        ASSERT_EQ(Run(arguments, &proposal), c.status) << number << ": " << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << number << ": " << err;
        EXPECT_EQ(err.find("--replace で置き換えられます"), std::string::npos) << number << ": " << err;
        EXPECT_LT(err.size(), 300u) << number << ": " << err;
        EXPECT_EQ(std::filesystem::exists(output), c.status == 0) << number;
        for (const Json& link : proposal["links"]) {
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

TEST_F(InterpretFaults, ReplacingTwiceLeavesTheEngineersTitlesAndOneProposals) {
    const std::string once = Section("once", [](Lines&) {}) + ".out.sqw", twice = once + ".out.sqw";
    Json proposal;
    ASSERT_EQ(Run({"interpret", kExamples + "section/example-interpretation.sqw", "-o", once, "--replace",
                   "--json"},
                  &proposal),
              0);
    ASSERT_EQ(Run({"interpret", once, "-o", twice, "--replace"}), 0);
    const Json titles = Info(twice)["titles"];
    EXPECT_EQ(titles, Info(once)["titles"]);
    EXPECT_EQ(titles.size(), 6 + proposal["units"].size()) << titles.dump();
}

TEST_F(InterpretFaults, BuildRefusesAnElevationTheSectionCannotHold) {
    const std::string log = rave::testing::TempFolder::Read(kExamples + "example-short.sdw");
    for (const auto& [elevation, status] :
         {std::pair{"99999.99", 1}, {"1e9", 1}, {"-9999.99", 1}, {"9999.00", 0}}) {
        std::string changed = log;
        changed.replace(changed.find("\r\n12.35\r\n") + 2, 5, elevation);
        const std::string sdw = folder.Write("high.sdw", changed).string();
        EXPECT_EQ(Run({"build", "-o", sdw + ".sqw", "0=" + sdw}), status) << elevation << err;
    }
}

}  // namespace
}  // namespace ravesect::cli
