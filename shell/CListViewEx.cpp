#include "shell/CListViewEx.h"

#include "shell/LapListDelegate.h"
#include "shell/LapListModel.h"
#include "settings/SegmentListFeed.h"

#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <QHeaderView>
#include <QResizeEvent>
#include <QStyle>

#include <algorithm>
#include <cstring>

namespace {

laplist::Row MakeRow(const orvelo::Lap& lap, int file, std::int32_t itemData) {
    laplist::Row row;
    row.lapNumber = lap.lapNumber;
    row.lapTime = lap.lapTime;
    std::memcpy(row.lapTimeText, lap.lapTimeText, sizeof row.lapTimeText);
    row.distance = lap.distance;
    std::copy(lap.channelExtremes, lap.channelExtremes + 8, row.extremes);
    row.average = lap.average;
    row.g = lap.signedValuePeaksScaled[1];
    row.file = file;
    row.itemData = itemData;
    return row;
}

}  // namespace

CListViewEx::CListViewEx(orvelo::LapDataCore& core, platform::WindowHandle mainWindow, platform::WindowHandle pane,
                         QWidget* parent)
    : QTreeView(parent),
      m_core(core),
      m_window(this),
      m_mainWindow(mainWindow),
      m_pane(pane),
      m_model(new LapListModel(this)),
      m_delegate(new LapListDelegate(core, *m_model, [this] { return m_currentLapText; }, this)),
      m_grouping(*m_model) {
    setObjectName(QStringLiteral("LapListView"));
    setModel(m_model);
    setItemDelegate(m_delegate);
    setRootIsDecorated(false);
    setIndentation(0);
    setUniformRowHeights(true);
    // The row's focus is drawn here, dotted around the whole row, not by the style.
    setAllColumnsShowFocus(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setExpandsOnDoubleClick(false);
    setItemsExpandable(true);
    header()->setSectionsMovable(true);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header(), &QHeaderView::sectionClicked, this, [this](int column) { OnColumnClick(column); });
    connect(header(), &QHeaderView::customContextMenuRequested, this,
            [this](const QPoint& pos) { OnHeaderRightClick(pos); });
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { ShowAllGroups(); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, viewport(), qOverload<>(&QWidget::update));
    MapMessages();
}

CListViewEx::~CListViewEx() { m_window.Destroy(); }

void CListViewEx::MapMessages() {
    m_window.On(platform::UM_LAP_LIST_REVIEW, [this](const platform::Message&) {
        m_rowCount = 0;
        FullRefill();
        return platform::LResult{0};
    });
    m_window.On(kCmdGroupByFile, [this](const platform::Message&) {
        GroupBy(LapListGrouping::kByFile);
        return platform::LResult{0};
    });
    m_window.On(kCmdGroupByFolder, [this](const platform::Message&) {
        GroupBy(LapListGrouping::kByFolder);
        return platform::LResult{0};
    });
    m_window.On(kCmdResetOverLap, [this](const platform::Message&) {
        ResetOverLap();
        return platform::LResult{0};
    });
}

void CListViewEx::SetSegmentList(SegmentListFeed* feed) {
    m_segmentList = feed;
    m_grouping.SetFeed(feed);
}

void CListViewEx::OnInitialUpdate(const LapColorAccess& colors) {
    m_listFont = QFont(QStringLiteral("Microsoft Sans Serif"), 10);
    m_listFont.setStyleHint(QFont::SansSerif);
    setFont(m_listFont);
    // A cell 16 pixels high, as a font asked for by height is.
    m_boldFont = m_listFont;
    m_boldFont.setPixelSize(platform::GdiFont(m_listFont.family(), 16, 600).pixelSize());
    m_boldFont.setWeight(QFont::DemiBold);
    m_delegate->SetFonts(m_listFont, m_boldFont);
    m_sortFlags.fill(0);
    for (int c = 0; c < laplist::kColumnCount; ++c) {
        const int titleChars = static_cast<int>(std::strlen(laplist::Columns()[static_cast<std::size_t>(c)].title));
        setColumnWidth(c, c == 0 || c == laplist::kPathColumn ? 60 : (titleChars + 2) * m_charWidth);
    }
    // Either call recolours the compared laps itself.
    orvelo::LapColorArray table{};
    if ((!colors.setting || colors.setting(0, table) != 0) && colors.builtIn)
        table = colors.builtIn();
    SetLapColors(table);
}

