// The messages a graph pane takes from its graph window: cursor events passed
// on from its siblings, redraw requests, the analysis line, zoom and scroll,
// colour blocks, and the pane record kept in the settings store.
#include "graphs/CDlgGrafView.h"

#include "graphs/GraphHost.h"

#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"

#include <algorithm>

using platform::Message;
using platform::LResult;

namespace {

constexpr int kKeyLeft = 0x25;
constexpr int kKeyRight = 0x27;

// A point relayed in a parameter: its halves are signed, as a drag held
// outside the pane reports them.
QPoint RelayedPoint(platform::LParam param) {
    return QPoint(platform::LoWordSigned(static_cast<std::uint64_t>(param)),
                  platform::HiWordSigned(static_cast<std::uint64_t>(param)));
}

} // namespace

void CDlgGrafView::WireMessages() {
    using namespace platform;
    m_window.On(UM_CURSOR_PRESS, [this](const Message& m) {
        Press(RelayedPoint(m.lParam), true);
        return LResult{0};
    });
    m_window.On(UM_CURSOR_MOVE, [this](const Message& m) {
        if (m_tracking)
            Drag(RelayedPoint(m.lParam), true);
        else if (m.lParam == kKeyLeft || m.lParam == kKeyRight)
            StepCursor(static_cast<int>(m.lParam), false);
        return LResult{0};
    });
    m_window.On(UM_CURSOR_RELEASE, [this](const Message& m) {
        Release(m.wParam, RelayedPoint(m.lParam), true);
        return LResult{0};
    });
    m_window.On(UM_REDRAW_LAP_GRAPH, [this](const Message&) {
        if (Kind() == GraphPaneData::kFileOverview && m_data.RefindFile())
            MoveBand(0, 0);
        ResetAfterRedrawRequest(false);
        return LResult{0};
    });
    m_window.On(UM_X_AXIS_CHANGED, [this](const Message& m) {
        ForgetCursor(); // its place meant a distance or a time on the old axis
        m_data.SetXAxisMode(static_cast<int>(m.wParam));
        if (m_data.Zoomed())
            Kind() == GraphPaneData::kFileOverview ? MoveBand(0, 0) : m_data.SetZoom(0, 0);
        Redraw();
        return LResult{0};
    });
    m_window.On(UM_STOP_TRACKING_PLOT, [this](const Message&) {
        ForgetCursor();
        Redraw();
        return LResult{0};
    });
    m_window.On(UM_ANALYSIS_LINE, [this](const Message& m) {
        const GraphPoint* record = BlockIn<GraphPoint>(m, m.lParam);
        if (!record)
            return LResult{0};
        if (m.wParam == 0) {
            m_pendingAnalysis = *record;
        } else {
            Picture();
            ShowAnalysisLine(*record);
        }
        return LResult{0};
    });
    m_window.On(UM_REGISTER_WND_PROPERTY, [this](const Message& m) {
        PersistRecord(m.wParam == 1, m.lParam);
        return LResult{0};
    });
    m_window.On(UM_COLOR_PROPERTY_SELECTED, [this](const Message& m) {
        const ChannelColorProperty* block = BlockIn<ChannelColorProperty>(m, m.wParam);
        if (!block || block->readFlag < 1 || block->channelNumber < 1 || block->channelNumber > graphs::kChannelCount)
            return LResult{0};
        ApplyColorBlock(block);
        PostMessage(m_data.OwnerHandle(),
                    MessageWithBlockInWParam(UM_COLOR_PROPERTY_SELECTED, ColorBlock(block->channelNumber),
                                             static_cast<LParam>(Handle())));
        return LResult{0};
    });
    m_window.On(UM_ZOOM_CONTROL, [this](const Message& m) {
        SetZoom(static_cast<std::uint32_t>(m.lParam), static_cast<std::uint32_t>(m.wParam));
        return LResult{0};
    });
    m_window.On(UM_SCROLL_CONTROL_ON_ZOOM, [this](const Message& m) {
        if (Kind() == GraphPaneData::kFileOverview)
            MoveBand(static_cast<std::uint32_t>(m.lParam), static_cast<std::uint32_t>(m.wParam));
        else
            SetZoom(static_cast<std::uint32_t>(m.lParam), static_cast<std::uint32_t>(m.wParam));
        return LResult{0};
    });
    m_window.On(UM_ZOOM_CONTROL_DIVISION_TIME, [this](const Message& m) {
        if (Kind() == GraphPaneData::kFileOverview)
            ZoomByTimeDivision(static_cast<std::int64_t>(m.wParam), m.lParam);
        return LResult{0};
    });
    for (std::uint32_t id : {UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, UM_SET_VARIABLE_SCALE_CONTROL_VALUE}) {
        m_window.On(id, [this](const Message&) {
            RedrawKeepingCursor(true);
            return LResult{0};
        });
    }
}

// A full redraw asked for by the owner: the cursor and any pending analysis
// record are forgotten, and the first click after it is not taken.
void CDlgGrafView::ResetAfterRedrawRequest(bool reapplyRanges) {
    if (reapplyRanges)
        m_data.ReapplyChannelRanges();
    ForgetCursor();
    m_swallowNextClick = true;
    Redraw();
}

