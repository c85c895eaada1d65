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

namespace {
// Internal id of a top row; a child row carries its group's position among the top rows + 1.
constexpr quintptr kTopId = 0;
}  // namespace

LapListModel::LapListModel(QObject* parent) : QAbstractItemModel(parent) {}

void LapListModel::BeginUpdate() {
    if (m_updateDepth++ == 0)
        beginResetModel();
}

void LapListModel::EndUpdate() {
    if (m_updateDepth == 0 || --m_updateDepth != 0)
        return;
    Relayout();
    endResetModel();
}

int LapListModel::InsertRow(laplist::Row row) {
    // The list keeps its rows in descending order of the lap-number text; equal texts keep the
    // order they came in.
    const QString& key = row.texts[laplist::kLapNumberColumn];
    auto at = std::find_if(m_rows.begin(), m_rows.end(), [&key](const laplist::Row& r) {
        return QString::compare(r.texts[laplist::kLapNumberColumn], key, Qt::CaseInsensitive) < 0;
    });
    BeginUpdate();
    const auto position = at - m_rows.begin();
    m_rows.insert(at, std::move(row));
    EndUpdate();
    return static_cast<int>(position);
}

void LapListModel::RemoveAllRows() {
    BeginUpdate();
    m_rows.clear();
    EndUpdate();
}

void LapListModel::SortRows(const std::function<bool(const laplist::Row&, const laplist::Row&)>& less) {
    BeginUpdate();
    std::stable_sort(m_rows.begin(), m_rows.end(), less);
    EndUpdate();
}

void LapListModel::CellsChanged(int row) {
    if (m_updateDepth != 0 || m_rows.empty())
        return;
    if (row < 0) {
        // Every lap row, top rows and the children of each group.
        const int top = rowCount();
        if (top > 0)
            emit dataChanged(index(0, 0), index(top - 1, laplist::kColumnCount - 1));
        for (int t = 0; t < top; ++t) {
            const QModelIndex parentIndex = index(t, 0);
            const int children = rowCount(parentIndex);
            if (children > 0)
                emit dataChanged(index(0, 0, parentIndex), index(children - 1, laplist::kColumnCount - 1, parentIndex));
        }
        return;
    }
    const QModelIndex first = IndexOfRow(row, 0);
    if (first.isValid())
        emit dataChanged(first, IndexOfRow(row, laplist::kColumnCount - 1));
}

void LapListModel::SetGroupView(bool on) {
    if (on == m_groupView)
        return;
    BeginUpdate();
    m_groupView = on;
    EndUpdate();
}

bool LapListModel::InsertGroup(const QString& header, int id) {
    if (!m_groupView || std::any_of(m_groups.begin(), m_groups.end(), [id](const laplist::Group& g) { return g.id == id; }))
        return false;
    BeginUpdate();
    m_groups.push_back({id, header});
    EndUpdate();
    return true;
}

void LapListModel::RemoveAllGroups() {
    BeginUpdate();
    m_groups.clear();
    for (laplist::Row& row : m_rows)
        row.group = -1;
    EndUpdate();
}

int LapListModel::MoveRowsToGroup(int id, const std::function<bool(const laplist::Row&)>& match) {
    int moved = 0;
    BeginUpdate();
    for (laplist::Row& row : m_rows) {
        if (match(row)) {
            row.group = id;
            ++moved;
        }
    }
    EndUpdate();
    return moved;
}

void LapListModel::Relayout() {
    m_top.clear();
    m_groupRows.assign(m_groups.size(), {});
    if (!m_groupView) {
        for (int r = 0; r < RowCount(); ++r)
            m_top.push_back({-1, r});
        return;
    }
    std::vector<int> ungrouped;
    for (int r = 0; r < RowCount(); ++r) {
        const int id = m_rows[static_cast<std::size_t>(r)].group;
        auto g = std::find_if(m_groups.begin(), m_groups.end(), [id](const laplist::Group& x) { return x.id == id; });
        if (g == m_groups.end())
            ungrouped.push_back(r);
        else
            m_groupRows[static_cast<std::size_t>(g - m_groups.begin())].push_back(r);
    }
    // A group without rows is not shown.
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        if (!m_groupRows[g].empty())
            m_top.push_back({static_cast<int>(g), -1});
    }
    for (int r : ungrouped)
        m_top.push_back({-1, r});
}

int LapListModel::RowOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return -1;
    if (index.internalId() == kTopId) {
        const TopEntry& entry = m_top[static_cast<std::size_t>(index.row())];
        return entry.row;
    }
    const TopEntry& parentEntry = m_top[static_cast<std::size_t>(index.internalId() - 1)];
    return m_groupRows[static_cast<std::size_t>(parentEntry.group)][static_cast<std::size_t>(index.row())];
}

const laplist::Group* LapListModel::GroupOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.internalId() != kTopId)
        return nullptr;
    const TopEntry& entry = m_top[static_cast<std::size_t>(index.row())];
    return entry.group >= 0 ? &m_groups[static_cast<std::size_t>(entry.group)] : nullptr;
}

QModelIndex LapListModel::IndexOfRow(int row, int column) const {
    for (std::size_t t = 0; t < m_top.size(); ++t) {
        if (m_top[t].row == row && m_top[t].group < 0)
            return createIndex(static_cast<int>(t), column, kTopId);
        if (m_top[t].group >= 0) {
            const std::vector<int>& rows = m_groupRows[static_cast<std::size_t>(m_top[t].group)];
            auto it = std::find(rows.begin(), rows.end(), row);
            if (it != rows.end())
                return createIndex(static_cast<int>(it - rows.begin()), column, static_cast<quintptr>(t + 1));
        }
    }
    return {};
}

QModelIndex LapListModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= laplist::kColumnCount || row < 0)
        return {};
    if (!parent.isValid())
        return row < static_cast<int>(m_top.size()) ? createIndex(row, column, kTopId) : QModelIndex();
    if (parent.internalId() != kTopId)
        return {};
    const TopEntry& entry = m_top[static_cast<std::size_t>(parent.row())];
    if (entry.group < 0 || row >= static_cast<int>(m_groupRows[static_cast<std::size_t>(entry.group)].size()))
        return {};
    return createIndex(row, column, static_cast<quintptr>(parent.row() + 1));
}

QModelIndex LapListModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kTopId)
        return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kTopId);
}

int LapListModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(m_top.size());
    if (parent.internalId() != kTopId || parent.column() != 0)
        return 0;
    const TopEntry& entry = m_top[static_cast<std::size_t>(parent.row())];
    return entry.group < 0 ? 0 : static_cast<int>(m_groupRows[static_cast<std::size_t>(entry.group)].size());
}

int LapListModel::columnCount(const QModelIndex&) const { return laplist::kColumnCount; }

QVariant LapListModel::data(const QModelIndex& index, int role) const {
    if (const laplist::Group* group = GroupOf(index)) {
        if (role == Qt::DisplayRole && index.column() == 0)
            return group->header;
        if (role == kRowRole)
            return -1;
        return {};
    }
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

Qt::ItemFlags LapListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (GroupOf(index))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
