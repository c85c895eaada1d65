// What a graph pane (CDlgGrafView) knows and computes, apart from how it is
// painted and how it takes input: its kind and channels, the compared laps it
// draws (kind 1), the x scale, the per-channel bands and traces, the vertical
// grid, the cursor lookup with the values it posts, and the file of a
// file-overview pane (kinds 0 and 4). The window feeds it sizes, ranges, zoom
// and cursor requests and paints what it holds.
#pragma once

#include "graphs/CPlotLineCtrl.h"
#include "graphs/ChannelScale.h"
#include "graphs/GraphChannelTable.h"
#include "graphs/GraphRecords.h"
#include "graphs/GraphTrace.h"
#include "graphs/LapColumnCache.h"
#include "graphs/VerticalGrid.h"

#include "core/LapData.h"
#include "platform/MessageRecords.h"
#include "platform/WindowMessage.h"

#include <QPoint>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class GraphHost;
class QPainter;

class GraphPaneData {
public:
    enum Kind : int { kFileOverview = 0, kLapOverlay = 1, kBlank = 4 };
    enum XAxisMode : int { kDistance = 0, kTime = 1 };
    static constexpr std::size_t kTitleChars = 128;

    // One compared lap of a lap-overlay pane, rebuilt on every redraw.
    struct LapEntry {
        bool done = false;
        bool firstPoint = true;
        int round = 0; // the round of the walk in which the lap ended
        int pointsDrawn = 0;
        orvelo::LapRef lap;
        bool stoppedAtEdge = false; // its next point lay beyond the right edge
        std::size_t firstSample = 0; // the walk's first sample: at or after the x start
    };

    GraphPaneData(GraphHost& host, int kind);
    GraphPaneData(const GraphPaneData&) = delete;
    GraphPaneData& operator=(const GraphPaneData&) = delete;

    // The pane's own window and the graph window that holds it.
    void SetHandles(platform::WindowHandle pane, platform::WindowHandle owner);
    // The client size; the renderer follows and every band of the mask is scaled again.
    void SetClientSize(int width, int height);
    // The channels drawn; the old mask is kept as the mask before.
    void SetChannelMask(std::uint32_t mask);
    void SetXAxisMode(int mode) { m_xAxisMode = mode; }
    // Kind 1: set by the lap overview window while it has laps; kinds 0 and 4:
    // whether the pane has found its file.
    void SetDataFlag(bool on) { m_dataFlag = on; }
    // Zoomed while span > 0: the view shows span units from start (metres, or 1/100 s over time).
    void SetZoom(std::uint32_t start, std::uint32_t span);
    // A time or distance whose sample becomes the cursor at the next trace build.
    void KeepCursorValue(std::optional<std::uint32_t> value) { m_keptCursorValue = value; }
    // No cursor, and none kept for the next build.
    void ForgetCursor();
    // The cursor stands at point (the base lap's point of the last pick or lookup).
    void KeepCursorPoint(const QPoint& point);
    // No cursor point, while the cursor stays known (a zoom waits for its kept value).
    void ClearCursorPoint() { m_cursorX = m_cursorY = 0; }
    // The cursor stays on the base lap's sample it stands on: hidden now, it comes back where the
    // next trace build draws that sample. False when no base-lap point is under the cursor.
    bool KeepCursorSample();
    // The base lap's point drawn from its sample becomes the cursor and the one point of the cursor
    // list; false when the pane does not draw that sample in view.
    bool PlaceCursorAtBaseSample(int sample, platform::GraphPoint& point);

    // The band of channel range.channel (1 to 18; other numbers are ignored):
    // the channel becomes the pane's scale channel with its current limits,
    // the band is scaled for the client area and stored in the channel's slot.
    void SetChannelRange(const graphs::ChannelRange& range);
    // Every channel of the mask scaled again from its stored slot.
    void ReapplyChannelRanges();

