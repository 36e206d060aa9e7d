// --install-folder on every Ravelog verb: accepted before or after the verb, the folder created
// from the shipped data on first use, and never a settings or font file written by a
// command-line run. An install folder that cannot be made is refused with a message.
#include <gtest/gtest.h>

#include <sstream>

#include "apps/ravelog_cli.h"
#include "qt_test_application.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

namespace fs = std::filesystem;

struct RunResult {
    int status = 0;
    std::string err;
};

class InstallFolderVerbs : public ::testing::Test {
protected:
    InstallFolderVerbs() { rave::platform::testing::TestApplication(); }

    static RunResult Run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        RunResult run;
        run.status = cli::RunRavelogCommandLine(arguments, out, err);
        run.err = err.str();
        return run;
    }

    static std::string Example(const std::string& name) {
        return std::string(RAVE_SOURCE_DIR) + "/examples/" + name;
    }

    // Each verb that reads the install folder, with its own arguments.
    std::vector<std::vector<std::string>> Verbs() const {
        const std::string out = (folder.path() / "out").string();
        return {
            {"info", Example("example-short.sdw"), "--refresh"},
            {"save", Example("example-short.sdw"), "-o", out + ".sdw", "--refresh"},
            {"import", "csv", Example("example-import.csv"), "-o", out + "-import.sdw"},
            {"render", Example("example-short.sdw"), "-o", out + ".png", "--pages", "1", "--dpi", "30"},
            {"qa", Example("example-short.sdw"), "--from", "0.25", "--to", "1.0"},
        };
    }

    // The settings files stay as the install folder was created: the shipped copy when data/
    // has one, absent otherwise.
    static void ExpectNoSettingsWritten(const fs::path& install) {
        std::vector<std::string> names{"Sys.ndx"};
        for (int n = 1; n <= 5; ++n) {
            names.push_back("Font" + std::to_string(n) + ".ndx");
        }
        const fs::path data = fs::path(RAVE_SOURCE_DIR) / "data";
        for (const std::string& name : names) {
            if (fs::exists(data / name)) {
                EXPECT_EQ(rave::testing::TempFolder::Read(install / name),
                          rave::testing::TempFolder::Read(data / name))
                    << name;
            } else {
                EXPECT_FALSE(fs::exists(install / name)) << name;
            }
        }
    }

    rave::testing::TempFolder folder;
};

TEST_F(InstallFolderVerbs, EveryVerbCreatesTheNamedFolderFromTheShippedData) {
    int i = 0;
    for (std::vector<std::string> arguments : Verbs()) {
        const fs::path install = folder.path() / ("install" + std::to_string(++i));
        arguments.push_back("--install-folder");
        arguments.push_back(install.string());
        const RunResult run = Run(arguments);
        EXPECT_EQ(run.status, 0) << arguments[0] << ": " << run.err;
        EXPECT_TRUE(fs::exists(install / "WdtvxJG.mst")) << arguments[0];
        EXPECT_TRUE(fs::exists(install / "Help.txt")) << arguments[0];
        ExpectNoSettingsWritten(install);
    }
}

TEST_F(InstallFolderVerbs, TheOptionMayStandBeforeTheVerb) {
    int i = 0;
    for (const std::vector<std::string>& verb : Verbs()) {
        const fs::path install = folder.path() / ("before" + std::to_string(++i));
        std::vector<std::string> arguments = {"--install-folder", install.string()};
        arguments.insert(arguments.end(), verb.begin(), verb.end());
        const RunResult run = Run(arguments);
        EXPECT_EQ(run.status, 0) << verb[0] << ": " << run.err;
        EXPECT_TRUE(fs::is_directory(install)) << verb[0];
    }
}

TEST(InstallFolderOption, BeforeAVerbStillRunsTheCommandLine) {
    EXPECT_TRUE(cli::IsCommandLineVerb({"--install-folder", "/tmp/x", "render", "a.sdw"}));
    EXPECT_TRUE(cli::IsCommandLineVerb({"--install-folder=/tmp/x", "info", "a.sdw"}));
    EXPECT_TRUE(cli::IsCommandLineVerb({"qa", "a.sdw", "--install-folder", "/tmp/x"}));
    // Without a verb it is the desktop program's option.
    EXPECT_FALSE(cli::IsCommandLineVerb({"--install-folder", "/tmp/x", "a.sdw"}));
    EXPECT_FALSE(cli::IsCommandLineVerb({"--install-folder", "/tmp/x"}));
    EXPECT_FALSE(cli::IsCommandLineVerb({"--install-folder"}));
}

TEST_F(InstallFolderVerbs, AFileInThePlaceOfTheFolderIsRefused) {
    const fs::path taken = folder.Write("taken", "x");
    for (std::vector<std::string> arguments : Verbs()) {
        arguments.push_back("--install-folder");
        arguments.push_back(taken.string());
        const RunResult run = Run(arguments);
        EXPECT_EQ(run.status, 1) << arguments[0];
        EXPECT_NE(run.err.find(taken.string()), std::string::npos) << arguments[0] << ": " << run.err;
    }
    EXPECT_EQ(rave::testing::TempFolder::Read(taken), "x");
}

TEST_F(InstallFolderVerbs, AnExistingFolderIsUsedAndItsSettingsAreLeftAlone) {
    const fs::path install = folder.path() / "own";
    const std::string settings = "500\r\n1\r\n";
    folder.Write("own/Sys.ndx", settings);
    for (std::vector<std::string> arguments : Verbs()) {
        arguments.push_back("--install-folder");
        arguments.push_back(install.string());
        EXPECT_EQ(Run(arguments).status, 0) << arguments[0];
    }
    EXPECT_EQ(rave::testing::TempFolder::Read(install / "Sys.ndx"), settings);
    EXPECT_FALSE(fs::exists(install / "WdtvxJG.mst"));  // an existing folder is never filled up
}

}  // namespace
}  // namespace ravelog
