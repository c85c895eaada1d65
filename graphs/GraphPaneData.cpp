#include "graphs/GraphPaneData.h"

#include "graphs/GraphHost.h"

#include "core/LapDataCore.h"
#include "platform/GdiDraw.h"
#include "settings/AppSettings.h"

#include <QRect>

#include <algorithm>

using graphs::ChannelRange;
using graphs::GraphChannel;

GraphPaneData::GraphPaneData(GraphHost& host, int kind)
    : m_host(host), m_core(host.Core()), m_kind(kind), m_scale(host.Settings(), host.Core()) {}

void GraphPaneData::SetHandles(platform::WindowHandle pane, platform::WindowHandle owner) {
    m_pane = pane;
    m_owner = owner;
}

void GraphPaneData::SetClientSize(int width, int height) {
    m_width = std::max(0, width);
    m_height = std::max(0, height);
    m_plot.Resize(m_width, m_height);
    ReapplyChannelRanges();
}

void GraphPaneData::SetChannelMask(std::uint32_t mask) {
    m_maskBefore = m_mask;
    m_mask = mask;
}

void GraphPaneData::SetZoom(std::uint32_t start, std::uint32_t span) {
    m_zoomStart = start;
    m_zoomSpan = span;
    m_zoomed = span > 0;
}

void GraphPaneData::ForgetCursor() {
    m_cursorKnown = false;
    m_cursorX = 0;
    m_cursorY = 0;
    m_cursorSample.reset();
    m_cursorSampleKept = false;
    m_keptCursorValue.reset();
}

bool GraphPaneData::KeepCursorSample() {
    if (!m_cursorKnown || !m_cursorSample || (!m_cursorSampleKept && CursorPoint().isNull()))
        return false;
    m_cursorSampleKept = true;
    ClearCursorPoint();
    return true;
}

bool GraphPaneData::PlaceCursorAtBaseSample(int sample, platform::GraphPoint& point) {
    const std::vector<GraphTrace>& traces = PrimaryTraces();
    if (traces.empty() || traces.front().Row() != 0 || !traces.front().LapLoaded())
        return false;
    const GraphTrace& base = traces.front();
    const int index = base.PointOfSample(sample);
    // The walk keeps the first point past the right edge; that one is not in view.
    if (index < 0 || base.At(index).x > m_width)
        return false;
    base.FillPoint(index, point);
    m_cursorList.assign(1, point);
    m_cursorSample = sample;
    m_cursorSampleKept = false;
    KeepCursorPoint(QPoint(point.words[graphs::kPointX], point.words[graphs::kPointY]));
    return true;
}

// Where the kept base-lap sample is drawn now; the cursor stays hidden while it is not drawn.
void GraphPaneData::PlaceKeptCursorSample(const std::vector<GraphTrace>& traces) {
    if (!m_cursorSampleKept || traces.empty() || traces.front().Row() != 0)
        return;
    const int index = traces.front().PointOfSample(*m_cursorSample);
    if (index < 0)
        return;
    m_cursorX = traces.front().At(index).x;
    m_cursorY = traces.front().At(index).y;
    m_cursorSampleKept = false;
}

void GraphPaneData::KeepCursorPoint(const QPoint& point) {
    m_cursorX = point.x();
    m_cursorY = point.y();
    m_cursorKnown = true;
}

void GraphPaneData::SetChannelRange(const ChannelRange& range) {
    const GraphChannel* channel = graphs::GraphChannelOf(range.channel);
    if (!channel)
        return;
    m_scale.SetChannel(range.channel);
    m_currentMax = m_scale.CurrentMax();
    m_currentMin = m_scale.CurrentMin();
    m_scale.SetBand(QRect(0, 0, m_width, m_height));
    ChannelRange scaled = range;
    const double ppu = m_scale.ComputeScale(scaled);
    const auto slot = static_cast<std::size_t>(channel->rangeSlot);
    m_ranges[slot] = scaled;
    m_slotPpu[slot] = ppu;
}

