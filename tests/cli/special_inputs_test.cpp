// Ravelog's verbs against inputs that are no ordinary file: devices and pipes are refused without
// being opened, a batch goes on with its good files, and an output folder that is a file is an
// input refused (1), not a usage error (2).
#include <gtest/gtest.h>

#include "cli_runner.h"
#include "named_pipe.h"

namespace ravelog::cli::testing {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

class SpecialInputsTest : public CliTest {
protected:
    fs::path Sounding(const std::string& name) {
        return Temp().Write(name, TempFolder::Read(Example("example-short.sdw")));
    }
};

TEST_F(SpecialInputsTest, DevicesAndPipesAreRefusedByEveryVerb) {
    const rave::testing::NamedPipe pipe(Folder() / "fifo.sdw");
    ASSERT_TRUE(pipe.ok());
    const std::string out = (Folder() / "out.sdw").string();
    for (const std::string& input : {std::string("/dev/null"), pipe.string()}) {
        for (const std::vector<std::string>& arguments : {std::vector<std::string>{"info", input},
                                                          {"save", input, "-o", out},
                                                          {"check", input, "--footing-depth", "1"},
                                                          {"import", "csv", input, "-o", out}}) {
            const CliResult result = Run(arguments);
            EXPECT_EQ(result.exitCode, 1) << arguments[0] << ' ' << input;
            EXPECT_NE(result.err.find("通常のファイルではありません"), std::string::npos)
                << arguments[0] << ": " << result.err;
        }
    }
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(SpecialInputsTest, ABatchGoesOnPastAPipe) {
    const rave::testing::NamedPipe pipe(Folder() / "fifo.sdw");
    ASSERT_TRUE(pipe.ok());
    const fs::path a = Sounding("a.sdw");
    const fs::path c = Sounding("c.sdw");
    const fs::path out = Folder() / "out";
    const CliResult result =
        Run({"render", a.string(), pipe.string(), c.string(), "-o", out.string() + "/", "--dpi", "10"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(pipe.string()), std::string::npos) << result.err;
    EXPECT_TRUE(fs::exists(out / "a.pdf"));
    EXPECT_TRUE(fs::exists(out / "c.pdf"));
}

TEST_F(SpecialInputsTest, AnOutputFolderThatIsAFileRefusesTheRun) {
    const fs::path file = Temp().Write("taken", "a file\n");
    const CliResult result =
        Run({"render", Sounding("a.sdw").string(), Sounding("c.sdw").string(), "-o", file.string() + "/"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("同じ名前のファイルがあります"), std::string::npos) << result.err;
    EXPECT_EQ(TempFolder::Read(file), "a file\n");
}

}  // namespace
}  // namespace ravelog::cli::testing
