#include "shell/LapListModel.h"

#include <algorithm>

namespace laplist {

const std::array<Column, kColumnCount>& Columns() {
    static const std::array<Column, kColumnCount> columns = {{
        {"L ", Qt::AlignHCenter},       {" Time", Qt::AlignRight},    {"Base", Qt::AlignHCenter},
        {"Over", Qt::AlignHCenter},     {"Dist", Qt::AlignRight},     {"M RPM", Qt::AlignRight},
        {"m RPM", Qt::AlignRight},      {"M Speed", Qt::AlignRight},  {"m Speed", Qt::AlignRight},
        {"A Speed", Qt::AlignRight},    {"G", Qt::AlignHCenter},      {"M T1", Qt::AlignRight},
        {"m T1", Qt::AlignRight},       {"M T2", Qt::AlignRight},     {"m T2", Qt::AlignRight},
        {"File name", Qt::AlignLeft},   {"Path", Qt::AlignLeft},
    }};
    return columns;
}

}  // namespace laplist

LapListModel::LapListModel(QObject* parent) : GroupedListModel(parent) {}

int LapListModel::InsertRow(laplist::Row row) {
    return InsertDescending(m_rows, std::move(row),
                            [](const laplist::Row& r) -> const QString& { return r.texts[laplist::kLapNumberColumn]; });
}

void LapListModel::RemoveAllRows() {
    BeginUpdate();
    m_rows.clear();
    EndUpdate();
}

void LapListModel::SortRows(const std::function<bool(const laplist::Row&, const laplist::Row&)>& less) {
    SortRowsIn(m_rows, less);
}

int LapListModel::MoveRowsToGroup(int id, const std::function<bool(const laplist::Row&)>& match) {
    return MoveRowsToGroupIn(m_rows, id, match);
}

int LapListModel::columnCount(const QModelIndex&) const { return laplist::kColumnCount; }

QVariant LapListModel::data(const QModelIndex& index, int role) const {
    if (GroupOf(index))
        return GroupData(index, role);
    const int row = RowOf(index);
    if (row < 0)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rows[static_cast<std::size_t>(row)].texts[static_cast<std::size_t>(index.column())];
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(laplist::Columns()[static_cast<std::size_t>(index.column())].alignment |
                                   Qt::AlignVCenter);
    case kRowRole:
        return row;
    default:
        return {};
    }
}

QVariant LapListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= laplist::kColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(laplist::Columns()[static_cast<std::size_t>(section)].title);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(laplist::Columns()[static_cast<std::size_t>(section)].alignment | Qt::AlignVCenter);
    return {};
}
