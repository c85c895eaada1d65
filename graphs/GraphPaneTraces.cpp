// The round-robin trace build of a lap-overlay pane.
#include "graphs/GraphPaneData.h"

#include "core/LapDataCore.h"

#include <algorithm>
#include <deque>

namespace {

// Where one lap's walk stands.
struct LapWalk {
    std::deque<orvelo::PositionRec>::const_iterator next;
    std::deque<orvelo::PositionRec>::const_iterator end;
    std::int32_t sample = 0;
};

} // namespace

std::uint32_t GraphPaneData::XValueOf(const orvelo::PositionRec& sample) const {
    return m_xAxisMode == kTime ? sample.time : sample.runningDistance;
}

int GraphPaneData::XOf(std::uint32_t value) const {
    const double units = static_cast<double>(value - m_xStart);
    return graphs::RoundPixel((m_xAxisMode == kTime ? units / 10.0 : units) * m_xPpu);
}

// The lap's first sample at or after the x start.
std::size_t GraphPaneData::StartSample(const orvelo::Lap& lap) const {
    if (m_xStart == 0)
        return 0;
    const auto first = std::partition_point(lap.positions.begin(), lap.positions.end(),
                                            [this](const orvelo::PositionRec& p) { return XValueOf(p) < m_xStart; });
    return static_cast<std::size_t>(first - lap.positions.begin());
}

void GraphPaneData::BuildTraces(QPainter* traceLayer) {
    const graphs::GraphChannel* channel = graphs::GraphChannelOf(PrimaryChannel());
    for (std::size_t i = 0; i < m_traces.size(); ++i) {
        if (!channel || static_cast<int>(i) != channel->traceIndex)
            m_traces[i].clear();
    }
    m_xEnd = 0;
    m_allEndedInView = true;
    if (!channel)
        return;
    const auto slot = static_cast<std::size_t>(channel->rangeSlot);
    const graphs::ChannelRange& range = m_ranges[slot];
    const double ppu = m_slotPpu[slot];
    std::vector<GraphTrace>& traces = m_traces[static_cast<std::size_t>(channel->traceIndex)];
    traces.resize(m_laps.size());
    std::vector<LapWalk> walks(m_laps.size());
    std::size_t remaining = 0;
    for (std::size_t i = 0; i < m_laps.size(); ++i) {
        m_laps[i] = LapEntry{false, true, 0, 0, m_laps[i].lap, false};
        const orvelo::Lap* lap = m_core.ResolveLap(m_laps[i].lap);
        const int row = static_cast<int>(i);
        traces[i].Start(&m_core, m_laps[i].lap, row, lap ? lap->lapNumber : 0, range, ppu,
                        LapPen(channel->number, row));
        if (!lap) {
            m_laps[i].done = true;
            continue;
        }
        const std::size_t start = StartSample(*lap);
        walks[i] = {lap->positions.begin() + static_cast<std::ptrdiff_t>(start), lap->positions.end(),
                    static_cast<std::int32_t>(start)};
        traces[i].Reserve(lap->positions.size() - start);
        ++remaining;
    }
    for (int round = 1; remaining > 0; ++round) {
        for (std::size_t i = 0; i < m_laps.size(); ++i) {
            LapEntry& entry = m_laps[i];
            if (entry.done)
                continue;
            entry.round = round;
            LapWalk& walk = walks[i];
            if (walk.next == walk.end || walk.next->lapEndMark != 0) {
                entry.done = true; // the lap-end sample is not drawn
                --remaining;
                continue;
            }
            const orvelo::PositionRec& sample = *walk.next++;
            const std::int32_t index = walk.sample++;
            const std::uint32_t value = XValueOf(sample);
            if (value < m_xStart)
                continue;
            const int x = entry.firstPoint ? 0 : XOf(value);
            const int y = graphs::ValueToY(*channel, channel->value(sample), m_height, range, ppu, m_currentMin);
            GraphTrace& trace = traces[i];
            trace.Append(x, y, index);
            const bool beyond = m_plot.DrawSegment(trace, entry.firstPoint, traceLayer);
            entry.firstPoint = false;
            ++entry.pointsDrawn;
            if (m_keptCursorValue && *m_keptCursorValue == value) {
                m_cursorX = x;
                m_cursorY = y;
                m_keptCursorValue.reset();
                m_cursorKnown = true;
            }
            m_xEnd = std::max(m_xEnd, value);
            if (beyond) {
                entry.done = true;
                entry.stoppedAtEdge = true;
                m_allEndedInView = false;
                --remaining;
            }
        }
    }
    if (!m_zoomed)
        m_unzoomedXEnd = m_xEnd;
}
