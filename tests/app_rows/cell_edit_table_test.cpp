// The editable table: cells shown from callbacks, edits accepted or refused, keyboard editing.
#include "platform/cell_edit_table.h"

#include <gtest/gtest.h>
#include <QLineEdit>

#include "app_rows/widget_input.h"
#include "platform/qt_test_application.h"

namespace rave::platform {
namespace {

struct Rows {
    std::vector<QStringList> cells{{"1", "a"}, {"2", "b"}, {"3", "c"}};
    CellEditCallbacks Callbacks() {
        CellEditCallbacks c;
        c.rowCount = [this] { return static_cast<int>(cells.size()); };
        c.cellText = [this](int r, int col) { return cells[r][col]; };
        c.setCellText = [this](int r, int col, const QString& text) {
            if (text.contains('!')) {
                return false;
            }
            cells[r][col] = text;
            return true;
        };
        return c;
    }
};

std::vector<CellEditColumn> TwoColumns() {
    return {{"No.", 40, false}, {"Name", 80, true}};
}

TEST(CellEditTable, ShowsCellsAndHeadersFromCallbacks) {
    testing::TestApplication();
    Rows rows;
    CellEditTable table(TwoColumns(), rows.Callbacks());
    EXPECT_EQ(table.model()->rowCount(), 3);
    EXPECT_EQ(table.model()->headerData(1, Qt::Horizontal).toString(), "Name");
    EXPECT_EQ(table.model()->index(2, 1).data().toString(), "c");
    EXPECT_EQ(table.columnWidth(0), 40);
    rows.cells.push_back({"4", "d"});
    table.Reload();
    EXPECT_EQ(table.model()->rowCount(), 4);
}

TEST(CellEditTable, EditsAreAcceptedOrRefusedByTheCallback) {
    testing::TestApplication();
    Rows rows;
    CellEditTable table(TwoColumns(), rows.Callbacks());
    int edited = 0;
    int refused = 0;
    QObject::connect(&table, &CellEditTable::cellEdited, [&] { ++edited; });
    QObject::connect(&table, &CellEditTable::cellRefused, [&] { ++refused; });
    EXPECT_FALSE(table.EditCell(0, 0));  // read-only column
    EXPECT_TRUE(table.model()->setData(table.model()->index(1, 1), "x", Qt::EditRole));
    EXPECT_FALSE(table.model()->setData(table.model()->index(1, 1), "no!", Qt::EditRole));
    EXPECT_EQ(rows.cells[1][1], "x");
    EXPECT_EQ(edited, 1);
    EXPECT_EQ(refused, 1);
}

TEST(CellEditTable, TypingOpensTheFloatingEditorAndEnterCommits) {
    testing::TestApplication();
    Rows rows;
    CellEditTable table(TwoColumns(), rows.Callbacks());
    table.show();
    std::vector<int> current;
    QObject::connect(&table, &CellEditTable::currentRowChanged, [&](int row) { current.push_back(row); });
    table.SetCurrentRow(0, 1);
    table.setFocus();
    rave::testing::PressKey(&table, Qt::Key_Down);
    EXPECT_EQ(table.CurrentRow(), 1);
    EXPECT_EQ(current, (std::vector<int>{0, 1}));
    ASSERT_TRUE(table.EditCell(2, 1));
    auto* editor = table.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    rave::testing::TypeText(editor, "zz");
    rave::testing::PressKey(editor, Qt::Key_Return);
    EXPECT_EQ(rows.cells[2][1], "zz");
    int activated = -1;
    QObject::connect(&table, &CellEditTable::rowActivated, [&](int row) { activated = row; });
    rave::testing::PressKey(&table, Qt::Key_Return);
    EXPECT_EQ(activated, 2);
}

}  // namespace
}  // namespace rave::platform