    // Kind 1, one redraw: the lap list from the active slots of SelectedLaps
    // (each lap marked as drawn), the x scale, the vertical grid (its span
    // written to GraphScaleDefaults) and the primary channel's traces, drawn
    // on traceLayer when it is given in the order of the round-robin walk.
    void Rebuild(QPainter* traceLayer);
    // The part of a redraw before the traces: lap list, x scale and vertical grid.
    void PrepareScales();
    // Nothing drawn: no laps, traces or cursor values (a pane showing only its fill).
    void ClearTraces();
    // What the pane drew is gone: a compared lap (kind 1) or the file (kind 0) was closed since.
    bool ShowsClosedLaps() const;
    void BuildLapList();
    void ComputeXScale();
    graphs::VerticalGrid ComputeVerticalGrid();
    void BuildTraces(QPainter* traceLayer);
    // BuildTraces in two halves: the laps' pens (which may make colours), then the traces, which read
    // the data core and write only the pane's own state, so panes may build theirs side by side.
    void PrepareLapPens();
    void BuildTracesWithPens(QPainter* traceLayer);

    // The pick of the primary channel at cursor x coming from previous x:
    // each lap's point under it, its value posted to the properties pane and
    // kept in the cursor list. The base lap's point (x, y), (0, 0) when none.
    QPoint Pick(int x, int previousX);
    // For each point of the cursor list: distance and lap time to the
    // properties pane, and for the base lap the segment information to the
    // owner, the cursor record and the logging-time request to the main frame.
    void PostCursorValues();
    // The base lap's segment information at point to the owner (2038, 2039).
    void PostSegmentInfo(const platform::GraphPoint& point);

    // Kinds 0 and 4: the first loaded log file holding the base lap; false
    // (data flag cleared) when there is none.
    bool OpenFirstBaseLapFile();
    // A file of LogFiles given by the owner, with its base lap; the zoom band is cleared.
    bool SetFile(std::uint32_t fileId);
    // After the laps changed (2023): the file found again by its path. True
    // when the zoom is dropped: the file is gone or its base lap's number changed.
    bool RefindFile();

