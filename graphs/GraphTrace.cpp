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
    m_current = QPoint();
    m_previous = QPoint();
    m_points.clear(); // keeps the capacity for the next build
}

int GraphTrace::FirstAtOrRightOf(int x) const {
    const auto found = std::partition_point(m_points.begin(), m_points.end(),
                                            [x](const Point& p) { return p.runningMaxX < x; });
    return static_cast<int>(found - m_points.begin());
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
    out.words[kPointIndex] = index;
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
