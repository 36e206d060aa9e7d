// The import of measured rows from comma- and blank-separated files: preview, line list, the
// plausibility messages and the import itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/messages.h"
#include "common/ravelog_settings.h"
#include "common/text_file.h"
#include "ravelog/document/foreign_import.h"
#include "ravelog/document/sounding_document.h"
#include "temp_folder.h"

namespace ravelog {
namespace {

using rave::testing::TempFolder;

// A line of a CSV file laid out as the standard comma columns expect: point number in column 2,
// date in 10, depth in 18, load in 19, half turns in 20, soil name in 22.
std::string CsvLine(const std::string& depth, const std::string& load, const std::string& halfTurns,
                    const std::string& soil, const std::string& point = "No.1",
                    const std::string& date = "20240315") {
    std::vector<std::string> fields(26);
    fields[1] = point;
    fields[9] = date;
    fields[17] = depth;
    fields[18] = load;
    fields[19] = halfTurns;
    fields[21] = soil;
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i > 0 ? "," : "") + fields[i];
    }
    return line;
}

ImportChoices StandardChoices(ImportMode mode) {
    return LoadImportChoices(rave::RavelogSettings{}, mode);
}

// Counts the calls of each refresh step and the row count each one saw.
struct RefreshRecorder {
    std::vector<std::string> calls;
    int count = -1;
    ImportRefresh Bind() {
        ImportRefresh refresh;
        refresh.fillEmptySettings = [this](SoundingDocument& doc) {
            calls.push_back("fill");
            if (doc.header[19].empty()) {
                doc.header[19] = "100";
            }
        };
        refresh.fillJacicPatterns = [this](SoundingDocument&, int n) {
            calls.push_back("patterns");
            count = n;
        };
        refresh.assignClassesAndConversions = [this](SoundingDocument&, int n) {
            calls.push_back("conversions");
            count = n;
        };
        return refresh;
    }
};

class ImportTest : public ::testing::Test {
protected:
    // Writes the lines (CR LF) to a file and prepares an import of it.
    ForeignImport Prepare(const std::vector<std::string>& lines, ImportMode mode = ImportMode::kComma,
                          const std::string& name = "data.csv") {
        path_ = temp_.Write(name, rave::JoinCrLf(lines));
        ForeignImport import(mode, StandardChoices(mode));
        EXPECT_TRUE(import.ChooseFile(path_, messages_));
        return import;
    }
    bool Import(ForeignImport& import, int* rows = nullptr) {
        ImportReport report;
        const bool imported = import.Import(doc_, messages_, refresh_.Bind(), &report);
        if (rows != nullptr) {
            *rows = report.stored;
        }
        return imported;
    }

    TempFolder temp_;
    std::filesystem::path path_;
    SoundingDocument doc_;
    rave::RecordingMessageSink messages_;
    RefreshRecorder refresh_;
};

TEST(ImportChoicesTest, StandardColumnsOfEachMode) {
    EXPECT_EQ(StandardImportColumns(ImportMode::kComma),
              (ImportColumnTexts{"19", "20", "18", "22", "2", "10"}));
    EXPECT_EQ(StandardImportColumns(ImportMode::kBlank), (ImportColumnTexts{"1", "4", "2", "3", "", ""}));
    const ImportChoices opened = StandardChoices(ImportMode::kBlank);
    EXPECT_TRUE(opened.omitRepeatedNames);
    EXPECT_FALSE(opened.clearHeader);
    EXPECT_FALSE(opened.loadInKgf);
    EXPECT_EQ(opened.toLine, "");
}

