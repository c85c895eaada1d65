// One lap's trace of one channel in a graph pane: a copy of the channel's band,
// the lap's pen, the current and previous point, and the lap's drawn points
// (x, y and the sample they came from). The full 60-byte cursor record of a
// point is made only when it is picked, from the lap as it is then. The cursor
// lookup bisects the running maximum of x and steps back to the last earlier
// point with x of 1 or more; while x never falls (the usual trace) both follow
// from x itself, otherwise they are tabled on the first lookup.
#pragma once

#include "graphs/GraphRecords.h"

#include "core/LapData.h"
#include "platform/MessageRecords.h"

#include <QPen>
#include <QPoint>

#include <cstdint>
#include <vector>

namespace orvelo {
class LapDataCore;
}

class GraphTrace {
public:
    struct Point {
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int32_t sample = 0; // index in the lap's positions
    };

    // The lap this trace draws: its reference (resolved when a point is
    // picked), its row among the compared laps and its number.
    void Start(const orvelo::LapDataCore* core, const orvelo::LapRef& lap, int row, std::uint32_t lapNumber,
               const graphs::ChannelRange& range, double pixelsPerUnit, const QPen& pen);
    void Reserve(std::size_t points) { m_points.reserve(points); }
    // Appends a drawn point; it becomes the current point, the old one the previous.
    void Append(int x, int y, int sample) {
        AddPoint(x, y, sample);
        m_previous = m_current;
        m_current = QPoint(x, y);
    }
    // Appends a point and leaves the current and previous points alone.
    void AddPoint(int x, int y, int sample) {
        if (!m_points.empty() && x < m_points.back().x)
            m_xFalls = true;
        if (m_firstValid < 0 && x >= 1)
            m_firstValid = Size();
        m_points.push_back(Point{x, y, sample});
    }
    // Point k becomes the current point and the one before it the previous
    // point, to draw the trace again segment by segment.
    void StepTo(int k) {
        m_current = QPoint(At(k).x, At(k).y);
        m_previous = k > 0 ? QPoint(At(k - 1).x, At(k - 1).y) : m_current;
    }
    // The current point only becomes the previous point (a lap's first point).
    void Prime() { m_previous = m_current; }

    bool Empty() const { return m_points.empty(); }
    int Size() const { return static_cast<int>(m_points.size()); }
    const Point& At(int index) const { return m_points[static_cast<std::size_t>(index)]; }
    const std::vector<Point>& Points() const { return m_points; }
    QPoint Current() const { return m_current; }
    QPoint Previous() const { return m_previous; }
    const QPen& Pen() const { return m_pen; }
    QRgb PenRgb() const { return m_penRgb; }
    const graphs::ChannelRange& Range() const { return m_range; }
    double PixelsPerUnit() const { return m_ppu; }
    int Row() const { return m_row; }
    std::uint32_t LapNumber() const { return m_lapNumber; }
    const orvelo::LapRef& Lap() const { return m_lap; }
    // The lap still resolves: a trace of a lap whose file was closed since it was built picks nothing.
    bool LapLoaded() const;

    // The first point whose x is at least x (x >= 1); Size() when none.
    int FirstAtOrRightOf(int x) const;
    // The last point before index whose x is 1 or more; -1 when none.
    int LastValidBefore(int index) const;
    // The point drawn from the lap's sample; -1 when the trace does not hold it.
    int PointOfSample(int sample) const;
    // The cursor record of a point: x, y, row, sample and lap number from the
    // trace, the rest from the lap's sample while the lap is still loaded.
    void FillPoint(int index, platform::GraphPoint& out) const;

private:
    void TableFallingX() const;

    const orvelo::LapDataCore* m_core = nullptr;
    orvelo::LapRef m_lap;
    int m_row = 0;
    std::uint32_t m_lapNumber = 0;
    graphs::ChannelRange m_range;
    double m_ppu = 0.0;
    QPen m_pen;
    QRgb m_penRgb = 0;
    QPoint m_current;
    QPoint m_previous;
    std::vector<Point> m_points;
    bool m_xFalls = false;
    int m_firstValid = -1;
    // Only once x has fallen somewhere: the running maximum of x and the last
    // valid point before each point, made by the first lookup.
    mutable std::vector<std::int32_t> m_runningMaxX;
    mutable std::vector<std::int32_t> m_lastValidBefore;
};
