// The plot renderer each graph pane owns: the pane's cross-hair cursor (a
// vertical and a horizontal line drawn over the cached plot, repainting only
// the 1-pixel column and row it leaves and enters), one segment of a lap
// trace, the lap marks of the file overview, and the cursor lookup that finds
// a lap's point under an x.
#pragma once

#include "graphs/GraphTrace.h"

#include "platform/ColorRef.h"
#include "platform/GdiDraw.h"
#include "platform/MessageRecords.h"

#include <QFont>
#include <QPen>
#include <QPoint>
#include <QRect>

#include <algorithm>
#include <functional>

class QPainter;

// One lap of the file overview: where its number and its end line go.
struct LapMarkDescriptor {
    int lapNumber = 0;
    QPainter* target = nullptr;
    QPen pen;
    QFont font;
    platform::ColorRef textColor = 0;
    int topY = 0;
    int bottomY = 0;
    int firstX = 0; // x of the lap's first point
    int lastX = 0;  // x of the lap's last point
};

class CPlotLineCtrl {
public:
    static constexpr int kCursorHidden = 0;
    static constexpr int kCursorShown = 4;
    static constexpr int kCursorLineWidth = 1;  // of the vertical line
    static constexpr int kCursorLineHeight = 1; // of the horizontal line

    // How the pane repaints a rectangle of its client area (from its cached plot).
    using Invalidate = std::function<void(const QRect&)>;
    void SetInvalidate(Invalidate invalidate) { m_invalidate = std::move(invalidate); }

    void SetCursorColors(platform::ColorRef vertical, platform::ColorRef horizontal);
    // The pane's client size; the cursor is hidden afterwards, without repainting.
    void Resize(int width, int height);

    // Moves the cross-hair to point; (0, 0) hides it. 1 when nothing was
    // drawn (hidden and asked to hide, or a show at x below 1), else 0.
    int MoveCursor(const QPoint& point);
    // Paints the cursor lines while shown, over a picture of the plot, within
    // the rectangle (filled straight, with no clip for the painter to build).
    void PaintCursor(QPainter& painter, const QRect& within) const;

    // The trace's segment to its current point: for a lap's first point the
    // current point only becomes the previous one; otherwise a line in the
    // trace's pen from the previous point to (current x cut to the client
    // width, current y) when either changed (lines may be null: nothing is
    // drawn). True when the current x lies beyond the client width.
    bool DrawSegment(GraphTrace& trace, bool first, platform::GdiLineRun* lines) const {
        const QPoint current = trace.Current();
        if (first)
            trace.Prime();
        else if (lines)
            DrawSegmentLine(*lines, trace.PenRgb(), trace.Previous(), current);
        return current.x() > m_width;
    }
    // The line from previous to (current x cut to the client width, current
    // y) in color, when it has a length.
    void DrawSegmentLine(platform::GdiLineRun& lines, QRgb color, const QPoint& previous, const QPoint& current) const {
        const int endX = std::min(current.x(), m_width);
        if (endX != previous.x() || current.y() != previous.y())
            lines.Line(color, previous.x(), previous.y(), endX, current.y());
    }
    // The line at the lap's last x from top to bottom.
    void DrawLapMarkLine(const LapMarkDescriptor& mark) const;
    // The lap number, "%d", from (first x + 2, top + 2) to (last x, top + 18).
    void DrawLapMarkLabel(const LapMarkDescriptor& mark) const;

    // The trace's point under x coming from previous x: walking right the
    // first point at or right of x; otherwise, unless it lies exactly at x,
    // the last point with 1 <= x' < x (the first point when none). x below 1
    // gives the first point. 0 found, 1 when the trace ended first (its last
    // point is given) or is empty (a zero point). The position is cached.
    int FindSampleAt(platform::GraphPoint& out, int x, int previousX, const GraphTrace& trace);
    // Moves the cached position back one point.
    void StepBack();
    int CachedPosition() const { return m_cachedPosition; }

    int CursorState() const { return m_cursorState; }
    QPoint CursorPoint() const { return m_cursor; }
    QPoint PreviousCursorPoint() const { return m_previousCursor; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    void InvalidateCross(const QPoint& point) const;

    Invalidate m_invalidate;
    int m_width = 0;
    int m_height = 0;
    int m_cursorState = kCursorHidden;
    QPoint m_cursor;
    QPoint m_previousCursor;
    platform::ColorRef m_verticalColor = 0;
    platform::ColorRef m_horizontalColor = 0;
    int m_cachedPosition = -1;
};
