// The lap overview window's message map: relays between its panes, the main
// frame and its view, the colours, the saved layout and the base-lap check.
#include "graphs/CLapOverviewDlg.h"

#include "graphs/CYScaleControllableDlg.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CLScaleView.h"
#include "graphs/CxSplitterWnd.h"
#include "graphs/GraphChannelTable.h"
#include "graphs/GraphHost.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"

#include "core/LapDataCore.h"

#include <QMdiArea>

#include <algorithm>
#include <bit>

using namespace platform;

namespace {
constexpr std::uint64_t kRelayed = 0x40;
constexpr int kMaxHeightBytes = 4 * graphs::kMaxRows;
} // namespace

void CLapOverviewDlg::MapMessages() {
    MapRelays();
    MapColors();
    MapZoom();
    m_window.On(UM_REDRAW_LAP_GRAPH, [this](const Message& m) { return OnRedrawLapGraph(m); });
    m_window.On(UM_RESET_CHANNEL_VIEW, [this](const Message& m) { return OnResetChannelView(m); });
    m_window.On(UM_REGISTER_WND_PROPERTY, [this](const Message& m) { return OnRegisterWndProperty(m); });
    m_window.On(UM_SEGMENT_EDIT_REPLACE, [this](const Message& m) { return OnSegmentEditReplace(m); });
    // A course opened on the map comes with its group (the record, 1) or none (0, 0), as 2069 does.
    m_window.On(UM_VIEW_READ_MAP_FILE, [this](const Message& m) { return OnSegmentEditReplace(m); });
    m_window.On(UM_CHANNEL_VIEW_INFO, [this](const Message& m) { return OnChannelViewInfo(m); });
    m_window.On(UM_DRAW_MAP_ON_VIEW, [this](const Message&) {
        m_segmentMode = 0;
        BuildSegmentStrip(true);
        if (m_zoom.Zoomed()) {
            // A zoom-in at the deepest level returns to the full view.
            m_zoom.SetState(10, m_zoom.Span(), m_zoom.Offset());
            PostMessage(Handle(), UM_ZOOM_CONTROL, 0, 0);
        } else {
            m_zoom.SetState(0, 0, 0);
        }
        return LResult{0};
    });
    m_window.On(UM_GET_BASE_LAP_CONTAINER, [this](const Message&) { return LResult{m_baseLapFiles.empty() ? 0 : 1}; });
    m_window.On(UM_GET_OVERLAP_GRAPH_STATUS, [this](const Message&) {
        DropClosedLaps(); // asked when its work area is activated
        return LResult{!m_rows.empty() && m_rows.front().graph ? m_rows.front().graph->LapsDrawn() : 0};
    });
}

void CLapOverviewDlg::MapRelays() {
    for (std::uint32_t id : {UM_CURSOR_PRESS, UM_CURSOR_MOVE, UM_CURSOR_RELEASE}) {
        m_window.On(id, [this](const Message& m) {
            PostToGraphPanes(WithParams(m, kRelayed, m.lParam), static_cast<WindowHandle>(m.wParam));
            return LResult{0};
        });
    }
    for (std::uint32_t id : {UM_PUT_SEGMENT_INFO, UM_MOVE_SEGMENT_INFO}) {
        m_window.On(id, [this](const Message& m) {
            if (!m_strip)
                return LResult{0};
            PostMessage(m_strip->TopPane(), m);
            if (m_segmentMode == 0)
                PostMessage(m_strip->LeftNestedPane(), m);
            return LResult{0};
        });
    }
    // A row border let go, or the window whose cursor this one shows dropped it; from a row, the
    // cursor another window placed lies where the rows do not draw it: they show none, nor the strip.
    m_window.On(UM_STOP_TRACKING_PLOT, [this](const Message& m) {
        if (std::any_of(m_rows.begin(), m_rows.end(), [&m](const Row& row) {
                return row.graph && static_cast<WParam>(row.graph->Handle()) == m.wParam;
            })) {
            DropStripCursor();
            return LResult{0};
        }
        PostToGraphPanes(m);
        PostToScalePanes(m);
        DropCursor();
        return LResult{0};
    });
    m_window.On(UM_ANALYSIS_LINE, [this](const Message& m) {
        PostToGraphPanes(m);
        return LResult{0};
    });
    m_window.On(UM_RESET_SEGMENT_COLOR, [this](const Message& m) {
        if (m_strip)
            PostMessage(m_strip->LeftNestedPane(), WithParams(m, 0, m.lParam));
        return LResult{0};
    });
    m_window.On(UM_POPUP_VARIABLE_Y_SCALE_DIALOG, [this](const Message& m) {
        PostMessage(m_host.MainFrame(), WithParams(m, m.wParam, static_cast<LParam>(Handle())));
        return LResult{0};
    });
    m_window.On(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, [this](const Message& m) {
        const Message relayed = WithParams(m, m.wParam, 0);
        PostToGraphPanes(relayed);
        PostToScalePanes(relayed);
        return LResult{0};
    });
    // To the first row of the channel: 2093 names it in lParam, 2099 in wParam.
    for (std::uint32_t id : {UM_SCALING_Y_AXIS_MAX_VALUE, UM_SET_VARIABLE_SCALE_CONTROL_VALUE}) {
        m_window.On(id, [this, id](const Message& m) {
            const int channel = static_cast<int>(id == UM_SCALING_Y_AXIS_MAX_VALUE ? m.lParam : m.wParam);
            if (const Row* row = RowOfChannel(channel)) {
                PostMessage(row->graph->Handle(), WithParams(m, m.wParam, 0));
                PostMessage(row->scale->Handle(), WithParams(m, m.wParam, 0));
            }
            return LResult{0};
        });
    }
}

