// The lap overview window's zoom and scroll: it owns the zoom of all its
// panes, hands them (span, start) and tells the main frame, which passes the
// zoom on to the file overview windows.
#include "graphs/CLapOverviewDlg.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CLScaleView.h"
#include "graphs/GraphHost.h"

#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

using namespace platform;

void CLapOverviewDlg::MapZoom() {
    m_window.On(UM_ZOOM_CONTROL, [this](const Message& m) {
        if (m_zoom.Step(static_cast<int>(m.wParam), m.lParam != 0, ComputeFullSpan()))
            AfterZoom(UM_ZOOM_CONTROL, UM_ZOOM_CONTROL);
        return LResult{0};
    });
    m_window.On(UM_ZOOM_CONTROL_BY_ARROW_KEY, [this](const Message& m) {
        if (m_zoom.KeyZoom(m.lParam != 0, ComputeFullSpan()))
            AfterZoom(UM_ZOOM_CONTROL, UM_ZOOM_CONTROL);
        return LResult{0};
    });
    m_window.On(UM_SCROLL_CONTROL_ON_ZOOM, [this](const Message& m) {
        if (m_zoom.KeyScroll(static_cast<int>(m.wParam), static_cast<int>(m.lParam)))
            AfterZoom(UM_SCROLL_CONTROL_ON_ZOOM, UM_SCROLL_CONTROL_ON_ZOOM);
        return LResult{0};
    });
    m_window.On(UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE, [this](const Message& m) {
        const int visibleEnd =
            !m_rows.empty() && m_rows.front().graph ? static_cast<int>(m_rows.front().graph->Data().XEnd()) : 0;
        if (m_zoom.DragScroll(m.wParam == 1, static_cast<int>(m.lParam), visibleEnd))
            AfterZoom(UM_SCROLL_CONTROL_ON_ZOOM, UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE);
        return LResult{0};
    });
    m_window.On(UM_RESET_ZOOM_GRAPH_VIEW, [this](const Message&) {
        ResetZoom();
        return LResult{0};
    });
}

void CLapOverviewDlg::ResetZoom() {
    m_zoom.Reset();
    BroadcastToPanes(UM_ZOOM_CONTROL, 0, 0);
    PostMessage(m_host.MainFrame(), UM_ZOOM_CONTROL, 0, 0);
}

// The panes get (span, start); the main frame the time division over time,
// else the message of what happened.
void CLapOverviewDlg::AfterZoom(std::uint32_t paneMessage, std::uint32_t distanceFrameMessage) {
    const int span = m_zoom.Span();
    const int offset = m_zoom.Offset();
    BroadcastToPanes(paneMessage, span, offset);
    const bool time = m_zoom.Mode() == graphs::LapOverviewZoom::kTime;
    PostMessage(m_host.MainFrame(), time ? UM_ZOOM_CONTROL_DIVISION_TIME : distanceFrameMessage,
                static_cast<WParam>(span), offset);
}

// Sent to every graph pane (each redraws at once), then posted to the X scale and the segment strip.
void CLapOverviewDlg::BroadcastToPanes(std::uint32_t id, int span, int offset) {
    for (const Row& row : m_rows) {
        if (row.graph)
            SendMessage(row.graph->Handle(), id, static_cast<WParam>(span), offset);
    }
    if (m_xScale)
        PostMessage(m_xScale->Handle(), id, static_cast<WParam>(span), offset);
    if (m_strip)
        PostMessage(m_strip->LeftNestedPane(), id, static_cast<WParam>(span), offset);
}
