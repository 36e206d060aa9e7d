// An output file its owner protected (no write permission, or another user's file in a folder
// everyone may write) is refused, as cp refuses it, and stays as it was: the new file is never
// renamed over it. Run as the administrator too, who could write any file.
#include <gtest/gtest.h>
#include <unistd.h>

#include "cli_runner.h"

namespace ravelog::cli::testing {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

TEST_F(CliTest, AReadOnlyOutputIsRefusedAndKept) {
    const std::string sounding = Example("example-short.sdw").string();
    struct Case {
        const char* output;
        bool otherOwner;
        std::vector<std::string> arguments;
    };
    for (const Case& c : {Case{"ro.sdw", false, {"save", sounding, "-o"}}, Case{"ro.pdf", false, {"render", sounding, "-o"}},
                          Case{"theirs.sdw", true, {"save", sounding, "-o"}}}) {
        const fs::path output = Temp().Write(c.output, "kept\r\n");
        if (c.otherOwner) {
            // Only the administrator can give a file away; the case needs it.
            if (::geteuid() != 0) {
                continue;
            }
            ASSERT_EQ(::chown(output.c_str(), 65534, 65534), 0);
            fs::permissions(output, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                        fs::perms::others_read);
        } else {
            fs::permissions(output, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        }
        std::vector<std::string> arguments = c.arguments;
        arguments.push_back(output.string());
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 1) << c.output << result.err;
        const bool saysWhy = result.err.find("読み取り専用") != std::string::npos ||
                             result.err.find("read-only") != std::string::npos;
        EXPECT_TRUE(saysWhy) << result.err;
        EXPECT_EQ(TempFolder::Read(output), "kept\r\n") << c.output;
    }
}

}  // namespace
}  // namespace ravelog::cli::testing
