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
constexpr int kCharWidth = 9;
// "File name" and "Path" follow the segment columns.
constexpr int kTrailingColumns = 2;

int Digits(int number) {
    int digits = 1;
    for (; number >= 10; number /= 10)
        ++digits;
    return digits;
}
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
    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, [this] { RememberColumnWidths(); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_model->ShowGroupRows(*this);
        // Rows taken away leave the widths as they were; the header keeps them only by position.
        LayOutColumnWidths(m_fitted && m_model->RowCount() == 0);
    });
    m_window.On(platform::UM_SEGMENT_EDIT_REPLACE, [this](const platform::Message& m) { return OnSegmentEditReplace(m); });
    // Another course shown on the map comes with its group (the record, 1) or none (0, 0): the map's
    // times follow it; the logger's times do not depend on the course.
    m_window.On(platform::UM_VIEW_READ_MAP_FILE, [this](const platform::Message& m) {
        return m_mode == kMapTimes ? OnSegmentEditReplace(m) : platform::LResult{0};
    });
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

QString CSeglistview::SegmentTitle(int segment) { return seglist::SegmentTitle(segment); }

int CSeglistview::SegmentColumnCount() const { return m_model->SegmentCount(); }

void CSeglistview::InsertColumns() {
    m_model->MakeColumns(0);
    AdjustSegmentColumns();
}

void CSeglistview::AdjustSegmentColumns() {
    // Columns go and come at the end of the segment columns.
    m_model->SetSegmentCount(m_mode == kLoggerTimes ? m_loggerSegments : m_mapSegments);
}

void CSeglistview::FitColumnWidths() {
    m_fitted = true;
    LayOutColumnWidths(false);
}

void CSeglistview::LayOutColumnWidths(bool keep) {
    if (m_redrawOff) {
        m_fitPending = m_fitPending || !keep;
        return;
    }
    m_fitPending = false;
    // A header that draws asks for a resized section's position, which costs a walk over every
    // section after a resize: the header draws again once, after all of them.
    const bool headerUpdates = header()->updatesEnabled();
    header()->setUpdatesEnabled(false);
    if (keep)
        RestoreColumnWidths();
    else
        SetColumnWidths();
    header()->setUpdatesEnabled(headerUpdates);
    header()->viewport()->update();
    viewport()->update();
}

int CSeglistview::MadeWidth(int column, int segments) {
    // "Seg.%2d time": nine characters and the number's, two at least.
    const int titleLength = 9 + std::max(2, Digits(column));
    return column == 0 ? kLapColumnWidth : column > segments ? kTextColumnWidth : (titleLength + 2) * kCharWidth;
}

void CSeglistview::RememberColumnWidths() {
    m_keptSegments = m_model->SegmentCount();
    m_keptWidths.resize(static_cast<std::size_t>(std::min(m_model->ColumnCount(), header()->count())));
    for (std::size_t c = 0; c < m_keptWidths.size(); ++c)
        m_keptWidths[c] = columnWidth(static_cast<int>(c));
}

void CSeglistview::RestoreColumnWidths() {
    // Each column takes the width it had before; a segment column that is new, its made width.
    const int segments = m_model->SegmentCount();
    for (int c = 0; c < m_model->ColumnCount(); ++c) {
        const int before = c <= segments ? (c <= m_keptSegments ? c : -1) : c - segments + m_keptSegments;
        const bool known = before >= 0 && before < static_cast<int>(m_keptWidths.size());
        setColumnWidth(c, known ? m_keptWidths[static_cast<std::size_t>(before)] : MadeWidth(c, segments));
    }
}

std::vector<int> CSeglistview::LargestTimes() const {
    std::vector<int> largest(static_cast<std::size_t>(m_model->SegmentCount()), -1);
    for (int r = 0; r < m_model->RowCount(); ++r) {
        const QList<std::uint16_t>& times = m_model->Row(r).times;
        const int cells = std::min(static_cast<int>(largest.size()), static_cast<int>(times.size()));
        for (int k = 0; k < cells; ++k) {
            if (times[k] != seglist::kNoTime)
                largest[static_cast<std::size_t>(k)] = std::max(largest[static_cast<std::size_t>(k)], int(times[k]));
        }
    }
    return largest;
}

