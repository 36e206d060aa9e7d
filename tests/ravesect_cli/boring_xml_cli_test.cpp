// Boring exchange XML on Ravesect's command line: the log verb (one JSON line per file, refused
// files named with rc 1 while the others are still printed), and XML borings placed by build
// with their position in info.
#include <gtest/gtest.h>
#include <time.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "apps/ravesect_cli.h"
#include "temp_folder.h"

namespace ravesect::cli {
namespace {

using rave::testing::TempFolder;
using Json = nlohmann::json;

struct CliRun {
    int status = 0;
    std::vector<Json> lines;  // the log verb's one object per line
    std::string out;
    std::string err;
};

CliRun Ravesect(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunRavesectCommandLine(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    std::istringstream lines(run.out);
    for (std::string line; arguments.front() == "log" && std::getline(lines, line);) {
        run.lines.push_back(Json::parse(line));
    }
    return run;
}

std::string Boring(const std::string& name) {
    return std::string(RAVE_SOURCE_DIR) + "/tests/ravesect/boring_xml/" + name;
}

double Seconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

class BoringXmlCli : public ::testing::Test {
protected:
    TempFolder folder;
    std::string install = (folder.path() / "install").string();

    CliRun Log(const std::vector<std::string>& files) {
        std::vector<std::string> arguments = {"log", "--install-folder", install};
        arguments.insert(arguments.end(), files.begin(), files.end());
        return Ravesect(arguments);
    }
};

TEST_F(BoringXmlCli, LogPrintsOneLinePerFileOfAnyKind) {
    const CliRun run = Log({Boring("v210-sjis.xml"), Boring("v400.xml"),
                            std::string(RAVE_SOURCE_DIR) + "/examples/section/B-1.jdw"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.lines.size(), 3u);

    const Json& b3 = run.lines[0];
    EXPECT_EQ(b3["kind"], 600);
    EXPECT_EQ(b3["name"], "B-3");
    EXPECT_DOUBLE_EQ(b3["groundElevation"].get<double>(), 10.85);
    EXPECT_NEAR(b3["longitude"].get<double>(), 139.6978333, 1e-6);  // 139°41'52.2"
    ASSERT_EQ(b3["layers"].size(), 5u);
    EXPECT_EQ(b3["layers"][2],
              Json({{"top", 2.6}, {"bottom", 5.4}, {"soil", "礫混じり　砂"}, {"pattern", 450}}));
    EXPECT_EQ(b3["penetration"][3],
              Json({{"depth", 11.15}, {"blows", 50}, {"penetrationCm", 15.0}, {"n", 100.0}}));
    EXPECT_EQ(b3["waterLevels"][1], Json({{"date", "2026/04/15"}, {"depth", nullptr}}));

    EXPECT_EQ(run.lines[1]["penetration"][1]["penetrationCm"], 8.0);  // 80 mm in a 4.00 file

    const Json& jdw = run.lines[2];
    EXPECT_EQ(jdw["kind"], 500);
    EXPECT_EQ(jdw["name"], "B-1");
    EXPECT_TRUE(jdw["longitude"].is_null());
    EXPECT_EQ(jdw["layers"][0]["pattern"], 8200);
    EXPECT_EQ(jdw["penetration"].back(),
              Json({{"depth", 12.15}, {"blows", 50}, {"penetrationCm", 25.0}, {"n", 60.0}}));
}

// UTF-16 (both byte orders, with a mark) and EUC-JP: every verb reads them as the UTF-8 original.
TEST_F(BoringXmlCli, Utf16AndEucJpFilesReadAsTheirUtf8Original) {
    std::vector<std::string> files, columns;
    for (const char* name : {"no7-utf8.xml", "no7-utf16le.xml", "no7-utf16be.xml", "no7-eucjp.xml"}) {
        files.push_back(Boring(name));
        columns.push_back(std::to_string(files.size() * 10) + "=" + files.back());
    }
    const CliRun log = Log(files);
    ASSERT_EQ(log.lines.size(), 4u) << log.err;
    EXPECT_EQ(log.lines[0]["layers"][1]["soil"], "ｼﾙﾄ質砂");
    columns.insert(columns.begin(), {"build", "-o", install + ".sqw", "--install-folder", install});
    ASSERT_EQ(Ravesect(columns).status, 0);
    const Json placed = Json::parse(Ravesect({"info", install + ".sqw"}).out)["columns"];
    EXPECT_EQ(placed[1]["log"]["C"].size(), 30u);
    for (std::size_t i = 1; i < 4; ++i) {
        EXPECT_EQ(log.lines[i], log.lines[0]) << files[i];
        EXPECT_EQ(placed[i + 1]["log"], placed[1]["log"]) << files[i];
    }
}

TEST_F(BoringXmlCli, RefusedFilesAreNamedAndTheOthersStillPrinted) {
    const std::string root = "ボーリング情報";
    std::string deep = "<" + root + ">";
    for (int i = 0; i < 5000; ++i) {
        deep += "<a>";
    }
    for (int i = 0; i < 5000; ++i) {
        deep += "</a>";
    }
    deep += "</" + root + ">";
    std::string huge = "<" + root + "><!-- ";
    huge.append(50u * 1024u * 1024u, 'x');
    huge += " --></" + root + ">";
    const std::string v400 = TempFolder::Read(Boring("v400.xml"));
    const std::vector<std::pair<std::string, std::string>> hostile = {
        {"not-xml.xml", "just text"},
        {"truncated.xml", v400.substr(0, v400.size() / 3)},
        {"entity.xml", "<?xml version=\"1.0\"?><!DOCTYPE " + root +
                           " [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><" + root + ">&x;</" + root + ">"},
        {"laughs.xml", "<!DOCTYPE " + root +
                           " [<!ENTITY a \"ha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]><" + root +
                           ">&b;</" + root + ">"},
        {"deep.xml", deep},
        {"huge.xml", huge},
    };
    for (const auto& [name, bytes] : hostile) {
        SCOPED_TRACE(name);
        const std::string path = folder.Write(name, bytes).string();
        const double start = Seconds();
        const CliRun run = Log({path, Boring("v300.xml")});
        EXPECT_LT(Seconds() - start, 2.0);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
        ASSERT_EQ(run.lines.size(), 1u);
        EXPECT_EQ(run.lines[0]["name"], "No.2");
        EXPECT_EQ(run.out.find("root:"), std::string::npos);  // nothing of /etc/passwd
    }
    const CliRun missing = Log({(folder.path() / "gone.xml").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("gone.xml"), std::string::npos);
}

TEST_F(BoringXmlCli, BuildPlacesXmlBoringsAndInfoShowsTheirPosition) {
    const std::string unknown =
        folder
            .Write("odd.xml",
                   "<?xml version=\"1.0\"?><ボーリング情報><土質岩種区分>"
                   "<土質岩種区分_下端深度>2.0</土質岩種区分_下端深度>"
                   "<土質岩種区分_土質岩種区分1>ダイヤモンド</土質岩種区分_土質岩種区分1>"
                   "</土質岩種区分></ボーリング情報>")
            .string();
    const std::string output = (folder.path() / "out.sqw").string();
    const CliRun build =
        Ravesect({"build", "-o", output, "--install-folder", install, "0=" + Boring("v210-sjis.xml"),
                  "15=" + Boring("v300.xml"), "30=" + unknown});
    ASSERT_EQ(build.status, 0) << build.err;
    EXPECT_NE(build.err.find("ダイヤモンド"), std::string::npos);  // listed, not fatal

    const CliRun info = Ravesect({"info", output});
    ASSERT_EQ(info.status, 0) << info.err;
    const Json json = Json::parse(info.out);
    const Json& b3 = json["columns"][1];
    EXPECT_EQ(b3["fields"][2], "B-3");
    EXPECT_EQ(b3["fields"][6], "10.85");
    EXPECT_EQ(b3["fields"][7], "12.45");
    EXPECT_EQ(b3["fields"][12], "600  _0");
    EXPECT_NEAR(b3["longitude"].get<double>(), 139.697833, 1e-6);
    EXPECT_NEAR(b3["latitude"].get<double>(), 35.681, 1e-6);
    EXPECT_EQ(b3["log"]["A"][0][2], "8200.1");
    EXPECT_EQ(b3["log"]["C"][3][1], "50/15");
    EXPECT_EQ(json["columns"][3]["log"]["A"][0][2], "10002.0");  // drawn with the "unknown" pattern
}

}  // namespace
}  // namespace ravesect::cli