TEST(ImportChoicesTest, KeptPerModeWithTheKgfOptionShared) {
    rave::RavelogSettings settings = rave::RavelogSettings::Defaults();
    ImportChoices comma = StandardChoices(ImportMode::kComma);
    comma.columns = {"3", "4", "5", "6", "", "x"};
    comma.loadInKgf = true;
    comma.depthInCm = true;
    StoreImportChoices(settings, ImportMode::kComma, comma);
    EXPECT_EQ(settings.Line(15), "1");
    EXPECT_EQ(settings.Line(16), "1");
    EXPECT_EQ(settings.Line(17), "0");
    EXPECT_EQ(settings.Line(71), "3");
    EXPECT_EQ(settings.Line(75), "");
    EXPECT_EQ(settings.Line(76), "");  // an unusable column is kept as unused
    EXPECT_EQ(settings.Line(77), "");

    const ImportChoices commaAgain = LoadImportChoices(settings, ImportMode::kComma);
    EXPECT_EQ(commaAgain.columns, (ImportColumnTexts{"3", "4", "5", "6", "", ""}));
    EXPECT_TRUE(commaAgain.depthInCm);
    const ImportChoices blank = LoadImportChoices(settings, ImportMode::kBlank);
    EXPECT_EQ(blank.columns, StandardImportColumns(ImportMode::kBlank));  // none kept: the standard
    EXPECT_TRUE(blank.loadInKgf);
    EXPECT_FALSE(blank.depthInCm);

    ImportChoices blankChoice = blank;
    blankChoice.columns = {"2", "", "1", "", "", ""};
    blankChoice.depthInCm = true;
    blankChoice.loadInKgf = false;
    StoreImportChoices(settings, ImportMode::kBlank, blankChoice);
    EXPECT_EQ(settings.Line(77), "2");
    EXPECT_EQ(settings.Line(79), "1");
    EXPECT_EQ(settings.Line(17), "1");
    EXPECT_FALSE(LoadImportChoices(settings, ImportMode::kComma).loadInKgf);
}

TEST(ImportChoicesTest, ColumnNumbersOutsideOneToTwentySixAreUnused) {
    EXPECT_EQ(ImportColumnNumber("26"), 26);
    EXPECT_EQ(ImportColumnNumber(" 3"), 3);
    EXPECT_EQ(ImportColumnNumber("27"), 0);
    EXPECT_EQ(ImportColumnNumber("0"), 0);
    EXPECT_EQ(ImportColumnNumber("-1"), 0);
    EXPECT_EQ(ImportColumnNumber("列"), 0);
    EXPECT_FALSE(AnyImportColumnAssigned({"", "0", "x", "99", "", ""}));
}

TEST(NamedColumns, SavedAndLoadedPerMode) {
    TempFolder temp;
    rave::RecordingMessageSink messages;
    ImportChoices choices = StandardChoices(ImportMode::kBlank);
    choices.fromLine = "3";
    choices.toLine = "40";
    ASSERT_TRUE(SaveNamedImportColumns(temp.path(), ImportMode::kBlank, "現場A", choices, messages));
    EXPECT_EQ(TempFolder::Read(temp.path() / "Uss.ndx"), "現場A\r\n1\r\n4\r\n2\r\n3\r\n\r\n\r\n3\r\n40\r\n");
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "Usr.ndx"));
    const auto loaded = LoadNamedImportColumns(temp.path(), ImportMode::kBlank, messages);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->name, "現場A");
    EXPECT_EQ(loaded->columns, StandardImportColumns(ImportMode::kBlank));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(NamedColumns, MissingEmptyAndUnwritableSettingsSaySo) {
    TempFolder temp;
    rave::RecordingMessageSink messages;
    EXPECT_FALSE(LoadNamedImportColumns(temp.path(), ImportMode::kComma, messages));
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].id, 4020);
    EXPECT_EQ(messages.shown[0].text, "データがありません\n( 保存されている設定 )");

    // Numbers only after line 7 (the range) do not count.
    temp.Write("Usr.ndx", "名前\r\n\r\n\r\n\r\n\r\n\r\n\r\n1\r\n9\r\n");
    EXPECT_FALSE(LoadNamedImportColumns(temp.path(), ImportMode::kComma, messages));
    EXPECT_EQ(messages.shown.size(), 2U);

    ImportChoices none = StandardChoices(ImportMode::kComma);
    none.columns = {};
    EXPECT_FALSE(SaveNamedImportColumns(temp.path(), ImportMode::kComma, "x", none, messages));
    EXPECT_EQ(messages.shown.back().id, 4007);

    std::filesystem::create_directories(temp.path() / "sub" / "Usr.ndx");
    EXPECT_FALSE(SaveNamedImportColumns(temp.path() / "sub", ImportMode::kComma, "x",
                                        StandardChoices(ImportMode::kComma), messages));
    EXPECT_EQ(messages.shown.back().id, 4005);
}