int CSeglistview::FileColumnWidth(int column) const {
    const bool paths = column == m_model->ColumnCount() - 1;
    std::vector<char> shown(static_cast<std::size_t>(m_model->FileCount()), 0);
    for (int r = 0; r < m_model->RowCount(); ++r) {
        const int file = m_model->Row(r).file;
        if (file >= 0 && file < m_model->FileCount())
            shown[static_cast<std::size_t>(file)] = 1;
    }
    const QFontMetrics metrics(m_listFont);
    int width = QFontMetrics(header()->font()).horizontalAdvance(m_model->Column(column).title);
    for (int f = 0; f < m_model->FileCount(); ++f) {
        if (shown[static_cast<std::size_t>(f)])
            width = std::max(width, metrics.horizontalAdvance(paths ? m_model->File(f).path : m_model->File(f).title));
    }
    return width + kCellPadding;
}

int CSeglistview::sizeHintForColumn(int column) const {
    // The width the column's texts need, as the list fits it; the delegate lays out no text.
    const int segments = m_model->SegmentCount();
    if (column < 0 || column >= m_model->ColumnCount())
        return -1;
    if (column > segments)
        return FileColumnWidth(column);
    const QFontMetrics metrics(m_listFont);
    int width = QFontMetrics(header()->font()).horizontalAdvance(m_model->Column(column).title);
    if (column == 0) {
        for (int r = 0; r < m_model->RowCount(); ++r)
            width = std::max(width, metrics.horizontalAdvance(m_model->Cell(r, 0)));
    } else if (const int time = LargestTimes()[static_cast<std::size_t>(column - 1)]; time >= 0) {
        width = std::max(width, metrics.horizontalAdvance(seglist::TimeText(static_cast<std::uint16_t>(time))));
    }
    return width + kCellPadding;
}

void CSeglistview::SetColumnWidths() {
    const int columns = m_model->ColumnCount();
    const int segments = m_model->SegmentCount();
    if (!m_fitted) {
        // Until the first fit the columns keep the widths they are made with.
        for (int c = 0; c < columns; ++c)
            setColumnWidth(c, MadeWidth(c, segments));
        return;
    }
    // Every column is as wide as its title and its widest text. A segment cell is a lap time
    // "m:ss.hh" below ten minutes, so the largest time in a column is its widest text.
    const std::vector<int> largest = LargestTimes();
    const QFontMetrics metrics(m_listFont);
    const QFontMetrics headerMetrics(header()->font());
    // Titles of as many digits, and the same time, are as wide as each other.
    QHash<int, int> titleWidths;
    QHash<int, int> timeWidths;
    for (int c = 1; c <= segments; ++c) {
        const int digits = Digits(c);
        auto title = titleWidths.constFind(digits);
        if (title == titleWidths.constEnd())
            title = titleWidths.insert(digits, headerMetrics.horizontalAdvance(m_model->Column(c).title));
        int width = title.value();
        const int time = largest[static_cast<std::size_t>(c - 1)];
        if (time >= 0) {
            auto text = timeWidths.constFind(time);
            if (text == timeWidths.constEnd())
                text = timeWidths.insert(time, metrics.horizontalAdvance(seglist::TimeText(static_cast<std::uint16_t>(time))));
            width = std::max(width, text.value());
        }
        setColumnWidth(c, width + kCellPadding);
    }
    if (columns == 0)
        return;
    setColumnWidth(0, kLapColumnWidth);
    setColumnWidth(segments + 1, FileColumnWidth(segments + 1));
    setColumnWidth(columns - 1, kLastColumnWidth);
}

// ----- what the lap list tells it -----

void CSeglistview::InsertLapRows(const std::vector<const orvelo::LogFile*>& files) {
    std::size_t laps = 0;
    for (const orvelo::LogFile* file : files)
        laps += file->laps.size();
    std::vector<seglist::Row> rows;
    rows.reserve(laps);
    for (const orvelo::LogFile* file : files) {
        const int names = m_model->AddFile(QString::fromStdU16String(file->title), QString::fromStdU16String(file->fullPath));
        // Each row shows its own lap's logger times, also beside another lap of its number.
        for (const orvelo::Lap& lap : file->laps) {
            const std::vector<std::int64_t> logged = segtimes::LoggerTimes(lap);
            QList<std::uint16_t> times;
            times.reserve(static_cast<qsizetype>(logged.size()));
            for (const std::int64_t time : logged)
                times.push_back(TimeCell(time));
            m_loggerSegments = std::max(m_loggerSegments, static_cast<int>(times.size()));
            rows.push_back({lap.lapNumber, names, std::move(times), 0, -1});
        }
    }
    // Each row inserted fits the widths: the reset that shows the rows does it once for all.
    m_fitted = m_fitted || !rows.empty();
    m_model->BeginUpdate();
    AdjustSegmentColumns();
    m_model->InsertRows(std::move(rows));
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
        m_model->SetSegmentCount(m_loggerSegments);
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
        LayOutColumnWidths(false);
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
    m_model->MoveRowsToGroup(id, [mode, &key](const seglist::FileNames& file) {
        const QString& path = file.path;
        // By file the full path is the key, so two files of one title stay apart.
        return mode == 1 ? path == key : QString::fromStdU16String(orvelo::GetFolderPart(path.toStdU16String())) == key;
    });
    return 1;
}