void CLapOverviewDlg::PostToGraphPanes(const Message& m, WindowHandle skip) {
    for (const Row& row : m_rows) {
        if (row.graph && row.graph->Handle() != skip)
            PostMessage(row.graph->Handle(), m);
    }
}

void CLapOverviewDlg::PostToScalePanes(const Message& m) {
    for (const Row& row : m_rows) {
        if (row.scale)
            PostMessage(row.scale->Handle(), m);
    }
    if (m_xScale)
        PostMessage(m_xScale->Handle(), m);
}

void CLapOverviewDlg::DropCursor() {
    DropStripCursor();
    PostMessage(m_host.MainFrame(), UM_STOP_TRACKING_PLOT, static_cast<WParam>(Handle()), 0);
}

void CLapOverviewDlg::DropStripCursor() {
    if (m_strip) {
        PostMessage(m_strip->TopPane(), UM_STOP_TRACKING_PLOT, 0, 0);
        if (m_segmentMode == 0)
            PostMessage(m_strip->LeftNestedPane(), UM_STOP_TRACKING_PLOT, 0, 0);
    }
}

const CLapOverviewDlg::Row* CLapOverviewDlg::RowOfChannel(int channel) const {
    for (const Row& row : m_rows) {
        if (row.channel == channel && row.graph && row.scale)
            return &row;
    }
    return nullptr;
}

// ----- base lap and redraw -----

// Whether the data core's base-lap file differs from the one the window last saw.
bool CLapOverviewDlg::CheckBaseLap() {
    const std::vector<orvelo::BaseLapFileRef>& core = m_host.Core().BaseLapFiles;
    if (core.empty() && m_baseLapFiles.empty())
        return false;
    if (!core.empty() && !m_baseLapFiles.empty() && core.front().fullPath == m_baseLapFiles.front().fullPath &&
        core.front().set == m_baseLapFiles.front().set && core.front().fileId == m_baseLapFiles.front().fileId)
        return false;
    m_baseLapFiles = core;
    m_baseLapChanged = true;
    return true;
}

void CLapOverviewDlg::TakeBaseLap() { m_baseLap = m_host.Core().BaseLap; }

// Whether the window shows laps whose file was closed since it was last redrawn for new laps.
bool CLapOverviewDlg::ShowsClosedLaps() const {
    const orvelo::LapDataCore& core = m_host.Core();
    if (!m_baseLapFiles.empty()) {
        const orvelo::BaseLapFileRef& shown = m_baseLapFiles.front();
        const bool named = !core.BaseLapFiles.empty() && core.BaseLapFiles.front().set == shown.set &&
                           core.BaseLapFiles.front().fileId == shown.fileId;
        if (!named && !core.FindFile(shown.set, shown.fileId))
            return true;
    }
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [](const Row& row) { return row.graph && row.graph->Data().ShowsClosedLaps(); });
}

