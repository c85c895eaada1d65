#include "coursemap/SegmentListModel.h"

#include "core/LapTimeText.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace seglist {

QString SegmentTitle(int segment) { return QString::asprintf("%s%2d %s", "Seg.", segment, "time"); }

QString TimeText(std::uint16_t time) {
    if (time == kNoTime)
        return {};
    std::u16string text;
    orvelo::FormatLapTimeW(time, text);
    return QString::fromStdU16String(text);
}

}  // namespace seglist

seglist::Column SegmentListModel::Column(int column) const {
    if (column == 0)
        return {QStringLiteral("L "), Qt::AlignRight};
    if (column == m_segments + 1)
        return {QStringLiteral("File name"), Qt::AlignLeft};
    if (column == m_segments + 2)
        return {QStringLiteral("Path"), Qt::AlignLeft};
    return {seglist::SegmentTitle(column), Qt::AlignRight};
}

void SegmentListModel::MakeColumns(int segments) {
    BeginUpdate();
    m_hasColumns = true;
    m_segments = 0;
    SetSegmentCount(segments);
    EndUpdate();
}

void SegmentListModel::SetSegmentCount(int segments) {
    segments = std::max(0, segments);
    if (segments == m_segments)
        return;
    BeginUpdate();
    if (segments < m_segments) {
        for (seglist::Row& row : m_rows) {
            if (row.times.size() > segments)
                row.times.resize(segments);
        }
    }
    m_segments = segments;
    EndUpdate();
}

const seglist::FileNames& SegmentListModel::Names(int row) const {
    static const seglist::FileNames kNone;
    const int file = m_rows[static_cast<std::size_t>(row)].file;
    return file >= 0 && file < FileCount() ? m_files[static_cast<std::size_t>(file)] : kNone;
}

int SegmentListModel::AddFile(const QString& title, const QString& path) {
    m_files.push_back({title, path});
    return FileCount() - 1;
}

void SegmentListModel::InsertRows(std::vector<seglist::Row>&& rows) {
    InsertDescending(m_rows, std::move(rows), [](const seglist::Row& r) { return platform::NumberTextOrder(r.lapNumber); });
}

void SegmentListModel::RemoveAllRows() {
    BeginUpdate();
    m_rows.clear();
    m_files.clear();
    EndUpdate();
}

QString SegmentListModel::Cell(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return {};
    if (column == 0)
        return QString::asprintf("%3lld", static_cast<long long>(Row(row).lapNumber));
    if (column == m_segments + 1)
        return Names(row).title;
    if (column == m_segments + 2)
        return Names(row).path;
    return seglist::TimeText(Time(row, column));
}

std::uint16_t SegmentListModel::Time(int row, int segment) const {
    const QList<std::uint16_t>& times = Row(row).times;
    return segment >= 1 && segment <= times.size() ? times[segment - 1] : seglist::kNoTime;
}

void SegmentListModel::SetTime(int row, int segment, std::uint16_t time) {
    if (row < 0 || row >= RowCount() || segment < 1 || segment > m_segments || Time(row, segment) == time)
        return;
    QList<std::uint16_t>& times = m_rows[static_cast<std::size_t>(row)].times;
    if (times.size() < segment)
        times.resize(segment, seglist::kNoTime);
    times[segment - 1] = time;
    CellsChanged(row);
}

void SegmentListModel::ReorderRows(const std::vector<int>& order) { ReorderRowsIn(m_rows, order); }

int SegmentListModel::MoveRowsToGroup(int id, const std::function<bool(const seglist::FileNames&)>& match) {
    return MoveFileRowsToGroupIn(m_rows, m_files, id, match);
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
