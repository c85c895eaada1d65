// The lap list's answers to the mouse: button clicks, the current lap, sorting, the header's
// right click and the group menu.
#include "shell/CListViewEx.h"

#include "shell/LapListDelegate.h"
#include "shell/LapListModel.h"
#include "settings/CourseBlock.h"
#include "settings/ParseLapTimeText.h"

#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>
#include <vector>

namespace {

constexpr int kCmdExpandGroup = 2;
constexpr int kCmdDisableGrouping = 9;
constexpr int kCmdCloseGroupFiles = 11;

int Compare(long long a, long long b) { return a < b ? -1 : (a > b ? 1 : 0); }
int CompareDouble(double a, double b) { return a < b ? -1 : (a > b ? 1 : 0); }

// What a row is sorted by in a column, taken from its text once per sort.
struct SortKey {
    long long value = 0;
    double real = 0.0;
    bool clock = false;  // the lap time text is m:ss.hh
    std::uint32_t lapTime = 0;
};

SortKey KeyOf(const LapListModel& model, int row, int column) {
    SortKey key;
    switch (column) {
    case laplist::kTimeColumn: {
        // Lap times of ten minutes and more are written in hex; they sort by their value.
        const QString text = model.Text(row, column);
        key.clock = IsClockLapTimeText(text);
        key.value = key.clock ? ParseLapTimeText(text) : 0;
        key.lapTime = model.Row(row).lapTime;
        break;
    }
    case laplist::kGColumn:
        key.real = model.Text(row, column).trimmed().toDouble();
        break;
    case laplist::kBaseColumn:
    case laplist::kOverColumn:
        break;  // the same text in every row
    default:
        key.value = orvelo::ParseLapNumber(model.Text(row, column).toStdU16String());
        break;
    }
    return key;
}

// The comparison of two rows in a column, ascending.
int CompareKeys(const SortKey& a, const SortKey& b, int column) {
    switch (column) {
    case laplist::kTimeColumn:
        if (a.clock && b.clock)
            return Compare(a.value, b.value);
        return Compare(a.lapTime, b.lapTime);
    case laplist::kGColumn:
        return CompareDouble(a.real, b.real);
    default:
        return Compare(a.value, b.value);
    }
}

}  // namespace

QPoint CListViewEx::CellCentre(int row, int column) const {
    const QRect cell = visualRect(m_model->IndexOfRow(row, column));
    if (column == laplist::kBaseColumn || column == laplist::kOverColumn)
        return LapListDelegate::ButtonSquare(cell, column).center();
    return cell.center();
}

void CListViewEx::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton)
        OnClick(event->position().toPoint());
}

void CListViewEx::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        OnDblClk();
}

void CListViewEx::keyPressEvent(QKeyEvent* event) {
    // Enter on the selected lap does what a double click does.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        OnDblClk();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void CListViewEx::OnClick(const QPoint& pos) {
    m_lastDblClkItem = -1;
    const QModelIndex index = indexAt(pos);
    const int row = m_model->RowOf(index);
    const int column = index.column();
    if (row < 0 || (column != laplist::kBaseColumn && column != laplist::kOverColumn))
        return;
    if (!LapListDelegate::ButtonSquare(visualRect(index), column).contains(pos))
        return;
    const std::u16string number = LapNumberOf(row);
    const std::u16string path = PathOf(row);
    if (column == laplist::kBaseColumn) {
        orvelo::SetBaseLap(m_core, path, number);
        viewport()->update();
    } else {
        const int result = orvelo::ToggleOverlayLap(m_core, path, number);
        if (result == 1) {
            platform::ShowMessageBox(this, QStringLiteral("Warn. at frist, you have to select base lap."),
                                     QStringLiteral("OK"), platform::kMbIconWarning);
            return;
        }
        if (result == -1)
            orvelo::ApplyLapColors(m_core, m_lapColors);
        viewport()->update();
    }
    PostRedrawLapGraph();
}

void CListViewEx::OnDblClk() {
    const QModelIndexList selected = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    int row = -1;
    for (const QModelIndex& index : selected) {
        row = m_model->RowOf(index);
        if (row >= 0)
            break;
    }
    if (row < 0)
        return;
    m_lastDblClkItem = m_model->Row(row).itemData;
    const QString number = m_model->Text(row, laplist::kLapNumberColumn);
    const std::u16string path = PathOf(row);
    m_currentLap = platform::MapInfoBlock{};
    if (!platform::MapInfoBlock::Put(m_currentLap.path.data(), m_currentLap.path.size(), path)) {
        platform::ShowMessageBox(this, QStringLiteral("ERROR , the path of the log-file is too long.\n") +
                                           m_model->Path(row),
                                 QStringLiteral("ERROR"), platform::kMbIconError);
        return;
    }
    // The block has room for three digits; a lap number of 1000 and more stays out of it, and the
    // lap is made current by its full number and named beside the block.
    platform::MapInfoBlock::Put(m_currentLap.shortText.data(), m_currentLap.shortText.size(), number.toStdU16String());
    platform::MapInfoBlock::Put(m_currentLap.courseName.data(), m_currentLap.courseName.size(),
                                m_model->Title(row).toStdU16String());
    m_currentLapText = number;
    const int result = orvelo::SetCurrentLap(m_core, number.toStdU16String(), path);
    const CourseBlock course{m_currentLap,
                             orvelo::FindLogLap(m_core, path, orvelo::ParseLapNumber(number.toStdU16String()))};
    platform::PostMessage(m_mainWindow, platform::MessageWithBlock(platform::UM_DRAW_MAP_ON_VIEW,
                                                                   static_cast<platform::WParam>(result), course));
    viewport()->update();
}