TEST_F(ImportTest, PreviewShowsTheFirstSixLinesSplit) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 8; ++i) {
        lines.push_back(CsvLine("0." + std::to_string(i), "1.00", "4", "粘土"));
    }
    lines[1] = std::string(3000, 'a') + ",b";  // a long line is read whole, past any CSV limit
    ForeignImport import = Prepare(lines);
    EXPECT_EQ(import.preview().lineCount, 6);
    EXPECT_EQ(import.preview().lines[0][17], "0.1");
    EXPECT_EQ(import.preview().lines[1][0].size(), 3000U);
    EXPECT_EQ(import.preview().lines[1][1], "b");
    EXPECT_EQ(import.preview().lines[5][17], "0.6");
    EXPECT_EQ(ImportPreviewLineHeading(3), " 3行目");
    EXPECT_EQ(ImportNumberText(7), " 7");
}

TEST_F(ImportTest, ClicksFillTheColumnAndRangeFields) {
    ForeignImport import = Prepare(
        {CsvLine("0.25", "1", "1", ""), CsvLine("0.50", "1", "1", ""), CsvLine("0.75", "1", "1", "")});
    import.AssignColumn(kColumnDepth, 5);
    EXPECT_EQ(import.choices().columns[kColumnDepth], "5");
    import.UseStandardColumns();
    EXPECT_EQ(import.choices().columns[kColumnDepth], "18");
    import.SetRangeLine(false, 2);
    import.SetRangeLine(true, 2);
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.LastUsedRow(), 1);
    EXPECT_EQ(doc_.Row(1)[field::kDepth], "0.50");
}

TEST_F(ImportTest, ChoosingAMissingFileSaysSo) {
    ForeignImport import(ImportMode::kComma, StandardChoices(ImportMode::kComma));
    EXPECT_FALSE(import.ChooseFile(temp_.path() / "gone.csv", messages_));
    ASSERT_EQ(messages_.shown.size(), 1U);
    EXPECT_EQ(messages_.shown[0].id, 32790);
    EXPECT_EQ(messages_.shown[0].argument, (temp_.path() / "gone.csv").string());
    EXPECT_EQ(import.preview().lineCount, 0);
}

TEST_F(ImportTest, LineListConvertsAndSetsTheRangeToTheWholeFile) {
    ForeignImport import = Prepare({CsvLine("25", "100", "0", "盛土"), CsvLine("50", "75", "8", "粘土"),
                                    CsvLine("75", "0", "12", "粘土")});
    import.choices().loadInKgf = true;
    import.choices().depthInCm = true;
    ASSERT_TRUE(import.FillLineList(messages_));
    EXPECT_TRUE(messages_.shown.empty());
    ASSERT_EQ(import.lineList().size(), 3U);
    EXPECT_EQ(import.lineList()[0].number, 1);
    EXPECT_EQ(import.lineList()[0].load, "1.00");
    EXPECT_EQ(import.lineList()[0].depth, "0.25");
    EXPECT_EQ(import.lineList()[1].halfTurns, "8");
    EXPECT_EQ(import.lineList()[2].load, "0");  // below 0.001: as it stands
    EXPECT_EQ(import.lineList()[2].soilName, "粘土");
    EXPECT_EQ(import.choices().fromLine, "1");
    EXPECT_EQ(import.choices().toLine, "3");
    EXPECT_EQ(import.fileLastLine(), 3);
}

