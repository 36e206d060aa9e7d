// Running Ravelog's command line inside a test: string streams for stdout and stderr, and a
// fresh install folder for every test so the user's own one is never touched.
#pragma once

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "apps/ravelog_cli.h"
#include "platform/codec.h"
#include "temp_folder.h"

namespace ravelog::cli::testing {

struct CliResult {
    int exitCode = 0;
    std::string out;
    std::string err;
};

class CliTest : public ::testing::Test {
protected:
    // Runs the verb with --install-folder pointing into this test's temporary folder.
    CliResult Run(std::vector<std::string> arguments) {
        arguments.push_back("--install-folder");
        arguments.push_back(InstallFolder().string());
        std::ostringstream out;
        std::ostringstream err;
        CliResult result;
        result.exitCode = RunRavelogCommandLine(arguments, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    // `info` of a file as parsed JSON; fails the test when the verb does not succeed.
    nlohmann::ordered_json Info(const std::filesystem::path& file) {
        const CliResult result = Run({"info", file.string()});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return nlohmann::ordered_json::parse(result.out);
    }

    // Writes text given in UTF-8 as the cp932 bytes the program's files hold.
    std::filesystem::path WriteCp932(const std::string& name, const std::string& utf8) {
        const auto bytes = rave::platform::Utf8ToCp932(utf8);
        EXPECT_TRUE(bytes.has_value());
        return temp_.Write(name, bytes.value_or(std::string()));
    }

    std::filesystem::path InstallFolder() const { return temp_.path() / "install"; }
    const std::filesystem::path& Folder() const { return temp_.path(); }
    rave::testing::TempFolder& Temp() { return temp_; }

private:
    rave::testing::TempFolder temp_;
};

// The pages of a PDF file; -1 when it cannot be read (cli_runner.cpp: Qt stays out of this header,
// whose includers use names Qt takes as keywords).
int PdfPages(const std::filesystem::path& path);

// The examples shipped with the project.
inline std::filesystem::path Example(const std::string& name) {
    return std::filesystem::path(RAVE_SOURCE_DIR) / "examples" / name;
}

}  // namespace ravelog::cli::testing
