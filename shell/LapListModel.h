// The rows of the lap list: one per lap with its seventeen cell texts, kept in the list's own
// order, and the list's groups. With the group view on, the groups are the top rows and their
// laps their children; laps that belong to no group follow the groups.
#pragma once

#include <QAbstractItemModel>
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

struct Group {
    int id = 0;
    QString header;
};

}  // namespace laplist

class LapListModel : public QAbstractItemModel {
public:
    // Item data role of a lap row: its position among all rows; -1 for a group row.
    static constexpr int kRowRole = Qt::UserRole + 1;

    explicit LapListModel(QObject* parent = nullptr);

    // Changes made between these two are shown at once, at the end.
    void BeginUpdate();
    void EndUpdate();

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const laplist::Row& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    laplist::Row& MutableRow(int row) { return m_rows[static_cast<std::size_t>(row)]; }
    // Inserts among the rows so that the lap-number texts stand in descending order; the position.
    int InsertRow(laplist::Row row);
    void RemoveAllRows();
    // Stable sort of all rows; less(a, b) true when a goes before b.
    void SortRows(const std::function<bool(const laplist::Row&, const laplist::Row&)>& less);
    // Shows that the cells of a row or of the whole list changed, without a new layout.
    void CellsChanged(int row = -1);

    bool GroupView() const { return m_groupView; }
    void SetGroupView(bool on);
    const std::vector<laplist::Group>& Groups() const { return m_groups; }
    bool InsertGroup(const QString& header, int id);
    void RemoveAllGroups();
    // Every row for which match is true joins group id; the number moved.
    int MoveRowsToGroup(int id, const std::function<bool(const laplist::Row&)>& match);

    // The lap row an index shows (-1 for a group row or an invalid index), the group of a group row.
    int RowOf(const QModelIndex& index) const;
    const laplist::Group* GroupOf(const QModelIndex& index) const;
    QModelIndex IndexOfRow(int row, int column = 0) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // One top row: a group (index into m_groups) or an ungrouped lap row.
    struct TopEntry {
        int group = -1;
        int row = -1;
    };
    void Relayout();

    std::vector<laplist::Row> m_rows;
    std::vector<laplist::Group> m_groups;
    bool m_groupView = false;
    int m_updateDepth = 0;
    std::vector<TopEntry> m_top;
    std::vector<std::vector<int>> m_groupRows; // per entry of m_groups, its rows in list order
};
