// Soundings and foreign files as offices have them: saved by Excel as "CSV UTF-8" or "Unicode
// text", by Notepad in UTF-8, with long lines, tabs and runs of blanks; tidy cp932 stays as it is.
#include <gtest/gtest.h>

#include "common/foreign_text.h"
#include "common/ravelog_settings.h"
#include "common/text_file.h"
#include "office_text.h"
#include "ravelog/document/foreign_import.h"
#include "ravelog/document/sounding_file_commands.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

using rave::testing::kUtf8Mark;
using rave::testing::Utf16;
using rave::testing::Utf8;

// The standard comma columns: 1 survey name, 2 point, 18 depth, 19 load, 20 half turns, 22 soil.
std::string CsvLine(const std::string& depth, const std::string& soil, const std::string& survey = "") {
    return survey + ",No.1,,,,,,,,,,,,,,,," + depth + ",1.00,4,," + soil + ",,,,";
}

struct Imported {
    bool ok = false;
    SoundingDocument doc;
    rave::RecordingMessageSink messages;
};

Imported ImportBytes(const std::string& bytes, ImportMode mode) {
    rave::testing::TempFolder temp;
    Imported result;
    ForeignImport import(mode, LoadImportChoices(rave::RavelogSettings{}, mode));
    const auto path = temp.Write("data.txt", bytes);
    result.ok = import.ChooseFile(path, result.messages) && import.Import(result.doc, result.messages, {});
    return result;
}

TEST(OfficeText, LookAlikesAndWhatCp932CannotHold) {
    const struct {
        std::string bytes;
        std::string cp932;  // empty: refused
        int line = 0;
        char32_t character = 0;
    } cases[] = {
        {"1.00,ﾚｷ\r\n", "1.00,ﾚｷ\r\n"},  // cp932 ﾚｷ is DA B7, a UTF-8 letter cp932 lacks
        {Utf8(u8"30°±2〜\r\n"), "30°±2～\r\n"},
        {Utf16(u"砂\r\n", false), "砂\r\n"},
        {Utf8(u8"地点\r\n𠮷田\r\n"), "", 2, 0x20BB7},
        {Utf8(u8"a\nb\nß\n"), "", 3, 0xDF},  // C3 9F: 9F is no half-width katakana
        {kUtf8Mark + "\x82\xA0", "", 1, 0},  // a mark, then cp932
    };
    for (const auto& c : cases) {
        std::string storage;
        const rave::ForeignText text = rave::DecodeForeignText(c.bytes, storage);
        EXPECT_EQ(text.cp932, c.cp932) << c.bytes;
        EXPECT_EQ(text.problem.line, c.line) << c.bytes;
        EXPECT_EQ(text.problem.character, c.character) << c.bytes;
    }
}

TEST(OfficeImport, UnicodeFilesReadAsTheCp932TheyHold) {
    const std::string csv = Utf8(u8",No.1,,,,,,,,,,,,,,,,0.25,1.00,4,,盛土\r\n");
    for (const std::string& bytes : {kUtf8Mark + csv, csv, CsvLine("0.25", "盛土")}) {
        const Imported imported = ImportBytes(bytes, ImportMode::kComma);
        EXPECT_EQ(imported.doc.Row(1)[field::kJacicSoilName], "盛土");
        EXPECT_EQ(imported.doc.Row(1)[field::kLoad], "1.00");
    }
    for (const std::string& bytes : {kUtf8Mark + Utf8(u8"1.00 0.25 盛土"), Utf16(u"1.00\t0.25\t盛土")}) {
        const Imported imported = ImportBytes(bytes, ImportMode::kBlank);
        EXPECT_EQ(imported.doc.Row(1)[field::kLoad], "1.00");  // not "ｻｿ1.00"
        EXPECT_EQ(imported.doc.Row(1)[field::kJacicSoilName], "盛土");
        EXPECT_TRUE(imported.messages.shown.empty());
    }
    const std::string lacking = Utf8(u8"𠮷");  // out of the macros, which spell their arguments in cp932
    const Imported refused = ImportBytes("1.00 0.25 " + lacking, ImportMode::kBlank);
    ASSERT_FALSE(refused.ok);
    EXPECT_EQ(refused.messages.shown[0].argument, lacking);  // shown in 「%1」 with its U+20BB7
}

