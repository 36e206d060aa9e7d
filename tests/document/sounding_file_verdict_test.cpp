// Whether a file read by the open commands is a sounding at all: text, a readable version, and
// header data or measured rows; a refused file leaves the open document and its name alone.
#include <gtest/gtest.h>

#include <random>

#include "common/text_file.h"
#include "ravelog/document/sounding_file_commands.h"
#include "ravelog/document/sounding_file_verdict.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

using rave::testing::TempFolder;

std::string RandomBytes(std::size_t size) {
    std::string bytes(size, '\0');
    std::mt19937 generator(7);
    for (char& c : bytes) {
        c = static_cast<char>(generator());
    }
    return bytes;
}

std::string Example(const char* name) {
    return TempFolder::Read(std::filesystem::path(RAVE_SOURCE_DIR) / "examples" / name);
}

TEST(SoundingVerdict, TellsSoundingsFromGarbage) {
    struct Case {
        const char* what;
        std::string bytes;
        SoundingVerdict verdict;
    };
    const std::string magic = "$$_SWJVERAN304\r\n";
    const Case cases[] = {
        {"example", Example("example-short.sdw"), SoundingVerdict::kSounding},
        {"Ver2", Example("s001.ddf"), SoundingVerdict::kSounding},
        {"header only", rave::JoinCrLf({"$$_SWJVERAN304", "$$Z", "件名", "$$A", "$$C"}),
         SoundingVerdict::kSounding},
        {"empty", "", SoundingVerdict::kUnknownVersion},
        {"random", RandomBytes(4096), SoundingVerdict::kUnknownVersion},
        {"magic then random", magic + RandomBytes(4096), SoundingVerdict::kNotText},
        {"a NUL in a row",
         rave::JoinCrLf({"$$_SWJVERAN304", "$$Z", "件名", "$$A", std::string("1.00,4,0.2\0", 11)}),
         SoundingVerdict::kNotText},
        {"markers only", rave::JoinCrLf({"$$_SWJVERAN304", "$$Z", "$$A", "$$C"}),
         SoundingVerdict::kNothingUsable},
        {"rows without depths",
         rave::JoinCrLf({"$$_SWJVERAN304", "$$Z", "件名", "$$A", "abc,def,ghi", "x,y,z", "$$C"}),
         SoundingVerdict::kRowsUnreadable},
    };
    for (const Case& c : cases) {
        SoundingDocument read;
        const SoundingFileVersion version = ReadSoundingBytes(read, c.bytes, kMenuOpenLimits);
        EXPECT_EQ(JudgeSoundingFile(c.bytes, version, read), c.verdict) << c.what;
    }
}

TEST(SoundingVerdict, RefusedFileKeepsTheOpenDocumentAndItsName) {
    TempFolder temp;
    const auto garbage = temp.Write("garbage.sdw", "$$_SWJVERAN304\r\n" + RandomBytes(2048));
    const auto hollow =
        temp.Write("hollow.sdw", rave::JoinCrLf({"$$_SWJVERAN304", "$$Z", "$$A", "x,y,z", "$$C"}));
    for (const auto& file : {garbage, hollow}) {
        for (bool throughFramework : {false, true}) {
            SoundingDocument doc;
            doc.header[1] = "kept";
            doc.Row(1)[field::kDepth] = "0.25";
            doc.pathName = "mine.sdw";
            doc.modified = true;
            rave::RecordingMessageSink messages;
            const SoundingFileVersion version = throughFramework
                                                    ? OpenSoundingThroughFramework(doc, messages, file)
                                                    : OpenSoundingFromMenu(doc, messages, file, temp.path());
            EXPECT_EQ(version, kVersionUnknown) << file;
            EXPECT_TRUE(messages.Saw(message_id::kNotSoundingFile)) << file;
            EXPECT_EQ(doc.header[1], "kept");
            EXPECT_EQ(doc.Row(1)[field::kDepth], "0.25");
            EXPECT_EQ(doc.pathName, "mine.sdw");
            EXPECT_TRUE(doc.modified);
        }
    }
}

}  // namespace
}  // namespace ravelog