void CListViewEx::OnColumnClick(int column) {
    setFocus();
    if (column < 0 || column >= laplist::kColumnCount || column == laplist::kTitleColumn ||
        column == laplist::kPathColumn) {
        // The header moved its arrow to the clicked column; it goes back to the sorted one.
        if (m_sortColumn >= 0)
            header()->setSortIndicator(m_sortColumn, m_sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
        else
            header()->setSortIndicatorShown(false);
        return;
    }
    const int rows = m_model->RowCount();
    std::vector<SortKey> keys;
    keys.reserve(static_cast<std::size_t>(rows));
    std::vector<int> order(static_cast<std::size_t>(rows));
    for (int r = 0; r < rows; ++r) {
        m_model->MutableRow(r).itemData = r;
        keys.push_back(KeyOf(*m_model, r, column));
        order[static_cast<std::size_t>(r)] = r;
    }
    m_sortColumn = column;
    m_sortAscending = m_sortFlags[static_cast<std::size_t>(column)];
    const bool ascending = m_sortAscending != 0;
    std::stable_sort(order.begin(), order.end(), [&keys, column, ascending](int a, int b) {
        const int compared = CompareKeys(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)], column);
        return ascending ? compared < 0 : compared > 0;
    });
    m_model->ReorderRows(order);
    m_sortFlags[static_cast<std::size_t>(column)] = ascending ? 0 : 1;
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void CListViewEx::OnHeaderRightClick(const QPoint& headerPos) {
    HeaderHitRecord record;
    record.column = header()->logicalIndexAt(headerPos);
    const QPoint global = header()->mapToGlobal(headerPos);
    record.x = global.x();
    record.y = global.y();
    platform::SendMessage(m_pane, platform::MessageWithBlock(platform::UM_LIST_HEADER_RIGHT_CLICK,
                                                             static_cast<platform::WParam>(Handle()), record));
}

void CListViewEx::contextMenuEvent(QContextMenuEvent* event) {
    setFocus();
    if (event->reason() == QContextMenuEvent::Keyboard)
        return;
    ShowGroupMenu(event->pos(), event->globalPos());
}

void CListViewEx::ShowGroupMenu(const QPoint& viewportPos, const QPoint& globalPos) {
    if (!m_model->GroupView())
        return;
    const QModelIndex index = indexAt(viewportPos);
    const laplist::Group* group = m_model->GroupOf(index);
    const int groupId = group ? group->id : -1;
    const QString header = group ? group->header : QString();
    QMenu menu(this);
    auto add = [&menu](const QString& text, int id) {
        QAction* action = menu.addAction(text);
        action->setData(id);
        return action;
    };
    if (group) {
        add(QStringLiteral("Expand group: ") + header, kCmdExpandGroup)->setEnabled(false);
        menu.addSeparator();
    }
    if (m_model->RowOf(index) < 0)
        add(QStringLiteral("Disable grouping"), kCmdDisableGrouping);
    if (m_groupingMode == LapListGrouping::kByFile) {
        menu.addSeparator();
        add(QStringLiteral("Close log file: ") + header, kCmdCloseGroupFiles);
    } else if (m_groupingMode == LapListGrouping::kByFolder) {
        menu.addSeparator();
        add(QStringLiteral("Close log file folder: ") + header, kCmdCloseGroupFiles);
    }
    QAction* chosen = platform::RunPopupMenu(menu, globalPos);
    const int command = chosen ? chosen->data().toInt() : 0;
    if (command == kCmdDisableGrouping) {
        DisableGrouping();
    } else if (command == kCmdCloseGroupFiles && !m_grouping.Entries().empty()) {
        const LapListGrouping::Entry* entry = m_grouping.Find(groupId, header);
        if (!entry) {
            platform::ShowMessageBox(this, QStringLiteral("Warning , nothing close file in group"),
                                     QStringLiteral("OK"), platform::kMbIconWarning);
            return;
        }
        platform::PostMessage(m_mainWindow,
                              platform::MessageWithBlock(platform::UM_CLOSE_LOGFILE_IN_GROUP,
                                                         static_cast<platform::WParam>(m_groupingMode),
                                                         entry->target.toStdU16String()));
    }
}
