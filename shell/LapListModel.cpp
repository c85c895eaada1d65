#include "shell/LapListModel.h"

#include <algorithm>
#include <cstring>

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

namespace {

QString Format(const char* format, long long value) { return QString::asprintf(format, value); }

}  // namespace

QString LapListModel::LapNumberText(std::uint32_t lapNumber) { return Format("%3lld", lapNumber); }

const laplist::FileNames& LapListModel::Names(int row) const {
    static const laplist::FileNames kNone;
    const int file = m_rows[static_cast<std::size_t>(row)].file;
    return file >= 0 && file < static_cast<int>(m_files.size()) ? m_files[static_cast<std::size_t>(file)] : kNone;
}

QString LapListModel::Text(int row, int column) const {
    const laplist::Row& r = m_rows[static_cast<std::size_t>(row)];
    const std::int32_t* e = r.extremes;
    switch (column) {
    case 0: return LapNumberText(r.lapNumber);
    case 1: return QString::fromLatin1(r.lapTimeText, static_cast<qsizetype>(strnlen(r.lapTimeText, sizeof r.lapTimeText)));
    case 2:
    case 3: return QStringLiteral("   ");
    case 4: return Format("%6lld", r.distance);
    case 5: return Format("%5lld", e[0]);
    case 6: return Format("%4lld", e[1]);
    case 7: return Format("%4lld", e[2]);
    case 8: return Format("%4lld", e[3]);
    case 9: return QString::asprintf("%.1f", static_cast<double>(r.average));
    case 10: return QString::asprintf("%.2f", static_cast<double>(r.g));
    case 11: return Format("%3lld", e[5]);
    case 12: return Format("%3lld", e[4]);
    case 13: return Format("%3lld", e[7]);
    case 14: return Format("%3lld", e[6]);
    case laplist::kTitleColumn: return Title(row);
    case laplist::kPathColumn: return Path(row);
    default: return {};
    }
}

int LapListModel::AddFile(const QString& title, const QString& path) {
    m_files.push_back({title, path});
    return static_cast<int>(m_files.size()) - 1;
}

void LapListModel::InsertRows(std::vector<laplist::Row>&& rows) {
    InsertDescending(m_rows, std::move(rows), [](const laplist::Row& r) { return platform::NumberTextOrder(r.lapNumber); });
}

void LapListModel::RemoveAllRows() {
    BeginUpdate();
    m_rows.clear();
    m_files.clear();
    EndUpdate();
}

void LapListModel::ReorderRows(const std::vector<int>& order) { ReorderRowsIn(m_rows, order); }

int LapListModel::MoveRowsToGroup(int id, const std::function<bool(const laplist::FileNames&)>& match) {
    return MoveFileRowsToGroupIn(m_rows, m_files, id, match);
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
        return Text(row, index.column());
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
