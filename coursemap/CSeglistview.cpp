#include "coursemap/CSeglistview.h"

#include "coursemap/SegmentListDelegate.h"
#include "coursemap/SegmentListModel.h"
#include "coursemap/SegmentTimes.h"

#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "core/LapTimeText.h"
#include "core/PathSplit.h"
#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "settings/ParseLapTimeText.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QMenu>

#include <algorithm>

namespace {
constexpr int kLapColumnWidth = 60;
constexpr int kLastColumnWidth = 50;
constexpr int kTextColumnWidth = 120;
constexpr int kCellPadding = 12;
// "File name" and "Path" follow the segment columns.
constexpr int kTrailingColumns = 2;
}  // namespace

CSeglistview::CSeglistview(orvelo::LapDataCore& core, platform::WindowHandle mainFrame, QWidget* parent)
    : QTreeView(parent), m_core(core), m_window(this), m_mainFrame(mainFrame) {
    setObjectName(QStringLiteral("SegmentListView"));
    m_model = new SegmentListModel(this);
    m_delegate = new SegmentListDelegate(core, *m_model, this);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setUniformRowHeights(true);
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    header()->setSectionsMovable(true);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) { OnColumnClick(column); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_model->ShowGroupRows(*this);
        FitColumnWidths();
    });
    m_window.On(platform::UM_SEGMENT_EDIT_REPLACE, [this](const platform::Message& m) { return OnSegmentEditReplace(m); });
    OnInitialUpdate();
}

CSeglistview::~CSeglistview() { m_window.Destroy(); }

void CSeglistview::OnInitialUpdate() {
    m_listFont = QFont(QStringLiteral("Microsoft Sans Serif"), 10);
    m_listFont.setStyleHint(QFont::SansSerif);
    setFont(m_listFont);
    QFont bold = m_listFont;
    bold.setWeight(QFont::DemiBold);
    m_delegate->SetFonts(m_listFont, bold);
    InsertColumns();
    m_sortFlags.assign(static_cast<std::size_t>(kFirstSegmentColumns + 3), 0);
}

QString CSeglistview::SegmentTitle(int segment) { return QString::asprintf("%s%2d %s", "Seg.", segment, "time"); }

int CSeglistview::SegmentColumnCount() const { return std::max(0, m_model->ColumnCount() - 1 - kTrailingColumns); }

void CSeglistview::InsertColumns() {
    m_model->InsertColumns(0, {{QStringLiteral("L "), Qt::AlignRight},
                               {QStringLiteral("File name"), Qt::AlignLeft},
                               {QStringLiteral("Path"), Qt::AlignLeft}});
    AdjustSegmentColumns();
}

void CSeglistview::AdjustSegmentColumns() {
    const int present = SegmentColumnCount();
    const int wanted = std::max(0, m_mode == kLoggerTimes ? m_loggerSegments : m_mapSegments);
    if (wanted < present) {
        // The surplus goes from the last segment column backwards.
        m_model->RemoveColumns(wanted + 1, present - wanted);
    } else if (wanted > present) {
        std::vector<seglist::Column> added;
        for (int k = present + 1; k <= wanted; ++k)
            added.push_back({SegmentTitle(k), Qt::AlignRight});
        m_model->InsertColumns(present + 1, added);
    }
}

void CSeglistview::FitColumnWidths() {
    if (m_redrawOff) {
        m_fitPending = true;
        return;
    }
    m_fitPending = false;
    const int columns = m_model->ColumnCount();
    const QFontMetrics metrics(m_listFont);
    const QFontMetrics headerMetrics(header()->font());
    for (int c = 0; c < columns; ++c) {
        int width = kLapColumnWidth;
        if (c == columns - 1) {
            width = kLastColumnWidth;
        } else if (c > 0) {
            // Every column is as wide as its title and its texts.
            width = headerMetrics.horizontalAdvance(m_model->Column(c).title);
            for (int r = 0; r < m_model->RowCount(); ++r)
                width = std::max(width, metrics.horizontalAdvance(m_model->Cell(r, c)));
            width += kCellPadding;
        }
        setColumnWidth(c, width);
    }
}

// ----- what the lap list tells it -----

