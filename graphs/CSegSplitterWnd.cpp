#include "graphs/CSegSplitterWnd.h"

#include "graphs/CLapOverviewDlg.h"
#include "graphs/CSegInfoPlotView.h"
#include "graphs/CSegView.h"
#include "graphs/GraphHost.h"

#include "core/LapDataCore.h"
#include "core/LapStatistics.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"

#include <algorithm>

CSegSplitterWnd::CSegSplitterWnd(GraphHost& host, QWidget* parent)
    : QSplitter(Qt::Vertical, parent), m_host(host), m_top(new CSegView(host, CSegView::kTopRole, this)) {
    setObjectName(QStringLiteral("SegmentStrip"));
    setHandleWidth(0);
    setChildrenCollapsible(false);
    addWidget(m_top);
    Rebuild(false, 0);
}

void CSegSplitterWnd::FreezeHandles(QSplitter& splitter) {
    // A handle thinner than its grip reaches over the panes beside it (it draws nothing there);
    // the panes stay above it, so that a pane drawn again does not draw the handle and its
    // neighbour too.
    for (int i = 0; i < splitter.count(); ++i) {
        splitter.handle(i)->setEnabled(false);
        splitter.handle(i)->lower();
    }
}

void CSegSplitterWnd::Rebuild(bool segmentMode, int xMode) {
    delete m_nested;
    m_segmentMode = segmentMode;
    m_nested = new QSplitter(Qt::Horizontal);
    m_nested->setHandleWidth(0);
    m_nested->setChildrenCollapsible(false);
    if (segmentMode) {
        for (int i = 0; i < 2; ++i) {
            auto* pane = new CSegInfoPlotView(m_host, m_nested);
            pane->SetXMode(xMode);
            m_nested->addWidget(pane);
        }
    } else {
        for (int role : {1, 0}) {
            auto* pane = new CSegView(m_host, role, m_nested);
            pane->SetXMode(xMode);
            m_nested->addWidget(pane);
        }
    }
    m_top->SetXMode(xMode);
    m_top->SetSegmentMode(segmentMode);
    addWidget(m_nested);
    FreezeHandles(*this);
    FreezeHandles(*m_nested);
}

void CSegSplitterWnd::Build(CLapOverviewDlg& window, bool rebuild) {
    const bool segmentMode = window.SegmentMode() != 0;
    const int xMode = window.XAxisMode();
    if (rebuild || segmentMode != m_segmentMode)
        Rebuild(segmentMode, xMode);
    m_top->SetXMode(xMode);
    m_top->SetSegmentMode(segmentMode);
    const platform::WParam changed = window.BaseLapChanged() ? 1 : 0;
    const auto self = static_cast<platform::LParam>(window.Handle());
    if (CSegInfoPlotView* bands = LeftSegmentPane()) {
        PassSpans();
        if (window.Zoom().Zoomed())
            platform::SendMessage(bands->Handle(), platform::UM_ZOOM_CONTROL,
                                  static_cast<platform::WParam>(window.Zoom().Span()), window.Zoom().Offset());
    } else if (CSegView* laps = LeftLapPane()) {
        laps->BuildLapBands(window.Zoom().Span(), window.Zoom().Offset());
    }
    for (platform::WindowHandle pane : {TopHandle(), LeftHandle()})
        platform::PostMessage(pane, platform::UM_REDRAW_LAP_GRAPH, changed, self);
    if (!segmentMode)
        window.ClearBaseLapChanged();
}

void CSegSplitterWnd::PassSpans() {
    if (CSegInfoPlotView* bands = LeftSegmentPane()) {
        orvelo::LapDataCore& core = m_host.Core();
        bands->SetSpans(static_cast<int>(orvelo::FindLongestMarkedLap(core, 1)),
                        static_cast<int>(orvelo::FindLongestMarkedLap(core, 0)));
    }
}

QWidget* CSegSplitterWnd::Left() const { return m_nested->widget(0); }
QWidget* CSegSplitterWnd::Right() const { return m_nested->widget(1); }
CSegView* CSegSplitterWnd::LeftLapPane() const { return dynamic_cast<CSegView*>(Left()); }
CSegInfoPlotView* CSegSplitterWnd::LeftSegmentPane() const { return dynamic_cast<CSegInfoPlotView*>(Left()); }
platform::WindowHandle CSegSplitterWnd::TopHandle() const { return m_top->Handle(); }

platform::WindowHandle CSegSplitterWnd::LeftHandle() const {
    if (const CSegView* pane = LeftLapPane())
        return pane->Handle();
    const CSegInfoPlotView* pane = LeftSegmentPane();
    return pane ? pane->Handle() : platform::kNoWindow;
}

void CSegSplitterWnd::Relayout(const QRect& area, bool thinColumn) {
    setGeometry(area);
    const int h = area.height();
    m_top->setMinimumHeight(std::max(h / 4, 0));
    setSizes({h / 2, h - h / 2});
    const int thin = thinColumn ? 2 : 0;
    Right()->setMinimumWidth(0);
    Right()->setVisible(thin > 0);
    m_nested->setSizes({std::max(area.width() - thin, 0), thin});
}