// ----- segment times -----

std::uint16_t CSeglistview::TimeCell(std::int64_t time) {
    return time >= 0 && time <= orvelo::kLongestLapTime ? static_cast<std::uint16_t>(time) : seglist::kNoTime;
}

void CSeglistview::SetTimeCell(int row, int segment, std::int64_t time) { m_model->SetTime(row, segment, TimeCell(time)); }

std::vector<CSeglistview::LapRow> CSeglistview::LapRows() const {
    // The first row (in list order) with the lap's number and its file's path shows the lap.
    // A path listed twice is the file listed first.
    QHash<QString, int> fileOfPath;
    for (int f = 0; f < m_model->FileCount(); ++f) {
        if (!fileOfPath.contains(m_model->File(f).path))
            fileOfPath.insert(m_model->File(f).path, f);
    }
    std::vector<int> sameFile(static_cast<std::size_t>(m_model->FileCount()));
    for (int f = 0; f < m_model->FileCount(); ++f)
        sameFile[static_cast<std::size_t>(f)] = fileOfPath.value(m_model->File(f).path);
    const auto key = [](int file, std::uint32_t lapNumber) { return (quint64(std::uint32_t(file)) << 32) | lapNumber; };
    QHash<quint64, int> firstRow;
    for (int r = m_model->RowCount() - 1; r >= 0; --r) {
        const seglist::Row& row = m_model->Row(r);
        if (row.file >= 0 && row.file < m_model->FileCount())
            firstRow.insert(key(sameFile[static_cast<std::size_t>(row.file)], row.lapNumber), r);
    }
    std::vector<LapRow> found;
    for (const orvelo::LogFile& file : m_core.LogFiles) {
        const auto listed = fileOfPath.constFind(QString::fromStdU16String(file.fullPath));
        if (listed == fileOfPath.constEnd())
            continue;
        for (const orvelo::Lap& lap : file.laps) {
            const auto it = firstRow.constFind(key(listed.value(), lap.lapNumber));
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
                m_model->SetTime(entry.row, k, seglist::kNoTime);
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
                m_model->SetTime(entry.row, k, seglist::kNoTime);
        }
    }
    FitColumnWidths();
    SetRedraw(true);
    GrowSortFlags();
    return 0;
}

// ----- sorting -----

void CSeglistview::OnColumnClick(int column) {
    setFocus(Qt::MouseFocusReason);
    if (column < 0 || column >= m_model->ColumnCount() - kTrailingColumns)
        return;
    NumberRows();
    GrowSortFlags();
    const bool ascending = m_sortFlags[static_cast<std::size_t>(column)] != 0;
    // Lap numbers as whole numbers, segment times as hundredths read back from their texts.
    const int rows = m_model->RowCount();
    std::vector<std::int64_t> keys(static_cast<std::size_t>(rows));
    std::vector<int> order(static_cast<std::size_t>(rows));
    QHash<std::uint16_t, std::int64_t> timeKeys;
    for (int r = 0; r < rows; ++r) {
        order[static_cast<std::size_t>(r)] = r;
        if (column == 0) {
            keys[static_cast<std::size_t>(r)] = m_model->Row(r).lapNumber;
            continue;
        }
        const std::uint16_t time = m_model->Time(r, column);
        auto known = timeKeys.constFind(time);
        if (known == timeKeys.constEnd())
            known = timeKeys.insert(time, ParseLapTimeText(seglist::TimeText(time).trimmed()));
        keys[static_cast<std::size_t>(r)] = known.value();
    }
    std::stable_sort(order.begin(), order.end(), [&keys, ascending](int a, int b) {
        const std::int64_t x = keys[static_cast<std::size_t>(a)];
        const std::int64_t y = keys[static_cast<std::size_t>(b)];
        return ascending ? x < y : y < x;
    });
    m_model->ReorderRows(order);
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