void CListViewEx::SetLapColors(const orvelo::LapColorArray& colors) {
    m_lapColors = colors;
    viewport()->update();
}

void CListViewEx::ClearEverything() {
    m_model->RemoveAllRows();
    if (m_segmentList)
        m_segmentList->RemoveAllRows();
}

void CListViewEx::Fill() {
    if (m_core.LogFiles.empty()) {
        m_grouping.RemoveAll();
        m_groupingMode = 0;
        ClearEverything();
        m_rowCount = 0;
        return;
    }
    setUpdatesEnabled(false);
    m_model->BeginUpdate();
    if (m_segmentList)
        m_segmentList->SetRedraw(false);
    // From nothing (after files were closed too) every loaded file is listed again, not only
    // those read since the last fill.
    const bool fromNothing = m_rowCount == 0;
    if (fromNothing) {
        m_model->RemoveAllGroups();
        m_grouping.ClearEntries();
        ClearEverything();
    } else {
        m_rowCount = m_model->RowCount();
    }
    if (m_segmentList)
        m_segmentList->ResetList();
    std::vector<const orvelo::LogFile*> listed;
    for (orvelo::LogFile& file : m_core.LogFiles) {
        if ((!fromNothing && file.loadState == 1) || FailedToLoad(file))
            continue;
        listed.push_back(&file);
        file.loadState = 1;
    }
    InsertFileRows(listed);
    if (m_segmentList)
        m_segmentList->InsertLapRows(listed);
    for (const orvelo::LogFile* file : listed)
        m_grouping.PlaceFile(*file, m_groupingMode);
    m_rowCount = m_model->RowCount();
    m_model->EndUpdate();
    SetColumnWidths();
    setUpdatesEnabled(true);
    if (m_segmentList) {
        m_segmentList->DeleteExtraColumns();
        m_segmentList->GrowSortFlags();
        m_segmentList->SetRedraw(true);
    }
    viewport()->update();
}

bool CListViewEx::FailedToLoad(const orvelo::LogFile& file) const {
    // What is left of a file that failed to read waits to be discarded; it is never listed.
    const auto& entries = m_core.ReadLogFileList;
    return std::any_of(entries.begin(), entries.end(), [&file](const orvelo::FileListEntry& e) {
        return e.fullPath == file.fullPath && !e.loadedFlag;
    });
}

void CListViewEx::InsertFileRows(const std::vector<const orvelo::LogFile*>& files) {
    std::size_t laps = 0;
    for (const orvelo::LogFile* file : files)
        laps += file->laps.size();
    std::vector<laplist::Row> rows;
    rows.reserve(laps);
    // Each row's item data is the row count when it came, as if the rows came one at a time.
    std::int32_t itemData = m_model->RowCount();
    for (const orvelo::LogFile* file : files) {
        const int names = m_model->AddFile(QString::fromStdU16String(file->title), QString::fromStdU16String(file->fullPath));
        for (const orvelo::Lap& lap : file->laps)
            rows.push_back(MakeRow(lap, names, itemData++));
    }
    m_model->InsertRows(std::move(rows));
}

void CListViewEx::FullRefill() {
    if (m_core.LogFiles.empty()) {
        m_rowCount = 0;
        m_model->RemoveAllRows();
        return;
    }
    setUpdatesEnabled(false);
    m_model->BeginUpdate();
    m_model->RemoveAllRows();
    std::vector<const orvelo::LogFile*> shown;
    for (const orvelo::LogFile& file : m_core.LogFiles) {
        if (file.loadState != 0 && !FailedToLoad(file))
            shown.push_back(&file);
    }
    InsertFileRows(shown);
    // Rows that joined no group would stand apart from the groups: they go back into theirs.
    for (const orvelo::LogFile& file : m_core.LogFiles) {
        if (file.loadState != 0 && !FailedToLoad(file))
            m_grouping.PlaceFile(file, m_groupingMode, false);
    }
    m_rowCount = m_model->RowCount();
    m_model->EndUpdate();
    SetColumnWidths();
    resizeColumnToContents(laplist::kPathColumn);
    setUpdatesEnabled(true);
    viewport()->update();
}