// Files are closed with only the active work area redrawn: a window of another one finds its
// laps gone when it is next drawn, asked or clicked. Its rows drop them at once, so nothing
// picks or reports a closed lap; the window's own redraw follows in its turn (it rebuilds
// the segment strip, which must not happen inside a paint or a press).
void CLapOverviewDlg::DropClosedLaps() {
    if (m_closedLapsRedrawPosted || !ShowsClosedLaps())
        return;
    for (const Row& row : m_rows) {
        if (row.graph)
            row.graph->DropClosedLaps();
    }
    m_closedLapsRedrawPosted = PostMessage(Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
}

// Redraws for the compared laps go to the active work area only: shown again, the window takes the
// one it missed, at once, so its rows are drawn once and for the laps compared now.
bool CLapOverviewDlg::OnWorkAreaShown() {
    // The active window of a work area shown is activated as by a click, for the properties pane; posted,
    // so that it comes after what the windows restored at start posted when they were built.
    if (mdiArea() && mdiArea()->currentSubWindow() == this)
        ActivatedForProperties(true);
    DropClosedLaps();
    if (m_closedLapsRedrawPosted)
        return true;
    if (m_redrawsTaken == m_host.Core().ComparedLapsRedraws)
        return false;
    Message redraw;
    redraw.id = UM_REDRAW_LAP_GRAPH;
    OnRedrawLapGraph(redraw);
    return true;
}

LResult CLapOverviewDlg::OnRedrawLapGraph(const Message& m) {
    m_closedLapsRedrawPosted = false;
    m_redrawsTaken = m_host.Core().ComparedLapsRedraws;
    const bool changed = CheckBaseLap();
    if (changed) {
        // Another base lap: the panes start again from the full view.
        TakeBaseLap();
        for (const Row& row : m_rows) {
            if (!row.graph)
                continue;
            row.graph->SetDataFlag(!m_baseLapFiles.empty());
            SendMessage(row.graph->Handle(), UM_ZOOM_CONTROL, 0, 0);
        }
    }
    PostToGraphPanes(m); // each row forgets its cursor
    DropCursor();
    ComputeFullSpan();
    // Other laps may run longer: the bands' full view follows the X scale's even while zoomed.
    if (m_segmentMode != 0 && m_strip)
        m_strip->PassSpans();
    if (!m_zoom.Zoomed() || changed) {
        m_zoom.Reset();
        BuildSegmentStrip(changed);
    }
    if (m_xScale)
        PostMessage(m_xScale->Handle(), UM_REDRAW_LAP_GRAPH, changed ? 1 : 0, m_fullSpan);
    // A window built before any lap was marked (restored at start) gives the pane its channels
    // with the first marked laps, as one opened over them does.
    if (!m_channelsGiven)
        GiveChannelsToProperties();
    else if (MarkedLaps() == 0)
        m_channelsGiven = false;
    m_activationHandled = false;
    return 0;
}

LResult CLapOverviewDlg::OnResetChannelView(const Message& m) {
    m_mask = static_cast<std::uint32_t>(m.lParam) & 0x3FFFFu;
    if (m_mask == 0)
        m_mask = graphs::kDefaultChannelMask;
    BuildChannelSplitter(graphs::ChannelCount(m_mask));
    DropCursor(); // the new rows have none
    Relayout();
    // The new rows draw the full view, and so must the X scale and the strip.
    ResetZoom();
    return 0;
}

LResult CLapOverviewDlg::OnSegmentEditReplace(const Message& m) {
    const int mode = m.lParam == 1 ? 1 : 0;
    if (mode == m_segmentMode) {
        // Another group of the shown course: the bands and the segment at the cursor take it again.
        if (mode != 0 && m_strip) {
            for (WindowHandle pane : {m_strip->LeftNestedPane(), m_strip->TopPane()})
                PostMessage(pane, UM_REDRAW_LAP_GRAPH, m_baseLapChanged ? 1 : 0, 0);
        } else if (m_strip) {
            m_strip->Relayout(m_areas.segments);
        }
        return 0;
    }
    m_segmentMode = mode;
    ComputeFullSpan();
    BuildSegmentStrip(true);
    m_zoom.SetState(10, m_zoom.Span(), m_zoom.Offset());
    PostMessage(Handle(), UM_ZOOM_CONTROL, 0, 0);
    return 0;
}

// The Y-scale dialog (its handle in wParam) learns the rows and the mask.
LResult CLapOverviewDlg::OnChannelViewInfo(const Message& m) {
    auto* dialog = WindowFromHandle<CYScaleControllableDlg>(static_cast<WindowHandle>(m.wParam));
    if (!m_channels || m_rows.empty() || !dialog)
        return 0;
    dialog->TakeChannelViewInfo(RowCount(), m_mask);
    return 1;
}

// ----- colours -----

void CLapOverviewDlg::MapColors() {
    m_window.On(UM_CHANNEL_PROPERTY_MENU, [this](const Message& m) { return OnChannelPropertyMenu(m); });
    m_window.On(UM_COLOR_SELECTED, [this](const Message& m) { return OnColorSelected(m); });
    m_window.On(UM_COLOR_PROPERTY_SELECTED, [this](const Message& m) { return OnColorPropertySelected(m); });
}

LResult CLapOverviewDlg::OnChannelPropertyMenu(const Message& m) {
    auto* pane = WindowFromHandle<CDlgGrafView>(static_cast<WindowHandle>(m.wParam));
    if (!pane || std::popcount(pane->Data().ChannelMask()) != 1)
        return 0;
    const int channel = std::countr_zero(pane->Data().ChannelMask()) + 1;
    if (!graphs::GraphChannelOf(channel))
        return 0;
    ChannelColorProperty& block = m_channelColors[static_cast<std::size_t>(channel - 1)];
    if (m_host.Settings().Colors().LoadChannelColorRecord(channel, &block) == 0)
        pane->ApplyColorBlock(&block);
    if (block.readFlag == 0) {
        // Never saved: the colours the channel's rows draw (its own lap colours, row by row, which a
        // change of the lap colours leaves alone) and the window's own.
        ColorSettings& colors = m_host.Settings().Colors();
        const auto& own = colors.ChannelColorRecords()[static_cast<std::size_t>(channel - 1)].lapColors;
        const auto drawn = static_cast<std::size_t>(pane->LapsDrawn());
        for (std::size_t i = 0; i < block.lapColors.size(); ++i) {
            if (i < drawn)
                block.lapColors[i] = colors.ChannelLapColor(m_host.Core(), channel, i);
            else
                block.lapColors[i] = i < own.size() ? own[i] : 0;
        }
        block.background = m_colors.background;
        block.text = m_colors.text;
        block.analysisLine = m_colors.analysisLine;
        block.checkFlag = 0;
        block.channelNumber = channel;
    }
    const ChannelNameRec& names = m_host.Settings().Channels().ChannelNameTable()[static_cast<std::size_t>(channel - 1)];
    m_host.RunChannelColorDialog(this, Handle(), static_cast<LParam>(Handle()), block,
                                 ChannelNameRec::Text(names.currentName));
    FocusView();
    return 0;
}

LResult CLapOverviewDlg::OnColorSelected(const Message& m) {
    const auto* colors = BlockIn<OverviewWindowColors>(m, m.wParam);
    if (!colors)
        return 0;
    m_colors = *colors;
    for (const Row& row : m_rows) {
        if (!row.graph)
            continue;
        row.graph->SetOverviewColors(m_colors);
        row.graph->RedrawKeepingCursor(false);
    }
    if (m.lParam != 0) {
        if (m_colors.readFlag != 0)
            m_host.Settings().Store().WriteRecord(settings::SubKeyPath(settings::kItemColorInfo),
                                                  settings::kLapOverViewWndProp, m_colors);
        SendMessage(m_host.MainFrame(), UM_COLOR_SELECTED, reinterpret_cast<WParam>(&m_colors),
                    static_cast<LParam>(Handle()));
    }
    return 0;
}

// A channel's colours: from its dialog (lParam non-zero) written and passed to
// the main frame for the other windows, which apply them unwritten.
LResult CLapOverviewDlg::OnColorPropertySelected(const Message& m) {
    const auto* edited = BlockIn<ChannelColorProperty>(m, m.wParam);
    if (!edited || !graphs::GraphChannelOf(edited->channelNumber))
        return 0;
    const int channel = edited->channelNumber;
    ChannelColorProperty& block = m_channelColors[static_cast<std::size_t>(channel - 1)];
    block = *edited;
    for (const Row& row : m_rows) {
        if (row.graph && row.channel == channel)
            row.graph->ApplyColorBlock(&block);
    }
    if (m.lParam != 0) {
        const QString tag = QString::fromLatin1(graphs::GraphChannelOf(channel)->tag);
        m_host.Settings().Store().WriteRecord(settings::SubKeyPath(settings::kItemColorInfo),
                                              settings::kChannelColorProp + QLatin1Char('_') + tag, block);
    }
    for (const Row& row : m_rows) {
        if (row.graph)
            row.graph->RedrawKeepingCursor(false);
    }
    if (m.lParam != 0)
        SendMessage(m_host.MainFrame(), UM_COLOR_PROPERTY_SELECTED, reinterpret_cast<WParam>(&block),
                    static_cast<LParam>(Handle()));
    return 0;
}

// ----- saved layout -----

LResult CLapOverviewDlg::OnRegisterWndProperty(const Message& m) {
    return m.wParam == 1 ? SaveLayout() : LoadLayout();
}

// The window's record, then, only when it was written, the row heights: those it comes back to when
// restored; the stored ones while it is left where and as it was shown from them.
int CLapOverviewDlg::SaveLayout() {
    SettingsStore& store = m_host.Settings().Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    const bool away = (windowState() & kAway) && !m_normalPlace.isNull();
    const QRect normal = away ? m_normalPlace : geometry();
    std::vector<int> rows = away ? m_normalHeights : m_channels ? m_channels->RowHeights() : std::vector<int>{};
    const bool rowsKept = m_restoredPlace.Kept(normal) && !m_shownHeights.empty() && rows == m_shownHeights;
    if (rowsKept)
        rows.assign(m_storedHeights.begin(), m_storedHeights.end());
    std::vector<std::uint8_t> heights(4 * rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row)
        settings_bytes::Put(heights.data() + 4 * row, static_cast<std::int32_t>(rows[row]));
    for (std::size_t at = 0; at < m_rows.size(); ++at) {
        const Row& row = m_rows[at];
        if (!row.graph)
            continue;
        // rows left as they were shown keep their panes' heights
        row.graph->StoreHeight(rowsKept, away && at < m_normalPaneHeights.size() ? m_normalPaneHeights[at] : 0);
        SendMessage(row.graph->Handle(), UM_REGISTER_WND_PROPERTY, 1,
                    MakeLong(static_cast<std::uint32_t>(m_workArea), static_cast<std::uint32_t>(m_slot)));
    }
    const platform::RestoredPlace::Edges place = m_restoredPlace.ToStore(normal);
    m_record = {GraphWindow::kLapOverview, m_workArea, m_slot, place[0], place[1], place[2], place[3], m_mask,
                RowCount(), m_zoom.Mode()};
    if (store.WriteRecord(key, settings::NumberedName(settings::kWorkAreaWindowProp, m_workArea, m_slot), m_record) != 0)
        return 1;
    return store.RegWriteBinary(key, settings::NumberedName(settings::kWorkAreaWndViewH, m_workArea, m_slot),
                                heights.data(), static_cast<std::uint32_t>(heights.size())) != 0 ? 1 : 0;
}

int CLapOverviewDlg::LoadLayout() {
    SettingsStore& store = m_host.Settings().Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    if (store.ReadRecord(key, settings::NumberedName(settings::kWorkAreaWindowProp, m_workArea, m_slot), &m_record) != 0)
        return 1;
    std::array<std::uint8_t, kMaxHeightBytes> bytes{};
    std::uint32_t size = 0;
    if (store.RegReadValue(key, settings::NumberedName(settings::kWorkAreaWndViewH, m_workArea, m_slot), bytes.data(),
                           bytes.size(), &size) != 0)
        return 1;
    m_savedHeights.clear();
    for (std::uint32_t at = 0; at + 4 <= size; at += 4) {
        std::int32_t height = 0;
        settings_bytes::Get(bytes.data() + at, &height);
        m_savedHeights.push_back(height);
    }
    if (size % 4 != 0)
        m_savedHeights.clear();
    return 0;
}
