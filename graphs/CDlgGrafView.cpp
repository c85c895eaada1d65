#include "graphs/CDlgGrafView.h"

#include "graphs/GraphHost.h"

#include "platform/GdiDraw.h"
#include "settings/AppSettings.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>

CDlgGrafView::CDlgGrafView(QWidget* parent, GraphHost& host, int kind, int paneId, int channel,
                           platform::WindowHandle owner)
    : QWidget(parent), m_window(this), m_data(host, kind), m_paneId(paneId) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    m_data.SetHandles(m_window.Handle(), owner);
    m_data.Plot().SetInvalidate([this](const QRect& rect) { update(rect); });
    SetChannel(channel);
    m_record.paneId = paneId;
    WireMessages();
}

CDlgGrafView::~CDlgGrafView() { m_window.Destroy(); }

void CDlgGrafView::SetChannel(int channel) {
    m_channel = channel;
    if (Kind() == GraphPaneData::kLapOverlay && channel >= 1 && channel <= graphs::kChannelCount)
        m_data.SetChannelMask(1u << (channel - 1));
}

void CDlgGrafView::SetOverviewColors(const OverviewWindowColors& colors) { m_overviewColors = colors; }

const ChannelColorProperty& CDlgGrafView::ColorBlock(int channel) const {
    return m_blocks[static_cast<std::size_t>(std::clamp(channel, 1, graphs::kChannelCount) - 1)];
}

void CDlgGrafView::ApplyColorBlock(const ChannelColorProperty* block) {
    if (!block) {
        const int primary = m_data.PrimaryChannel();
        if (primary >= 1) {
            m_blocks[static_cast<std::size_t>(primary - 1)].checkFlag = 0;
            m_data.Host().Settings().Colors().ChannelColorRecords()[static_cast<std::size_t>(primary - 1)].checkFlag = 0;
        }
        return;
    }
    const int channel = block->channelNumber;
    if (channel < 1 || channel > graphs::kChannelCount)
        return;
    const auto index = static_cast<std::size_t>(channel - 1);
    m_blocks[index] = *block;
    ChannelColorRecord& record = m_data.Host().Settings().Colors().ChannelColorRecords()[index];
    record.background = block->background;
    record.text = block->text;
    record.analysisLine = block->analysisLine;
    record.checkFlag = block->checkFlag;
    record.channelNumber = block->channelNumber;
    const std::size_t count = std::min(record.lapColors.size(), block->lapColors.size());
    std::copy_n(block->lapColors.begin(), count, record.lapColors.begin());
}

void CDlgGrafView::SetWorkAreaNumbers(int workArea, int window) {
    m_workArea = workArea;
    m_windowNumber = window;
}

bool CDlgGrafView::OpenFirstBaseLapFile() {
    const bool found = m_data.OpenFirstBaseLapFile();
    Redraw();
    return found;
}

bool CDlgGrafView::SetFile(std::uint32_t fileId) {
    const bool found = m_data.SetFile(fileId);
    if (found)
        MoveBand(0, 0);
    Redraw();
    return found;
}

void CDlgGrafView::Redraw() {
    m_dirty = true;
    update();
}

void CDlgGrafView::DropClosedLaps() {
    m_data.Plot().MoveCursor(QPoint());
    m_data.ForgetCursor();
    m_data.ClearTraces();
    m_pendingAnalysis.reset();
    Redraw();
}

const QImage& CDlgGrafView::Picture() {
    if (m_onClosedLaps && m_data.ShowsClosedLaps())
        m_onClosedLaps();
    if (m_dirty && m_beforeRender)
        m_beforeRender();
    if (m_dirty)
        Render();
    if (m_pendingAnalysis && Kind() == GraphPaneData::kLapOverlay && m_data.HasData()) {
        const platform::GraphPoint record = *m_pendingAnalysis;
        m_pendingAnalysis.reset();
        ShowAnalysisLine(record);
    }
    return m_image;
}

void CDlgGrafView::PaintRegion(QPainter& painter, const QRegion& region) {
    // The rectangles do not overlap: each takes its part of the picture and of the cross-hair over it.
    for (const QRect& rect : region) {
        painter.drawImage(rect.topLeft(), m_image, rect);
        m_data.Plot().PaintCursor(painter, rect);
    }
    if (Kind() == GraphPaneData::kFileOverview && m_data.Zoomed()) {
        const QRect band = BandRect();
        if (band.width() > 0) {
            painter.setClipRegion(region);
            painter.setPen(platform::GdiPen(kZoomColor));
            painter.setBrush(Qt::NoBrush);
            platform::GdiRectangle(painter, band.left(), band.top(), band.right() + 1, band.bottom() + 1);
            platform::GdiRectangle(painter, band.left() + 1, band.top() + 1, band.right(), band.bottom());
            painter.setClipping(false);
        }
    }
}

void CDlgGrafView::paintEvent(QPaintEvent* event) {
    Picture();
    QPainter painter(this);
    PaintRegion(painter, event->region());
}

void CDlgGrafView::resizeEvent(QResizeEvent* event) {
    const QSize size = event->size();
    if (Kind() == GraphPaneData::kLapOverlay)
        KeepCursorOverRedraw(); // the same point of the base lap at the new scale
    m_data.SetClientSize(size.width(), size.height());
    m_image = QImage(std::max(size.width(), 1), std::max(size.height(), 1), QImage::Format_RGB32);
    Redraw();
}
