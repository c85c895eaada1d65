// The rows of the lap list: one per lap with its seventeen cell texts, kept in the list's own
// order, and the list's groups. With the group view on, the groups are the top rows and their
// laps their children; laps that belong to no group follow the groups.
#pragma once

#include "platform/GroupedListModel.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace laplist {

inline constexpr int kColumnCount = 17;
inline constexpr int kLapNumberColumn = 0;
inline constexpr int kTimeColumn = 1;
inline constexpr int kBaseColumn = 2;
inline constexpr int kOverColumn = 3;
inline constexpr int kDistanceColumn = 4;
inline constexpr int kGColumn = 10;
inline constexpr int kTitleColumn = 15;
inline constexpr int kPathColumn = 16;

struct Column {
    const char* title;
    Qt::Alignment alignment;
};
const std::array<Column, kColumnCount>& Columns();

struct Row {
    std::array<QString, kColumnCount> texts;
    std::int32_t itemData = 0;
    std::uint32_t lapTime = 0; // hundredths, for the times that the text does not show as m:ss.hh
    int group = -1;            // group id, -1 none
};

using Group = platform::ListGroup;

}  // namespace laplist

class LapListModel : public platform::GroupedListModel {
public:
    explicit LapListModel(QObject* parent = nullptr);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const laplist::Row& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    laplist::Row& MutableRow(int row) { return m_rows[static_cast<std::size_t>(row)]; }
    // Inserts among the rows so that the lap-number texts stand in descending order; the position.
    int InsertRow(laplist::Row row);
    void RemoveAllRows();
    // Stable sort of all rows; less(a, b) true when a goes before b.
    void SortRows(const std::function<bool(const laplist::Row&, const laplist::Row&)>& less);
    // Every row for which match is true joins group id; the number moved.
    int MoveRowsToGroup(int id, const std::function<bool(const laplist::Row&)>& match);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    int ListRowCount() const override { return RowCount(); }
    int GroupIdOfRow(int row) const override { return Row(row).group; }
    void ForgetRowGroups() override { ForgetGroupsIn(m_rows); }

private:
    std::vector<laplist::Row> m_rows;
};
