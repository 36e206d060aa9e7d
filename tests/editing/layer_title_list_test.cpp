// The layer and title dialogs' models: storing, deleting, reordering, refusals, OK and Cancel.
#include <gtest/gtest.h>

#include <string>

#include "editing_fixture.h"
#include "ravesect/editing/layer_list.h"
#include "ravesect/editing/title_list.h"

namespace ravesect {
namespace {

struct LayerFixture : ::testing::Test {
    testing::EditingFiles io;
    SectionDocument document = testing::SmallSection();
    rave::RecordingMessageSink messages;

    LayerListModel Model() { return LayerListModel(document, messages); }
    static void Fill(LayerListModel& model, const char* number, const char* points, const char* colour,
                     const char* hatch = "", const char* lineMode = "") {
        model.number = number;
        model.points = points;
        model.colour = colour;
        model.hatch = hatch;
        model.lineMode = lineMode;
    }
};

TEST_F(LayerFixture, EmptyRowsAreNumberedAndStoringFillsTheRowOfThatNumber) {
    document.Layer(1) = {"3", "0x00ff00", "2", "", "1,2,"};
    LayerListModel model = Model();
    EXPECT_EQ(model.Row(1).number, "3");
    EXPECT_EQ(model.Row(2).number, "1");
    EXPECT_EQ(model.Row(3).number, "2");
    EXPECT_EQ(model.Row(4).number, "4");

    model.AppendPoint(2);
    model.AppendPoint(7);
    model.points += ",";
    model.AppendPoint(9);
    EXPECT_EQ(model.points, "2,7,9");
    model.number = "2";
    model.SetColour(0x0000ff);
    model.hatch = "5";
    EXPECT_EQ(model.colour, "0x0000ff");
    EXPECT_EQ(model.StoreBoxes(), 3);
    EXPECT_EQ(model.Row(3).points, "2,7,9,");
    EXPECT_EQ(document.Layer(2).number, "2") << "the stored row is drawn at once, after layer 3";
    EXPECT_EQ(document.LayerCount(), 2);
}

TEST_F(LayerFixture, StoreRefusals) {
    LayerListModel model = Model();
    struct Case {
        const char *number, *points, *colour;
        int id;
        const char* contains;
    } const cases[] = {
        {"", "1,2", "0xff", 4008, "データがありません"},
        {"1", "", "0xff", 4008, "データがありません"},
        {"1", "1,2", "", 4008, "データがありません"},
        {"21", "1,2", "0xff", 907, "上書きできません、同じ %1 がありません."},
        {"1", "1,x", "0xff", 0, "構成点No."},
        {"1", "1,201", "0xff", 0, "構成点No."},
        {"1", "1,,2", "0xff", 0, "構成点No."},
        {"1", "1,2", "0xgg", 0, "RGB"},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        Fill(model, c.number, c.points, c.colour);
        EXPECT_EQ(model.StoreBoxes(), 0) << c.number << " " << c.points << " " << c.colour;
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].id, c.id);
        EXPECT_NE(messages.shown[0].text.find(c.contains), std::string::npos);
        if (c.id == 907) {
            EXPECT_EQ(messages.shown[0].argument, "No.");
        }
    }
    EXPECT_EQ(document.LayerCount(), 0);
}

TEST_F(LayerFixture, OnlyTheFirstDeletionAsksAndADeletedRowLeavesNoGap) {
    LayerListModel model = Model();
    for (const char* n : {"1", "2", "3"}) {
        Fill(model, n, "1,2,3", "0x0000ff", "1");
        ASSERT_NE(model.StoreBoxes(), 0);
    }
    messages.answers = {false};
    EXPECT_FALSE(model.DeleteRow(2));
    ASSERT_EQ(messages.asked.size(), 1u);
    EXPECT_EQ(messages.asked[0].text, "(2)No.2 1,2,3, … 削除します ");
    EXPECT_TRUE(model.DeleteRow(2));
    EXPECT_TRUE(model.DeleteRow(3));
    EXPECT_EQ(messages.asked.size(), 2u) << "after a yes the later deletions do not ask";
    EXPECT_EQ(model.Row(2).number, "2");
    EXPECT_TRUE(model.Row(2).points.empty());

    Fill(model, "3", "4,5", "0x00ff00");
    model.StoreBoxes();
    ASSERT_TRUE(model.Commit(io.files));
    SectionDocument read;
    ReadPointsLayersFile(io.files, read);
    ASSERT_EQ(read.LayerCount(), 2) << "the emptied row 2 does not end the list before layer 3";
    EXPECT_EQ(read.Layer(2).number, "3");
    EXPECT_EQ(read.Layer(2).points, "4,5,");
}

TEST_F(LayerFixture, UpAndDownStopAtTheEnds) {
    LayerListModel model = Model();
    Fill(model, "1", "1,2", "0x0000ff");
    model.StoreBoxes();
    EXPECT_EQ(model.MoveRowUp(1), 1);
    EXPECT_EQ(model.MoveRowDown(1), 2);
    EXPECT_EQ(model.Row(2).number, "1");
    EXPECT_EQ(model.Row(1).number, "2");
    EXPECT_EQ(model.MoveRowDown(20), 20);
}

TEST_F(LayerFixture, CancelReadsTheFileBack) {
    LayerListModel model = Model();
    Fill(model, "1", "1,2", "0x0000ff");
    model.StoreBoxes();
    ASSERT_TRUE(model.Commit(io.files));
    Fill(model, "2", "3,4", "0x00ff00");
    model.StoreBoxes();
    document.Point(5) = {50.0, 1.0};
    EXPECT_EQ(document.LayerCount(), 2);
    model.Revert(io.files);
    EXPECT_EQ(document.LayerCount(), 1);
    EXPECT_FALSE(document.Point(5).IsDefined());
    EXPECT_TRUE(model.Row(2).points.empty());
}