TEST_F(ImportTest, LineListWarnsAboutUnlikelyUnitsAndNonNumericDepths) {
    ForeignImport import =
        Prepare({CsvLine("150", "1500", "4", "粘土"), CsvLine("175", "1000", "4", "粘土")});
    ASSERT_TRUE(import.FillLineList(messages_));
    ASSERT_EQ(messages_.shown.size(), 2U);
    EXPECT_EQ(messages_.shown[0].id, 4019);
    EXPECT_EQ(messages_.shown[0].text,
              "数値が異常です。単位、換算（x0.01）をチェックして下さい。　\n( Wsw kN )");
    EXPECT_EQ(messages_.shown[1].id, 4019);
    EXPECT_EQ(messages_.shown[1].text,
              "数値が異常です。単位、換算（x0.01）をチェックして下さい。　\n( 深度 m )");

    // Exactly 99 kN and 24 m are still believable.
    rave::RecordingMessageSink quiet;
    ForeignImport limits = Prepare({CsvLine("24", "99", "4", "")}, ImportMode::kComma, "limits.csv");
    ASSERT_TRUE(limits.FillLineList(quiet));
    EXPECT_TRUE(quiet.shown.empty());

    // A title line and a unit line: no number in the depth column on lines 1 and 2.
    rave::RecordingMessageSink titles;
    ForeignImport titled = Prepare({CsvLine("深さ", "荷重", "半回転", "土質"), CsvLine("m", "kN", "回", ""),
                                    CsvLine("0.25", "1.00", "4", "")},
                                   ImportMode::kComma, "titled.csv");
    ASSERT_TRUE(titled.FillLineList(titles));
    ASSERT_EQ(titles.shown.size(), 1U);
    EXPECT_EQ(titles.shown[0].id, 4013);
    EXPECT_EQ(titles.shown[0].text, "数値が異常です\n( 深度 m )");
    // A number on line 2 alone is enough.
    rave::RecordingMessageSink oneTitle;
    ForeignImport oneTitled =
        Prepare({CsvLine("深さ", "荷重", "半回転", "土質"), CsvLine("0.25", "1.00", "4", "")},
                ImportMode::kComma, "one.csv");
    ASSERT_TRUE(oneTitled.FillLineList(oneTitle));
    EXPECT_TRUE(oneTitle.shown.empty());
}

TEST_F(ImportTest, LineListNeedsAFileWithLines) {
    ForeignImport none(ImportMode::kComma, StandardChoices(ImportMode::kComma));
    EXPECT_FALSE(none.FillLineList(messages_));
    EXPECT_EQ(messages_.shown.back().id, 32794);

    ForeignImport empty = Prepare({}, ImportMode::kComma, "empty.csv");
    EXPECT_FALSE(empty.FillLineList(messages_));
    EXPECT_EQ(messages_.shown.back().id, 4007);

    ForeignImport gone = Prepare({CsvLine("0.25", "1", "1", "")}, ImportMode::kComma, "gone.csv");
    std::filesystem::remove(path_);
    EXPECT_FALSE(gone.FillLineList(messages_));
    EXPECT_EQ(messages_.shown.back().id, 32790);
}