TEST(OfficeImport, LongLinesAreReadWholeAndOnlyAHostileOneIsRefusedByNumber) {
    for (int longLine : {1, 6}) {
        std::vector<std::string> lines;
        for (int i = 1; i <= 24; ++i) {
            lines.push_back(CsvLine(std::to_string(i), "砂", std::string(i == longLine ? 600 : 0, 'X')));
        }
        EXPECT_EQ(ImportBytes(rave::JoinCrLf(lines), ImportMode::kComma).doc.RowCount(), 24);
    }
    const Imported hostile = ImportBytes(
        rave::JoinCrLf({CsvLine("1", ""), CsvLine("2", ""), std::string(2 << 20, 'x')}), ImportMode::kComma);
    ASSERT_FALSE(hostile.ok);
    const std::string& said = hostile.messages.shown[0].text;
    EXPECT_EQ(said.substr(0, said.find('\n')), "3 行目が長すぎて読めません（1 行 1 MB まで）");
}

TEST(OfficeImport, AFileWithoutRowsSaysWhichLineFailedAndWhy) {
    const struct {
        std::string bytes;
        ImportMode mode;
        std::string reason;
    } cases[] = {
        {"1.00  0.25 砂", ImportMode::kBlank,
         "1 行目の 2 列目（貫入深さ）が空です。\nスペース区切りでは空白やタブの 1 つごとに列が分かれるため、"
         "空白が続くと間に空の列ができます"},
        {"1.00", ImportMode::kBlank, "1 行目は 1 列しかなく、貫入深さの 2 列目がありません"},
        {CsvLine("深さ", "土質") + "\r\n" + CsvLine("0.25", "砂"), ImportMode::kComma,
         "1 行目の 18 列目（貫入深さ）が数値ではありません：深さ"},
    };
    for (const auto& c : cases) {
        const Imported imported = ImportBytes(c.bytes, c.mode);
        ASSERT_EQ(imported.messages.shown.size(), 1U) << c.reason;
        EXPECT_EQ(imported.messages.shown[0].text,
                  "貫入深さのある行がありません。\n" + c.reason + "\n列No.と行範囲を確かめてください");
    }
}

TEST(OfficeSounding, EditorSavedSoundingsOpenAsTheyWereWritten) {
    const std::u8string sdw = u8"$$_SWJVERAN304\r\n$$Z\r\n宅地造成\r\n$$A\r\n1.00,4,0.25,,,,盛土\r\n$$C\r\n";
    // Ver2: header line 1 survey name, 3 point, 5 tester, 6-8 date; then one row of eight lines.
    const std::u8string ver2 =
        u8"$Z40\r\n宅地造成\r\n\r\nNo.3\r\n\r\n山田\r\n2024\r\n05\r\n21\r\n$A\r\n"
        u8"1.00\r\n4\r\n0.25\r\n25\r\n16\r\n盛土\r\n\r\n0\r\n";
    const std::string forms[] = {
        "$$_SWJVERAN304\r\n$$Z\r\n宅地造成\r\n$$A\r\n1.00,4,0.25,,,,盛土\r\n$$C\r\n",  // tidy cp932
        Utf8(sdw), kUtf8Mark + Utf8(sdw), kUtf8Mark + Utf8(ver2),
        Utf16(u"$$_SWJVERAN304\r\n$$Z\r\n宅地造成\r\n$$A\r\n1.00,4,0.25,,,,盛土\r\n$$C\r\n")};
    for (const std::string& bytes : forms) {
        rave::testing::TempFolder temp;
        SoundingDocument doc;
        rave::RecordingMessageSink messages;
        EXPECT_NE(OpenSoundingFromMenu(doc, messages, temp.Write("s.sdw", bytes), std::nullopt), 0);
        EXPECT_EQ(doc.header[1], "宅地造成");
        EXPECT_EQ(doc.Row(1)[field::kSimpleSoilName], "盛土");
        if (bytes.find("$Z40") != std::string::npos) {
            EXPECT_EQ(doc.header[5] + doc.header[10] + doc.header[7] + doc.header[8], "No.3山田202405");
        }
    }
}

}  // namespace
}  // namespace ravelog
