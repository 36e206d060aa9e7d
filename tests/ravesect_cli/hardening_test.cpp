// Ravesect's command line against careless and hostile input: outputs that would destroy an
// input, empty option values, files that are not sections, interrupted runs and batches.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <fstream>
#include <random>
#include <sstream>

#include "apps/ravesect_cli.h"
#include "apps/ravesect_cli_context.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

struct SectRun {
    int status = 0;
    std::string err;
};

SectRun Ravesect(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    SectRun run;
    run.status = RunRavesectCommandLine(arguments, out, err);
    run.err = err.str();
    return run;
}

std::string Example(const std::string& name) {
    return std::string(RAVE_SOURCE_DIR) + "/examples/" + name;
}

class RavesectHardening : public ::testing::Test {
protected:
    TempFolder folder;
    std::string install = (folder.path() / "install").string();

    SectRun Build(const std::string& output, const std::string& column) {
        return Ravesect({"build", "-o", output, column, "--install-folder", install});
    }
};

TEST_F(RavesectHardening, BuildWritesOnlyANewSqwFile) {
    const fs::path input = folder.Write("x.sdw", TempFolder::Read(Example("example-short.sdw")));
    const std::string before = TempFolder::Read(input);
    struct Case {
        std::string output;
        const char* why;
    };
    for (const Case& c :
         {Case{input.string(), "its own input"}, Case{"", "an empty name"},
          Case{folder.path().string(), "a folder"}, Case{folder.path().string() + "/", "a folder"},
          Case{(folder.path() / "out.sdw").string(), "not a section file's extension"}}) {
        const SectRun run = Build(c.output, "0=" + input.string());
        EXPECT_EQ(run.status, 2) << c.why;
        EXPECT_NE(run.err, "") << c.why;
    }
    EXPECT_EQ(TempFolder::Read(input), before);
    EXPECT_FALSE(fs::exists(folder.path() / ".sqw"));
    EXPECT_FALSE(fs::exists(folder.path() / "out.sdw"));

    // Save As's rule: a name without an extension becomes NAME.sqw.
    const SectRun run = Build((folder.path() / "plain").string(), "0=" + input.string());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(fs::exists(folder.path() / "plain.sqw"));
}

TEST_F(RavesectHardening, InstallFolderOption) {
    EXPECT_TRUE(IsCommandLineVerb({"--install-folder", install, "info", "a.sqw"}));
    EXPECT_TRUE(IsCommandLineVerb({"--install-folder=" + install, "render", "a.sqw"}));
    EXPECT_FALSE(IsCommandLineVerb({"--install-folder", install, "a.sqw"}));

    const SectRun before =
        Ravesect({"--install-folder", install, "info", Example("section/example-section.sqw")});
    EXPECT_EQ(before.status, 0) << before.err;
    const SectRun empty = Ravesect({"info", Example("section/example-section.sqw"), "--install-folder", ""});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("--install-folder"), std::string::npos) << empty.err;
}

TEST_F(RavesectHardening, FilesThatAreNoSectionAreRefused) {
    std::string random(200000, '\0');
    std::mt19937 generator(3);
    for (char& c : random) {
        c = static_cast<char>(generator());
    }
    for (const fs::path& file : {folder.Write("empty.sqw", ""), folder.Write("random.sqw", random),
                                 folder.Write("one-line.sqw", "hello\r\n")}) {
        const SectRun render = Ravesect(
            {"render", file.string(), "-o", (folder.path() / "s.pdf").string(), "--install-folder", install});
        EXPECT_EQ(render.status, 1) << file;
        EXPECT_NE(render.err.find("not a section file"), std::string::npos) << render.err;
        EXPECT_EQ(Ravesect({"info", file.string()}).status, 1) << file;
    }
    EXPECT_FALSE(fs::exists(folder.path() / "s.pdf"));
}

#ifndef _WIN32  // signals and fork; Windows stops a console program with Ctrl+C events
TEST_F(RavesectHardening, AnInterruptedRunRemovesItsWorkingFolder) {
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(signalNumber, SIG_DFL);  // an earlier test's printer look-up ignores SIGPIPE
            PrivateWorkingFolder working;
            std::ofstream(working.files().columns) << "a working file\r\n";
            const std::string path = working.path().string();
            if (write(pipeEnds[1], path.c_str(), path.size()) < 0) {
                _exit(3);
            }
            close(pipeEnds[1]);
            raise(signalNumber);
            _exit(4);  // not reached: the signal ends the process
        }
        close(pipeEnds[1]);
        char buffer[4096] = {};
        const ssize_t size = read(pipeEnds[0], buffer, sizeof buffer - 1);
        close(pipeEnds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_GT(size, 0);
        const fs::path working(std::string(buffer, static_cast<std::size_t>(size)));
        EXPECT_NE(working.filename().string().find("ravesect"), std::string::npos) << working;
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber)
            << "the signal still ends the run";
        EXPECT_FALSE(fs::exists(working)) << working << " after signal " << signalNumber;
    }
}
#endif

TEST_F(RavesectHardening, RenderUsageErrorsAndBatches) {
    const std::string section = Example("section/example-section.sqw");
    const SectRun pages = Ravesect({"render", section, "-o", (folder.path() / "s.pdf").string(), "--pages",
                                    "99", "--install-folder", install});
    EXPECT_EQ(pages.status, 2) << pages.err;

    const fs::path copy = folder.Write("copy.sqw", TempFolder::Read(section));
    const SectRun batch =
        Ravesect({"render", section, copy.string(), "-o", (folder.path() / "out").string() + "/", "--dpi",
                  "30", "--install-folder", install});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_GT(fs::file_size(folder.path() / "out" / "example-section.pdf"), 1000u);
    EXPECT_GT(fs::file_size(folder.path() / "out" / "copy.pdf"), 1000u);
}

}  // namespace
}  // namespace ravesect::cli
