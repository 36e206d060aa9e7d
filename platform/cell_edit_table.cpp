// The callback-driven table model and its view with in-place editing.
#include "platform/cell_edit_table.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <algorithm>
#include <set>

namespace rave::platform {

CellEditModel::CellEditModel(std::vector<CellEditColumn> columns, CellEditCallbacks callbacks,
                             QObject* parent)
    : QAbstractTableModel(parent), columns_(std::move(columns)), callbacks_(std::move(callbacks)) {}

void CellEditModel::Reload() {
    beginResetModel();
    endResetModel();
}

void CellEditModel::RowsChanged(int first, int last) {
    const int rows = rowCount();
    first = std::max(first, 0);
    last = std::min(last, rows - 1);
    if (first > last || columns_.empty()) {
        return;
    }
    Q_EMIT dataChanged(index(first, 0), index(last, static_cast<int>(columns_.size()) - 1));
}

int CellEditModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !callbacks_.rowCount) {
        return 0;
    }
    return std::max(0, callbacks_.rowCount());
}

int CellEditModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant CellEditModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !callbacks_.cellText) {
        return {};
    }
    if (role == Qt::EditRole && callbacks_.editorText) {
        return callbacks_.editorText(index.row(), index.column());
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        return callbacks_.cellText(index.row(), index.column());
    }
    return {};
}

bool CellEditModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    const QString text = value.toString();
    if (text == callbacks_.cellText(index.row(), index.column())) {
        return true;  // nothing changed: no edit to report
    }
    const int rowsBefore = rowCount();
    if (!callbacks_.setCellText(index.row(), index.column(), text)) {
        Q_EMIT cellRefused(index.row(), index.column());
        return false;
    }
    const int rowsAfter = rowCount();
    if (rowsAfter > rowsBefore) {
        beginInsertRows({}, rowsBefore, rowsAfter - 1);
        endInsertRows();
    }
    // The caller may have changed other cells of the row (derived values), so the whole row repaints.
    Q_EMIT dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    Q_EMIT cellEdited(index.row(), index.column());
    return true;
}

QVariant CellEditModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount()) {
            return {};
        }
        return columns_[static_cast<size_t>(section)].header;
    }
    return section + 1;
}

Qt::ItemFlags CellEditModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) {
        return Qt::NoItemFlags;
    }
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const bool editable = columns_[static_cast<size_t>(index.column())].editable && callbacks_.setCellText &&
                          (!callbacks_.cellEditable || callbacks_.cellEditable(index.row(), index.column()));
    if (editable) {
        result |= Qt::ItemIsEditable;
    }
    return result;
}

CellEditTable::CellEditTable(std::vector<CellEditColumn> columns, CellEditCallbacks callbacks,
                             QWidget* parent, Selection selection)
    : QTableView(parent), model_(new CellEditModel(std::move(columns), std::move(callbacks), this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(selection == Selection::kSingleRow ? QAbstractItemView::SingleSelection
                                                        : QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setTabKeyNavigation(false);  // Tab leaves the table for the next field of the dialog
    setWordWrap(false);
    verticalHeader()->setVisible(false);
    // Uniform row heights keep a list of thousands of rows fast to scroll and to reset.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setHighlightSections(false);
    // The header's own minimum follows the style's font (wider on Windows than the narrow number
    // columns); lowered to the narrowest column, every column gets the width it was given.
    int narrowest = horizontalHeader()->minimumSectionSize();
    for (const CellEditColumn& column : model_->Columns()) {
        narrowest = std::min(narrowest, column.width);
    }
    horizontalHeader()->setMinimumSectionSize(std::max(narrowest, 1));
    for (int column = 0; column < model_->columnCount(); ++column) {
        setColumnWidth(column, model_->Columns()[static_cast<size_t>(column)].width);
    }

    connect(model_, &CellEditModel::cellEdited, this, &CellEditTable::cellEdited);
    connect(model_, &CellEditModel::cellRefused, this, &CellEditTable::cellRefused);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                Q_EMIT currentRowChanged(current.isValid() ? current.row() : -1);
            });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection&, const QItemSelection&) { Q_EMIT selectedRowsChanged(); });
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (!(model_->flags(index) & Qt::ItemIsEditable)) {
            Q_EMIT rowActivated(index.row());
        }
    });
}

void CellEditTable::Reload() {
    const int row = CurrentRow();
    const int column = std::max(0, currentIndex().column());
    model_->Reload();
    if (row >= 0 && row < model_->rowCount()) {
        SetCurrentRow(row, column);
    } else {
        Q_EMIT currentRowChanged(-1);
        Q_EMIT selectedRowsChanged();
    }
}

void CellEditTable::RowsChanged(int first, int last) {
    model_->RowsChanged(first, last);
}

int CellEditTable::CurrentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CellEditTable::SetCurrentRow(int row, int column) {
    if (row < 0 || row >= model_->rowCount()) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index =
        model_->index(row, std::clamp(column, 0, std::max(0, model_->columnCount() - 1)));
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

std::vector<int> CellEditTable::SelectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    return {rows.begin(), rows.end()};
}

bool CellEditTable::EditCell(int row, int column) {
    const QModelIndex index = model_->index(row, column);
    if (!index.isValid() || !(model_->flags(index) & Qt::ItemIsEditable)) {
        return false;
    }
    SetCurrentRow(row, column);
    edit(index);
    return state() == QAbstractItemView::EditingState;
}

void CellEditTable::keyPressEvent(QKeyEvent* event) {
    const bool upOrDown = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (upOrDown && state() == QAbstractItemView::EditingState && event->modifiers() == Qt::NoModifier) {
        // Moving the current cell commits the open editor; the editor then follows the cursor.
        const int row = CurrentRow();
        QTableView::keyPressEvent(event);
        if (CurrentRow() != row && (model_->flags(currentIndex()) & Qt::ItemIsEditable)) {
            edit(currentIndex());
        }
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != QAbstractItemView::EditingState && CurrentRow() >= 0) {
        Q_EMIT rowActivated(CurrentRow());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

}  // namespace rave::platform