void GraphPaneData::ReapplyChannelRanges() {
    for (int number = 1; number <= graphs::kChannelCount; ++number) {
        if ((m_mask & (1u << (number - 1))) == 0)
            continue;
        ChannelRange range = m_ranges[static_cast<std::size_t>(graphs::GraphChannelOf(number)->rangeSlot)];
        range.channel = number;
        SetChannelRange(range);
    }
}

std::int32_t GraphPaneData::PressureSpan(int sensor) const {
    return sensor == 1 || sensor == 2 ? m_pressureSpans[static_cast<std::size_t>(sensor - 1)] : 0;
}

void GraphPaneData::Rebuild(QPainter* traceLayer) {
    if (m_kind != kLapOverlay)
        return;
    PrepareScales();
    BuildTraces(traceLayer);
}

void GraphPaneData::PrepareScales() {
    BuildLapList();
    ComputeXScale();
    m_grid = ComputeVerticalGrid();
}

void GraphPaneData::ClearTraces() {
    m_laps.clear();
    for (std::vector<GraphTrace>& traces : m_traces)
        traces.clear();
    m_cursorList.clear();
    m_lapsWithoutValue.clear();
}

bool GraphPaneData::ShowsClosedLaps() const {
    if (m_kind == kFileOverview)
        return m_dataFlag && std::none_of(m_core.LogFiles.begin(), m_core.LogFiles.end(),
                                          [this](const orvelo::LogFile& file) { return file.fullPath == m_filePath; });
    return std::any_of(m_laps.begin(), m_laps.end(),
                       [this](const LapEntry& entry) { return !m_core.ResolveLap(entry.lap); });
}

void GraphPaneData::BuildLapList() {
    m_laps.clear();
    for (const orvelo::SelectedLap& slot : m_core.SelectedLaps) {
        if (slot.activeFlag == 0)
            continue;
        orvelo::Lap* lap = m_core.ResolveLap(slot.lap);
        if (!lap)
            continue;
        lap->drawnMark = 1;
        m_laps.push_back(LapEntry{false, true, 0, 0, slot.lap, false});
    }
}

void GraphPaneData::ComputeXScale() {
    m_xStart = m_zoomed ? m_zoomStart : 0;
    if (m_zoomed) {
        m_xSpan = m_zoomSpan;
    } else {
        m_xSpan = 0.0;
        for (const LapEntry& entry : m_laps) {
            if (const orvelo::Lap* lap = m_core.ResolveLap(entry.lap))
                m_xSpan = std::max<double>(m_xSpan, m_xAxisMode == kTime ? lap->lapTime : lap->distance);
        }
    }
    const double units = m_xAxisMode == kTime ? m_xSpan / 10.0 : m_xSpan;
    m_xPpu = units <= 0.0 ? 0.0 : m_width / units;
}

graphs::VerticalGrid GraphPaneData::ComputeVerticalGrid() {
    const GraphChannel* channel = graphs::GraphChannelOf(PrimaryChannel());
    if (!channel)
        return {};
    const std::uint8_t code = channel->pressureSensor == 2 ? m_core.Press2RangeCode : m_core.Press1RangeCode;
    const graphs::VerticalGrid grid = graphs::VerticalGridFor(channel->number, m_currentMax, m_currentMin, code);
    if (channel->pressureSensor != 0)
        m_pressureSpans[static_cast<std::size_t>(channel->pressureSensor - 1)] = m_currentMax;
    graphs::StoreScaleSpan(*channel, m_core.GraphScaleDefaults, grid.storedSpan);
    return grid;
}

const std::vector<GraphTrace>& GraphPaneData::PrimaryTraces() const {
    static const std::vector<GraphTrace> kNone;
    const GraphChannel* channel = graphs::GraphChannelOf(PrimaryChannel());
    return channel ? Traces(channel->traceIndex) : kNone;
}

int GraphPaneData::LapsDrawn() const { return static_cast<int>(PrimaryTraces().size()); }

// The lap's pen in the channel's colour for its row (rows past the channel's
// colours take the lap's slot colour, as the lap list shows it).
QPen GraphPaneData::LapPen(int channel, int row) {
    return platform::GdiPen(m_host.Settings().Colors().ChannelLapColor(m_core, channel, static_cast<std::size_t>(row)));
}