TEST_F(ImportTest, ImportsTheWholeFileWithAnEmptyToFieldEvenWithoutTheLineList) {
    ForeignImport import =
        Prepare({CsvLine("0.25", "1.00", "0", "盛土"), CsvLine("0.50", "1.00", "4", "粘土"),
                 CsvLine("0.75", "0.75", "", "砂質シルト")});
    doc_.Row(5)[field::kDepth] = "9.99";  // left from the document before
    doc_.Conversion(5)[1] = "9.99";
    int rows = 0;
    ASSERT_TRUE(Import(import, &rows));
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(doc_.RowCount(), 3);
    EXPECT_EQ(doc_.LastUsedRow(), 3);
    EXPECT_EQ(doc_.Row(5)[field::kDepth], "");
    EXPECT_EQ(doc_.Conversion(5)[1], "");
    const MeasuredRow& row2 = doc_.Row(2);
    EXPECT_EQ(row2[field::kLoad], "1.00");
    EXPECT_EQ(row2[field::kHalfTurns], "4");
    EXPECT_EQ(row2[field::kDepth], "0.50");
    EXPECT_EQ(row2[field::kSimpleSoilName], "粘土");
    EXPECT_EQ(row2[field::kJacicSoilName], "粘土");
    EXPECT_EQ(row2[field::kRemarks], "");
    EXPECT_EQ(row2[field::kJacicPattern], "");
    // The refresh ran: L and Nsw recomputed, then patterns and conversions over the used rows.
    EXPECT_EQ(row2[field::kLength], "0.2500");
    EXPECT_EQ(row2[field::kNsw], "16.0000");
    EXPECT_EQ(doc_.Row(3)[field::kNsw], "");
    EXPECT_EQ(refresh_.calls, (std::vector<std::string>{"fill", "patterns", "conversions"}));
    EXPECT_EQ(refresh_.count, 3);
    EXPECT_EQ(doc_.header[19], "50");  // imports set 1/50 before FillEmptySettings sees it
    // Back-to-zero lines above the first row and below the last.
    EXPECT_EQ(doc_.Row(1)[field::kAttribute], "1");
    EXPECT_EQ(row2[field::kAttribute], "");
    EXPECT_EQ(doc_.Row(3)[field::kAttribute], "2");
    // Named after the foreign file and unmodified; the name makes a later Save ask for a new one.
    EXPECT_EQ(doc_.pathName, path_.string());
    EXPECT_FALSE(doc_.modified);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ImportTest, TheRangeSelectsLinesButLineOneStillNamesPointAndDate) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 6; ++i) {
        lines.push_back(CsvLine(std::to_string(i) + ".00", "1.00", std::to_string(i), "",
                                i == 1 ? "No.7" : "No.9", i == 1 ? "20240315" : "20991231"));
    }
    ForeignImport import = Prepare(lines);
    import.choices().fromLine = "3";
    import.choices().toLine = "5";
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.RowCount(), 3);
    EXPECT_EQ(doc_.Row(1)[field::kDepth], "3.00");
    EXPECT_EQ(doc_.Row(3)[field::kDepth], "5.00");
    EXPECT_EQ(doc_.Row(4)[field::kDepth], "");
    EXPECT_EQ(doc_.header[5], "No.7");
    EXPECT_EQ(doc_.header[7], "2024");
    EXPECT_EQ(doc_.header[8], "03");
    EXPECT_EQ(doc_.header[9], "15");
    EXPECT_EQ(doc_.header[20], "1");

    // A from-field below 1 starts at line 1; to below from imports nothing.
    import.choices().fromLine = "-4";
    import.choices().toLine = "2";
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.RowCount(), 2);
    import.choices().fromLine = "5";
    import.choices().toLine = "4";
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.LastUsedRow(), 0);
    EXPECT_EQ(doc_.header[5], "No.7");
}

TEST_F(ImportTest, ShortDatesLeaveTheDateSlotsAndHeaderClearingIsAnOption) {
    ForeignImport import = Prepare({CsvLine("0.25", "1.00", "4", "", "No.2", "2024031")});
    doc_.header[1] = "件名";
    doc_.header[7] = "令和6";
    doc_.header[8] = "4";
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.header[1], "件名");
    EXPECT_EQ(doc_.header[7], "令和6");
    EXPECT_EQ(doc_.header[8], "4");
    EXPECT_EQ(doc_.header[5], "No.2");

    import.choices().clearHeader = true;
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.header[1], "");
    EXPECT_EQ(doc_.header[7], "");
    EXPECT_EQ(doc_.header[5], "No.2");
    EXPECT_EQ(doc_.header[19], "50");
}

