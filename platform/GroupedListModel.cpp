#include "platform/GroupedListModel.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStyleOptionViewItem>
#include <QTreeView>

#include <algorithm>

namespace platform {

namespace {
// Internal id of a top row; a child row carries its group's position among the top rows + 1.
constexpr quintptr kTopId = 0;
constexpr int kGroupTextInset = 6;
const QColor kGroupRuleColour(0xD8, 0xD8, 0xD8);
}  // namespace

void GroupedListModel::BeginUpdate() {
    if (m_updateDepth++ == 0)
        beginResetModel();
}

void GroupedListModel::EndUpdate() {
    if (m_updateDepth == 0 || --m_updateDepth != 0)
        return;
    Relayout();
    endResetModel();
}

void GroupedListModel::SetGroupView(bool on) {
    if (on == m_groupView)
        return;
    BeginUpdate();
    m_groupView = on;
    EndUpdate();
}

bool GroupedListModel::InsertGroup(const QString& header, int id) {
    if (!m_groupView || std::any_of(m_groups.begin(), m_groups.end(), [id](const ListGroup& g) { return g.id == id; }))
        return false;
    BeginUpdate();
    m_groups.push_back({id, header});
    EndUpdate();
    return true;
}

void GroupedListModel::RemoveAllGroups() {
    BeginUpdate();
    m_groups.clear();
    ForgetRowGroups();
    EndUpdate();
}

void GroupedListModel::CellsChanged(int row) {
    const int columns = columnCount();
    if (m_updateDepth != 0 || ListRowCount() == 0 || columns == 0)
        return;
    if (row >= 0) {
        const QModelIndex first = IndexOfRow(row, 0);
        if (first.isValid())
            emit dataChanged(first, IndexOfRow(row, columns - 1));
        return;
    }
    // Every list row: the top rows and the children of each group.
    const int top = rowCount();
    if (top > 0)
        emit dataChanged(index(0, 0), index(top - 1, columns - 1));
    for (int t = 0; t < top; ++t) {
        const QModelIndex parentIndex = index(t, 0);
        const int children = rowCount(parentIndex);
        if (children > 0)
            emit dataChanged(index(0, 0, parentIndex), index(children - 1, columns - 1, parentIndex));
    }
}

void GroupedListModel::Relayout() {
    m_top.clear();
    m_groupRows.assign(m_groups.size(), {});
    const int rows = ListRowCount();
    if (!m_groupView) {
        for (int r = 0; r < rows; ++r)
            m_top.push_back({-1, r});
        return;
    }
    QHash<int, int> groupOfId;
    for (std::size_t g = 0; g < m_groups.size(); ++g)
        groupOfId.insert(m_groups[g].id, static_cast<int>(g));
    std::vector<int> ungrouped;
    for (int r = 0; r < rows; ++r) {
        const auto g = groupOfId.constFind(GroupIdOfRow(r));
        if (g == groupOfId.constEnd())
            ungrouped.push_back(r);
        else
            m_groupRows[static_cast<std::size_t>(g.value())].push_back(r);
    }
    // A group without rows is not shown.
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        if (!m_groupRows[g].empty())
            m_top.push_back({static_cast<int>(g), -1});
    }
    for (int r : ungrouped)
        m_top.push_back({-1, r});
}

int GroupedListModel::RowOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this)
        return -1;
    if (index.internalId() == kTopId)
        return m_top[static_cast<std::size_t>(index.row())].row;
    const TopEntry& parentEntry = m_top[static_cast<std::size_t>(index.internalId() - 1)];
    return m_groupRows[static_cast<std::size_t>(parentEntry.group)][static_cast<std::size_t>(index.row())];
}

const ListGroup* GroupedListModel::GroupOf(const QModelIndex& index) const {
    if (!index.isValid() || index.model() != this || index.internalId() != kTopId)
        return nullptr;
    const TopEntry& entry = m_top[static_cast<std::size_t>(index.row())];
    return entry.group >= 0 ? &m_groups[static_cast<std::size_t>(entry.group)] : nullptr;
}

QModelIndex GroupedListModel::IndexOfRow(int row, int column) const {
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

void GroupedListModel::ShowGroupRows(QTreeView& view) const {
    // After a reset no row spans; only the group rows are told (a call per row would cost the
    // view a search each).
    for (std::size_t t = 0; t < m_top.size(); ++t) {
        if (m_top[t].group < 0)
            continue;
        view.setFirstColumnSpanned(static_cast<int>(t), QModelIndex(), true);
        view.expand(index(static_cast<int>(t), 0));
    }
}

void GroupedListModel::PaintGroupRow(QPainter* painter, const QStyleOptionViewItem& option, const QString& header,
                                     const QFont& boldFont) {
    painter->save();
    painter->fillRect(option.rect, option.palette.color(QPalette::Base));
    painter->setFont(boldFont);
    painter->setPen(option.palette.color(QPalette::Link));
    const QRect textRect = option.rect.adjusted(kGroupTextInset, 0, -kGroupTextInset, 0);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, header);
    const int after = textRect.left() + QFontMetrics(boldFont).horizontalAdvance(header) + kGroupTextInset;
    painter->setPen(kGroupRuleColour);
    painter->drawLine(after, option.rect.center().y(), option.rect.right(), option.rect.center().y());
    painter->restore();
}

QVariant GroupedListModel::GroupData(const QModelIndex& index, int role) const {
    const ListGroup* group = GroupOf(index);
    if (!group)
        return {};
    if (role == Qt::DisplayRole && index.column() == 0)
        return group->header;
    if (role == kRowRole)
        return -1;
    return {};
}

QModelIndex GroupedListModel::index(int row, int column, const QModelIndex& parent) const {
    if (column < 0 || column >= columnCount() || row < 0)
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

QModelIndex GroupedListModel::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == kTopId)
        return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kTopId);
}

int GroupedListModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return static_cast<int>(m_top.size());
    if (parent.internalId() != kTopId || parent.column() != 0)
        return 0;
    const TopEntry& entry = m_top[static_cast<std::size_t>(parent.row())];
    return entry.group < 0 ? 0 : static_cast<int>(m_groupRows[static_cast<std::size_t>(entry.group)].size());
}

Qt::ItemFlags GroupedListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (GroupOf(index))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace platform
