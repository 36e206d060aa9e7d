// Ravesect's verbs against inputs a section cannot take as they are: devices, pipes and folders
// (refused unopened), files over the size limit (one rule for every reader), paths cp932 cannot
// hold as themselves, more entries than a section keeps (named), a simple sounding's own numbers.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <tuple>

#include "apps/ravesect_cli.h"
#include "common/path_text.h"
#ifndef _WIN32
#include "named_pipe.h"
#endif
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;
using Arguments = std::vector<std::string>;

class SpecialInputs : public ::testing::Test {
protected:
    TempFolder folder;
    std::string output = (folder.path() / "out.sqw").string();

    // The exit status; stderr and stdout into `err` and `out`.
    int Run(Arguments arguments) {
        arguments.insert(arguments.end(), {"--install-folder", (folder.path() / "install").string()});
        std::ostringstream outStream, errStream;
        const int status = RunRavesectCommandLine(arguments, outStream, errStream);
        out = outStream.str();
        err = errStream.str();
        return status;
    }
    std::string out, err;
};

std::string Example(const std::string& name) {
    return TempFolder::Read(std::string(RAVE_SOURCE_DIR) + "/examples/" + name);
}

#ifndef _WIN32  // devices and named pipes in the file system are POSIX's
TEST_F(SpecialInputs, NoFileOrOneTooLargeIsRefusedByEveryVerb) {
    const rave::testing::NamedPipe pipe(folder.path() / "fifo.sdw");
    ASSERT_TRUE(pipe.ok);
    const auto sparse = [&](const char* name, std::uintmax_t bytes) {
        const fs::path file = folder.Write(name, "");
        fs::resize_file(file, bytes);
        return file.string();
    };
    const std::string xml = sparse("big.xml", 9u << 20), sdw = sparse("big.sdw", 9u << 20);
    const std::string device = "通常のファイルではありません", large = "ファイルが大きすぎます（8 MB まで）";
    for (const auto& [input, says] :
         std::vector<std::pair<std::string, std::string>>{{"/dev/null", device},
                                                          {pipe.path.string(), device},
                                                          {folder.path().string(), "フォルダです"},
                                                          {xml, large},
                                                          {sdw, large}}) {
        for (const Arguments& arguments : {Arguments{"log", input}, {"build", "-o", output, "0=" + input}}) {
            EXPECT_EQ(Run(arguments), 1) << arguments[0] << ' ' << input;
            EXPECT_NE(err.find(says), std::string::npos) << arguments[0] << ": " << err;
        }
        if (input != xml && input != sdw) {
            EXPECT_EQ(Run({"info", input}), 1) << input;
            EXPECT_NE(err.find(says), std::string::npos) << err;
        }
    }
    EXPECT_EQ(Run({"info", sparse("big.sqw", 65u << 20)}), 1);
    EXPECT_NE(err.find("（64 MB まで）"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(output));
}
#endif

TEST_F(SpecialInputs, PathsThatWouldReadBackAsAnotherAreRefused) {
    // The wave dash U+301C and the minus sign U+2212 would be stored as the codes that read back
    // as U+FF5E and U+FF0D, the names of these other folders.
    const std::string other =
        folder.Write(rave::PathFromUtf8("波～A/No1.sdw"), Example("example-short.sdw")).string();
    folder.Write(rave::PathFromUtf8("測点－2/No1.sdw"), Example("example-short.sdw"));
    for (const auto& [path, code] :
         {std::pair{"波〜A/No1.sdw", "U+301C"}, std::pair{"測点−2/No1.sdw", "U+2212"}}) {
        EXPECT_EQ(Run({"build", "-o", output,
                       "0=" + folder.Write(rave::PathFromUtf8(path), Example("example-short.sdw")).string()}),
                  1);
        EXPECT_NE(err.find(code), std::string::npos) << err;
        EXPECT_FALSE(fs::exists(output)) << path;
    }
    EXPECT_EQ(Run({"build", "-o", output, "0=" + other}), 0) << err;
}

#ifndef _WIN32  // a section keeps a source path of 498 bytes at most; Windows tests stop at 260
TEST_F(SpecialInputs, SourcePathsLongerThanTheSectionKeepsAreRefused) {
    for (const std::size_t length : {498u, 499u, 4009u}) {
        std::string path = (folder.path() / std::to_string(length)).string();
        while (length - path.size() > 256) {
            path += "/" + std::string(150, 'd');
        }
        path += "/" + std::string(length - path.size() - 5, 'n') + ".ddw";
        folder.Write(fs::path(path).lexically_relative(folder.path()), Example("section/B-2.ddw"));
        EXPECT_EQ(Run({"build", "-o", output, "0=" + path}), length == 498 ? 0 : 1) << err;
        EXPECT_EQ(err.find("半角 498 文字（全角 249 文字）まで") != std::string::npos, length > 498) << err;
    }
    ASSERT_EQ(Run({"info", output}), 0) << err;  // the 498-byte build, left as it was by the others
    EXPECT_EQ(nlohmann::json::parse(out)["columns"][1]["fields"][1].get<std::string>().size(), 498u);
}
#endif

TEST_F(SpecialInputs, JapaneseFileNamesAreReadAndWrittenAsThemselves) {
    const fs::path logs = folder.path() / rave::PathFromUtf8("測点Ａ");
    const auto in = [&](const char* name) { return (logs / rave::PathFromUtf8(name)).string(); };
    fs::create_directories(logs);
    for (const char* name : {"北一.sdw", "北二.sdw"}) {
        fs::copy_file(std::string(RAVE_SOURCE_DIR) + "/examples/example-long.sdw",
                      rave::PathFromUtf8(in(name)));
    }
    const std::string section = in("断面.sqw");
    const Arguments runs[] = {
        {"build", "-o", section, "0=" + in("北一.sdw"), "12.5=" + in("北二.sdw")},
        {"info", section},
        {"interpret", section, "-o", in("推定.sqw")},
        {"render", in("推定.sqw"), "-o", in("断面図.pdf")},
    };
    for (const Arguments& run : runs) {
        EXPECT_EQ(Run(run), 0) << run.front() << ": " << err;
    }
    std::set<fs::path> names;
    for (const auto& entry : fs::directory_iterator(logs)) {
        names.insert(entry.path().filename());
    }
    std::set<fs::path> expected;
    for (const char* name : {"北一.sdw", "北二.sdw", "断面.sqw", "推定.sqw", "断面図.pdf"}) {
        expected.insert(rave::PathFromUtf8(name));
    }
    EXPECT_EQ(names, expected);
}

TEST_F(SpecialInputs, WhatASectionCannotKeepIsNamed) {
    std::string xml = "<?xml version=\"1.0\"?><ボーリング情報 DTD_version=\"4.00\">";
    for (int i = 1; i <= 250; ++i) {
        xml += "<工学的地質区分名現場土質名><工学的地質区分名現場土質名_下端深度>" + std::to_string(i * 0.1) +
               "</工学的地質区分名現場土質名_下端深度></工学的地質区分名現場土質名>";
    }
    ASSERT_EQ(
        Run({"build", "-o", output, "0=" + folder.Write("many.xml", xml + "</ボーリング情報>").string()}), 0);
    EXPECT_NE(err.find("層 250 のうち 200 まで"), std::string::npos) << err;
    std::string section = TempFolder::Read(output);
    for (const auto& [marker, line, count] :
         std::vector<std::tuple<std::string, std::string, int>>{{"$$Z HY\r\n", "1,1,x,1\r\n", 10},
                                                                {"$$Z PO\r\n", "1,1,0\r\n", 50},
                                                                {"$$Z SO\r\n", "1,0,0,0,1\r\n", 25}}) {
        for (int i = 0; i < count; ++i) {
            section.insert(section.find(marker) + 8, line);
        }
    }
    EXPECT_EQ(Run({"info", folder.Write("many.sqw", section).string()}), 0) << err;
    EXPECT_NE(err.find("標題記事 60 のうち 50 まで、点 250 のうち 200 まで、層 25 のうち 20 まで"),
              std::string::npos)
        << err;
}

TEST_F(SpecialInputs, ASimpleSoundingKeepsTheNumbersItsRowsStore) {
    // The example stores "砂" as 3.1; the simple table's number for the name is 400.
    const fs::path source = folder.Write("No2.sdw", Example("example-simple.sdw"));
    ASSERT_EQ(Run({"build", "-o", output, "5=" + source.string()}), 0) << err;
    ASSERT_EQ(Run({"info", output}), 0) << err;
    std::vector<std::string> patterns;
    const nlohmann::json info = nlohmann::json::parse(out);
    for (const nlohmann::json& layer : info["columns"][1]["log"]["A"]) {
        patterns.push_back(layer[2]);
    }
    EXPECT_EQ(patterns, (std::vector<std::string>{"9.0", "6.2", "4.2", "3.1", "5.2", "1.1"}));
}

}  // namespace
}  // namespace ravesect::cli