TEST_F(ImportTest, UnitOptionsConvertWithTheirFormats) {
    ForeignImport import = Prepare({CsvLine("150", "1500", "0", ""), CsvLine("0.0005", "25", "2", ""),
                                    CsvLine("175", "0.0009", "4", "")});
    import.choices().loadInKgf = true;
    import.choices().depthInCm = true;
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.Row(1)[field::kDepth], "1.5");
    EXPECT_EQ(doc_.Row(1)[field::kLoad], "15.00");
    EXPECT_EQ(doc_.Row(2)[field::kDepth], "0.0005");
    EXPECT_EQ(doc_.Row(2)[field::kLoad], "0.25");
    EXPECT_EQ(doc_.Row(3)[field::kDepth], "1.75");
    EXPECT_EQ(doc_.Row(3)[field::kLoad], "0.0009");
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(ImportTest, UnlikelyUnitsWarnButDoNotStopTheImport) {
    ForeignImport import = Prepare({CsvLine("150", "1500", "0", "")});
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(messages_.shown.size(), 2U);
    EXPECT_TRUE(messages_.Saw(4019));
    EXPECT_EQ(doc_.Row(1)[field::kDepth], "150");
}

TEST_F(ImportTest, RepeatedSoilNamesKeepOnlyTheLastOfARun) {
    const std::vector<std::string> lines{CsvLine("0.25", "1", "1", "粘土"), CsvLine("0.50", "1", "1", "粘土"),
                                         CsvLine("0.75", "1", "1", "砂"),   CsvLine("1.00", "1", "1", ""),
                                         CsvLine("1.25", "1", "1", ""),     CsvLine("1.50", "1", "1", "砂")};
    ForeignImport import = Prepare(lines);
    ASSERT_TRUE(Import(import));
    const std::vector<std::string> expected{"", "粘土", "砂", "", "", "砂"};
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(doc_.Row(i)[field::kJacicSoilName], expected[static_cast<std::size_t>(i - 1)])
            << "row " << i;
        EXPECT_EQ(doc_.Row(i)[field::kSimpleSoilName], expected[static_cast<std::size_t>(i - 1)]);
    }
    import.choices().omitRepeatedNames = false;
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.Row(1)[field::kJacicSoilName], "粘土");
    EXPECT_EQ(doc_.Row(2)[field::kJacicSoilName], "粘土");
}

TEST_F(ImportTest, BlankSeparatedFilesUseTheirOwnColumns) {
    ForeignImport import = Prepare({"0.25 0.25 表土 0", "0.50  0.50 表土 0", "1.00 0.75 \"砂質 シルト\" 6"},
                                   ImportMode::kBlank, "data.txt");
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.Row(1)[field::kLoad], "0.25");
    EXPECT_EQ(doc_.Row(1)[field::kDepth], "0.25");
    EXPECT_EQ(doc_.Row(1)[field::kHalfTurns], "0");
    EXPECT_EQ(doc_.Row(2)[field::kDepth], "");  // two blanks shifted the columns
    EXPECT_EQ(doc_.Row(2)[field::kSimpleSoilName], "0.50");
    EXPECT_EQ(doc_.Row(3)[field::kJacicSoilName], "砂質シルト");
    EXPECT_EQ(doc_.Row(3)[field::kHalfTurns], "6");
    EXPECT_EQ(doc_.RowCount(), 1);  // the row without a depth ends the count
    EXPECT_EQ(doc_.LastUsedRow(), 3);
    EXPECT_EQ(refresh_.count, 3);   // but the refresh covers every used row
    EXPECT_EQ(doc_.header[5], "");  // the blank mode reads no point number
}

TEST_F(ImportTest, EmptyAndOverlongLinesInventNoRows) {
    ForeignImport import =
        Prepare({CsvLine("0.25", "1", "1", ""), "", CsvLine("0.50", "1", "1", std::string(600, 'x')),
                 CsvLine("0.75", "1", "1", "")});
    ASSERT_TRUE(Import(import));
    EXPECT_EQ(doc_.LastUsedRow(), 3);
    EXPECT_EQ(doc_.Row(2)[field::kDepth], "0.50");
    EXPECT_EQ(doc_.Row(3)[field::kDepth], "0.75");
}

