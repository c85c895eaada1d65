#include "platform/StaticSplitter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>

#include <algorithm>

namespace platform {

StaticSplitter::StaticSplitter(int rows, int columns, QWidget* parent)
    : QWidget(parent),
      m_rows(static_cast<std::size_t>(std::max(1, rows))),
      m_columns(static_cast<std::size_t>(std::max(1, columns))),
      m_panes(m_rows.size() * m_columns.size(), nullptr) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
}

void StaticSplitter::SetGaps(int rowGap, int columnGap) {
    m_rowGap = std::max(0, rowGap);
    m_columnGap = std::max(0, columnGap);
    RecalcLayout();
}

void StaticSplitter::SetPane(int row, int column, QWidget* pane) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return;
    m_panes[static_cast<std::size_t>(row * ColumnCount() + column)] = pane;
    if (pane) {
        pane->setParent(this);
        pane->show();
    }
    RecalcLayout();
}

QWidget* StaticSplitter::Pane(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount())
        return nullptr;
    return m_panes[static_cast<std::size_t>(row * ColumnCount() + column)];
}

void StaticSplitter::SetRowInfo(int row, int ideal, int min) {
    if (row >= 0 && row < RowCount()) {
        m_rows[static_cast<std::size_t>(row)].ideal = ideal;
        m_rows[static_cast<std::size_t>(row)].min = min;
    }
}

void StaticSplitter::SetColumnInfo(int column, int ideal, int min) {
    if (column >= 0 && column < ColumnCount()) {
        m_columns[static_cast<std::size_t>(column)].ideal = ideal;
        m_columns[static_cast<std::size_t>(column)].min = min;
    }
}

std::vector<int> StaticSplitter::LayoutSizes(const std::vector<Info>& infos, int total, int gap) {
    const int count = static_cast<int>(infos.size());
    std::vector<int> sizes(infos.size(), 0);
    int remaining = std::max(0, total);
    int lastShown = -1;
    for (int i = 0; i < count && remaining > 0; ++i) {
        const Info& info = infos[static_cast<std::size_t>(i)];
        const bool last = i == count - 1;
        if (lastShown >= 0 && remaining < info.min) {
            // Too little left for this one: the row above takes it, with the gap before it.
            sizes[static_cast<std::size_t>(lastShown)] += remaining + gap;
            break;
        }
        const int wanted = last ? remaining : (info.ideal < info.min ? 0 : info.ideal);
        const int size = std::min(std::max(0, wanted), remaining);
        sizes[static_cast<std::size_t>(i)] = size;
        remaining -= size;
        if (size > 0)
            lastShown = i;
        if (last)
            break;
        if (remaining > gap) {
            remaining -= gap;
        } else {
            sizes[static_cast<std::size_t>(i)] += remaining;
            remaining = 0;
        }
    }
    return sizes;
}

void StaticSplitter::RecalcLayout() {
    const std::vector<int> heights = LayoutSizes(m_rows, height(), m_rowGap);
    const std::vector<int> widths = LayoutSizes(m_columns, width(), m_columnGap);
    int y = 0;
    for (int r = 0; r < RowCount(); ++r) {
        m_rows[static_cast<std::size_t>(r)].current = heights[static_cast<std::size_t>(r)];
        int x = 0;
        for (int c = 0; c < ColumnCount(); ++c) {
            m_columns[static_cast<std::size_t>(c)].current = widths[static_cast<std::size_t>(c)];
            if (QWidget* pane = Pane(r, c))
                pane->setGeometry(x, y, widths[static_cast<std::size_t>(c)], heights[static_cast<std::size_t>(r)]);
            x += widths[static_cast<std::size_t>(c)] + m_columnGap;
        }
        y += heights[static_cast<std::size_t>(r)] + m_rowGap;
    }
}

int StaticSplitter::RowTop(int row) const {
    int y = 0;
    for (int r = 0; r < row; ++r)
        y += m_rows[static_cast<std::size_t>(r)].current + m_rowGap;
    return y;
}

int StaticSplitter::RowBarAt(int y) const {
    for (int bar = 0; bar + 1 < RowCount(); ++bar) {
        const int top = RowTop(bar) + m_rows[static_cast<std::size_t>(bar)].current;
        if (y >= top && y < top + m_rowGap)
            return bar;
    }
    return -1;
}

void StaticSplitter::StartTracking(int bar) {
    if (bar < 0 || bar + 1 >= RowCount())
        return;
    m_trackedBar = bar;
    m_trackY = RowTop(bar) + m_rows[static_cast<std::size_t>(bar)].current;
    ShowTracker();
}

void StaticSplitter::TrackTo(int y) {
    if (!Tracking())
        return;
    m_trackY = std::clamp(y, RowTop(m_trackedBar), std::max(RowTop(m_trackedBar), height() - m_rowGap));
    ShowTracker();
}

void StaticSplitter::StopTracking(bool accepted) {
    if (!Tracking())
        return;
    const int bar = m_trackedBar;
    m_trackedBar = -1;
    if (m_tracker)
        m_tracker->hide();
    if (!accepted)
        return;
    m_rows[static_cast<std::size_t>(bar)].ideal = m_trackY - RowTop(bar);
    RecalcLayout();
    if (m_stopTrackingHook)
        m_stopTrackingHook();
}

void StaticSplitter::ShowTracker() {
    if (!m_tracker)
        m_tracker = new QRubberBand(QRubberBand::Line, this);
    m_tracker->setGeometry(0, m_trackY, width(), std::max(1, m_rowGap));
    m_tracker->show();
    m_tracker->raise();
}

void StaticSplitter::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    RecalcLayout();
}

void StaticSplitter::mousePressEvent(QMouseEvent* event) {
    const int bar = event->button() == Qt::LeftButton ? RowBarAt(event->position().toPoint().y()) : -1;
    if (bar < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    StartTracking(bar);
}

void StaticSplitter::mouseMoveEvent(QMouseEvent* event) {
    const int y = event->position().toPoint().y();
    if (Tracking())
        TrackTo(y);
    else
        setCursor(RowBarAt(y) >= 0 ? Qt::SplitVCursor : Qt::ArrowCursor);
}

void StaticSplitter::mouseReleaseEvent(QMouseEvent* event) {
    if (Tracking() && event->button() == Qt::LeftButton) {
        TrackTo(event->position().toPoint().y());
        StopTracking(true);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void StaticSplitter::keyPressEvent(QKeyEvent* event) {
    if (Tracking() && event->key() == Qt::Key_Escape) {
        StopTracking(false);
        return;
    }
    QWidget::keyPressEvent(event);
}

void StaticSplitter::focusOutEvent(QFocusEvent* event) {
    StopTracking(false);
    QWidget::focusOutEvent(event);
}

}  // namespace platform
