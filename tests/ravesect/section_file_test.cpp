// Opening a .sqw file into the working files, saving it back, and the Open / Save / Save As rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/text_file.h"
#include "ravesect/document/section_commands.h"
#include "ravesect/document/section_file.h"
#include "temp_folder.h"

namespace ravesect {
namespace {

using rave::testing::TempFolder;

std::string Lines(const std::vector<std::string>& lines) {
    return rave::JoinCrLf(lines);
}

// A small section: one column naming a file, the closing blank column, two titles, three points
// and one layer through them.
std::string SampleSection() {
    std::vector<std::string> lines = {"$$_QSVERAN700", "200,100,12,-8,2,-2,60,0,17.00,25,0,標高(m),1", "$$Z0",
                                      "0"};
    for (int f = 2; f <= 20; ++f) {
        lines.push_back("");
    }
    lines.push_back("$$Z1");
    const std::vector<std::string> fields = {
        "5.00", "/data/No1.sdw", "No.1", "0.00", "-1.20  R2.4.1", "TP", "12.35", "7.50", "0", "1", "0",
        "0",    "301  _0",       "",     "0"};
    lines.insert(lines.end(), fields.begin(), fields.end());
    for (int f = 16; f <= 20; ++f) {
        lines.push_back("");
    }
    lines.insert(lines.end(),
                 {"$$A", "1.25,シルト,3301.2,,,,4,,,,", "7.50,礫,200.1,,,,20,,,,", "$$C",
                  "0.25,4.200000,63.000000,1.00,24.0000,0", "0.50,3.800000,57.000000,1.00,16.0000,2", "$$c",
                  "$$G", "$$E", "$$Z2", "25.00"});
    for (int f = 2; f <= 20; ++f) {
        lines.push_back("");
    }
    lines.push_back("$$Z END");
    lines.push_back("$$Z HY");
    lines.push_back("50.00,-15.00,断面図 A-A',1");
    lines.push_back("120.00,-16.50,作成 2026年,2");
    for (int n = 3; n <= kTitleEntries; ++n) {
        lines.push_back("-9999.90,-9999.90,,");
    }
    lines.push_back("$$Z PO");
    for (int n = 1; n <= kPoints; ++n) {
        if (n <= 3) {
            lines.push_back(std::to_string(40 * n) + ".00,-" + std::to_string(10 + n) + ".00," +
                            std::to_string(n));
        } else {
            lines.push_back("-9999.90,-9999.90," + std::to_string(n));
        }
    }
    lines.push_back("$$Z SO");
    lines.push_back("1,0x00ff00,2,0,1,2,3,");
    return Lines(lines);
}

struct Section {
    TempFolder folder;
    WorkingFiles files = WorkingFiles::In(folder.path() / "work");
    SectionDocument document;
    rave::RecordingMessageSink messages;

