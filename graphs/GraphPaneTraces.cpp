// The trace build of a lap-overlay pane. Each round of the walk takes the
// next sample of every lap not yet done; a lap's points do not depend on the
// others, so each lap is walked on its own and the rounds count where the
// shared walk would have met each sample: the kept cursor value goes to the
// first match in round order, and segments are drawn in round order.
#include "graphs/GraphPaneData.h"

#include "core/LapDataCore.h"

#include <algorithm>

// The lap's first sample at or after the x start.
std::size_t GraphPaneData::StartSample(const LapColumns& columns) const {
    if (m_xStart == 0)
        return 0;
    const std::vector<std::uint32_t>& x = columns.X(m_xAxisMode == kTime);
    const auto drawableEnd = x.begin() + static_cast<std::ptrdiff_t>(columns.drawable);
    return static_cast<std::size_t>(
        std::partition_point(x.begin(), drawableEnd, [this](std::uint32_t v) { return v < m_xStart; }) - x.begin());
}

void GraphPaneData::BuildTraces(QPainter* traceLayer) {
    PrepareLapPens();
    BuildTracesWithPens(traceLayer);
}

void GraphPaneData::PrepareLapPens() {
    m_lapPens.clear();
    if (const graphs::GraphChannel* channel = graphs::GraphChannelOf(PrimaryChannel())) {
        for (std::size_t row = 0; row < m_laps.size(); ++row)
            m_lapPens.push_back(LapPen(channel->number, static_cast<int>(row)));
    }
}

void GraphPaneData::BuildTracesWithPens(QPainter* traceLayer) {
    const graphs::GraphChannel* channel = graphs::GraphChannelOf(PrimaryChannel());
    for (std::size_t i = 0; i < m_traces.size(); ++i) {
        if (!channel || static_cast<int>(i) != channel->traceIndex)
            m_traces[i].clear();
    }
    m_xEnd = 0;
    m_allEndedInView = true;
    if (!channel)
        return;
    std::vector<GraphTrace>& traces = m_traces[static_cast<std::size_t>(channel->traceIndex)];
    traces.resize(m_laps.size());
    KeptMatch kept;
    for (std::size_t row = 0; row < m_laps.size(); ++row)
        BuildLapTrace(*channel, row, traces[row], kept);
    if (m_keptCursorValue && kept.round != KeptMatch{}.round) {
        m_cursorX = kept.point.x();
        m_cursorY = kept.point.y();
        m_keptCursorValue.reset();
        m_cursorKnown = true;
    }
    PlaceKeptCursorSample(traces);
    if (!m_zoomed)
        m_unzoomedXEnd = m_xEnd;
    if (traceLayer)
        DrawTracesInRounds(*traceLayer);
}

void GraphPaneData::BuildLapTrace(const graphs::GraphChannel& channel, std::size_t row, GraphTrace& trace,
                                  KeptMatch& kept) {
    LapEntry& entry = m_laps[row];
    entry = LapEntry{false, true, 0, 0, entry.lap, false, 0};
    const auto slot = static_cast<std::size_t>(channel.rangeSlot);
    const orvelo::Lap* lap = m_core.ResolveLap(entry.lap);
    trace.Start(&m_core, entry.lap, static_cast<int>(row), lap ? lap->lapNumber : 0, m_ranges[slot], m_slotPpu[slot],
                m_lapPens[row]);
    entry.done = true;
    const LapColumns* columns = m_columns.Columns(m_core, entry.lap, channel.number);
    if (!columns)
        return;
    const bool overTime = m_xAxisMode == kTime;
    const std::uint32_t* xs = columns->X(overTime).data();
    const std::int32_t* values = columns->values[static_cast<std::size_t>(channel.number - 1)].data();
    const std::size_t start = StartSample(*columns);
    entry.firstSample = start;
    const std::uint32_t xStart = m_xStart;
    const double xPpu = m_xPpu;
    const graphs::ChannelRange range = m_ranges[slot];
    const double ppu = m_slotPpu[slot];
    const std::optional<std::uint32_t> keptValue = m_keptCursorValue;
    const int width = m_width;
    const int height = m_height;
    const std::int32_t minimum = m_currentMin;
    const graphs::GraphChannel rules = channel; // a copy the point stores cannot touch
    const std::size_t drawable = columns->drawable;
    std::uint32_t xEnd = m_xEnd;
    bool stoppedAtEdge = false;
    bool first = true;
    trace.Reserve(drawable - std::min(start, drawable));
    std::size_t index = start;
    graphs::WithYRule(rules.yRule, [&](auto rule) {
        for (; index < drawable; ++index) {
            const std::uint32_t value = xs[index];
            if (value < xStart)
                continue;
            const double units = static_cast<double>(value - xStart);
            const int x = first ? 0 : graphs::RoundPixel((overTime ? units / 10.0 : units) * xPpu);
            const int y = graphs::ValueToYBy<decltype(rule)::value>(values[index], height, range, ppu, minimum);
            trace.AddPoint(x, y, static_cast<int>(index));
            first = false;
            xEnd = std::max(xEnd, value);
            const std::size_t round = index - start + 1;
            if (keptValue && *keptValue == value && round < kept.round)
                kept = KeptMatch{round, row, QPoint(x, y)};
            if (x > width) {
                stoppedAtEdge = true;
                break;
            }
        }
    });
    if (!trace.Empty())
        trace.StepTo(trace.Size() - 1);
    entry.stoppedAtEdge = stoppedAtEdge;
    m_allEndedInView = m_allEndedInView && !stoppedAtEdge;
    entry.round = static_cast<int>(index - start + 1); // the round in which it ended
    entry.pointsDrawn = trace.Size();
    entry.firstPoint = trace.Empty();
    m_xEnd = xEnd;
}

// The segments as the shared walk draws them: round by round, lap by lap, so
// a later lap's segment lies over an earlier one's where they cross.
void GraphPaneData::DrawTracesInRounds(QPainter& traceLayer) {
    const std::vector<GraphTrace>& traces =
        m_traces[static_cast<std::size_t>(graphs::GraphChannelOf(PrimaryChannel())->traceIndex)];
    // Each lap's next point to draw; a point's round follows from its sample.
    struct Walk {
        const GraphTrace::Point* points;
        std::size_t size;
        std::size_t next;
        std::size_t firstSample;
        QRgb color;
    };
    std::vector<Walk> walks;
    for (std::size_t row = 0; row < traces.size(); ++row) {
        const GraphTrace& trace = traces[row];
        if (!trace.Empty())
            walks.push_back({trace.Points().data(), trace.Points().size(), 0, m_laps[row].firstSample, trace.PenRgb()});
    }
    platform::GdiLineRun lines(traceLayer);
    for (std::size_t round = 1, remaining = walks.size(); remaining > 0; ++round) {
        for (Walk& walk : walks) {
            if (walk.next >= walk.size ||
                static_cast<std::size_t>(walk.points[walk.next].sample) - walk.firstSample + 1 != round)
                continue;
            const GraphTrace::Point& point = walk.points[walk.next];
            if (walk.next > 0) {
                const GraphTrace::Point& previous = walk.points[walk.next - 1];
                m_plot.DrawSegmentLine(lines, walk.color, QPoint(previous.x, previous.y), QPoint(point.x, point.y));
            }
            if (++walk.next == walk.size)
                --remaining;
        }
    }
}