void CSeglistview::InsertLapRow(int, const QString& lapNumberText, const QString& fileTitle, const QString& path) {
    const std::u16string pathText = path.toStdU16String();
    const orvelo::Lap* lap = m_core.ResolveLap(
        orvelo::FindLogLap(m_core, pathText, orvelo::ParseLapNumber(lapNumberText.toStdU16String())));
    const std::vector<std::int64_t> times = lap ? segtimes::LoggerTimes(*lap) : std::vector<std::int64_t>{};
    if (static_cast<int>(times.size()) > m_loggerSegments)
        m_loggerSegments = static_cast<int>(times.size());
    m_model->BeginUpdate();
    AdjustSegmentColumns();
    const int row = m_model->InsertRow(lapNumberText);
    const int segments = std::min(static_cast<int>(times.size()), SegmentColumnCount());
    for (int k = 1; k <= segments; ++k)
        SetTimeCell(row, k, times[static_cast<std::size_t>(k - 1)]);
    const int columns = m_model->ColumnCount();
    m_model->SetCell(row, columns - 2, fileTitle);
    m_model->SetCell(row, columns - 1, path);
    m_model->EndUpdate();
}

void CSeglistview::ResetList() {
    if (m_mode != kMapTimes)
        return;
    if (m_model->RowCount() > 0) {
        RefillLoggerTimes();
        return;
    }
    m_loggerSegments = 1;
    if (m_model->ColumnCount() == 0)
        InsertColumns();
    m_mode = kLoggerTimes;
    GrowSortFlags();
}

void CSeglistview::DeleteExtraColumns() {
    const int present = SegmentColumnCount();
    if (present > m_loggerSegments)
        m_model->RemoveColumns(m_loggerSegments + 1, present - m_loggerSegments);
}

void CSeglistview::GrowSortFlags() {
    const auto columns = static_cast<std::size_t>(m_model->ColumnCount());
    if (columns > m_sortFlags.size())
        m_sortFlags.resize(columns, 0);
}

void CSeglistview::NumberRows() {
    for (int r = 0; r < m_model->RowCount(); ++r)
        m_model->SetItemData(r, r);
}

void CSeglistview::RemoveAllRows() {
    m_model->BeginUpdate();
    m_model->RemoveAllRows();
    m_model->RemoveAllGroups();
    m_model->EndUpdate();
}

void CSeglistview::SetRedraw(bool on) {
    if (on == !m_redrawOff)
        return;
    m_redrawOff = !on;
    setUpdatesEnabled(on);
    // While redraw is off the changes gather into one, shown when it comes back on.
    if (!on) {
        m_model->BeginUpdate();
        return;
    }
    m_model->EndUpdate();
    if (m_fitPending)
        FitColumnWidths();
}

void CSeglistview::RemoveGroups() {
    m_model->BeginUpdate();
    m_model->RemoveAllGroups();
    m_model->SetGroupView(false);
    m_model->EndUpdate();
}

void CSeglistview::EnableGroupView() {
    if (m_model->RowCount() == 0)
        return;
    SetRedraw(false);
    m_model->RemoveAllGroups();
    m_model->SetGroupView(true);
}

void CSeglistview::InsertGroup(const QString& header, int id) {
    m_model->SetGroupView(true);
    m_model->InsertGroup(header, id);
}

int CSeglistview::AssignRowsToGroup(int mode, int id, const QString& key) {
    const int pathColumn = m_model->ColumnCount() - 1;
    m_model->MoveRowsToGroup(id, [mode, pathColumn, &key](const seglist::Row& row) {
        const QString& path = row.texts[static_cast<std::size_t>(pathColumn)];
        // By file the full path is the key, so two files of one title stay apart.
        return mode == 1 ? path == key : QString::fromStdU16String(orvelo::GetFolderPart(path.toStdU16String())) == key;
    });
    return 1;
}

// ----- segment times -----

void CSeglistview::SetTimeCell(int row, int segment, std::int64_t time) {
    std::u16string text;
    if (time >= 0 && time <= orvelo::kLongestLapTime)
        orvelo::FormatLapTimeW(static_cast<std::uint32_t>(time), text);
    m_model->SetCell(row, segment, QString::fromStdU16String(text));
}

std::vector<CSeglistview::LapRow> CSeglistview::LapRows() const {
    // The first row (in list order) with the lap's number and its file's path shows the lap.
    QHash<QString, int> firstRow;
    const int pathColumn = m_model->ColumnCount() - 1;
    for (int r = m_model->RowCount() - 1; r >= 0; --r)
        firstRow.insert(m_model->Cell(r, 0).trimmed() + QChar(0) + m_model->Cell(r, pathColumn), r);
    std::vector<LapRow> found;
    for (const orvelo::LogFile& file : m_core.LogFiles) {
        const QString path = QString::fromStdU16String(file.fullPath);
        for (const orvelo::Lap& lap : file.laps) {
            const auto it = firstRow.constFind(QString::number(lap.lapNumber) + QChar(0) + path);
            if (it != firstRow.constEnd())
                found.push_back({&lap, it.value()});
        }
    }
    return found;
}

