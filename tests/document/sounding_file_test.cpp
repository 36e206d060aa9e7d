// The .sdw writer and the readers of the current and the Ver2 format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_file.h"
#include "ravelog/document/sounding_file.h"

namespace ravelog {
namespace {

std::string Lines(const std::vector<std::string>& lines) {
    return rave::JoinCrLf(lines);
}

// A file of the current format with the given header lines, row lines and conversion lines.
std::string CurrentFile(const std::vector<std::string>& header, const std::vector<std::string>& rows,
                        const std::vector<std::string>& conversions) {
    std::vector<std::string> lines{"$$_SWJVERAN304", "$$Z"};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.push_back("$$A");
    lines.insert(lines.end(), rows.begin(), rows.end());
    lines.push_back("$$C");
    lines.insert(lines.end(), conversions.begin(), conversions.end());
    return Lines(lines);
}

SoundingFileVersion Read(SoundingDocument& doc, std::string_view bytes,
                         const SoundingReadLimits& limits = kMenuOpenLimits) {
    return ReadSoundingBytes(doc, bytes, limits);
}

void SetRow(SoundingDocument& doc, int i, const std::vector<std::string>& fields1to11) {
    for (std::size_t f = 0; f < fields1to11.size(); ++f) {
        doc.Row(i)[static_cast<int>(f) + 1] = fields1to11[f];
    }
}

// A sounding as the editors leave it: header with Japanese texts, three rows, their conversions.
SoundingDocument SampleDocument() {
    SoundingDocument doc;
    doc.header[1] = "東町三丁目住宅新築工事";
    doc.header[2] = "地盤調査";
    doc.header[5] = "No.1";
    doc.header[6] = "令和";
    doc.header[7] = "6";
    doc.header[20] = "1";
    doc.header[33] = "北東隅で実施";
    doc.header[92] = "スウェーデン式サウンディング試験";
    doc.header[100] = "end";
    SetRow(doc, 1, {"1.00", "0", "0.25", "0.2500", "", "ガリガリ", "", "", "盛土", "20000", "1"});
    SetRow(doc, 2, {"1.00", "4", "0.50", "0.2500", "16.0000", "", "", "", "粘土", "40000.2", ""});
    SetRow(doc, 3, {"0.75", "", "0.75", "0.2500", "", "自沈", "", "", "砂質シルト", "41000.2", "2"});
    doc.Conversion(1)[1] = "0.25";
    doc.Conversion(1)[2] = "3.000000";
    doc.Conversion(2)[1] = "0.50";
    doc.Conversion(2)[2] = "3.800000";
    doc.Conversion(2)[3] = "47.600000";
    doc.Conversion(3)[1] = "0.75";
    return doc;
}

TEST(SoundingFileWriter, WritesTheKnownLayoutByteForByte) {
    SoundingDocument doc;
    doc.header[1] = "件名";
    doc.header[20] = "0";
    SetRow(doc, 1, {"1.00", "4", "0.25", "0.2500", "16.0000", "", "粘土", "2.2", "", "", ""});
    SetRow(doc, 2, {"0.50", "", "0.50", "0.2500", "", "自沈", "", "", "", "", "2"});
    doc.Conversion(1)[1] = "0.25";
    doc.Conversion(1)[2] = "3.800000";
    doc.Conversion(1)[3] = "47.600000";
    doc.Conversion(1)[4] = "30.000000";
    doc.Conversion(2)[1] = "0.50";

    std::string expected = "$$_SWCVERAN304\r\n$$Z\r\n件名\r\n";
    for (int n = 2; n <= kHeaderSlots; ++n) {
        expected += n == 20 ? "0\r\n" : n == 32 ? "0.50\r\n" : "\r\n";
    }
    expected +=
        "$$A\r\n"
        "1.00,4,0.25,0.2500,16.0000,,粘土,2.2,,,\r\n"
        "0.50,,0.50,0.2500,,自沈,,,,,2\r\n"
        "$$C\r\n"
        "0.25,3.800000,47.600000,30.000000\r\n"
        "0.50,,,\r\n";
    EXPECT_EQ(WriteSoundingFile(doc), expected);
}

// Fields of every length from 0 to 40 bytes, each at every place in a row, are written whole and
// read back the same.
TEST(SoundingFileWriter, FieldsOfEveryLengthAreWrittenWhole) {
    SoundingDocument doc;
    std::string expected;
    int i = 1;
    for (std::size_t length = 0; length <= 40; ++length, ++i) {
        std::string line;
        for (int f = 1; f <= 11; ++f) {
            std::string text;
            for (std::size_t k = 0; k < length + static_cast<std::size_t>(f) % 3; ++k) {
                text.push_back(static_cast<char>('a' + (k + static_cast<std::size_t>(f)) % 26));
            }
            if (f == field::kDepth) {
                text = std::to_string(i) + text;  // the row counts only with a numeric depth
            }
            doc.Row(i)[f] = text;
            line += (f > 1 ? "," : "") + text;
        }
        expected += line + "\r\n";
    }
    const std::string bytes = WriteSoundingFile(doc);
    const std::size_t rows = bytes.find("$$A\r\n") + 5;
    EXPECT_EQ(bytes.substr(rows, bytes.find("$$C\r\n") - rows), expected);
    SoundingDocument copy;
    ASSERT_EQ(Read(copy, bytes), kVersionCurrent);
    EXPECT_EQ(WriteSoundingFile(copy), bytes);
}

TEST(SoundingFileWriter, MagicFollowsTheSoilNameTable) {
    SoundingDocument doc;
    doc.header[20] = "1";
    EXPECT_EQ(WriteSoundingFile(doc).substr(0, 16), "$$_SWJVERAN304\r\n");
    doc.header[20] = "";
    EXPECT_EQ(WriteSoundingFile(doc).substr(0, 16), "$$_SWCVERAN304\r\n");
    doc.header[20] = "2";  // any non-zero integer is the JACIC table
    EXPECT_EQ(WriteSoundingFile(doc).substr(0, 16), "$$_SWJVERAN304\r\n");
}

TEST(SoundingFileWriter, ReadsBackToTheSameSlotsRowsAndConversions) {
    SoundingDocument original = SampleDocument();
    const std::string bytes = WriteSoundingFile(original);
    EXPECT_EQ(original.header[slot::kFinalDepth], "0.75");

    SoundingDocument copy;
    copy.Row(7)[field::kDepth] = "stale";  // reading replaces everything
    ASSERT_EQ(Read(copy, bytes), kVersionCurrent);
    for (int n = 1; n <= kHeaderSlots; ++n) {
        EXPECT_EQ(copy.header[n], original.header[n]) << "slot " << n;
    }
    EXPECT_EQ(copy.RowCount(), 3);
    EXPECT_EQ(copy.LastUsedRow(), 3);
    for (int i = 1; i <= 3; ++i) {
        for (int f = field::kLoad; f <= field::kAttribute; ++f) {
            EXPECT_EQ(copy.Row(i)[f], original.Row(i)[f]) << "row " << i << " field " << f;
        }
    }
    for (int i = 1; i <= 4; ++i) {
        for (int f = 1; f <= kConversionFields; ++f) {
            EXPECT_EQ(copy.Conversion(i)[f], original.Conversion(i)[f]) << "entry " << i;
        }
    }
    // And the copy writes the very same bytes again.
    EXPECT_EQ(WriteSoundingFile(copy), bytes);
}

TEST(SoundingFileWriter, ZeroRowsGiveAdjacentMarkersAndAnEmptyFinalDepth) {
    SoundingDocument doc;
    doc.header[1] = "件名";
    doc.header[32] = "5.25";  // left over from rows deleted since the last save
    const std::string bytes = WriteSoundingFile(doc);
    EXPECT_NE(bytes.find("\r\n$$A\r\n$$C\r\n"), std::string::npos);
    EXPECT_EQ(bytes.size(), bytes.find("$$C\r\n") + 5);  // nothing after the conversion marker
    EXPECT_EQ(doc.header[32], "");

    SoundingDocument copy;
    ASSERT_EQ(Read(copy, bytes), kVersionCurrent);
    EXPECT_EQ(copy.RowCount(), 0);
    EXPECT_EQ(copy.LastUsedRow(), 0);
    EXPECT_EQ(copy.header[1], "件名");
    EXPECT_EQ(copy.header[32], "");
}

TEST(SoundingFileWriter, KeepsRowsAfterOneWithoutDepthAndStopsAtTheFirstEntryWithoutNumbers) {
    SoundingDocument doc;
    SetRow(doc, 1, {"1.00", "2", "0.25"});
    SetRow(doc, 2, {"1.00", "2", "abc"});
    SetRow(doc, 3, {"1.00", "2", "0.75"});
    doc.Conversion(1)[1] = "0.25";
    doc.Conversion(2)[2] = "4.0";  // field 2 alone keeps the entry
    doc.Conversion(3)[3] = "9.0";  // qu alone does not
    doc.Conversion(4)[1] = "1.00";
    const std::string bytes = WriteSoundingFile(doc);
    EXPECT_EQ(doc.header[32], "0.25");  // the sheets end where the depths do
    EXPECT_EQ(bytes.substr(bytes.find("$$A")),
              "$$A\r\n1.00,2,0.25,,,,,,,,\r\n1.00,2,abc,,,,,,,,\r\n1.00,2,0.75,,,,,,,,\r\n"
              "$$C\r\n0.25,,,\r\n,4.0,,\r\n");
}

TEST(SoundingFileWriter, SlotTextEndingInCrLfGetsNoSecondLineEnd) {
    SoundingDocument doc;
    doc.header[1] = "件名\r\n";
    const std::string bytes = WriteSoundingFile(doc);
    EXPECT_EQ(bytes.substr(0, 29), "$$_SWCVERAN304\r\n$$Z\r\n件名\r\n\r\n");
}

TEST(SoundingFileWriter, TextWithACommaIsQuotedAndReadsBackWhole) {
    SoundingDocument doc;
    SetRow(doc, 1, {"1.00", "4", "0.25", "0.2500", "16.0000", "礫混り,硬い", "", "", "礫混り砂", "", ""});
    const std::string bytes = WriteSoundingFile(doc);
    EXPECT_NE(bytes.find(",\"礫混り,硬い\",,,礫混り砂,,\r\n"), std::string::npos);
    SoundingDocument copy;
    ASSERT_EQ(Read(copy, bytes), kVersionCurrent);
    EXPECT_EQ(copy.Row(1)[field::kRemarks], "礫混り,硬い");
    EXPECT_EQ(copy.Row(1)[field::kJacicSoilName], "礫混り砂");
    EXPECT_EQ(copy.Row(1)[field::kAttribute], "");
    // A comma in a conversion entry is quoted too; one in a header slot is written as it is.
    doc.Conversion(1)[1] = "0.25";
    doc.Conversion(1)[4] = "1,5";
    doc.header[3] = "a,b";
    const std::string more = WriteSoundingFile(doc);
    EXPECT_NE(more.find("$$C\r\n0.25,,,\"1,5\"\r\n"), std::string::npos);
    EXPECT_NE(more.find("\r\na,b\r\n"), std::string::npos);
    // Files without commas in their texts carry no quote at all.
    SoundingDocument plain = SampleDocument();
    EXPECT_EQ(WriteSoundingFile(plain).find('"'), std::string::npos);
}

TEST(FileVersion, RecognisesTheMagicsAndTheOldHeader) {
    EXPECT_EQ(DetectFileVersion("$$_SWJVERAN304"), kVersionCurrent);
    EXPECT_EQ(DetectFileVersion("$$_SWCVERAN304\r\n"), kVersionCurrent);
    EXPECT_EQ(DetectFileVersion("$$_SWxyz"), kVersionCurrent);  // 8 characters
    EXPECT_EQ(DetectFileVersion("$$_SW"), kVersionCurrent);     // 5 characters
    EXPECT_EQ(DetectFileVersion("  $$_SW"), kVersionCurrent);   // anywhere in the line
    EXPECT_EQ(DetectFileVersion("$Z40"), kVersionOld);
    EXPECT_EQ(DetectFileVersion("$Z40\r\n"), kVersionOld);
    EXPECT_EQ(DetectFileVersion("$$_"), kVersionUnknown);  // 3 characters are too short
    EXPECT_EQ(DetectFileVersion(""), kVersionUnknown);
    EXPECT_EQ(DetectFileVersion("地点,深さ,荷重"), kVersionUnknown);
}

TEST(FileVersion, LinesOf32CharactersOrMoreAreRejected) {
    const std::string magic31 = "$$_SWJVERAN304" + std::string(17, 'x');
    ASSERT_EQ(magic31.size(), 31U);
    EXPECT_EQ(DetectFileVersion(magic31), kVersionCurrent);
    EXPECT_EQ(DetectFileVersion(magic31 + "x"), kVersionUnknown);
    EXPECT_EQ(DetectFileVersion("$Z40" + std::string(28, ' ')), kVersionUnknown);
    EXPECT_EQ(DetectFileVersion(std::string(100, '-') + "$$_SWJVERAN304"), kVersionUnknown);
}

TEST(FileVersion, TheMenuPathCountsTheAttachedLineEnd) {
    // 30 characters: with CR LF attached the menu path sees 32 and rejects the file, the
    // framework path sees 30 and reads it.
    const std::string first = "$$_SWJVERAN304" + std::string(16, '_');
    const std::string bytes = first + "\r\n$$Z\r\n件名\r\n";
    SoundingDocument menu;
    menu.header[1] = "kept";
    EXPECT_EQ(Read(menu, bytes, kMenuOpenLimits), kVersionUnknown);
    EXPECT_EQ(menu.header[1], "kept");  // a rejected file leaves the document alone
    SoundingDocument framework;
    EXPECT_EQ(Read(framework, bytes, kFrameworkOpenLimits), kVersionCurrent);
    EXPECT_EQ(framework.header[1], "件名");
    // 29 characters pass both paths.
    SoundingDocument shorter;
    EXPECT_EQ(Read(shorter, first.substr(0, 29) + "\r\n", kMenuOpenLimits), kVersionCurrent);
}

TEST(FileVersion, AnEmptyFileIsNoSoundingFile) {
    SoundingDocument doc;
    EXPECT_EQ(Read(doc, ""), kVersionUnknown);
    EXPECT_EQ(Read(doc, "\r\n$$_SWJVERAN304\r\n"), kVersionUnknown);  // the magic must come first
}

TEST(CurrentReader, FieldsQuotesShortLinesAndEmptyLines) {
    const std::string bytes = CurrentFile(
        {"件名"}, {"1.00,4,0.25", "\"1,00\",\"4\",0.50,,,\"記事,続き\",,,粘土,,4,extra", "", "1.00,6,1.00"},
        {"0.25,3.0", ""});
    SoundingDocument doc;
    ASSERT_EQ(Read(doc, bytes), kVersionCurrent);
    EXPECT_EQ(doc.Row(1)[field::kDepth], "0.25");
    for (int f = field::kLength; f <= field::kAttribute; ++f) {
        EXPECT_EQ(doc.Row(1)[f], "") << "field " << f;  // fewer than 11 fields: the rest empty
    }
    EXPECT_EQ(doc.Row(2)[field::kLoad], "1,00");
    EXPECT_EQ(doc.Row(2)[field::kHalfTurns], "4");
    EXPECT_EQ(doc.Row(2)[field::kRemarks], "記事,続き");
    EXPECT_EQ(doc.Row(2)[field::kJacicSoilName], "粘土");
    EXPECT_EQ(doc.Row(2)[field::kAttribute], "4");  // a twelfth field is dropped
    // The empty line is an empty row: it ends the row count, the row after it stays.
    EXPECT_EQ(doc.RowCount(), 2);
    EXPECT_EQ(doc.Row(4)[field::kDepth], "1.00");
    EXPECT_EQ(doc.LastUsedRow(), 4);
    EXPECT_EQ(doc.Conversion(1)[2], "3.0");
    EXPECT_EQ(doc.Conversion(2)[1], "");
}

TEST(CurrentReader, MarkersAnywhereInALineAndSectionsItIgnores) {
    const std::string bytes =
        Lines({"$$_SWCVERAN304", "before any section", "$$Z", "one", "$$", "two", "$$X", "ignored", "$$Z",
               "again", "$$A", "1,2,3", "memo $$A", "7,8,9", "abC$$", "4,5"});
    SoundingDocument doc;
    ASSERT_EQ(Read(doc, bytes), kVersionCurrent);
    EXPECT_EQ(doc.header[1], "again");  // a second "$$Z" starts over at slot 1
    EXPECT_EQ(doc.header[2], "two");    // a bare "$$" neither stores nor resets
    EXPECT_EQ(doc.header[3], "");
    EXPECT_EQ(doc.Row(1)[field::kDepth], "3");
    // Any line holding "$$" is a marker named by its own third character: "memo $$A" opens the
    // ignored section "m", "xx$$C" the conversions.
    EXPECT_EQ(doc.Row(2)[field::kDepth], "");
    EXPECT_EQ(doc.Conversion(1)[2], "5");
}

TEST(CurrentReader, StopsStoringAtEachCapacity) {
    std::vector<std::string> header;
    for (int n = 1; n <= 105; ++n) {
        header.push_back("slot" + std::to_string(n));
    }
    std::vector<std::string> rows;
    std::vector<std::string> conversions;
    for (int i = 1; i <= kMaxRows + 3; ++i) {
        rows.push_back("1.00,4," + std::to_string(i));
        conversions.push_back(std::to_string(i) + ",1.0");
    }
    SoundingDocument doc;
    ASSERT_EQ(Read(doc, CurrentFile(header, rows, conversions)), kVersionCurrent);
    EXPECT_EQ(doc.header[100], "slot100");
    EXPECT_EQ(doc.RowCount(), kMaxRows);
    EXPECT_EQ(doc.Row(kMaxRows)[field::kDepth], "1350");
    EXPECT_EQ(doc.Conversion(kConversionEntries)[1], "1350");
}

// Reading into a document that holds another sounding (every field of every row, entry and slot
// filled) leaves exactly what reading into a new document leaves: files with fewer slots, rows
// and entries, a second section of rows, short lines and none at all.
TEST(CurrentReader, AReusedDocumentEndsAsANewOne) {
    const std::vector<std::string> files = {
        CurrentFile({"a", "b"}, {"1.00,4,0.25", "1.00,6,0.50,,,,,,,,2"}, {"0.25,1,2,3"}),
        CurrentFile({}, {}, {}),
        "$$_SWJVERAN304\r\n$$A\r\n1,2,3\r\n4,5,6\r\n7,8,9\r\n$$A\r\nx,y\r\n$$Z\r\nh\r\n",
        "$$_SWCVERAN304\r\n$$C\r\n1,2\r\n\r\n$$Z\r\n"};
    for (const std::string& bytes : files) {
        SoundingDocument fresh;
        ASSERT_EQ(Read(fresh, bytes), kVersionCurrent);
        SoundingDocument reused;
        for (int n = 0; n <= kHeaderSlots; ++n) {
            reused.header[n] = "old";
        }
        for (int i = 0; i <= kMaxRows; ++i) {
            for (int f = 1; f < kRowFields; ++f) {
                reused.Row(i)[f] = "old";
            }
            for (int f = 0; f <= kConversionFields; ++f) {
                reused.Conversion(i)[f] = "old";
            }
        }
        ASSERT_EQ(Read(reused, bytes), kVersionCurrent);
        for (int n = 0; n <= kHeaderSlots; ++n) {
            ASSERT_EQ(reused.header[n], fresh.header[n]) << bytes << " slot " << n;
        }
        for (int i = 0; i <= kMaxRows; ++i) {
            for (int f = 1; f < kRowFields; ++f) {
                ASSERT_EQ(reused.Row(i)[f], fresh.Row(i)[f]) << bytes << " row " << i << " field " << f;
            }
            for (int f = 0; f <= kConversionFields; ++f) {
                ASSERT_EQ(reused.Conversion(i)[f], fresh.Conversion(i)[f]) << bytes << " entry " << i;
            }
        }
    }
}

TEST(CurrentReader, AnOverlongLineIsCutNotSplitIntoRows) {
    const std::string longRemarks(700, 'a');
    const std::string bytes =
        CurrentFile({}, {"1.00,4,0.25,,," + longRemarks + ",1,2,3,4,5", "1.00,6,0.50"}, {});
    for (const SoundingReadLimits& limits : {kMenuOpenLimits, kFrameworkOpenLimits}) {
        SoundingDocument doc;
        ASSERT_EQ(Read(doc, bytes, limits), kVersionCurrent);
        EXPECT_EQ(doc.RowCount(), 2);
        EXPECT_EQ(doc.LastUsedRow(), 2);
        EXPECT_EQ(doc.Row(2)[field::kDepth], "0.50");
        EXPECT_EQ(doc.Row(1)[field::kRemarks].size(), limits.lines - 14);  // cut at the limit
        EXPECT_EQ(doc.Row(1)[field::kSimpleSoilName], "");
    }
}

TEST(CurrentReader, AnOverlongFirstLineIsRejected) {
    SoundingDocument doc;
    EXPECT_EQ(Read(doc, "$$_SWJVERAN304" + std::string(300, ' ') + "\r\n$$Z\r\n"), kVersionUnknown);
}

// A Ver2 file: "$Z40", header lines, "$A", eight value lines per row.
std::string OldFile(const std::vector<std::string>& header, const std::vector<std::string>& values) {
    std::vector<std::string> lines{"$Z40"};
    lines.insert(lines.end(), header.begin(), header.end());
    lines.push_back("$A");
    lines.insert(lines.end(), values.begin(), values.end());
    return Lines(lines);
}

TEST(OldReader, HeaderLinesGoToTheirMappedSlots) {
    std::vector<std::string> header;
    for (int k = 1; k <= 45; ++k) {
        header.push_back("h" + std::to_string(k));
    }
    SoundingDocument doc;
    doc.header[92] = "stale";
    ASSERT_EQ(Read(doc, OldFile(header, {})), kVersionOld);
    const int map[][2] = {{1, 1},   {2, 2},   {3, 5},   {4, 33},  {5, 10},  {6, 7},   {7, 8},   {8, 9},
                          {9, 12},  {10, 13}, {11, 16}, {12, 17}, {13, 18}, {14, 14}, {15, 15}, {16, 21},
                          {17, 22}, {18, 23}, {19, 24}, {20, 25}, {21, 26}, {24, 29}};
    int mapped = 0;
    for (const auto& [k, slotNumber] : map) {
        EXPECT_EQ(doc.header[slotNumber], "h" + std::to_string(k)) << "line " << k;
        ++mapped;
    }
    int filled = 0;
    for (int n = 1; n <= kHeaderSlots; ++n) {
        filled += doc.header[n].empty() ? 0 : 1;
    }
    EXPECT_EQ(filled, mapped);  // lines 22, 23 and 25..45 landed nowhere, and "stale" was cleared
    EXPECT_EQ(OldFormatHeaderSlot(22), 0);
    EXPECT_EQ(OldFormatHeaderSlot(41), 0);
}

TEST(OldReader, EightValueLinesMakeOneRow) {
    SoundingDocument doc;
    ASSERT_EQ(Read(doc, OldFile({"件名"}, {"1.00", "4", "0.25", "25", "16.0", "粘土", "ガリガリ", "2", "0.75",
                                           "", "0.50", "150", "", "砂質シルト", "自沈", "3"})),
              kVersionOld);
    const MeasuredRow& row1 = doc.Row(1);
    EXPECT_EQ(row1[field::kLoad], "1.00");
    EXPECT_EQ(row1[field::kHalfTurns], "4");
    EXPECT_EQ(row1[field::kDepth], "0.25");
    EXPECT_EQ(row1[field::kLength], "0.25");
    EXPECT_EQ(row1[field::kNsw], "16.0");
    EXPECT_EQ(row1[field::kSimpleSoilName], "粘土");
    EXPECT_EQ(row1[field::kRemarks], "ガリガリ");
    EXPECT_EQ(row1[field::kSimplePattern], "2");
    EXPECT_EQ(doc.Row(2)[field::kLength], "1.50");  // centimetres of the old format
    EXPECT_EQ(doc.Row(2)[field::kSimpleSoilName], "砂質シルト");
    EXPECT_EQ(doc.Row(2)[field::kRemarks], "自沈");
    EXPECT_EQ(doc.Row(2)[field::kJacicSoilName], "");
    EXPECT_EQ(doc.RowCount(), 2);
    EXPECT_EQ(doc.Conversion(1)[1], "");  // the old format has no conversions
}

TEST(OldReader, ALoneDollarOpensAnIgnoredSectionAndRowsStopAtCapacity) {
    std::vector<std::string> values;
    for (int i = 1; i <= kMaxRows + 2; ++i) {
        for (int j = 1; j <= 8; ++j) {
            values.push_back(j == 3 ? std::to_string(i) : "1");
        }
    }
    values.push_back("$");
    values.push_back("9.99");
    SoundingDocument doc;
    ASSERT_EQ(Read(doc, OldFile({}, values)), kVersionOld);
    EXPECT_EQ(doc.RowCount(), kMaxRows);
    EXPECT_EQ(doc.Row(kMaxRows)[field::kDepth], "1350");

    SoundingDocument ignored;
    ASSERT_EQ(Read(ignored, Lines({"$Z40", "件名", "$", "1.00", "2", "0.25"})), kVersionOld);
    EXPECT_EQ(ignored.header[1], "件名");
    EXPECT_EQ(ignored.LastUsedRow(), 0);
}

TEST(ReadPass, EachPassStartsWithoutASection) {
    SoundingDocument doc;
    {
        SoundingReadPass pass(doc);
        pass.ReadSoundingLine(kVersionCurrent, "$$Z\r\n");
        pass.ReadSoundingLine(kVersionCurrent, "first\r\n");
    }
    SoundingReadPass next(doc);
    next.ReadSoundingLine(kVersionCurrent, "not stored\r\n");
    EXPECT_EQ(doc.header[1], "first");
    EXPECT_EQ(doc.header[2], "");
    // Only one line end is removed: a line holding "\r\n\r\n" keeps its first one.
    next.ReadSoundingLine(kVersionCurrent, "$$Z\n");
    next.ReadSoundingLine(kVersionCurrent, "x\r\n\r\n");
    EXPECT_EQ(doc.header[1], "x\r\n");
}

}  // namespace
}  // namespace ravelog
