// Ravelog's command line reads what it is given as it stands: numbers whole or not at all, line
// ends of any system, a check only of rows it can read, a legend only of a usable table, and
// refusals with the exit status and a message that names the cause.
#include <gtest/gtest.h>

#include <QtGlobal>
#include <array>
#include <random>

#include "apps/cli_shared.h"
#include "cli_runner.h"
#include "full_disk.h"
#include "ravelog/document/sounding_file.h"

namespace ravelog::cli::testing {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;
using Json = nlohmann::ordered_json;

class InputChecksTest : public CliTest {
protected:
    fs::path Sounding(const std::string& name, const std::vector<std::array<const char*, 3>>& rows) {
        SoundingDocument d;
        d.header[slot::kSurveyName1] = "rows";
        int i = 0;
        for (const auto& r : rows) {
            MeasuredRow& row = d.Row(++i);
            row[field::kDepth] = r[0];
            row[field::kLoad] = r[1];
            row[field::kHalfTurns] = r[2];
        }
        return Temp().Write(name, WriteSoundingFile(d));
    }
};

TEST_F(InputChecksTest, NumbersAreWholeDecimalsOrAUsageError) {
    EXPECT_EQ(rave::cli::ParseWholeDecimal("1.5"), 1.5);
    EXPECT_EQ(rave::cli::ParseWholeDecimal("-.5"), -0.5);
    EXPECT_EQ(rave::cli::ParseWholeInteger("010"), 10);
    for (const char* bad : {"1,5", "1.5x", "0x1p1", "1e1", " 1", "", ".", "1.2.3", "inf", "nan"}) {
        EXPECT_FALSE(rave::cli::ParseWholeDecimal(bad).has_value()) << bad;
        EXPECT_FALSE(rave::cli::ParseWholeInteger(bad).has_value()) << bad;
    }
    EXPECT_FALSE(rave::cli::ParseWholeInteger("99999999999999999999").has_value());

    const std::string example = Example("example-short.sdw").string();
    const std::string png = (Folder() / "x.png").string();
    struct Case {
        std::vector<std::string> arguments;
        const char* says;
    };
    for (const Case& c : {Case{{"check", example, "--footing-depth", "1,5"}, "(1.5)"},
                          Case{{"check", example, "--footing-depth", "1.5x"}, "1.5x"},
                          Case{{"check", example, "--footing-depth", "0x1p1"}, "0x1p1"},
                          Case{{"qa", example, "--from", "1,5", "--to", "3"}, "(1.5)"},
                          Case{{"render", example, "-o", png, "--dpi", "0x96"}, "0x96"},
                          Case{{"render", example, "-o", png, "--format", "2.0"}, "2.0"},
                          Case{{"render", example, "-o", png, "--jobs", "2x"}, "2x"},
                          Case{{"import", "csv", example, "-o", png, "--from", "1.5"}, "1.5"}}) {
        const CliResult result = Run(c.arguments);
        EXPECT_EQ(result.exitCode, 2) << c.says;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_TRUE(result.out.empty()) << c.says;
    }
    EXPECT_FALSE(fs::exists(png));

    // "010" is ten dots per inch, not octal eight: A4 is 83 pixels wide at 10 dpi.
    ASSERT_EQ(Run({"render", example, "-o", png, "--dpi", "010"}).exitCode, 0);
    const std::string bytes = TempFolder::Read(png);
    ASSERT_GT(bytes.size(), 24u);
    const auto byte = [&bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    EXPECT_EQ((byte(16) << 24) | (byte(17) << 16) | (byte(18) << 8) | byte(19), 83);
}

TEST_F(InputChecksTest, CheckJudgesOnlyRowsItCanRead) {
    const fs::path words = Sounding("words.sdw", {{"0.25", "ｽﾙｽﾙ", ""}, {"0.50", "自沈", ""}});
    const CliResult refused = Run({"check", words.string(), "--footing-depth", "0"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_NE(refused.err.find("words.sdw"), std::string::npos) << refused.err;

    // Row 3 lies above row 2: it is left out with a warning instead of an upside-down interval.
    const fs::path unordered =
        Sounding("unordered.sdw",
                 {{"0.25", "1.00", "3"}, {"1.00", "0.75", ""}, {"0.75", "0.50", ""}, {"1.50", "0.50", ""}});
    const CliResult result = Run({"check", unordered.string(), "--footing-depth", "0"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const Json json = Json::parse(result.out);
    ASSERT_EQ(json["warnings"].size(), 1u) << result.out;
    EXPECT_NE(json["warnings"][0].get<std::string>().find("行 3"), std::string::npos);
    EXPECT_NE(result.err.find("行 3"), std::string::npos) << result.err;
    ASSERT_EQ(json["selfSinking"].size(), 2u);
    for (const Json& layer : json["selfSinking"]) {
        EXPECT_LT(layer["from"].get<double>(), layer["to"].get<double>()) << layer;
    }
    EXPECT_EQ(json["selfSinking"][1]["from"], 1.0);
}

TEST_F(InputChecksTest, LegendRefusesAnUnusableTable) {
    ASSERT_EQ(Run({"info", Example("example-short.sdw").string()}).exitCode,
              0);  // prepares the install folder
    std::string random(3000, '\0');
    std::mt19937 generator(7);
    for (char& c : random) {
        c = static_cast<char>(generator());
    }
    const fs::path png = Folder() / "legend.png";
    for (const std::string& table : {std::string(), random, std::string(40, '\r')}) {
        Temp().Write(InstallFolder() / "WdtvxJG.mst", table);
        const CliResult result = Run({"legend", "-o", png.string(), "--dpi", "10"});
        EXPECT_EQ(result.exitCode, 1) << table.size();
        EXPECT_NE(result.err.find("WdtvxJG.mst"), std::string::npos) << result.err;
        EXPECT_FALSE(fs::exists(png));
    }
}

TEST_F(InputChecksTest, RefusalsNameTheirCause) {
    const fs::path sounding = Temp().Write("s.sdw", TempFolder::Read(Example("example-short.sdw")));
    const std::string before = TempFolder::Read(sounding);
    const CliResult self = Run({"save", sounding.string(), "-o", sounding.string()});
    EXPECT_EQ(self.exitCode, 1);
    EXPECT_EQ(TempFolder::Read(sounding), before);

    const std::string folder = Folder().string();
    const std::string out = (Folder() / "out.sdw").string();
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"info", folder},
          {"save", folder, "-o", out},
          {"check", folder, "--footing-depth", "1"},
          {"qa", folder, "--from", "0", "--to", "1"},
          {"import", "csv", folder, "-o", out},
          {"render", folder, "-o", (Folder() / "x.pdf").string()}}) {
        const CliResult result = Run(arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments[0];
        EXPECT_NE(result.err.find("フォルダです"), std::string::npos) << result.err;
        EXPECT_EQ(result.err.find("見つかりません"), std::string::npos) << result.err;
    }

    const fs::path missing = Folder() / "missing" / "x.sdw";
    const CliResult save = Run({"save", sounding.string(), "-o", missing.string()});
    EXPECT_EQ(save.exitCode, 1);
    // The cause is the system's own wording: glibc's is known; Windows words it in its own way.
#ifdef _WIN32
    const std::string noFolder = ": ", fullDisk = ": ";
#else
    const std::string noFolder = ": No such file or directory", fullDisk = ": File too large";
#endif
    EXPECT_NE(save.err.find(missing.string() + noFolder), std::string::npos) << save.err;

    const fs::path csv = WriteCp932("rows.csv", ",,,,,,,,,,,,,,,,,0.25,1.00,0,,砂\r\n");
    ASSERT_EQ(Run({"info", sounding.string()}).exitCode,
              0);  // the install folder exists before the disk fills
    CliResult full;
    {
        rave::testing::FullDisk disk(100);
        full = Run({"import", "csv", csv.string(), "-o", out});
    }
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_NE(full.err.find(out + fullDisk), std::string::npos) << full.err;
    EXPECT_FALSE(fs::exists(out));
}

TEST(QuietToolkitNotes, StderrHoldsOnlyTheProgramsMessages) {
    rave::cli::QuietToolkitNotes();
    ::testing::internal::CaptureStderr();
    qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-root'");
    qCritical("a critical toolkit error");
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(err.find("XDG_RUNTIME_DIR"), std::string::npos) << err;
    EXPECT_NE(err.find("a critical toolkit error"), std::string::npos) << err;
}

TEST_F(InputChecksTest, ImportReadsEveryKindOfLineEnd) {
    const std::string rows[] = {",,,,,,,,,,,,,,,,,0.25,1.00,0,,砂", ",,,,,,,,,,,,,,,,,0.50,1.00,4,,砂",
                                ",,,,,,,,,,,,,,,,,0.75,1.00,8,,砂", ",,,,,,,,,,,,,,,,,1.00,1.00,12,,砂"};
    for (const auto& [name, ends] :
         {std::pair<const char*, std::vector<std::string>>{"cr.csv", {"\r", "\r", "\r", "\r"}},
          {"mixed.csv", {"\r", "\n", "\r\n", "\r"}}}) {
        std::string text;
        for (std::size_t i = 0; i < 4; ++i) {
            text += rows[i] + ends[i];
        }
        const fs::path out = Folder() / (std::string(name) + ".sdw");
        ASSERT_EQ(Run({"import", "csv", WriteCp932(name, text).string(), "-o", out.string()}).exitCode, 0)
            << name;
        const Json json = Info(out);
        ASSERT_EQ(json["rowCount"], 4) << name;
        EXPECT_EQ(json["rows"][3][field::kDepth], "1.00") << name;
        EXPECT_EQ(json["rows"][2][field::kHalfTurns], "8") << name;
    }
}

}  // namespace
}  // namespace ravelog::cli::testing
