// Ravelog's command line against careless and hostile input: an import over its own source,
// inputs that hold nothing, empty option values and the exit status of every usage error.
#include <gtest/gtest.h>

#include <random>

#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

using rave::testing::TempFolder;

class HardeningTest : public CliTest {
protected:
    std::filesystem::path Output() const { return Folder() / "out.sdw"; }
};

TEST_F(HardeningTest, ImportNeverWritesOverItsSource) {
    const auto same = WriteCp932("same.sdw", "1.00 0 0.25\r\n");
    const CliResult result = Run({"import", "space", same.string(), "-o", same.string()});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("is the file being imported"), std::string::npos) << result.err;
    EXPECT_EQ(TempFolder::Read(same), "1.00 0 0.25\r\n");
}

TEST_F(HardeningTest, ImportOfNothingWritesNothing) {
    std::string binary(4096, '\0');
    std::mt19937 generator(5);
    for (char& c : binary) {
        c = static_cast<char>(generator());
    }
    for (const auto& file : {Temp().Write("empty.csv", ""), WriteCp932("header.csv", "深度,荷重,半回転\r\n"),
                             Temp().Write("binary.csv", binary)}) {
        const CliResult result = Run({"import", "csv", file.string(), "-o", Output().string()});
        EXPECT_EQ(result.exitCode, 1) << file;
        EXPECT_NE(result.err, "") << file;
        EXPECT_FALSE(std::filesystem::exists(Output())) << file;
    }
}

TEST_F(HardeningTest, SoundingsThatHoldNothingAreRefused) {
    std::string random(5 << 20, '\0');
    std::mt19937 generator(11);
    for (char& c : random) {
        c = static_cast<char>(generator());
    }
    for (const auto& file : {Temp().Write("garbage.sdw", "$$_SWJVERAN304\r\n" + random),
                             Temp().Write("magic.sdw", "$$_SWJVERAN304\r\n$$Z\r\n$$A\r\n$$C\r\n")}) {
        for (const char* verb : {"info", "save"}) {
            std::vector<std::string> arguments{verb, file.string()};
            if (std::string(verb) == "save") {
                arguments.insert(arguments.end(), {"-o", Output().string()});
            }
            const CliResult result = Run(arguments);
            EXPECT_EQ(result.exitCode, 1) << verb << " " << file;
            EXPECT_NE(result.err.find("not a sounding file"), std::string::npos) << result.err;
        }
    }
    EXPECT_FALSE(std::filesystem::exists(Output()));
}

TEST_F(HardeningTest, UsageErrors) {
    const std::string example = Example("example-short.sdw").string();
    struct Case {
        std::vector<std::string> arguments;
        const char* says;
    };
    for (const Case& c :
         {Case{{"info", example, "--install-folder", ""}, "--install-folder"},
          Case{{"import", "csv", example, "-o", Output().string(), "--from", "0"}, "(1 以上)"},
          Case{{"import", "csv", example, "-o", Output().string(), "--to", "-3"}, "(1 以上)"}}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunRavelogCommandLine(c.arguments, out, err), 2) << c.says;
        EXPECT_NE(err.str().find(c.says), std::string::npos) << err.str();
    }
    EXPECT_TRUE(IsCommandLineVerb({"--install-folder", "", "info", example}));
    EXPECT_FALSE(IsCommandLineVerb({"--install-folder", "x"}));
}

TEST_F(HardeningTest, AfterTwoDashesEveryWordIsAFile) {
    const auto dashed = Temp().Write("--help.sdw", TempFolder::Read(Example("example-short.sdw"))).string();
    const std::string install = "--install-folder=" + InstallFolder().string();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunRavelogCommandLine({install, "save", "--", dashed, "-o", Output().string()}, out, err), 2);
    EXPECT_NE(err.str().find("after -- every word is a file name, -o too"), std::string::npos) << err.str();
    EXPECT_EQ(RunRavelogCommandLine({install, "save", "-o", Output().string(), "--", dashed}, out, err), 0);
    EXPECT_TRUE(std::filesystem::exists(Output())) << err.str();
}

}  // namespace
}  // namespace ravelog::cli::testing
