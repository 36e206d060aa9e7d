// A list of rows and columns whose cells can be edited in place, for dialogs that show a model
// of the core as a table (measured rows, settings lists, placement lists).
//
// The table owns no data: it asks the caller through callbacks for the row count, the columns
// and every cell's text, and hands each edited cell back through `setCellText`, which accepts
// or refuses it (the caller shows its own message when it refuses). After the data behind the
// table changed, call Reload() (or RowsChanged() for a few rows); the view keeps the current
// cell where it can. An edit that makes the row count grow (typing into an empty last row) shows
// the new rows at once. Texts are UTF-8 QStrings; converting to and from cp932 is the caller's job.
//
// Keyboard: the arrow keys, Home/End and Page Up/Down move the current cell; F2 or typing opens
// the floating editor on an editable cell; Enter commits it, Escape abandons it, Up/Down commit it
// and open the editor on the same column of the previous or next row. Enter on a cell
// that is not being edited emits rowActivated, as a double click on a row does.
#pragma once

#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <vector>

namespace rave::platform {

struct CellEditColumn {
    QString header;         // the column's heading
    int width = 80;         // its starting width in pixels
    bool editable = false;  // whether its cells open the floating editor
};

struct CellEditCallbacks {
    std::function<int()> rowCount;                         // required
    std::function<QString(int row, int column)> cellText;  // required
    // Called when an edited cell is committed; true keeps the text, false refuses it (the cell
    // shows the old text again). Unset: nothing is editable.
    std::function<bool(int row, int column, const QString& text)> setCellText;
    // Optional: whether one cell of an editable column may be edited (e.g. not past the data).
    std::function<bool(int row, int column)> cellEditable;
    // Optional: the text the floating editor starts with (a proposal for an empty cell); called
    // when the editor opens. Unset: the cell's text.
    std::function<QString(int row, int column)> editorText;
};

// The adapter between the callbacks and Qt's item views. Usable on its own with another view.
class CellEditModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CellEditModel(std::vector<CellEditColumn> columns, CellEditCallbacks callbacks,
                  QObject* parent = nullptr);

    const std::vector<CellEditColumn>& Columns() const { return columns_; }
    void Reload();
    void RowsChanged(int first, int last);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    void cellEdited(int row, int column);
    void cellRefused(int row, int column);

private:
    std::vector<CellEditColumn> columns_;
    CellEditCallbacks callbacks_;
};

class CellEditTable : public QTableView {
    Q_OBJECT
public:
    enum class Selection { kSingleRow, kManyRows };

    CellEditTable(std::vector<CellEditColumn> columns, CellEditCallbacks callbacks, QWidget* parent = nullptr,
                  Selection selection = Selection::kSingleRow);

    CellEditModel& Model() { return *model_; }
    // Re-reads everything from the callbacks, keeping the current row where it still exists.
    void Reload();
    void RowsChanged(int first, int last);

    int CurrentRow() const;  // -1 when none
    // Makes `row` current (and selected) and scrolls it into view; -1 clears the selection.
    void SetCurrentRow(int row, int column = 0);
    std::vector<int> SelectedRows() const;  // ascending
    // Opens the floating editor on a cell; false when the cell is not editable.
    bool EditCell(int row, int column);
    // Whether the floating editor is open.
    bool Editing() const { return state() == QAbstractItemView::EditingState; }

Q_SIGNALS:
    void currentRowChanged(int row);
    void selectedRowsChanged();
    void rowActivated(int row);
    void cellEdited(int row, int column);
    void cellRefused(int row, int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CellEditModel* model_;
};

}  // namespace rave::platform
