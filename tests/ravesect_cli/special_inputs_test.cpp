// Ravesect's verbs against inputs that are no ordinary file or that a section cannot keep:
// devices, pipes and folders (refused unopened), files over the size limit (one rule for every
// reader), paths cp932 cannot hold as themselves, more entries than a section keeps (named), and
// the pattern numbers a simple sounding stores.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "apps/ravesect_cli.h"
#include "named_pipe.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;
using Json = nlohmann::json;

struct CliRun {
    int status = 0;
    std::string out;
    std::string err;
};

class SpecialInputs : public ::testing::Test {
protected:
    TempFolder folder;
    std::string install = (folder.path() / "install").string();
    std::string output = (folder.path() / "out.sqw").string();

    CliRun Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.end(), {"--install-folder", install});
        std::ostringstream out;
        std::ostringstream err;
        CliRun run;
        run.status = RunRavesectCommandLine(arguments, out, err);
        run.out = out.str();
        run.err = err.str();
        return run;
    }
    // A file of `bytes` zero bytes that takes no room on the disk.
    std::string Sparse(const std::string& name, std::uintmax_t bytes) {
        const fs::path file = folder.Write(name, "");
        fs::resize_file(file, bytes);
        return file.string();
    }
};

std::string Example(const std::string& name) {
    return std::string(RAVE_SOURCE_DIR) + "/examples/" + name;
}

TEST_F(SpecialInputs, DevicesPipesAndFoldersAreRefusedByEveryVerb) {
    const rave::testing::NamedPipe pipe(folder.path() / "fifo.sdw");
    ASSERT_TRUE(pipe.ok());
    const std::string notAFile = "通常のファイルではありません";
    struct Case {
        std::string input;
        std::string says;
    };
    for (const Case& c : {Case{"/dev/null", notAFile}, Case{pipe.string(), notAFile},
                          Case{folder.path().string(), "フォルダです"}}) {
        for (const std::vector<std::string>& arguments : {std::vector<std::string>{"log", c.input},
                                                          {"info", c.input},
                                                          {"build", "-o", output, "0=" + c.input}}) {
            const CliRun run = Run(arguments);
            EXPECT_EQ(run.status, 1) << arguments[0] << ' ' << c.input;
            EXPECT_NE(run.err.find(c.says), std::string::npos) << arguments[0] << ": " << run.err;
        }
    }
    EXPECT_FALSE(fs::exists(output));
}

TEST_F(SpecialInputs, OneSizeRuleForEverySourceReader) {
    for (const std::string& source : {Sparse("big.sdw", 9u << 20), Sparse("big.xml", 9u << 20)}) {
        for (const std::vector<std::string>& arguments :
             {std::vector<std::string>{"log", source}, {"build", "-o", output, "0=" + source}}) {
            const CliRun run = Run(arguments);
            EXPECT_EQ(run.status, 1) << arguments[0] << ' ' << source;
            EXPECT_NE(run.err.find("ファイルが大きすぎます（8 MB まで）"), std::string::npos) << run.err;
        }
    }
    const CliRun info = Run({"info", Sparse("big.sqw", 65u << 20)});
    EXPECT_EQ(info.status, 1);
    EXPECT_NE(info.err.find("ファイルが大きすぎます（64 MB まで）"), std::string::npos) << info.err;
}

TEST_F(SpecialInputs, PathsThatWouldReadBackAsAnotherAreRefused) {
    const std::string sounding = TempFolder::Read(Example("example-short.sdw"));
    // U+FF5E FULLWIDTH TILDE and U+FF0D FULLWIDTH HYPHEN-MINUS read back as themselves; the wave
    // dash U+301C and the minus sign U+2212 would read back as them.
    const std::string other = folder.Write("波～A/No1.sdw", sounding).string();
    folder.Write("測点－2/No1.sdw", sounding);
    struct Case {
        std::string path, code;
    };
    for (const Case& c : {Case{"波〜A/No1.sdw", "U+301C"}, Case{"測点−2/No1.sdw", "U+2212"}}) {
        const std::string path = folder.Write(c.path, sounding).string();
        const CliRun run = Run({"build", "-o", output, "0=" + path});
        EXPECT_EQ(run.status, 1) << c.path;
        EXPECT_NE(run.err.find(c.code), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(output)) << "no other file is placed";
    }
    const CliRun stored = Run({"build", "-o", output, "0=" + other});
    EXPECT_EQ(stored.status, 0) << stored.err;
}

TEST_F(SpecialInputs, ASimpleSoundingKeepsTheNumbersItsRowsStore) {
    // "砂" stored as 3300.1, not the simple table's number for the name.
    std::string sounding = TempFolder::Read(Example("example-simple.sdw"));
    const std::string sand = "\x8d\xbb";  // 砂 in cp932
    const std::size_t at = sounding.find("," + sand + ",3.1,");
    ASSERT_NE(at, std::string::npos);
    sounding.replace(at, sand.size() + 6, "," + sand + ",3300.1,");
    const fs::path source = folder.Write("simple.sdw", sounding);
    ASSERT_EQ(Run({"build", "-o", output, "0=" + source.string()}).status, 0);
    const CliRun info = Run({"info", output});
    ASSERT_EQ(info.status, 0) << info.err;
    std::vector<std::string> patterns;
    for (const Json& layer : Json::parse(info.out)["columns"][1]["log"]["A"]) {
        if (layer[1] == "砂") {
            patterns.push_back(layer[2]);
        }
    }
    EXPECT_EQ(patterns, std::vector<std::string>{"3300.1"});
}

TEST_F(SpecialInputs, WhatASectionCannotKeepIsNamed) {
    // A boring of 250 layers: a column keeps 200.
    std::string xml = "<?xml version=\"1.0\"?><ボーリング情報 DTD_version=\"4.00\">";
    for (int i = 1; i <= 250; ++i) {
        xml += "<工学的地質区分名現場土質名><工学的地質区分名現場土質名_下端深度>" + std::to_string(i * 0.1) +
               "</工学的地質区分名現場土質名_下端深度></工学的地質区分名現場土質名>";
    }
    const fs::path boring = folder.Write("many.xml", xml + "</ボーリング情報>");
    const CliRun build = Run({"build", "-o", output, "0=" + boring.string()});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_NE(build.err.find("層 250 のうち 200 まで"), std::string::npos) << build.err;

    // A section file of 60 titles, 250 points and 25 layers: a section keeps 50, 200 and 20.
    std::string section = TempFolder::Read(output);
    const auto insertAfter = [&](const std::string& marker, const std::string& line, int count) {
        const std::size_t at = section.find(marker + "\r\n");
        ASSERT_NE(at, std::string::npos) << marker;
        for (int i = 0; i < count; ++i) {
            section.insert(at + marker.size() + 2, line + "\r\n");
        }
    };
    insertAfter("$$Z HY", "1.00,1.00,extra,1", 10);
    insertAfter("$$Z PO", "1.00,1.00,0", 50);
    insertAfter("$$Z SO", "1,0,0,0,1,2", 25);
    const CliRun info = Run({"info", folder.Write("many.sqw", section).string()});
    EXPECT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.err.find("標題記事 60 のうち 50 まで、点 250 のうち 200 まで、層 25 のうち 20 まで"),
              std::string::npos)
        << info.err;
}

}  // namespace
}  // namespace ravesect::cli
