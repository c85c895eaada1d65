#include "graphs/GraphTrace.h"

#include "graphs/GraphChannelTable.h"

#include "core/LapDataCore.h"

#include <algorithm>
#include <bit>

void GraphTrace::Start(const orvelo::LapDataCore* core, const orvelo::LapRef& lap, int row, std::uint32_t lapNumber,
                       const graphs::ChannelRange& range, double pixelsPerUnit, const QPen& pen) {
    m_core = core;
    m_lap = lap;
    m_row = row;
    m_lapNumber = lapNumber;
    m_range = range;
    m_ppu = pixelsPerUnit;
    m_pen = pen;
    m_penRgb = pen.color().rgb();
    m_current = QPoint();
    m_previous = QPoint();
    m_points.clear(); // keeps the capacity for the next build
    m_xFalls = false;
    m_firstValid = -1;
    m_runningMaxX.clear();
    m_lastValidBefore.clear();
}

bool GraphTrace::LapLoaded() const { return m_core && m_core->ResolveLap(m_lap); }

void GraphTrace::TableFallingX() const {
    if (m_runningMaxX.size() == m_points.size())
        return;
    m_runningMaxX.resize(m_points.size());
    m_lastValidBefore.resize(m_points.size());
    std::int32_t maximum = m_points.empty() ? 0 : m_points.front().x;
    std::int32_t lastValid = -1;
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        maximum = std::max(maximum, m_points[i].x);
        m_runningMaxX[i] = maximum;
        m_lastValidBefore[i] = lastValid;
        if (m_points[i].x >= 1)
            lastValid = static_cast<std::int32_t>(i);
    }
}

int GraphTrace::FirstAtOrRightOf(int x) const {
    if (!m_xFalls) {
        const auto found =
            std::partition_point(m_points.begin(), m_points.end(), [x](const Point& p) { return p.x < x; });
        return static_cast<int>(found - m_points.begin());
    }
    TableFallingX();
    const auto found = std::partition_point(m_runningMaxX.begin(), m_runningMaxX.end(),
                                            [x](std::int32_t maximum) { return maximum < x; });
    return static_cast<int>(found - m_runningMaxX.begin());
}

int GraphTrace::LastValidBefore(int index) const {
    if (!m_xFalls)
        return m_firstValid >= 0 && index - 1 >= m_firstValid ? index - 1 : -1;
    TableFallingX();
    return m_lastValidBefore[static_cast<std::size_t>(index)];
}

int GraphTrace::PointOfSample(int sample) const {
    // A trace takes its lap's samples in order, so the samples rise with the points.
    const auto at = std::lower_bound(m_points.begin(), m_points.end(), sample,
                                     [](const Point& p, int s) { return p.sample < s; });
    return at != m_points.end() && at->sample == sample ? static_cast<int>(at - m_points.begin()) : -1;
}

void GraphTrace::FillPoint(int index, platform::GraphPoint& out) const {
    using namespace graphs;
    out = platform::GraphPoint{};
    if (index < 0 || index >= Size())
        return;
    const Point& point = At(index);
    out.words[kPointX] = point.x;
    out.words[kPointY] = point.y;
    out.words[kPointRow] = m_row;
    out.words[kPointIndex] = point.sample;
    out.words[kPointLapNumber] = static_cast<std::int32_t>(m_lapNumber);
    const orvelo::Lap* lap = m_core ? m_core->ResolveLap(m_lap) : nullptr;
    const GraphChannel* channel = GraphChannelOf(m_range.channel);
    if (!lap || !channel || point.sample < 0 || static_cast<std::size_t>(point.sample) >= lap->positions.size())
        return;
    const orvelo::PositionRec& sample = lap->positions[static_cast<std::size_t>(point.sample)];
    const std::int32_t value = channel->value(sample);
    out.words[kPointOtherKind] = static_cast<std::int8_t>(sample.otherKindFlag);
    out.words[kPointValue] = value;
    if (channel->floatValue)
        out.words[kPointValueF32] = std::bit_cast<std::int32_t>(static_cast<float>(value));
    out.words[kPointDistance] = static_cast<std::int32_t>(sample.runningDistance);
    out.words[kPointDistanceOffset] = static_cast<std::int32_t>(sample.distanceOffset);
    out.words[kPointFixTimeOffset] = static_cast<std::int32_t>(sample.fixTimeOffset);
    out.words[kPointCode] = sample.code;
    out.words[kPointTime] = static_cast<std::int32_t>(sample.time);
    out.words[kPointLongWord] = static_cast<std::int32_t>(sample.longWord);
}