    Section() { std::filesystem::create_directories(folder.path() / "work"); }
    std::filesystem::path Write(const std::string& name, const std::string& bytes) {
        return folder.Write(name, bytes);
    }
    bool Open(const std::filesystem::path& file) {
        return OpenSectionThroughFramework(document, files, file, messages);
    }
};

TEST(SectionFile, SavedSectionIsByteIdenticalToTheOpenedOne) {
    Section s;
    const std::string original = SampleSection();
    ASSERT_TRUE(s.Open(s.Write("a.sqw", original)));
    EXPECT_TRUE(s.messages.shown.empty());
    const std::filesystem::path copy = s.folder.path() / "b.sqw";
    ASSERT_TRUE(SaveSectionFile(s.document, s.files, copy, s.messages));
    EXPECT_EQ(TempFolder::Read(copy), original);
    EXPECT_EQ(s.document.pathName, copy.string());
    EXPECT_FALSE(s.document.modified);
}

TEST(SectionFile, OpenSplitsTheFileIntoTheFourWorkingFiles) {
    Section s;
    ASSERT_TRUE(s.Open(s.Write("a.sqw", SampleSection())));
    const std::string columns = TempFolder::Read(s.files.columns);
    EXPECT_EQ(columns.rfind("$$Z END\r\n"), columns.size() - 9);
    EXPECT_EQ(TempFolder::Read(s.files.settings), "200,100,12,-8,2,-2,60,0,17.00,25,0,標高(m),1\r\n");
    const std::string titles = TempFolder::Read(s.files.titles);
    EXPECT_EQ(titles.substr(0, 8), "$$Z HY\r\n");
    EXPECT_EQ(std::count(titles.begin(), titles.end(), '\n'), 51);
    const std::string points = TempFolder::Read(s.files.pointsLayers);
    EXPECT_EQ(points.substr(0, 8), "$$Z PO\r\n");
    EXPECT_NE(points.find("$$Z SO\r\n1,0x00ff00,2,0,1,2,3,\r\n"), std::string::npos);
}

TEST(SectionFile, OpenedTablesHoldTheFileContent) {
    Section s;
    ASSERT_TRUE(s.Open(s.Write("a.sqw", SampleSection())));
    const SectionDocument& d = s.document;
    EXPECT_EQ(d.settings.distanceScale, 200);
    EXPECT_EQ(d.settings.rulerBottom, -8);
    EXPECT_DOUBLE_EQ(d.settings.topElevation, 17.0);
    EXPECT_EQ(d.settings.rulerTitle, "標高(m)");
    EXPECT_EQ(d.LastUsedSlot(), 2);
    EXPECT_EQ(d.Column(1)[colfield::kSourcePath], "/data/No1.sdw");
    EXPECT_EQ(d.Column(1)[colfield::kVersion], "301  _0");
    EXPECT_EQ(d.Column(1).Kind(), 301);
    EXPECT_FALSE(d.Column(2).NamesFile());
    EXPECT_EQ(d.Log(1).RowCount(logsection::kLayers), 2);
    EXPECT_EQ(d.Log(1).Rows(logsection::kLayers)[1][1], "礫");
    EXPECT_EQ(d.Log(1).RowCount(logsection::kMeasured), 2);
    EXPECT_EQ(d.Title(1).text, "断面図 A-A'");
    EXPECT_DOUBLE_EQ(d.Title(2).x, 120.0);
    EXPECT_EQ(d.Title(2).font, "2");
    EXPECT_TRUE(d.Title(3).IsFree());
    EXPECT_TRUE(d.Point(3).IsDefined());
    EXPECT_FALSE(d.Point(4).IsDefined());
    EXPECT_EQ(d.LayerCount(), 1);
    EXPECT_EQ(d.Layer(1).PointNumbers(), (std::vector<int>{1, 2, 3}));
}

TEST(SectionFile, SaveReplacesTheCountLineByTheSettingsLine) {
    Section s;
    std::string withCount = SampleSection();
    const std::string settings = "200,100,12,-8,2,-2,60,0,17.00,25,0,標高(m),1";
    withCount.replace(withCount.find(settings), settings.size(), "2");
    ASSERT_TRUE(s.Open(s.Write("a.sqw", withCount)));
    rave::WriteFileAtomically(s.files.settings, "100,100,5,-5,1,-2,50,0,9.00,30,0,,0\r\n");
    const std::filesystem::path out = s.folder.path() / "out.sqw";
    ASSERT_TRUE(SaveSectionFile(s.document, s.files, out, s.messages));
    const std::string saved = TempFolder::Read(out);
    EXPECT_EQ(saved.substr(0, saved.find("$$Z0")),
              "$$_QSVERAN700\r\n100,100,5,-5,1,-2,50,0,9.00,30,0,,0\r\n");
}

TEST(SectionFile, TitlesWithAndWithoutCommasComeBackUnchanged) {
    Section s;
    s.document.Title(1) = TitleText{10, -5, "地質断面図", "1"};
    s.document.Title(2) = TitleText{20, -6, "A-A', B-B'", "2"};
    const std::filesystem::path out = s.folder.path() / "t.sqw";
    ASSERT_TRUE(SaveSectionFile(s.document, s.files, out, s.messages));

    Section reopened;
    ASSERT_TRUE(reopened.Open(out));
    EXPECT_EQ(reopened.document.Title(1).text, "地質断面図");
    EXPECT_EQ(reopened.document.Title(2).text, "A-A', B-B'");
    EXPECT_EQ(reopened.document.Title(2).font, "2");
    for (int n = 3; n <= kTitleEntries; ++n) {
        EXPECT_TRUE(reopened.document.Title(n).IsFree()) << n;
    }
}

// A section saved before any placement still gets a complete file, which opens again.
TEST(SectionFile, NeverPlacedSectionIsSavedCompleteAndOpensAgain) {
    Section s;
    NewSection(s.document, s.files, s.folder.path());
    const std::filesystem::path out = s.folder.path() / "new.sqw";
    ASSERT_TRUE(SaveSectionFile(s.document, s.files, out, s.messages));
    EXPECT_TRUE(s.messages.shown.empty());
    const std::string saved = TempFolder::Read(out);
    EXPECT_EQ(saved.substr(0, 15), "$$_QSVERAN700\r\n");
    EXPECT_NE(saved.find("$$Z END\r\n$$Z HY\r\n"), std::string::npos);
    EXPECT_NE(saved.find("-9999.90,-9999.90,,\r\n$$Z PO\r\n"), std::string::npos);
    EXPECT_NE(saved.find("-9999.90,-9999.90,200\r\n$$Z SO\r\n"), std::string::npos);

    Section reopened;
    ASSERT_TRUE(reopened.Open(out));
    EXPECT_EQ(reopened.document.LastUsedSlot(), 0);
    EXPECT_EQ(reopened.document.settings.distanceScale, 100);
}

TEST(SectionFile, UnwritableTargetShowsCannotSaveAndKeepsTheName) {
    Section s;
    s.document.pathName = "before.sqw";
    EXPECT_FALSE(SaveSectionFile(s.document, s.files, s.folder.path() / "missing" / "x.sqw", s.messages));
    ASSERT_TRUE(s.messages.Saw(message_id::kCannotSave));
    // The message names the file and the system's reason, so a script's log says why.
    EXPECT_NE(s.messages.shown.back().argument.find("x.sqw"), std::string::npos);
    const std::string& argument = s.messages.shown.back().argument;
    EXPECT_GT(argument.size(), argument.find("x.sqw: ") + 8) << argument;
    EXPECT_EQ(s.document.pathName, "before.sqw");
}

TEST(SectionFile, MissingFileLeavesTheWorkingFilesAlone) {
    Section s;
    rave::WriteFileAtomically(s.files.columns, "keep\r\n");
    EXPECT_FALSE(s.Open(s.folder.path() / "nothing.sqw"));
    EXPECT_TRUE(s.messages.shown.empty());
    EXPECT_EQ(TempFolder::Read(s.files.columns), "keep\r\n");
    EXPECT_EQ(LoadSectionFile(s.document, s.files, s.folder.path() / "nothing.sqw", s.messages), 0);
}

TEST(SectionFile, WorkingFolderThatCannotBeWrittenGivesString4011) {
    Section s;
    const std::filesystem::path file = s.Write("a.sqw", SampleSection());
    const WorkingFiles nowhere = WorkingFiles::In(s.folder.path() / "no-such-folder");
    EXPECT_EQ(LoadSectionFile(s.document, nowhere, file, s.messages), 0);
    ASSERT_FALSE(s.messages.shown.empty());
    EXPECT_EQ(s.messages.shown.front().id, message_id::kCannotOpenWorkingFile);
    EXPECT_EQ(s.messages.shown.front().argument, nowhere.columns.string());
    // The open stops at the columns file, so no other working file is written and one message tells it.
    EXPECT_EQ(s.messages.shown.size(), 1u);
}

TEST(SectionFile, PointsPartBeyond3000LinesIsCutWithANotice) {
    Section s;
    std::string bytes =
        Lines({"$$_QSVERAN700", "100,100,0,-10,1,-2,0,0,0.00,0,0,,0", "$$Z END", "$$Z HY", "$$Z PO"});
    for (int n = 1; n <= 3100; ++n) {
        bytes += "1.00,-1.00," + std::to_string(n) + "\r\n";
    }
    EXPECT_EQ(LoadSectionFile(s.document, s.files, s.Write("big.sqw", bytes), s.messages), 2);
    ASSERT_EQ(s.messages.shown.size(), 1u);
    EXPECT_EQ(s.messages.shown[0].text, "UnKnownErr:3000");
    const std::string points = TempFolder::Read(s.files.pointsLayers);
    EXPECT_EQ(std::count(points.begin(), points.end(), '\n'), 3000);

    Section exact;
    std::string fits = Lines({"$$_QSVERAN700", "x", "$$Z END", "$$Z PO"});
    for (int n = 1; n < 3000; ++n) {
        fits += "1,1\r\n";
    }
    EXPECT_EQ(LoadSectionFile(exact.document, exact.files, exact.Write("fits.sqw", fits), exact.messages), 2);
    EXPECT_TRUE(exact.messages.shown.empty());
}

TEST(SectionCommands, SaveRunsSaveAsWithoutAnSqwName) {
    Section s;
    NewSection(s.document, s.files, s.folder.path());
    EXPECT_EQ(s.document.pathName, UntitledName());
    EXPECT_EQ(SaveSection(s.document, s.files, s.messages), SaveResult::kNeedsSaveAs);
    for (const char* name : {"a.jqw", "a.", "a.s", "a.sqwx", "dir.sqw/a"}) {
        s.document.pathName = name;
        EXPECT_FALSE(CanSaveInPlace(s.document)) << name;
    }
    s.document.pathName = (s.folder.path() / "A.SQW").string();
    EXPECT_TRUE(CanSaveInPlace(s.document));
    EXPECT_EQ(SaveSection(s.document, s.files, s.messages), SaveResult::kSaved);
    EXPECT_TRUE(std::filesystem::exists(s.folder.path() / "A.SQW"));
}

TEST(SectionCommands, SaveAsNames) {
    EXPECT_EQ(ProposedSaveAsName("/w/old.jqw"), "/w/old.sqw");
    EXPECT_EQ(ProposedSaveAsName("/w/old.JQW"), "/w/old.sqw");
    EXPECT_EQ(ProposedSaveAsName(".jqw"), ".jqw");  // not longer than 4 characters
    EXPECT_EQ(ProposedSaveAsName("/w/a.sqw"), "/w/a.sqw");
    EXPECT_EQ(SaveAsTargetPath("/w/a."), "/w/a.sqw");
    EXPECT_EQ(SaveAsTargetPath("/w/a"), "/w/a.sqw");
    EXPECT_EQ(SaveAsTargetPath("/w/a.txt"), "/w/a.txt");
}

TEST(SectionCommands, NewNamesTheDocumentInTheLastFolderAndDropsTheWorkingFiles) {
    Section s;
    ASSERT_TRUE(s.Open(s.Write("a.sqw", SampleSection())));
    WriteOpenFolderFile(s.folder.path(), OpenFolderFile{"/projects/site", "keep"});
    const SectionSettings opened = s.document.settings;
    NewSection(s.document, s.files, s.folder.path());
    // The tables are emptied, the scale and page settings kept.
    EXPECT_EQ(FormatSettingsLine(s.document.settings), FormatSettingsLine(opened));
    EXPECT_EQ(s.document.pathName, (std::filesystem::path("/projects/site") / UntitledName()).string());
    for (const auto& path : {s.files.settings, s.files.columns, s.files.titles, s.files.pointsLayers}) {
        EXPECT_FALSE(std::filesystem::exists(path)) << path;
    }
    EXPECT_EQ(s.document.LastUsedSlot(), -1);
    EXPECT_EQ(s.document.LayerCount(), 0);
    EXPECT_TRUE(s.document.Title(1).IsFree());
    EXPECT_FALSE(s.document.Point(1).IsDefined());

    WriteOpenFolderFile(s.folder.path(), OpenFolderFile{"/", ""});  // one character: no folder
    NewSection(s.document, s.files, s.folder.path());
    EXPECT_EQ(s.document.pathName, UntitledName());
}

TEST(SectionCommands, MenuOpenRemembersTheFolderAndKeepsLineTwo) {
    Section s;
    WriteOpenFolderFile(s.folder.path(), OpenFolderFile{"/old", "second"});
    const std::filesystem::path file = s.Write("sub/a.sqw", SampleSection());
    ASSERT_TRUE(OpenSectionFromMenu(s.document, s.files, s.folder.path(), file, s.messages));
    const OpenFolderFile remembered = ReadOpenFolderFile(s.folder.path());
    EXPECT_EQ(remembered.folder, file.parent_path().string());
    EXPECT_EQ(remembered.secondLine, "second");
    EXPECT_EQ(s.document.pathName, file.string());
}

// The working files are the document between runs: a new document object reads the same
// section back from them.
TEST(SectionCommands, WorkingFilesSurviveARestart) {
    Section s;
    ASSERT_TRUE(s.Open(s.Write("a.sqw", SampleSection())));
    SectionDocument restarted;
    ReloadSectionDocument(restarted, s.files);
    EXPECT_EQ(restarted.LastUsedSlot(), 2);
    EXPECT_EQ(restarted.Column(1)[colfield::kLabel], "No.1");
    EXPECT_EQ(restarted.Title(1).text, "断面図 A-A'");
    EXPECT_EQ(restarted.settings.distanceScale, 200);
    EXPECT_EQ(restarted.LayerCount(), 1);
}

}  // namespace
}  // namespace ravesect
