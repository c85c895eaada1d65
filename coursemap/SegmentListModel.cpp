#include "coursemap/SegmentListModel.h"

#include <algorithm>

void SegmentListModel::InsertColumns(int index, const std::vector<seglist::Column>& columns) {
    index = std::clamp(index, 0, ColumnCount());
    BeginUpdate();
    m_columns.insert(m_columns.begin() + index, columns.begin(), columns.end());
    for (seglist::Row& row : m_rows)
        row.texts.insert(row.texts.begin() + index, columns.size(), QString());
    EndUpdate();
}

void SegmentListModel::RemoveColumns(int index, int count) {
    index = std::clamp(index, 0, ColumnCount());
    count = std::clamp(count, 0, ColumnCount() - index);
    BeginUpdate();
    m_columns.erase(m_columns.begin() + index, m_columns.begin() + index + count);
    for (seglist::Row& row : m_rows)
        row.texts.erase(row.texts.begin() + index, row.texts.begin() + index + count);
    EndUpdate();
}

int SegmentListModel::InsertRow(const QString& firstCell) {
    seglist::Row row;
    row.texts.resize(m_columns.size());
    if (!row.texts.empty())
        row.texts[0] = firstCell;
    return InsertDescending(m_rows, std::move(row), [](const seglist::Row& r) {
        return r.texts.empty() ? QString() : r.texts[0];
    });
}

void SegmentListModel::RemoveAllRows() {
    BeginUpdate();
    m_rows.clear();
    EndUpdate();
}

const QString& SegmentListModel::Cell(int row, int column) const {
    static const QString kNone;
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return kNone;
    return m_rows[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)];
}

void SegmentListModel::SetCell(int row, int column, const QString& text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return;
    QString& cell = m_rows[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(column)];
    if (cell == text)
        return;
    cell = text;
    CellsChanged(row);
}

void SegmentListModel::SortRows(const std::function<bool(const seglist::Row&, const seglist::Row&)>& less) {
    SortRowsIn(m_rows, less);
}

int SegmentListModel::MoveRowsToGroup(int id, const std::function<bool(const seglist::Row&)>& match) {
    return MoveRowsToGroupIn(m_rows, id, match);
}

int SegmentListModel::columnCount(const QModelIndex&) const { return ColumnCount(); }

QVariant SegmentListModel::data(const QModelIndex& index, int role) const {
    if (GroupOf(index))
        return GroupData(index, role);
    const int row = RowOf(index);
    if (row < 0 || index.column() >= ColumnCount())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return Cell(row, index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Column(index.column()).alignment | Qt::AlignVCenter);
    case kRowRole:
        return row;
    default:
        return {};
    }
}

QVariant SegmentListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount())
        return {};
    if (role == Qt::DisplayRole)
        return Column(section).title;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Column(section).alignment | Qt::AlignVCenter);
    return {};
}
