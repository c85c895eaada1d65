// The rows of the segment list: one per lap with its lap number, its segment times as numbers
// (formatted when the view asks) and its file, kept in descending order of the lap-number text as
// they come; the columns are the lap number, the segment columns and the file's names.
#pragma once

#include "platform/GroupedListModel.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace seglist {

struct Column {
    QString title;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// A segment cell's time in hundredths, or none (an empty cell).
inline constexpr std::uint16_t kNoTime = 0xFFFF;

struct Row {
    std::uint32_t lapNumber = 0;
    std::int32_t file = -1;         // index among the model's files
    QList<std::uint16_t> times;     // segment 1 on; past its end the cells are empty
    std::int32_t itemData = 0;
    int group = -1;                 // group id, -1 none
};

struct FileNames {
    QString title;
    QString path;
};

// "Seg. 1 time" ... "Seg.10 time".
QString SegmentTitle(int segment);
// A cell's time as lap-time text; nothing for none.
QString TimeText(std::uint16_t time);

}  // namespace seglist

class SegmentListModel : public platform::GroupedListModel {
public:
    explicit SegmentListModel(QObject* parent = nullptr) : GroupedListModel(parent) {}

    // "L ", the segment columns, "File name", "Path"; none before they are made.
    int ColumnCount() const { return m_hasColumns ? m_segments + 3 : 0; }
    int SegmentCount() const { return m_segments; }
    seglist::Column Column(int column) const;
    void MakeColumns(int segments);
    // Segment columns added or taken from the end; the cells of columns taken go with them.
    void SetSegmentCount(int segments);

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const seglist::Row& Row(int row) const { return m_rows[static_cast<std::size_t>(row)]; }
    const seglist::FileNames& Names(int row) const;
    // A file whose rows are to come; its index for seglist::Row::file.
    int AddFile(const QString& title, const QString& path);
    int FileCount() const { return static_cast<int>(m_files.size()); }
    const seglist::FileNames& File(int file) const { return m_files[static_cast<std::size_t>(file)]; }
    // Inserts the rows as if one at a time, each before the first row whose lap-number text stands
    // below its own.
    void InsertRows(std::vector<seglist::Row>&& rows);
    void RemoveAllRows();
    QString Cell(int row, int column) const;
    std::uint16_t Time(int row, int segment) const;
    // Segment from 1; kNoTime empties the cell.
    void SetTime(int row, int segment, std::uint16_t time);
    void SetItemData(int row, std::int32_t data) { m_rows[static_cast<std::size_t>(row)].itemData = data; }
    // The rows in this order of their present positions.
    void ReorderRows(const std::vector<int>& order);
    // Every row of a file for which match is true joins group id; the number moved.
    int MoveRowsToGroup(int id, const std::function<bool(const seglist::FileNames&)>& match);

    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    int ListRowCount() const override { return RowCount(); }
    int GroupIdOfRow(int row) const override { return Row(row).group; }
    void ForgetRowGroups() override { ForgetGroupsIn(m_rows); }

private:
    bool m_hasColumns = false;
    int m_segments = 0;
    std::vector<seglist::Row> m_rows;
    std::vector<seglist::FileNames> m_files;
};
