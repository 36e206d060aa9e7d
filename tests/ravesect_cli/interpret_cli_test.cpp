// The interpret verb: the proposal written into a copy of the section, its JSON, and the runs
// that must fail without touching any file.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "apps/ravesect_cli.h"
#include "common/text_file.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

using Json = nlohmann::json;

int RunVerb(const std::vector<std::string>& arguments, std::string* out = nullptr) {
    std::ostringstream o;
    std::ostringstream e;
    const int status = RunRavesectCommandLine(arguments, o, e);
    if (out != nullptr) {
        *out = o.str();
    }
    return status;
}

const std::string kExample = std::string(RAVE_SOURCE_DIR) + "/examples/section/example-interpretation.sqw";

TEST(InterpretCli, WritesTheProposalOrRefusesWithoutTouchingFiles) {
    rave::testing::TempFolder folder;
    const std::string install = (folder.path() / "install").string();
    const std::string output = (folder.path() / "out.sqw").string();
    std::string out;
    ASSERT_EQ(
        RunVerb({"interpret", kExample, "-o", output, "--replace", "--json", "--install-folder", install},
                &out),
        0);
    const Json json = Json::parse(out);
    ASSERT_GE(json["units"].size(), 3u);
    EXPECT_EQ(json["units"][0]["columns"][0]["top"], 0.0);  // the top unit starts at the ground
    EXPECT_FALSE(json["links"][0]["reason"].get<std::string>().empty());
    std::string info;
    ASSERT_EQ(RunVerb({"info", output}, &info), 0);
    EXPECT_EQ(Json::parse(info)["layers"].size(), json["units"].size());

    rave::WriteFileAtomically(output, "old");
    const std::string single = (folder.path() / "single.sqw").string();
    ASSERT_EQ(RunVerb({"build", "-o", single, "--install-folder", install,
                       "5=" + std::string(RAVE_SOURCE_DIR) + "/examples/example-short.sdw"}),
              0);
    const std::string notSection = (folder.path() / "notes.sqw").string();
    rave::WriteFileAtomically(notSection, "not a section\r\n");
    for (const std::string& input : {single, notSection, output}) {
        EXPECT_EQ(RunVerb({"interpret", input, "-o", output, "--install-folder", install}), 1) << input;
        EXPECT_EQ(rave::ReadFileBytes(output).value_or(""), "old");
    }
    EXPECT_EQ(RunVerb({"interpret", kExample, "-o", output, "--min-thickness", "-1"}), 2);
    // --band: a plain number from 0 to the deepest log (13.50 m here).
    for (const char* band : {"nan", "-1", "1e9", " 0.3", "", "13.6", "inf"}) {
        EXPECT_EQ(RunVerb({"interpret", kExample, "-o", output, "--install-folder", install, "--band", band}),
                  2)
            << band;
        EXPECT_EQ(rave::ReadFileBytes(output).value_or(""), "old");
    }
    for (const char* band : {"0", "13.5", "2"}) {
        EXPECT_EQ(RunVerb({"interpret", kExample, "-o", output, "--install-folder", install, "--band", band,
                           "--replace"}),
                  0)
            << band;
    }
}

}  // namespace
}  // namespace ravesect::cli
