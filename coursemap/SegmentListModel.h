// The rows of the segment list: one per lap with a cell per column, kept in descending order of
// the lap-number text as they come, and columns that come and go with the number of segments.
#pragma once

#include "platform/GroupedListModel.h"

#include <QString>

#include <functional>
#include <vector>

namespace seglist {

struct Column {
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
};

struct Row {
    std::vector<QString> texts;  // one per column
    std::int32_t itemData = 0;
    int group = -1;  // group id, -1 none
};

}  // namespace seglist

class SegmentListModel : public platform::GroupedListModel {
public:
    explicit SegmentListModel(QObject* parent = nullptr) : GroupedListModel(parent) {}

    int ColumnCount() const { return static_cast<int>(m_columns.size()); }
    const seglist::Column& Column(int column) const { return m_columns[static_cast<std::size_t>(column)]; }
    // Columns at index; every row gets empty cells there.
    void InsertColumns(int index, const std::vector<seglist::Column>& columns);
    void RemoveColumns(int index, int count);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const seglist::Row& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    // Inserts with the first cell's text so that the first cells stand in descending order; the position.
    int InsertRow(const QString& firstCell);
    void RemoveAllRows();
    const QString& Cell(int row, int column) const;
    void SetCell(int row, int column, const QString& text);
    void SetItemData(int row, std::int32_t data) { m_rows[static_cast<std::size_t>(row)].itemData = data; }
    // Stable sort of all rows; less(a, b) true when a goes before b.
    void SortRows(const std::function<bool(const seglist::Row&, const seglist::Row&)>& less);
    // Every row for which match is true joins group id; the number moved.
    int MoveRowsToGroup(int id, const std::function<bool(const seglist::Row&)>& match);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    int ListRowCount() const override { return RowCount(); }
    int GroupIdOfRow(int row) const override { return Row(row).group; }
    void ForgetRowGroups() override { ForgetGroupsIn(m_rows); }

private:
    std::vector<seglist::Column> m_columns;
    std::vector<seglist::Row> m_rows;
};