void CDlgGrafView::ForgetCursor() {
    m_data.Plot().MoveCursor(QPoint());
    m_data.ForgetCursor();
    m_pendingAnalysis.reset();
}

void CDlgGrafView::KeepCursorOverRedraw() {
    if (!m_data.KeepCursorSample())
        m_data.KeepCursorValue(TakeCursorValue());
}

void CDlgGrafView::RedrawKeepingCursor(bool reapplyRanges) {
    KeepCursorOverRedraw();
    if (reapplyRanges)
        m_data.ReapplyChannelRanges();
    m_pendingAnalysis.reset();
    m_swallowNextClick = true;
    Redraw();
}

// The cursor hidden, its time or distance kept for the next redraw to find its sample again
// (the value kept before when the cursor is not shown).
std::optional<std::uint32_t> CDlgGrafView::TakeCursorValue() {
    std::optional<std::uint32_t> kept = m_data.KeptCursorValue();
    if (m_data.CursorKnown() && !m_data.CursorList().empty()) {
        m_data.Plot().MoveCursor(QPoint());
        m_data.ClearCursorPoint();
        const platform::GraphPoint& first = m_data.CursorList().front();
        const int word = m_data.XAxisMode() == GraphPaneData::kTime ? graphs::kPointTime : graphs::kPointDistance;
        kept = static_cast<std::uint32_t>(first.words[word]);
    }
    return kept;
}

// The zoom from start over span; the cursor's time or distance is kept, when
// it lies inside the new view, for the next redraw to put the cursor on.
void CDlgGrafView::SetZoom(std::uint32_t start, std::uint32_t span) {
    m_data.SetZoom(start, span);
    std::optional<std::uint32_t> kept = TakeCursorValue();
    if (kept && m_data.Zoomed() && !(*kept > start && *kept < static_cast<std::uint64_t>(start) + span))
        kept.reset();
    m_data.KeepCursorValue(kept);
    Redraw();
}

// A time range of the lap overview marked on the file overview: over
// distance it becomes the distances the base lap ran in it, the walks held
// to the lap's records; over time it is placed in the pane's tenths of a second.
void CDlgGrafView::ZoomByTimeDivision(std::int64_t span, std::int64_t offset) {
    if (span <= 0 || offset < 0) {
        MoveBand(0, 0);
        return;
    }
    if (m_data.XAxisMode() == GraphPaneData::kTime) {
        MoveBand(static_cast<std::uint32_t>(offset / 10), static_cast<std::uint32_t>(span / 10));
        return;
    }
    const orvelo::Lap* lap = m_data.Host().Core().ResolveLap(m_data.FileBaseLap());
    if (!lap || lap->positions.empty()) {
        MoveBand(0, 0);
        return;
    }
    const auto& positions = lap->positions;
    const std::size_t last = positions.size() - 1;
    // The first record at or after time t, or the one before it when it lies after t.
    const auto recordAt = [&](std::size_t from, std::int64_t t) {
        std::size_t i = from;
        while (i < last && static_cast<std::int64_t>(positions[i].time) < t)
            ++i;
        if (static_cast<std::int64_t>(positions[i].time) > t && i > from)
            --i;
        return i;
    };
    const std::size_t first = recordAt(0, offset);
    const std::size_t end = recordAt(first, offset + span);
    const std::uint32_t startDistance = positions[first].runningDistance;
    const std::uint32_t endDistance = std::max(positions[end].runningDistance, startDistance);
    MoveBand(startDistance, endDistance - startDistance);
}

// The cursor on the base lap's sample another window's cursor stands on: its values
// are the ones a redraw at another scale keeps, and the strip names that point. A pane
// that does not draw that sample shows no cursor, and the owner's strip names none.
void CDlgGrafView::ShowAnalysisLine(const platform::GraphPoint& record) {
    platform::GraphPoint point;
    if (!m_data.PlaceCursorAtBaseSample(record.words[graphs::kPointIndex], point)) {
        const bool shown = m_data.CursorKnown();
        ForgetCursor();
        if (shown)
            platform::PostMessage(m_data.OwnerHandle(), platform::UM_STOP_TRACKING_PLOT,
                                  static_cast<platform::WParam>(Handle()), 0);
        return;
    }
    m_data.Plot().MoveCursor(m_data.CursorPoint());
    m_data.PostSegmentInfo(point);
}

void CDlgGrafView::PersistRecord(bool write, std::int64_t numbers) {
    SettingsStore& store = m_data.Host().Settings().Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    if (write) {
        m_workArea = platform::LoWord(static_cast<std::uint64_t>(numbers));
        m_windowNumber = platform::HiWord(static_cast<std::uint64_t>(numbers));
        const int own = m_heightToStore > 0 ? m_heightToStore : height();
        const int stored = m_storeHeightAsRead && m_recordRead ? m_record.height : own;
        const graphs::ChannelViewProp record{m_data.ChannelMask(), m_workArea, m_windowNumber, m_paneId, stored};
        store.WriteRecord(key, settings::NumberedName(settings::kChanelViewProp, m_workArea, m_windowNumber, m_paneId),
                          record);
        return;
    }
    m_recordRead = store.ReadRecord(key, settings::NumberedName(settings::kChanelViewProp, m_workArea, m_windowNumber,
                                                                m_paneId),
                                    &m_record) == 0;
}