TEST_F(ImportTest, StopsAtTheRowCapacity) {
    std::vector<std::string> lines;
    for (int i = 1; i <= kMaxRows + 5; ++i) {
        lines.push_back(CsvLine(std::to_string(i), "1", "1", ""));
    }
    ForeignImport import = Prepare(lines);
    int rows = 0;
    ASSERT_TRUE(Import(import, &rows));
    EXPECT_EQ(rows, kMaxRows);
    EXPECT_EQ(doc_.Row(kMaxRows)[field::kDepth], "1350");
    EXPECT_EQ(doc_.Row(kMaxRows)[field::kAttribute], "2");
    ASSERT_EQ(messages_.shown.size(), 1U);  // the rows left out are never dropped silently
    EXPECT_EQ(messages_.shown[0].text,
              "読み込めるのは 1350 行までです。1351 行目から後の 5 行は読み込みませんでした");
}

TEST_F(ImportTest, AFileThatCannotBeOpenedClearsNothing) {
    ForeignImport import = Prepare({CsvLine("0.25", "1", "1", "")});
    std::filesystem::remove(path_);
    doc_.header[1] = "件名";
    doc_.Row(1)[field::kDepth] = "0.25";
    doc_.Conversion(1)[1] = "0.25";
    doc_.pathName = "before.sdw";
    import.choices().clearHeader = true;
    EXPECT_FALSE(Import(import));
    EXPECT_EQ(messages_.shown.back().id, 32790);
    EXPECT_EQ(messages_.shown.back().argument, path_.string());
    EXPECT_EQ(doc_.header[1], "件名");
    EXPECT_EQ(doc_.Row(1)[field::kDepth], "0.25");
    EXPECT_EQ(doc_.Conversion(1)[1], "0.25");
    EXPECT_EQ(doc_.pathName, "before.sdw");
    EXPECT_TRUE(refresh_.calls.empty());
}

TEST_F(ImportTest, NoFileAndNoColumnsSaySo) {
    ForeignImport none(ImportMode::kComma, StandardChoices(ImportMode::kComma));
    doc_.Row(1)[field::kDepth] = "0.25";
    EXPECT_FALSE(Import(none));
    EXPECT_EQ(messages_.shown.back().id, 32794);
    EXPECT_EQ(doc_.Row(1)[field::kDepth], "0.25");

    ForeignImport import = Prepare({CsvLine("0.25", "1", "1", "")});
    import.choices().columns = {};
    ASSERT_TRUE(Import(import));  // said, and the import goes on
    EXPECT_TRUE(messages_.Saw(4007));
    EXPECT_EQ(doc_.RowCount(), 0);
    EXPECT_EQ(doc_.LastUsedRow(), 1);  // only the attribute of the single row
}

TEST(ImportCancelled, RefreshesClassesAndConversionsOverTheCountedRows) {
    SoundingDocument doc;
    doc.Row(1)[field::kDepth] = "0.25";
    doc.Row(2)[field::kDepth] = "0.50";
    doc.Row(4)[field::kDepth] = "1.00";
    RefreshRecorder recorder;
    RefreshAfterImportCancelled(doc, recorder.Bind());
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"conversions"});
    EXPECT_EQ(recorder.count, 2);
}

TEST(ImportTexts, ModeNamesCaptionsAndFilters) {
    EXPECT_EQ(ImportDialogCaption(ImportMode::kComma), "CSV(カンマ区切り)外部ファイルを開く");
    EXPECT_EQ(ImportDialogCaption(ImportMode::kBlank), "スペース区切り外部ファイルを開く");
    EXPECT_EQ(ImportDefaultExtension(ImportMode::kBlank), "txt");
    EXPECT_EQ(ImportColumnLabel(kColumnDepth), "貫入深さ  m");
    EXPECT_EQ(ImportListHeadings()[3].text, "Dep m");
    EXPECT_EQ(ImportListHeadings()[3].width, 46);
}

TEST(ImportStartFolderTest, FirstLineOfFileCOrNothing) {
    TempFolder temp;
    EXPECT_EQ(ImportStartFolder(temp.path()), "");
    temp.Write("FileC.ndx", "/home/user/csv\r\nrest\r\n");
    EXPECT_EQ(ImportStartFolder(temp.path()), "/home/user/csv");
}

}  // namespace
}  // namespace ravelog
