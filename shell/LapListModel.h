// The rows of the lap list: one per lap with the numbers its seventeen cells show, formatted when
// the view asks, kept in the list's own order, and the list's groups. With the group view on, the groups are the top rows and their
// laps their children; laps that belong to no group follow the groups.
#pragma once

#include "platform/GroupedListModel.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
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

// A lap's numbers as the list shows them; the file's names are the model's, shared by its rows.
struct Row {
    std::uint32_t lapNumber = 0;
    std::uint32_t lapTime = 0;  // hundredths, for the times that the text does not show as m:ss.hh
    char lapTimeText[16]{};
    std::uint32_t distance = 0;
    std::int32_t extremes[8]{};  // the first eight channel extremes of the lap
    float average = 0.0f;
    float g = 0.0f;              // the scaled peak of signed value A
    std::int32_t file = -1;      // index among the model's files
    std::int32_t itemData = 0;
    int group = -1;              // group id, -1 none
};

// The names of a file whose laps are rows.
struct FileNames {
    QString title;
    QString path;
};

using Group = platform::ListGroup;

}  // namespace laplist

class LapListModel : public platform::GroupedListModel {
public:
    explicit LapListModel(QObject* parent = nullptr);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const laplist::Row& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    laplist::Row& MutableRow(int row) { return m_rows[static_cast<std::size_t>(row)]; }
    // The text a cell shows.
    QString Text(int row, int column) const;
    const QString& Title(int row) const { return Names(row).title; }
    const QString& Path(int row) const { return Names(row).path; }
    static QString LapNumberText(std::uint32_t lapNumber);
    // A file whose rows are to come; its index for laplist::Row::file.
    int AddFile(const QString& title, const QString& path);
    // Inserts the rows as if one at a time, each before the first row whose lap-number text stands
    // below its own: the lap-number texts stand in descending order as they come.
    void InsertRows(std::vector<laplist::Row>&& rows);
    void RemoveAllRows();
    // The rows in this order of their present positions.
    void ReorderRows(const std::vector<int>& order);
    // Every row of a file for which match is true joins group id; the number moved.
    int MoveRowsToGroup(int id, const std::function<bool(const laplist::FileNames&)>& match);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    int ListRowCount() const override { return RowCount(); }
    int GroupIdOfRow(int row) const override { return Row(row).group; }
    void ForgetRowGroups() override { ForgetGroupsIn(m_rows); }

private:
    const laplist::FileNames& Names(int row) const;

    std::vector<laplist::Row> m_rows;
    std::vector<laplist::FileNames> m_files;
};
