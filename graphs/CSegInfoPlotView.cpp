#include "graphs/CSegInfoPlotView.h"

#include "graphs/GraphHost.h"

#include "core/LapDataCore.h"
#include "platform/GdiDraw.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"

#include <QPainter>

using namespace platform;

CSegInfoPlotView::CSegInfoPlotView(GraphHost& host, QWidget* parent) : QWidget(parent), m_host(host), m_window(this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The colours the map stored: a strip built again after a colour change shows them too.
    host.Settings().Colors().LoadMapViewProp(&m_colors);
    MapMessages();
}

void CSegInfoPlotView::MapMessages() {
    m_window.On(UM_REDRAW_LAP_GRAPH, [this](const Message& m) {
        m_baseLapChanged = m.wParam != 0;
        AskForGroup();
        // From the window building the strip (lParam its handle): drawn at the paint that follows.
        if (m.lParam == 0) {
            Redraw();
        } else {
            m_stale = true;
            update();
        }
        return LResult{1};
    });
    m_window.On(UM_SEGMENT_EDIT_REPLACE, [this](const Message& m) {
        const orvelo::LapDataCore& core = m_host.Core();
        if (const auto* group = BlockIn<orvelo::SegmentGroup>(m, m.wParam))
            SetSegmentGroup(*group, core.ResolveLap(core.BaseLap));
        // Asked for by a redraw request, which draws when told to.
        if (!m_askingForGroup)
            Redraw();
        return LResult{1};
    });
    m_window.On(UM_RESET_X_SCALE_VARIABLE, [this](const Message& m) {
        m_xMode = static_cast<int>(m.wParam);
        (m_xMode == 1 ? m_timeSpan : m_distanceSpan) = static_cast<int>(m.lParam);
        m_zoomed = false;
        Redraw();
        return LResult{1};
    });
    m_window.On(UM_RESET_SEGMENT_COLOR, [this](const Message& m) {
        if (const auto* property = BlockIn<MapViewProperty>(m, m.lParam))
            m_colors = *property;
        AskForGroup();
        Redraw();
        return LResult{1};
    });
    for (std::uint32_t id : {UM_ZOOM_CONTROL, UM_SCROLL_CONTROL_ON_ZOOM}) {
        m_window.On(id, [this](const Message& m) {
            const auto span = static_cast<std::int64_t>(m.wParam);
            m_zoomed = span >= 1;
            m_zoomSpan = m_zoomed ? static_cast<int>(span) : 0;
            m_zoomStart = m_zoomed ? static_cast<int>(m.lParam) : 0;
            Redraw();
            return LResult{1};
        });
    }
}

// The main frame hands the current group over (2069), which takes its segments again.
void CSegInfoPlotView::AskForGroup() {
    m_askingForGroup = true;
    SendMessage(m_host.MainFrame(), UM_EDITING_SEGMENT_INFO_VIEW_INIT, 3, static_cast<LParam>(Handle()));
    m_askingForGroup = false;
}

void CSegInfoPlotView::SetSpans(int timeSpan, int distanceSpan) {
    m_timeSpan = timeSpan;
    m_distanceSpan = distanceSpan;
}

void CSegInfoPlotView::SetSegmentGroup(const orvelo::SegmentGroup& group, const orvelo::Lap* lap) {
    m_segmentCount = lap ? group.segmentCount : 0;
    m_bounds = graphs::BoundariesOf(group, lap);
}

ColorRef CSegInfoPlotView::SegmentColor(int segment) const { return m_colors.words[static_cast<std::size_t>(segment % 3)]; }

void CSegInfoPlotView::Redraw() {
    Render();
    update();
}

// Bands side by side between the boundary positions, each labelled with its number.
void CSegInfoPlotView::Render() {
    m_stale = false;
    if (width() <= 0 || height() <= 0)
        return;
    if (m_picture.size() != size())
        m_picture = QImage(size(), QImage::Format_RGB32);
    m_picture.fill(ToQColor(kNoDataColor));
    const int span = m_zoomed ? m_zoomSpan : (m_xMode == 1 ? m_timeSpan : m_distanceSpan);
    if (m_segmentCount > 0 && span > 0) {
        const std::vector<int> positions = graphs::StripPositions(m_xMode == 1 ? m_bounds.times : m_bounds.distances,
                                                                  width(), span, m_zoomed ? m_zoomStart : 0);
        QPainter painter(&m_picture);
        PrepareGdiPainter(painter);
        painter.setFont(GdiFont(QStringLiteral("Arial"), 12, 600));
        painter.setPen(Qt::white);
        for (std::size_t k = 0; k <= positions.size(); ++k) {
            const int left = k == 0 ? 0 : positions[k - 1];
            const int right = k < positions.size() ? positions[k] : width();
            if (right <= 0 || left >= width())
                continue;
            GdiFillRect(painter, left, 0, right, height(), SegmentColor(static_cast<int>(k)));
            painter.drawText(QPoint(left + 6, 2 + painter.fontMetrics().ascent()), QStringLiteral("S.%1").arg(k + 1));
        }
    }
}

void CSegInfoPlotView::resizeEvent(QResizeEvent*) { Redraw(); }

void CSegInfoPlotView::paintEvent(QPaintEvent*) {
    if (m_stale)
        Render();
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}