// The same widths after every fill, whatever the rows hold; the rows' order is the lap numbers'
// again, so no sort is shown.
void CListViewEx::SetColumnWidths() {
    const QFontMetrics metrics(header()->font());
    const int margins = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header()) +
                        style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, header());
    for (int c = 0; c < laplist::kColumnCount; ++c)
        setColumnWidth(c, metrics.horizontalAdvance(QLatin1String(laplist::Columns()[static_cast<std::size_t>(c)].title)) +
                              margins);
    setColumnWidth(laplist::kLapNumberColumn, 60 + (m_shownGrouped ? kGroupIndent : 0));
    setColumnWidth(laplist::kTimeColumn, 70);
    setColumnWidth(laplist::kDistanceColumn, 62);
    setColumnWidth(laplist::kPathColumn, 50);
    m_sortColumn = -1;
    header()->setSortIndicatorShown(false);
}

void CListViewEx::ShowAllGroups() {
    const bool grouped = m_model->GroupView();
    if (grouped != m_shownGrouped) {
        // The group's indentation comes out of the first column; it widens to keep the lap numbers.
        m_shownGrouped = grouped;
        setRootIsDecorated(grouped);
        setIndentation(grouped ? kGroupIndent : 0);
        setColumnWidth(laplist::kLapNumberColumn, columnWidth(laplist::kLapNumberColumn) + (grouped ? kGroupIndent : -kGroupIndent));
    }
    m_model->ShowGroupRows(*this);
}

void CListViewEx::UpdateCurrentLapBlock(platform::WParam wParam, const platform::MapInfoBlock* block) {
    if (block) {
        const std::u16string path = block->Path();
        ZeroCurrentLapBlock();
        platform::MapInfoBlock::Put(m_currentLap.path.data(), m_currentLap.path.size(), path);
    } else if (wParam != 0) {
        ZeroCurrentLapBlock();
    }
    viewport()->update();
}

void CListViewEx::ZeroCurrentLapBlock() {
    m_currentLap = platform::MapInfoBlock{};
    m_currentLapText.clear();
    viewport()->update();
}

void CListViewEx::GroupBy(int mode) {
    if (m_grouping.GroupAll(m_core.LogFiles, mode))
        m_groupingMode = mode;
    viewport()->update();
}

void CListViewEx::DisableGrouping() {
    m_grouping.RemoveAll();
    m_groupingMode = 0;
}

void CListViewEx::ResetOverLap() {
    if (m_core.LogFiles.empty())
        return;
    orvelo::ClearLapSelection(m_core);
    viewport()->update();
    PostRedrawLapGraph();
}

void CListViewEx::PostRedrawLapGraph() {
    platform::PostMessage(m_mainWindow, platform::UM_REDRAW_LAP_GRAPH, 0, static_cast<platform::LParam>(Handle()));
}

std::u16string CListViewEx::LapNumberOf(int row) const {
    return m_model->Text(row, laplist::kLapNumberColumn).left(7).toStdU16String();
}

std::u16string CListViewEx::PathOf(int row) const {
    return m_model->Path(row).toStdU16String();
}

void CListViewEx::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    m_clientWidth = event->size().width();
}

void CListViewEx::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QTreeView::drawRow(painter, option, index);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid() || current.row() != index.row() || current.parent() != index.parent())
        return;
    const int left = -header()->offset();
    platform::GdiFocusRect(*painter, left, option.rect.top(), left + header()->length(), option.rect.bottom() + 1);
}

void CListViewEx::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    viewport()->update();
}

void CListViewEx::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    viewport()->update();
}