    int Kind() const { return m_kind; }
    std::uint32_t ChannelMask() const { return m_mask; }
    std::uint32_t ChannelMaskBefore() const { return m_maskBefore; }
    int PrimaryChannel() const { return graphs::PrimaryChannelOf(m_mask); }
    int XAxisMode() const { return m_xAxisMode; }
    bool HasData() const { return m_dataFlag; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    platform::WindowHandle PaneHandle() const { return m_pane; }
    platform::WindowHandle OwnerHandle() const { return m_owner; }
    GraphHost& Host() { return m_host; }

    const ChannelScale& Scale() const { return m_scale; }
    std::int32_t CurrentMax() const { return m_currentMax; }
    std::int32_t CurrentMin() const { return m_currentMin; }
    std::int32_t PressureSpan(int sensor) const;
    const graphs::ChannelRange& RangeSlot(int slot) const { return m_ranges[static_cast<std::size_t>(slot)]; }
    double SlotPixelsPerUnit(int slot) const { return m_slotPpu[static_cast<std::size_t>(slot)]; }

    CPlotLineCtrl& Plot() { return m_plot; }
    const std::vector<LapEntry>& Laps() const { return m_laps; }
    // The trace list of a channel, by its trace index (the order of the cursor messages).
    const std::vector<GraphTrace>& Traces(int traceIndex) const { return m_traces[static_cast<std::size_t>(traceIndex)]; }
    // The primary channel's traces; empty without a primary channel.
    const std::vector<GraphTrace>& PrimaryTraces() const;
    // The number of traces of the primary channel: what the lap overview answers to 2085.
    int LapsDrawn() const;
    const graphs::VerticalGrid& Grid() const { return m_grid; }

    double XSpan() const { return m_xSpan; }
    double XPixelsPerUnit() const { return m_xPpu; }
    std::uint32_t XStart() const { return m_xStart; }
    bool Zoomed() const { return m_zoomed; }
    std::uint32_t ZoomSpan() const { return m_zoomSpan; }
    std::uint32_t XEnd() const { return m_xEnd; }
    std::uint32_t UnzoomedXEnd() const { return m_unzoomedXEnd; }
    // No lap was stopped by the right edge at the last build.
    bool AllLapsEndedInView() const { return m_allEndedInView; }

    const std::vector<platform::GraphPoint>& CursorList() const { return m_cursorList; }
    const platform::GraphPoint& AnalysisRecord() const { return m_analysisRecord; }
    bool CursorKnown() const { return m_cursorKnown; }
    QPoint CursorPoint() const { return QPoint(m_cursorX, m_cursorY); }
    std::optional<std::uint32_t> KeptCursorValue() const { return m_keptCursorValue; }

    const std::u16string& FilePath() const { return m_filePath; }
    const std::u16string& FileTitle() const { return m_fileTitle; }
    const orvelo::LapRef& FileBaseLap() const { return m_fileBaseLap; }
    std::uint32_t FileBaseLapNumber() const { return m_fileBaseLapNumber; }

private:
    void TakeFile(orvelo::LogFile& file);
    QPen LapPen(int channel, int row);
    // Where a lap met the kept cursor value first: its round and row, the point.
    struct KeptMatch {
        std::size_t round = static_cast<std::size_t>(-1);
        std::size_t row = 0;
        QPoint point;
    };
    std::size_t StartSample(const LapColumns& columns) const;
    void BuildLapTrace(const graphs::GraphChannel& channel, std::size_t row, GraphTrace& trace, KeptMatch& kept);
    void DrawTracesInRounds(QPainter& traceLayer);
    void PlaceKeptCursorSample(const std::vector<GraphTrace>& traces);

    GraphHost& m_host;
    orvelo::LapDataCore& m_core;
    int m_kind;
    std::uint32_t m_mask = 0;
    std::uint32_t m_maskBefore = 0;
    platform::WindowHandle m_pane = platform::kNoWindow;
    platform::WindowHandle m_owner = platform::kNoWindow;
    int m_xAxisMode = kDistance;
    bool m_dataFlag = false;
    std::int32_t m_currentMax = 0;
    std::int32_t m_currentMin = 0;
    std::array<std::int32_t, 2> m_pressureSpans{};
    CPlotLineCtrl m_plot;
    ChannelScale m_scale;
    int m_width = 0;
    int m_height = 0;

    double m_xSpan = 0.0;
    double m_xPpu = 0.0;
    std::uint32_t m_xStart = 0;
    bool m_zoomed = false;
    std::uint32_t m_zoomStart = 0;
    std::uint32_t m_zoomSpan = 0;
    std::uint32_t m_xEnd = 0;
    std::uint32_t m_unzoomedXEnd = 0;
    bool m_allEndedInView = true;

    std::array<graphs::ChannelRange, graphs::kRangeSlotCount> m_ranges{};
    std::array<double, graphs::kRangeSlotCount> m_slotPpu{};
    std::array<std::vector<GraphTrace>, graphs::kChannelCount> m_traces;
    std::vector<LapEntry> m_laps;
    std::vector<QPen> m_lapPens; // by lap row, for the primary channel
    LapColumnCache m_columns;
    graphs::VerticalGrid m_grid;

    std::vector<platform::GraphPoint> m_cursorList;
    std::vector<platform::LParam> m_lapsWithoutValue; // lap number and row of each lap the last pick found nothing in
    platform::GraphPoint m_analysisRecord;
    std::int32_t m_cursorX = 0;
    std::int32_t m_cursorY = 0;
    bool m_cursorKnown = false;
    std::optional<std::uint32_t> m_keptCursorValue;
    std::optional<int> m_cursorSample; // the base lap's sample under the cursor
    bool m_cursorSampleKept = false;   // the next build puts the cursor on it

    std::u16string m_filePath;
    std::u16string m_fileTitle;
    orvelo::LapRef m_fileBaseLap;
    std::uint32_t m_fileBaseLapNumber = 0;
};