struct TitleFixture : ::testing::Test {
    testing::EditingFiles io;
    SectionDocument document = testing::SmallSection();
    rave::RecordingMessageSink messages;
    EditSession session{document, messages};
    TitleListModel model{session, messages};

    void Click(double x, double y) {
        session.Press({x, y});
        session.Release({x, y});
    }
};

TEST_F(TitleFixture, AddPlacesTheTextInTheNextEntriesByClicking) {
    model.text = "盛土";
    model.font = "7";
    ASSERT_TRUE(model.Add());
    EXPECT_EQ(session.Mode(), edit_mode::kPlaceTitle);
    Click(30.0, 1.5);
    Click(60.0, 2.5);
    EXPECT_EQ(document.Title(1).text, "盛土");
    EXPECT_EQ(document.Title(1).font, "1") << "a font other than 2 is taken as 1";
    EXPECT_DOUBLE_EQ(document.Title(2).x, 60.0);
    EXPECT_EQ(model.NextEntry(), 3);

    model.text.clear();
    messages.shown.clear();
    EXPECT_FALSE(model.Add());
    EXPECT_TRUE(messages.Saw(4008));
}

TEST_F(TitleFixture, TheFiftiethPlacementEndsWith4001) {
    for (int n = 1; n <= 48; ++n) {
        document.Title(n) = {1.0 * n, 1.0, "t", "1"};
    }
    model.text = "最後";
    ASSERT_TRUE(model.Add());
    Click(70.0, 1.0);
    EXPECT_FALSE(messages.Saw(4001));
    Click(80.0, 1.0);
    EXPECT_TRUE(messages.Saw(4001));
    EXPECT_EQ(session.Mode(), edit_mode::kNone);
    EXPECT_DOUBLE_EQ(document.Title(50).x, 80.0);
    messages.shown.clear();
    EXPECT_FALSE(model.Add());
    EXPECT_TRUE(messages.Saw(4001));
}

TEST_F(TitleFixture, MoveOverwriteDeleteAndTheirRefusals) {
    document.Title(1) = {30.0, 1.0, "砂層", "1"};
    model.number = "51";
    EXPECT_FALSE(model.BeginMove());
    EXPECT_TRUE(messages.Saw(4012));
    model.number = "1";
    ASSERT_TRUE(model.BeginMove());
    session.Press({30.1, 1.0});
    session.Move({40.0, 2.0});
    EXPECT_TRUE(session.Dragging());
    session.Release({45.0, 2.5});
    EXPECT_DOUBLE_EQ(document.Title(1).x, 45.0);

    model.SelectRow(1);
    EXPECT_EQ(model.x, "45.00");
    for (const auto& [x, y, font] : {std::tuple{"abc", "1", "1"}, std::tuple{"1", "-10000", "1"},
                                     std::tuple{"-", "1", "1"}, std::tuple{"1", "1", "0"}}) {
        messages.shown.clear();
        model.x = x;
        model.y = y;
        model.font = font;
        EXPECT_FALSE(model.Overwrite()) << x << " " << y << " " << font;
        EXPECT_EQ(messages.shown.size(), 1u);
    }
    model.x = "12.5";
    model.y = "-3";
    model.font = "2";
    model.text = "粘土層";
    ASSERT_TRUE(model.Overwrite());
    EXPECT_EQ(document.Title(1).text, "粘土層");
    EXPECT_DOUBLE_EQ(document.Title(1).y, -3.0);

    document.Title(2) = {10.0, 1.0, "礫", "1"};
    ASSERT_TRUE(model.DeleteRow(1));
    EXPECT_EQ(messages.asked.back().text, "(1) 粘土層 削除します");
    EXPECT_TRUE(model.DeleteRow(2));
    EXPECT_EQ(messages.asked.size(), 1u);
    EXPECT_TRUE(document.Title(1).IsFree());
    EXPECT_EQ(session.Mode(), edit_mode::kTitleDeleted);
}

TEST_F(TitleFixture, OkReportsRepeatedTitlesAndWritesTheFile) {
    document.Title(1) = {10.0, 1.0, "Ａ", "1"};
    document.Title(2) = {20.0, 1.0, "Ａ", "1"};  // same text, same Y
    document.Title(3) = {30.0, 2.0, "Ａ", "1"};  // same text, other X and Y
    document.Title(4) = {20.0, 5.0, "Ｂ", "1"};
    ASSERT_TRUE(model.Commit(io.files));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "同じデータがあります\r\n 1行目と 2行目 [Ａ]　\r\n");
    SectionDocument read;
    ReadTitlesFile(io.files, read);
    EXPECT_EQ(read.Title(4).text, "Ｂ");
    EXPECT_TRUE(read.Title(5).IsFree());

    // At most 6 lines.
    for (int n = 1; n <= 10; ++n) {
        document.Title(n) = {1.0 * n, 1.0, "Ｃ", "1"};
    }
    const std::string warning = model.RepeatedTitlesWarning();
    int lines = 0;
    for (std::size_t at = warning.find("行目と"); at != std::string::npos;
         at = warning.find("行目と", at + 1)) {
        ++lines;
    }
    EXPECT_EQ(lines, 6);
}

}  // namespace
}  // namespace ravesect