void CSeglistview::RefillLoggerTimes() {
    m_mode = kLoggerTimes;
    SetRedraw(false);
    const std::vector<LapRow> laps = LapRows();
    // The lap with the most sample records decides the columns, so no lap loses a time.
    int most = 0;
    for (const LapRow& entry : laps)
        most = std::max(most, static_cast<int>(entry.lap->samples.size()));
    m_loggerSegments = most;
    AdjustSegmentColumns();
    for (const LapRow& entry : laps) {
        const std::vector<std::int64_t> times = segtimes::LoggerTimes(*entry.lap);
        for (int k = 1; k <= SegmentColumnCount(); ++k) {
            if (k <= static_cast<int>(times.size()))
                SetTimeCell(entry.row, k, times[static_cast<std::size_t>(k - 1)]);
            else
                m_model->SetCell(entry.row, k, QString());
        }
    }
    FitColumnWidths();
    SetRedraw(true);
    GrowSortFlags();
}

platform::LResult CSeglistview::OnSegmentEditReplace(const platform::Message& m) {
    if (m.lParam == 0) {
        if (m_mode != kMapTimes)
            return 0;
        RefillLoggerTimes();
        return 1;
    }
    const auto* group = platform::BlockIn<orvelo::SegmentGroup>(m, m.wParam);
    if (!group)
        return 0;
    m_group = *group;
    // Segments past the pairs the group has could not be measured.
    m_mapSegments = std::clamp(m_group.segmentCount, 0, static_cast<int>(m_group.pairs.size()) + 1);
    m_group.segmentCount = m_mapSegments;
    m_mode = kMapTimes;
    AdjustSegmentColumns();
    SetRedraw(false);
    for (const LapRow& entry : LapRows()) {
        const std::vector<std::optional<std::int64_t>> times = segtimes::MapTimes(*entry.lap, m_group);
        for (int k = 1; k <= static_cast<int>(times.size()); ++k) {
            const std::optional<std::int64_t>& time = times[static_cast<std::size_t>(k - 1)];
            // Segments the lap's positions do not reach are cleared.
            if (time)
                SetTimeCell(entry.row, k, *time);
            else
                m_model->SetCell(entry.row, k, QString());
        }
    }
    FitColumnWidths();
    SetRedraw(true);
    GrowSortFlags();
    return 0;
}

// ----- sorting -----

bool CSeglistview::CompareRows(const seglist::Row& a, const seglist::Row& b, int column, bool ascending) {
    const QString left = a.texts[static_cast<std::size_t>(column)].trimmed();
    const QString right = b.texts[static_cast<std::size_t>(column)].trimmed();
    const std::int64_t x = column == 0 ? left.toLongLong() : ParseLapTimeText(left);
    const std::int64_t y = column == 0 ? right.toLongLong() : ParseLapTimeText(right);
    return ascending ? x < y : y < x;
}

void CSeglistview::OnColumnClick(int column) {
    setFocus(Qt::MouseFocusReason);
    if (column < 0 || column >= m_model->ColumnCount() - kTrailingColumns)
        return;
    NumberRows();
    GrowSortFlags();
    const bool ascending = m_sortFlags[static_cast<std::size_t>(column)] != 0;
    m_model->SortRows([column, ascending](const seglist::Row& x, const seglist::Row& y) {
        return CompareRows(x, y, column, ascending);
    });
    m_sortFlags[static_cast<std::size_t>(column)] = ascending ? 0 : 1;
}

// ----- context menu -----

void CSeglistview::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) {
        QTreeView::contextMenuEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    QMenu menu(this);
    QAction* logger = menu.addAction(QStringLiteral("Varnek Segment time"));
    QAction* map = menu.addAction(QStringLiteral("Map Segment info"));
    logger->setCheckable(true);
    map->setCheckable(true);
    logger->setChecked(m_mode == kLoggerTimes);
    map->setChecked(m_mode == kMapTimes);
    QAction* chosen = platform::RunPopupMenu(menu, event->globalPos());
    if (chosen == logger)
        OnMenuCommand(kCmdLoggerTimes);
    else if (chosen == map)
        OnMenuCommand(kCmdMapSegmentInfo);
}

void CSeglistview::OnMenuCommand(int id) {
    if (id == kCmdLoggerTimes) {
        m_mode = kLoggerTimes;
        RefillLoggerTimes();
    } else if (id == kCmdMapSegmentInfo) {
        // The main frame posts the shown course's group back, or warns that there is none.
        if (platform::SendMessage(m_mainFrame, platform::UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO, 0, 0) != 0)
            m_mode = kMapTimes;
    }
}
