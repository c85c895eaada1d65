#include "graphs/CChannelGraph.h"

#include "platform/GdiDraw.h"

#include <QPainter>
#include <QPaintEvent>

#include <cmath>

CChannelGraph::CChannelGraph(AppSettings& settings, orvelo::LapDataCore& core, QWidget* parent)
    : QWidget(parent), ChannelScale(settings, core) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_gridPen = platform::GdiPen(m_grid, 1, Qt::DotLine);
    m_linePen = platform::GdiPen(m_line);
}

void CChannelGraph::SetColors(platform::ColorRef background, platform::ColorRef grid, platform::ColorRef line) {
    m_background = background;
    m_grid = grid;
    m_line = line;
    m_gridPen = platform::GdiPen(grid, 1, Qt::DotLine);
    m_linePen = platform::GdiPen(line);
    Rebuild();
}

void CChannelGraph::SetPointCount(int n) {
    m_values.assign(static_cast<std::size_t>(std::max(0, n)), 0.0);
    Rebuild();
}

void CChannelGraph::SetGridCount(int n) {
    m_gridCount = std::max(0, n);
    Rebuild();
}

void CChannelGraph::SetRange(double a, double b) {
    m_rangeMin = std::min(a, b);
    m_rangeMax = std::max(a, b);
    Rebuild();
}

void CChannelGraph::AddValue(double v) {
    if (m_values.empty())
        return;
    std::copy_backward(m_values.begin(), m_values.end() - 1, m_values.end());
    m_values.front() = v;
    Rebuild();
}

int CChannelGraph::ValueY(double v, int h) const {
    const double range = m_rangeMax - m_rangeMin;
    if (range <= 0.0)
        return h - 1;
    return static_cast<int>(std::trunc((1.0 - (v - m_rangeMin) / range) * (h - 1)));
}

void CChannelGraph::Draw(QPainter& painter, int w, int h) {
    platform::GdiFillRect(painter, 0, 0, w, h, m_background);
    painter.setPen(m_gridPen);
    for (int i = 1; i <= m_gridCount; ++i) {
        const int x = static_cast<int>(static_cast<long long>(i) * w / (m_gridCount + 1));
        platform::GdiLine(painter, x, 0, x, h);
    }
    const int n = static_cast<int>(m_values.size());
    if (n == 1) {
        platform::GdiFillRect(painter, w - 1, ValueY(m_values[0], h), w, ValueY(m_values[0], h) + 1, m_line);
        return;
    }
    painter.setPen(m_linePen);
    const double step = n > 1 ? static_cast<double>(w) / (n - 1) : 0.0;
    for (int i = 1; i < n; ++i) {
        const int x1 = static_cast<int>(std::trunc(w - (i - 1) * step));
        const int x2 = static_cast<int>(std::trunc(w - i * step));
        platform::GdiLine(painter, x1, ValueY(m_values[static_cast<std::size_t>(i - 1)], h), x2,
                          ValueY(m_values[static_cast<std::size_t>(i)], h));
    }
}

void CChannelGraph::Rebuild() {
    if (size().isEmpty())
        return;
    if (m_buffer.size() != size())
        m_buffer = QImage(size(), QImage::Format_RGB32);
    QPainter painter(&m_buffer);
    platform::PrepareGdiPainter(painter);
    Draw(painter, width(), height());
    update();
}

void CChannelGraph::paintEvent(QPaintEvent* event) {
    QPainter screen(this);
    screen.drawImage(event->rect(), m_buffer, event->rect());
}

void CChannelGraph::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    SetBand(rect());
    Rebuild();
}
