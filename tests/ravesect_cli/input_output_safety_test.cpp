// Ravesect's command line reads a section whatever its line ends, never renders over an input,
// plans a batch's names before writing, and takes distances only as whole numbers.
#include <gtest/gtest.h>

#include <sstream>

#include "apps/ravesect_cli.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

struct SectRun {
    int status = 0;
    std::string out;
    std::string err;
};

class SectionSafetyTest : public ::testing::Test {
protected:
    SectRun Ravesect(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--install-folder", (folder.path() / "install").string()});
        std::ostringstream out;
        std::ostringstream err;
        SectRun run;
        run.status = RunRavesectCommandLine(arguments, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }
    static std::string Section() {
        return TempFolder::Read(std::string(RAVE_SOURCE_DIR) + "/examples/section/example-section.sqw");
    }
    TempFolder folder;
};

TEST_F(SectionSafetyTest, ASectionReadsAlikeWithAnyLineEnds) {
    const std::string crlf = Section();
    std::string firstCr = crlf;
    firstCr.erase(firstCr.find("\r\n") + 1, 1);
    std::string crOnly;
    std::string lfOnly;
    for (char c : crlf) {
        if (c != '\n') {
            crOnly += c;
        }
        if (c != '\r') {
            lfOnly += c;
        }
    }
    const SectRun expected = Ravesect({"info", folder.Write("crlf.sqw", crlf).string()});
    ASSERT_EQ(expected.status, 0) << expected.err;
    for (const auto& [name, bytes] : {std::pair<const char*, std::string>{"first-cr.sqw", firstCr},
                                      {"cr.sqw", crOnly},
                                      {"lf.sqw", lfOnly}}) {
        const SectRun run = Ravesect({"info", folder.Write(name, bytes).string()});
        EXPECT_EQ(run.status, 0) << name << run.err;
        EXPECT_TRUE(run.out == expected.out) << name << " reads otherwise than its CR LF copy";
    }
}

TEST_F(SectionSafetyTest, RenderNeverWritesOverAnInputAndPlansItsNames) {
    const fs::path section = folder.Write("s.sqw", Section());
    if (rave::testing::MakeLinkWherePossible(section, folder.path() / "s.pdf")) {
        const SectRun link = Ravesect({"render", section.string(), "-o", (folder.path() / "s.pdf").string()});
        EXPECT_EQ(link.status, 1);
        EXPECT_NE(link.err.find("s.sqw"), std::string::npos) << link.err;
        EXPECT_EQ(TempFolder::Read(section), Section());
    }

    const fs::path a = folder.Write("a/x.sqw", Section());
    const fs::path b = folder.Write("b/x.sqw", Section());
    const fs::path out = folder.path() / "out";
    const SectRun same = Ravesect({"render", a.string(), b.string(), "-o", out.string() + "/"});
    EXPECT_EQ(same.status, 1);
    EXPECT_NE(same.err.find(a.string()), std::string::npos) << same.err;
    EXPECT_NE(same.err.find(b.string()), std::string::npos) << same.err;
    EXPECT_FALSE(fs::exists(out));

    const SectRun many =
        Ravesect({"render", a.string(), b.string(), "-o", (folder.path() / "m.pdf").string()});
    EXPECT_EQ(many.status, 2);
    EXPECT_FALSE(fs::exists(folder.path() / "m.pdf"));
}

TEST_F(SectionSafetyTest, UsageErrorsAndRefusals) {
    const std::string log = std::string(RAVE_SOURCE_DIR) + "/examples/example-short.sdw";
    const std::string output = (folder.path() / "n.sqw").string();
    for (const char* distance : {"1,5", "1.5x", "0x10"}) {
        const SectRun run = Ravesect({"build", "-o", output, std::string(distance) + "=" + log});
        EXPECT_EQ(run.status, 2) << distance;
        EXPECT_NE(run.err.find(distance), std::string::npos) << run.err;
    }
    const SectRun dpi = Ravesect({"render", folder.Write("s.sqw", Section()).string(), "-o",
                                  (folder.path() / "s.png").string(), "--dpi", "0x20"});
    EXPECT_EQ(dpi.status, 2);
    const SectRun directory = Ravesect({"info", folder.path().string()});
    EXPECT_EQ(directory.status, 1);
    EXPECT_NE(directory.err.find("フォルダです"), std::string::npos) << directory.err;
    EXPECT_FALSE(fs::exists(output));

    // A log file whose name ends in .sqw is an input that -o must not replace (input rejected).
    const fs::path log2 = folder.Write("log.sqw", TempFolder::Read(log));
    const SectRun self = Ravesect({"build", "-o", log2.string(), "0=" + log2.string()});
    EXPECT_EQ(self.status, 1);
    EXPECT_NE(self.err.find("is one of the inputs"), std::string::npos) << self.err;
    EXPECT_EQ(TempFolder::Read(log2), TempFolder::Read(log));
}

}  // namespace
}  // namespace ravesect::cli
