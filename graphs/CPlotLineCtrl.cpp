#include "graphs/CPlotLineCtrl.h"

#include "platform/GdiDraw.h"

#include <QPainter>

#include <algorithm>

void CPlotLineCtrl::SetCursorColors(platform::ColorRef vertical, platform::ColorRef horizontal) {
    m_verticalColor = vertical;
    m_horizontalColor = horizontal;
    if (m_cursorState == kCursorShown)
        InvalidateCross(m_cursor);
}

void CPlotLineCtrl::Resize(int width, int height) {
    m_width = width;
    m_height = height;
    m_cursor = QPoint();
    m_cursorState = kCursorHidden;
}

void CPlotLineCtrl::InvalidateCross(const QPoint& point) const {
    if (!m_invalidate)
        return;
    m_invalidate(QRect(point.x(), 0, kCursorLineWidth, m_height));
    m_invalidate(QRect(0, point.y(), m_width, kCursorLineHeight));
}

int CPlotLineCtrl::MoveCursor(const QPoint& point) {
    const QPoint hidden;
    if (point == hidden && m_cursor == hidden)
        return 1;
    if (point == hidden) {
        if (m_cursorState == kCursorShown)
            InvalidateCross(m_cursor);
        m_previousCursor = m_cursor;
        m_cursor = hidden;
        m_cursorState = kCursorHidden;
        return 0;
    }
    if (m_cursor == hidden) {
        if (point.x() < 1)
            return 1;
        m_cursor = point;
        m_cursorState = kCursorShown;
        InvalidateCross(point);
        return 0;
    }
    if (point == m_cursor)
        return 0;
    InvalidateCross(m_cursor);
    m_previousCursor = m_cursor;
    m_cursor = point;
    InvalidateCross(point);
    return 0;
}

void CPlotLineCtrl::PaintCursor(QPainter& painter, const QRect& within) const {
    if (m_cursorState != kCursorShown)
        return;
    const QRect vertical = QRect(m_cursor.x(), 0, kCursorLineWidth, m_height) & within;
    const QRect horizontal = QRect(0, m_cursor.y(), m_width, kCursorLineHeight) & within;
    if (!vertical.isEmpty())
        painter.fillRect(vertical, platform::ToQColor(m_verticalColor));
    if (!horizontal.isEmpty())
        painter.fillRect(horizontal, platform::ToQColor(m_horizontalColor));
}

void CPlotLineCtrl::DrawLapMarkLine(const LapMarkDescriptor& mark) const {
    if (!mark.target)
        return;
    mark.target->setPen(mark.pen);
    platform::GdiLine(*mark.target, mark.lastX, mark.topY, mark.lastX, mark.bottomY);
}

void CPlotLineCtrl::DrawLapMarkLabel(const LapMarkDescriptor& mark) const {
    if (!mark.target)
        return;
    const QRect box(mark.firstX + 2, mark.topY + 2, mark.lastX - mark.firstX - 2, 16);
    mark.target->setFont(mark.font);
    mark.target->setPen(platform::ToQColor(mark.textColor));
    mark.target->drawText(box, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                          QString::number(mark.lapNumber));
}

int CPlotLineCtrl::FindSampleAt(platform::GraphPoint& out, int x, int previousX, const GraphTrace& trace) {
    if (trace.Empty()) {
        out = platform::GraphPoint{};
        m_cachedPosition = -1;
        return 1;
    }
    if (x < 1) {
        m_cachedPosition = 0;
        trace.FillPoint(0, out);
        return 0;
    }
    int found = trace.FirstAtOrRightOf(x);
    if (found == trace.Size()) {
        m_cachedPosition = found - 1;
        trace.FillPoint(m_cachedPosition, out);
        return 1;
    }
    if (trace.At(found).x != x && x <= previousX)
        found = std::max(trace.LastValidBefore(found), 0);
    m_cachedPosition = found;
    trace.FillPoint(found, out);
    return 0;
}

void CPlotLineCtrl::StepBack() {
    if (m_cachedPosition > 0)
        --m_cachedPosition;
}
