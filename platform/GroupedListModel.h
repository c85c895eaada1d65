// The rows of a report list that can show them in groups, as the lap list and the segment list
// do: with the group view on, the groups that hold rows are the top rows with their rows as
// children, and the rows of no group follow them. The derived model keeps the rows and their
// cells; this keeps the groups and the tree the view walks.
#pragma once

#include <QAbstractItemModel>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <functional>
#include <utility>
#include <vector>

class QFont;
class QPainter;
class QStyleOptionViewItem;
class QTreeView;

namespace platform {

// A number in the order of its text "%3d" compared as a byte string (" 99" before "100", "999"
// after "1000"): the text's characters, NUL-padded to ten, as digits of base 12.
inline std::uint64_t NumberTextOrder(std::uint32_t number) {
    char text[11] = {};
    std::snprintf(text, sizeof text, "%3u", number);
    std::uint64_t key = 0;
    for (const char c : std::string_view(text, 10))
        key = key * 12 + (c == 0 ? 0 : c == ' ' ? 1 : static_cast<std::uint64_t>(c - '0' + 2));
    return key;
}

struct ListGroup {
    int id = 0;
    QString header;
};

class GroupedListModel : public QAbstractItemModel {
public:
    // Item data role of a list row: its position among all rows; -1 for a group row.
    static constexpr int kRowRole = Qt::UserRole + 1;

    // Changes made between these two are shown at once, at the end.
    void BeginUpdate();
    void EndUpdate();

    bool GroupView() const { return m_groupView; }
    void SetGroupView(bool on);
    const std::vector<ListGroup>& Groups() const { return m_groups; }
    // false while the group view is off or when the id is taken.
    bool InsertGroup(const QString& header, int id);
    // No groups; every row leaves its group.
    void RemoveAllGroups();

    // The list row an index shows (-1 for a group row or an invalid index), the group of a group row.
    int RowOf(const QModelIndex& index) const;
    const ListGroup* GroupOf(const QModelIndex& index) const;
    QModelIndex IndexOfRow(int row, int column = 0) const;
    // Shows that the cells of a row (or of every row) changed, without a new layout.
    void CellsChanged(int row = -1);

    // Group rows span the view's width and stand open.
    void ShowGroupRows(QTreeView& view) const;
    // A group row: its header in bold link colour, then a grid-coloured rule to the right edge.
    static void PaintGroupRow(QPainter* painter, const QStyleOptionViewItem& option, const QString& header,
                              const QFont& boldFont);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    explicit GroupedListModel(QObject* parent = nullptr) : QAbstractItemModel(parent) {}

    virtual int ListRowCount() const = 0;
    // The id of the group the row belongs to; -1 none.
    virtual int GroupIdOfRow(int row) const = 0;
    virtual void ForgetRowGroups() = 0;
    // Display text of a group row (column 0 only) and its row role; nothing for a list row.
    QVariant GroupData(const QModelIndex& index, int role) const;

    // Row helpers for derived models whose rows carry a group id (`int group`).
    // Inserts a batch as if each row, in the batch's order, went in before the first row whose key
    // stands below its own: equal keys keep the order they came in, and rows already there keep
    // theirs even when they are not in key order. One stable sort of the batch and one merge (in
    // place when the list was empty); one reset.
    template <class Row, class KeyOf>
    void InsertDescending(std::vector<Row>& rows, std::vector<Row>&& batch, KeyOf keyOf) {
        if (batch.empty())
            return;
        std::vector<std::uint64_t> keys(batch.size());
        std::vector<std::uint32_t> order(batch.size());
        for (std::size_t i = 0; i < batch.size(); ++i) {
            keys[i] = keyOf(batch[i]);
            order[i] = static_cast<std::uint32_t>(i);
        }
        std::stable_sort(order.begin(), order.end(), [&keys](std::uint32_t a, std::uint32_t b) { return keys[b] < keys[a]; });
        BeginUpdate();
        if (rows.empty()) {
            // Each cycle of the order moves round once.
            for (std::size_t start = 0; start < order.size(); ++start) {
                if (order[start] == start)
                    continue;
                Row held = std::move(batch[start]);
                std::size_t at = start;
                while (order[at] != start) {
                    const std::size_t from = order[at];
                    batch[at] = std::move(batch[from]);
                    order[at] = static_cast<std::uint32_t>(at);
                    at = from;
                }
                batch[at] = std::move(held);
                order[at] = static_cast<std::uint32_t>(at);
            }
            rows.swap(batch);
        } else {
            std::vector<Row> merged;
            merged.reserve(rows.size() + batch.size());
            std::size_t next = 0;
            for (const std::uint32_t index : order) {
                // The rows there stay ahead of every new row whose key is not above theirs.
                while (next < rows.size() && !(keyOf(rows[next]) < keys[index]))
                    merged.push_back(std::move(rows[next++]));
                merged.push_back(std::move(batch[index]));
            }
            for (; next < rows.size(); ++next)
                merged.push_back(std::move(rows[next]));
            rows.swap(merged);
        }
        EndUpdate();
    }
    template <class Row>
    void SortRowsIn(std::vector<Row>& rows, const std::function<bool(const Row&, const Row&)>& less) {
        BeginUpdate();
        std::stable_sort(rows.begin(), rows.end(), less);
        EndUpdate();
    }
    template <class Row>
    int MoveRowsToGroupIn(std::vector<Row>& rows, int id, const std::function<bool(const Row&)>& match) {
        int moved = 0;
        BeginUpdate();
        for (Row& row : rows) {
            if (match(row)) {
                row.group = id;
                ++moved;
            }
        }
        EndUpdate();
        return moved;
    }
    // The rows in this order of their present positions.
    template <class Row>
    void ReorderRowsIn(std::vector<Row>& rows, const std::vector<int>& order) {
        std::vector<Row> reordered;
        reordered.reserve(order.size());
        for (int r : order)
            reordered.push_back(rows[static_cast<std::size_t>(r)]);
        BeginUpdate();
        rows.swap(reordered);
        EndUpdate();
    }
    // Every row (`int file`, an index into files) of a file for which match is true joins group id.
    template <class Row, class Files, class Match>
    int MoveFileRowsToGroupIn(std::vector<Row>& rows, const Files& files, int id, const Match& match) {
        std::vector<char> matches(files.size());
        for (std::size_t f = 0; f < files.size(); ++f)
            matches[f] = match(files[f]) ? 1 : 0;
        return MoveRowsToGroupIn<Row>(rows, id, [&matches](const Row& row) {
            return row.file >= 0 && static_cast<std::size_t>(row.file) < matches.size() &&
                   matches[static_cast<std::size_t>(row.file)] != 0;
        });
    }
    template <class Row>
    static void ForgetGroupsIn(std::vector<Row>& rows) {
        for (Row& row : rows)
            row.group = -1;
    }

private:
    // One top row: a group (index into m_groups) or a list row outside the groups.
    struct TopEntry {
        int group = -1;
        int row = -1;
    };
    void Relayout();

    std::vector<ListGroup> m_groups;
    bool m_groupView = false;
    int m_updateDepth = 0;
    std::vector<TopEntry> m_top;
    std::vector<std::vector<int>> m_groupRows;  // per entry of m_groups, its rows in list order
};

}  // namespace platform
