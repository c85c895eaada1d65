#include "shell/CListViewLogTime.h"

#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "core/PathSplit.h"
#include "platform/ColorRef.h"
#include "platform/GdiDraw.h"
#include "platform/SystemColors.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace {
constexpr int kLapColumn = 0;
constexpr int kTimeColumn = 1;
constexpr int kPathColumn = 3;
constexpr int kComparedRowRole = Qt::UserRole;

// The compared laps that get a row: active slots whose lap is still loaded.
template <class Visit>
void ForEachRowLap(const orvelo::LapDataCore& core, Visit&& visit) {
    for (const orvelo::SelectedLap& slot : core.SelectedLaps) {
        if (slot.activeFlag == 0)
            continue;
        if (const orvelo::Lap* lap = core.ResolveLap(slot.lap))
            visit(slot, *lap);
    }
}

// Laps of different files may share a number: the record's row among the compared laps decides.
bool IsRowOf(const QTreeWidgetItem& item, const platform::GraphPoint& record) {
    return item.data(kLapColumn, kComparedRowRole).toInt() == record.words[6] &&
           item.text(kLapColumn) == QString::number(record.words[11]);
}

// A row whose lap number takes its lap's slot colour whenever it is painted: the lap colours can
// change while the compared laps stay.
class LapRowItem : public QTreeWidgetItem {
public:
    LapRowItem(const orvelo::LapDataCore& core, QTreeWidget* list, const QStringList& texts)
        : QTreeWidgetItem(list, texts), m_core(core) {}

    QVariant data(int column, int role) const override {
        if (column != kLapColumn || role != Qt::ForegroundRole)
            return QTreeWidgetItem::data(column, role);
        orvelo::COLORREF colour = 0;
        orvelo::FindSelectedLap(m_core, text(kLapColumn).toStdU16String(), text(kPathColumn).toStdU16String(), colour);
        return QBrush(platform::ToQColor(colour));
    }

private:
    const orvelo::LapDataCore& m_core;
};
}  // namespace

CListViewLogTime::CListViewLogTime(orvelo::LapDataCore& core, std::function<ShownCursor()> shownCursor, QWidget* parent)
    : QTreeWidget(parent), m_core(core), m_shownCursor(std::move(shownCursor)) {
    setRootIsDecorated(false);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setUniformRowHeights(true);
    setFrameShape(QFrame::NoFrame);
    header()->setSectionsClickable(true);
    connect(header(), &QHeaderView::sectionClicked, this, &CListViewLogTime::OnColumnClick);
}

void CListViewLogTime::OnInitialUpdate() {
    const QFont font = platform::GdiFont(m_faceName, 16);
    setFont(font);
    m_rowHeight = std::max(kRowHeight, QFontMetrics(font).height());
    setHeaderLabels({QStringLiteral("L "), QStringLiteral("Log.Time"), QStringLiteral("File name"),
                     QStringLiteral("Path")});
    const int widths[] = {60, 90, 100, 20};
    for (int column = 0; column < 4; ++column)
        setColumnWidth(column, widths[column]);
    headerItem()->setTextAlignment(kTimeColumn, Qt::AlignCenter);
    header()->setSortIndicatorShown(false);
    QPalette colors = palette();
    colors.setColor(QPalette::Text, platform::ToQColor(platform::SystemColor(platform::kColorWindowText)));
    setPalette(colors);
    FillRows();
}

int CListViewLogTime::CountRows(const orvelo::LapDataCore& core) {
    int rows = 0;
    ForEachRowLap(core, [&](const orvelo::SelectedLap&, const orvelo::Lap&) { ++rows; });
    return rows;
}

int CListViewLogTime::FillRows() {
    setUpdatesEnabled(false);
    clear();
    const QBrush background(platform::ToQColor(kRowBackground));
    ForEachRowLap(m_core, [&](const orvelo::SelectedLap& slot, const orvelo::Lap& lap) {
        const QString number = QString::number(slot.lapNumber);
        const QString path = QString::fromStdU16String(slot.fullPath);
        const auto name = std::u16string_view(slot.fullPath).substr(orvelo::FindFileNamePart(slot.fullPath));
        // A lap without position records has no sample, so no time of day will ever come for it.
        const QString clock = lap.positions.empty() ? QString() : QStringLiteral("00:00:00");
        auto* item =
            new LapRowItem(m_core, this, {number, clock, QString::fromStdU16String(std::u16string(name)), path});
        item->setTextAlignment(kTimeColumn, Qt::AlignCenter);
        // The row among the compared laps, as the graph panes count them: a sort moves the item.
        item->setData(kLapColumn, kComparedRowRole, topLevelItemCount() - 1);
        for (int column = 0; column < columnCount(); ++column) {
            item->setBackground(column, background);
            item->setSizeHint(column, QSize(columnWidth(column), m_rowHeight));
        }
    });
    m_rows = topLevelItemCount();
    m_timesOf = platform::kNoWindow;
    setUpdatesEnabled(true);
    return m_rows;
}

// The columns are wider than the list, so its scroll bar is part of the height.
int CListViewLogTime::ListHeight() const {
    return m_rowHeight * std::max(kMinimumRows, m_rows) + header()->sizeHint().height() +
           horizontalScrollBar()->sizeHint().height();
}

QString CListViewLogTime::ClockText(std::int32_t hhmmss) {
    if (hhmmss < 0 || hhmmss > 999999)
        return {};
    const QString digits = QString::asprintf("%06d", hhmmss);
    return digits.mid(0, 2) + u':' + digits.mid(2, 2) + u':' + digits.mid(4, 2);
}

void CListViewLogTime::UpdateClockTime(const platform::GraphPoint& record) {
    const QString clock = ClockText(record.words[14]);
    if (clock.isEmpty())
        return;
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = topLevelItem(row);
        if (IsRowOf(*item, record)) {
            if (item->text(kTimeColumn) != clock)
                item->setText(kTimeColumn, clock);  // the item repaints its row
            m_timesOf = m_shownCursor ? m_shownCursor().owner : platform::kNoWindow;
            return;
        }
    }
}

// A cursor dropped since the times came leaves the rows as they are before any cursor; a lap
// without a point under the cursor shown has no time either.
void CListViewLogTime::paintEvent(QPaintEvent* event) {
    if (m_timesOf != platform::kNoWindow) {
        const ShownCursor shown = m_shownCursor ? m_shownCursor() : ShownCursor{};
        if (shown.owner != m_timesOf)
            m_timesOf = platform::kNoWindow;
        ClearTimes(m_timesOf != platform::kNoWindow ? shown.records : nullptr);
    }
    QTreeWidget::paintEvent(event);
}

void CListViewLogTime::ClearTimes(const std::vector<platform::GraphPoint>* kept) {
    for (int row = 0; row < topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = topLevelItem(row);
        if (item->text(kTimeColumn).isEmpty() || item->text(kTimeColumn) == QStringLiteral("00:00:00"))
            continue;
        if (kept && std::any_of(kept->begin(), kept->end(),
                                [item](const platform::GraphPoint& record) { return IsRowOf(*item, record); }))
            continue;
        item->setText(kTimeColumn, QStringLiteral("00:00:00"));
    }
}

void CListViewLogTime::OnColumnClick(int column) {
    setFocus();
    const Qt::SortOrder order = m_sortAscending ? Qt::AscendingOrder : Qt::DescendingOrder;
    header()->setSortIndicatorShown(true);
    header()->setSortIndicator(column, order);
    sortItems(column, order);
    m_sortAscending = !m_sortAscending;
}
