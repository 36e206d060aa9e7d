// Whether a file chosen in Open is a section file; a refused file touches neither the working
// files nor the document's name, so Save cannot write an empty section over it.
#include <gtest/gtest.h>

#include <random>

#include "common/text_file.h"
#include "ravesect/document/section_commands.h"
#include "ravesect/document/section_file_verdict.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

using rave::testing::TempFolder;
namespace fs = std::filesystem;

std::string RandomBytes(std::size_t size) {
    std::string bytes(size, '\0');
    std::mt19937 generator(3);
    for (char& c : bytes) {
        c = static_cast<char>(generator());
    }
    return bytes;
}

std::string Read(const fs::path& relative) {
    return TempFolder::Read(fs::path(RAVE_SOURCE_DIR) / relative);
}

TEST(SectionVerdict, TellsSectionFilesFromOtherFiles) {
    struct Case {
        const char* what;
        std::string bytes;
        SectionVerdict verdict;
    };
    const Case cases[] = {
        {"example", Read("examples/section/example-section.sqw"), SectionVerdict::kSection},
        {"LF only", "$$_QSVERAN700\n100,100\n$$Z0\n0\n$$Z END\n$$Z HY\n", SectionVerdict::kSection},
        {"empty", "", SectionVerdict::kEmpty},
        {"random", RandomBytes(4096), SectionVerdict::kNotText},
        {"magic then binary", "$$_QSVERAN700\r\n" + RandomBytes(512), SectionVerdict::kNotText},
        {"sounding", Read("examples/example-short.sdw"), SectionVerdict::kSoundingFile},
        {"Ver2 sounding", Read("examples/s001.ddf"), SectionVerdict::kSoundingFile},
        {"csv", Read("examples/example-import.csv"), SectionVerdict::kNotSection},
        {"no column end", rave::JoinCrLf({"$$_QSVERAN700", "100,100", "$$Z0", "0"}),
         SectionVerdict::kNotSection},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(JudgeSectionBytes(c.bytes), c.verdict) << c.what;
    }
}

TEST(SectionVerdict, RefusedFileTouchesNothing) {
    TempFolder temp;
    const WorkingFiles files = WorkingFiles::In(temp.path() / "work");
    fs::create_directories(temp.path() / "work");
    SectionDocument document;
    rave::RecordingMessageSink messages;
    ASSERT_TRUE(OpenSectionThroughFramework(
        document, files, temp.Write("mine.sqw", Read("examples/section/example-section.sqw")), messages));
    const std::string columns = TempFolder::Read(files.columns);
    const int slots = document.LastUsedSlot();
    struct Case {
        const char* name;
        std::string bytes;
        const char* says;
    };
    for (const Case& c : {Case{"empty.sqw", "", "ファイルが空です"},
                          Case{"random.sqw", RandomBytes(2048), "断面図ﾌｧｲﾙではありません"},
                          Case{"log.sdw", Read("examples/example-short.sdw"), "ｽｳｪｰﾃﾞﾝ、柱状図ﾌｧｲﾙ"}}) {
        const fs::path file = temp.Write(c.name, c.bytes);
        messages.shown.clear();
        EXPECT_FALSE(OpenSectionFromMenu(document, files, temp.path(), file, messages)) << c.name;
        ASSERT_EQ(messages.shown.size(), 1u) << c.name;
        EXPECT_NE(messages.shown[0].text.find(c.says), std::string::npos) << c.name;
        EXPECT_EQ(messages.shown[0].argument, file.string());
        EXPECT_EQ(document.pathName, (temp.path() / "mine.sqw").string());
        EXPECT_EQ(document.LastUsedSlot(), slots);
        EXPECT_EQ(TempFolder::Read(files.columns), columns);
        EXPECT_EQ(TempFolder::Read(file), c.bytes);
    }
}

}  // namespace
}  // namespace ravesect
