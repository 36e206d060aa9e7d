// The interpret verb on sections as offices have them: logs out of order, at one distance, without
// usable layers or at impossible elevations; deleted points a layer still lists; titles full; and
// replacing twice. Each case is the example section with a few of its lines changed.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
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
        Lines lines = Split(rave::testing::TempFolder::Read(kExamples + "section/example-interpretation.sqw"));
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

// Slots 1..6 hold logs at 0, 12.5, 20, 31, 45 and 60 m; slot 3 (P-1) is the middle of three.
TEST_F(InterpretFaults, LogsAreTakenByDistanceOnlyWhenTheSectionCanHoldThem) {
    const std::string sand = *rave::platform::Utf8ToCp932("0.00,砂,400.1");
    const auto onlySand = [&](Lines& l) {
        After(l, "$$Z3", 22) = sand;
        l.erase(std::find(l.begin(), l.end(), sand) + 1, std::find(l.begin(), l.end(), sand) + 3);
    };
    const struct {
        const char* name;
        std::function<void(Lines&)> edit;
        int status;
        const char* says;
        int leftOut;  // the slot no link may touch
    } cases[] = {
        {"zero-depth", onlySand, 0, "", 3},
        {"slot-order", [](Lines& l) { After(l, "$$Z1", 1) = "45.00", After(l, "$$Z5", 1) = "0.00"; }, 0, "", 0},
        {"same-distance", [](Lines& l) { After(l, "$$Z2", 1) = "20.00"; }, 1, "同じ距離 20.00 m", 0},
        {"too-high", [](Lines& l) { After(l, "$$Z2", 7) = "99999.99"; }, 1, "標高 99999.99 m は断面図に保存でき", 0},
        {"far-too-high", [](Lines& l) { After(l, "$$Z2", 7) = "1e9"; }, 1, "保存できません", 0},
        {"too-low", [](Lines& l) { After(l, "$$Z2", 7) = "-9999.99"; }, 1, "保存できません", 0},
    };
    for (const auto& c : cases) {
        const std::string output = (folder.path() / (std::string(c.name) + "-out.sqw")).string();
        Json proposal;
        ASSERT_EQ(Run({"interpret", Section(c.name, c.edit), "-o", output, "--json"}, &proposal), c.status)
            << c.name << ": " << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << c.name << ": " << err;
        if (c.status != 0) {
            EXPECT_FALSE(std::filesystem::exists(output)) << c.name;
            continue;
        }
        // Every link joins two logs that are neighbours by distance.
        std::map<double, int> byDistance;
        const Json written = Info(output);
        for (const Json& column : written["columns"]) {
            if (column["slot"] != c.leftOut && !column["fields"][1].get<std::string>().empty()) {
                byDistance[std::stod(column["fields"][0].get<std::string>())] = column["slot"];
            }
        }
        std::vector<int> order;
        for (const auto& [at, slot] : byDistance) {
            order.push_back(slot);
        }
        for (const Json& link : proposal["links"]) {
            const auto from = std::find(order.begin(), order.end(), link["fromSlot"].get<int>());
            const auto to = std::find(order.begin(), order.end(), link["toSlot"].get<int>());
            EXPECT_TRUE(from != order.end() && to != order.end() && std::abs(from - to) == 1)
                << c.name << ": " << link.dump();
        }
    }
}

TEST_F(InterpretFaults, AddingNeverTakesAPointALayerLists) {
    // Point 29, deleted as the point dialog deletes, is still listed by layer 4.
    const std::string section = Section("deleted", [](Lines& l) { After(l, "$$Z PO", 29) = "-9999.99,-9999.99,29"; });
    const std::string output = (folder.path() / "added.sqw").string();
    ASSERT_EQ(Run({"interpret", section, "-o", output}), 0) << err;
    const Json before = Info(section), after = Info(output);
    for (const Json& point : after["points"]) {
        EXPECT_NE(point["number"], 29);
    }
    for (int n = 0; n < 5; ++n) {
        EXPECT_EQ(after["layers"][n]["points"], before["layers"][n]["points"]);
    }
}

TEST_F(InterpretFaults, ReplacingTwiceLeavesTheEngineersTitlesAndOneProposals) {
    const std::string once = (folder.path() / "once.sqw").string(), twice = (folder.path() / "twice.sqw").string();
    Json proposal;
    ASSERT_EQ(Run({"interpret", kExamples + "section/example-interpretation.sqw", "-o", once, "--replace", "--json"}, &proposal), 0);
    ASSERT_EQ(Run({"interpret", once, "-o", twice, "--replace"}), 0);
    const Json titles = Info(twice)["titles"];
    EXPECT_EQ(titles, Info(once)["titles"]);
    EXPECT_EQ(titles.size(), 6 + proposal["units"].size()) << titles.dump();
}

TEST_F(InterpretFaults, MinThicknessIsANumberFromZeroToTheDeepestLog) {
    const std::string example = kExamples + "section/example-interpretation.sqw";
    const std::string output = (folder.path() / "out.sqw").string();
    for (const char* value : {"nan", "NaN", "1e9", " 0.3", "-1", "inf", "", "1000"}) {
        EXPECT_EQ(Run({"interpret", example, "-o", output, "--min-thickness", value}), 2) << value;
        EXPECT_NE(err.find("0 から"), std::string::npos) << value << ": " << err;
        EXPECT_LT(err.size(), 300u) << err;
    }
    for (const char* value : {"0", "0.3", "12"}) {
        EXPECT_EQ(Run({"interpret", example, "-o", output, "--min-thickness", value}), 0) << value << ": " << err;
    }
}

TEST_F(InterpretFaults, TitlesInUseAreNamedWhenReplacingCannotHelp) {
    const std::string full = Section("full", [](Lines& l) {
        for (int n = 7; n <= 50; ++n) {
            After(l, "$$Z HY", n) = "10.00,1.00,memo,1";
        }
    });
    EXPECT_EQ(Run({"interpret", full, "-o", (folder.path() / "out.sqw").string(), "--replace"}), 1);
    EXPECT_EQ(err.find("--replace で置き換えられます"), std::string::npos) << err;
    EXPECT_NE(err.find("標題記事が 50 件すべて使われている"), std::string::npos) << err;
}

TEST_F(InterpretFaults, BuildRefusesAnElevationTheSectionCannotHold) {
    const std::string log = rave::testing::TempFolder::Read(kExamples + "example-short.sdw");
    for (const auto& [elevation, status] : {std::pair{"99999.99", 1}, {"1e9", 1}, {"-9999.99", 1}, {"9999.00", 0}}) {
        std::string changed = log;
        changed.replace(changed.find("\r\n12.35\r\n") + 2, 5, elevation);
        const std::string sdw = folder.Write("high.sdw", changed).string();
        EXPECT_EQ(Run({"build", "-o", (folder.path() / "built.sqw").string(), "0=" + sdw}), status) << elevation << err;
    }
}

}  // namespace
}  // namespace ravesect::cli
