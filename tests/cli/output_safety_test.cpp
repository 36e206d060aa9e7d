// Ravelog's render never writes over one of its inputs (same name, a link, a page name) and plans
// a batch's names before writing any; several inputs need an output folder; --jobs is bounded.
#include <gtest/gtest.h>

#include <thread>

#include "apps/cli_shared.h"
#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

class OutputSafetyTest : public CliTest {
protected:
    fs::path Copy(const std::string& name, const std::string& example) {
        return Temp().Write(name, TempFolder::Read(Example(example)));
    }
    // A run that must be refused with rc 1, naming every text of `names`, leaving `input` as it was.
    void ExpectRefused(const std::vector<std::string>& arguments, const fs::path& input,
                       const std::vector<std::string>& names) {
        const std::string before = TempFolder::Read(input);
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 1) << result.err;
        for (const std::string& name : names) {
            EXPECT_NE(result.err.find(name), std::string::npos) << name << " in " << result.err;
        }
        EXPECT_EQ(TempFolder::Read(input), before) << input;
    }
};

TEST_F(OutputSafetyTest, RenderNeverWritesOverAnInput) {
    const fs::path sounding = Copy("s.sdw", "example-short.sdw");
    const bool linked = rave::testing::MakeLinkWherePossible(sounding, Folder() / "s.pdf");
    const fs::path namedPdf = Copy("e.pdf", "example-short.sdw");
    // Page 2 of long.png is long-2.png, which is the input itself.
    const fs::path pageName = Copy("long-2.png", "example-long.sdw");

    if (linked) {
        ExpectRefused({"render", sounding.string(), "-o", (Folder() / "s.pdf").string()}, sounding,
                      {"s.sdw"});
    }
    ExpectRefused({"render", namedPdf.string(), "-o", namedPdf.string()}, namedPdf, {"e.pdf"});
    ExpectRefused({"render", pageName.string(), "-o", (Folder() / "long.png").string(), "--dpi", "10"},
                  pageName, {"long-2.png"});
    EXPECT_FALSE(fs::exists(Folder() / "long-1.png")) << "no page is written before the check";

    // A link inside the batch folder: nothing of the batch is written.
    fs::create_directory(Folder() / "out");
    if (!rave::testing::MakeLinkWherePossible(sounding, Folder() / "out" / "s.pdf")) {
        return;
    }
    ExpectRefused({"render", namedPdf.string(), sounding.string(), "-o", (Folder() / "out").string() + "/"},
                  sounding, {"s.sdw"});
    EXPECT_FALSE(fs::exists(Folder() / "out" / "e.pdf"));
}

TEST_F(OutputSafetyTest, BatchNamesThatCollideAreRefusedBeforeAnythingIsWritten) {
    const fs::path longSheet = Copy("long.sdw", "example-long.sdw");
    const fs::path longOne = Copy("long-1.sdw", "example-short.sdw");
    const fs::path a = Copy("a/short.sdw", "example-short.sdw");
    const fs::path b = Copy("b/short.sdw", "example-short.sdw");
    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> names;
    };
    const std::string out = (Folder() / "out").string() + "/";
    for (const Case& c : {Case{{longOne.string(), longSheet.string(), "--type", "png", "--dpi", "10"},
                               {"long-1.png", longOne.string(), longSheet.string()}},
                          Case{{a.string(), b.string()}, {a.string(), b.string()}}}) {
        std::vector<std::string> arguments{"render"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        arguments.insert(arguments.end(), {"-o", out});
        ExpectRefused(arguments, longSheet, c.names);
        EXPECT_FALSE(fs::exists(out)) << "nothing is written, not even the folder";
    }
    // One PDF each cannot collide.
    EXPECT_EQ(Run({"render", longOne.string(), longSheet.string(), "-o", out, "--dpi", "10"}).exitCode, 0);
}

TEST_F(OutputSafetyTest, SeveralInputsNeedAFolderAndJobsAreBounded) {
    const std::string example = Example("example-short.sdw").string();
    const CliResult many = Run({"render", example, example, "-o", (Folder() / "m.png").string()});
    EXPECT_EQ(many.exitCode, 2);
    EXPECT_NE(many.err.find("m.png"), std::string::npos) << many.err;
    EXPECT_FALSE(fs::exists(Folder() / "m.png"));

    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    EXPECT_EQ(rave::cli::BatchThreads(1000, 8), std::min<std::size_t>(cores, 8));
    EXPECT_EQ(rave::cli::BatchThreads(0, 1), 1u);
    EXPECT_EQ(rave::cli::BatchThreads(1, 50), 1u);
}

}  // namespace
}  // namespace ravelog::cli::testing
