// Ravelog's verbs refuse devices and pipes without opening them, a batch goes on past one, and an
// output folder that is a file refuses the run as an input would be (1), not as a usage error (2).
#include <gtest/gtest.h>

#include "cli_runner.h"
#ifndef _WIN32
#include "named_pipe.h"
#endif

namespace ravelog::cli::testing {
namespace {

namespace fs = std::filesystem;

class SpecialInputsTest : public CliTest {
protected:
    std::string Sounding(const char* name) {
        return Temp().Write(name, rave::testing::TempFolder::Read(Example("example-short.sdw"))).string();
    }
};

#ifndef _WIN32  // devices and named pipes in the file system are POSIX's
TEST_F(SpecialInputsTest, DevicesAndPipesAreRefusedAndABatchGoesOn) {
    const rave::testing::NamedPipe pipe(Folder() / "fifo.sdw");
    ASSERT_TRUE(pipe.ok);
    const std::string out = (Folder() / "out.sdw").string();
    for (const std::string& input : {std::string("/dev/null"), pipe.path.string()}) {
        for (const std::vector<std::string>& arguments : {std::vector<std::string>{"info", input},
                                                          {"save", input, "-o", out},
                                                          {"import", "csv", input, "-o", out}}) {
            const CliResult result = Run(arguments);
            EXPECT_EQ(result.exitCode, 1) << arguments[0] << ' ' << input;
            EXPECT_NE(result.err.find("通常のファイルではありません"), std::string::npos) << result.err;
        }
    }
    const fs::path folder = Folder() / "pages";
    const CliResult batch = Run(
        {"render", Sounding("a.sdw"), pipe.path.string(), Sounding("c.sdw"), "-o", folder.string() + "/"});
    EXPECT_EQ(batch.exitCode, 1);
    EXPECT_TRUE(fs::exists(folder / "a.pdf") && fs::exists(folder / "c.pdf")) << batch.err;
    EXPECT_FALSE(fs::exists(out));
}
#endif

TEST_F(SpecialInputsTest, AnOutputFolderThatIsAFileRefusesTheRun) {
    const std::string file = Temp().Write("taken", "a file\n").string();
    const CliResult result = Run({"render", Sounding("a.sdw"), Sounding("c.sdw"), "-o", file + "/"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("同じ名前のファイルがあります"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace ravelog::cli::testing
