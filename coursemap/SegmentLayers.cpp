#include "coursemap/SegmentLayers.h"

#include "coursemap/CourseRun.h"

#include "platform/GdiDraw.h"
#include "platform/SideBySide.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// At most this many workers draw segments side by side.
constexpr std::size_t kDrawingWorkers = 4;

// The segment's polyline: from the drawn position before its start course
// point through every drawn point up to its end.
QPolygon SegmentLine(const MapLayerItem& segment, const DrawnPointTable& drawn) {
    QPolygon line;
    const int last = std::min(segment.endIndex, static_cast<int>(drawn.Used()) - 1);
    for (int i = std::max(segment.startIndex, 0); i <= last; ++i) {
        const DrawnPointTable::Record& record = *drawn.At(static_cast<std::size_t>(i));
        if (record.noPosition)
            continue;
        if (line.isEmpty())
            line << QPoint(record.prevX, record.prevY);
        if (line.last() != QPoint(record.x, record.y))
            line << QPoint(record.x, record.y);
        CourseRun::StraightenEnd(line);
    }
    return line.size() < 2 ? QPolygon() : line;
}

QRect Reach(const QPolygon& line, const QPen& pen) {
    if (line.isEmpty())
        return QRect();
    const int r = pen.width() / 2 + 2;
    return line.boundingRect().adjusted(-r, -r, r, r);
}

void Fill(QImage& image, const QRegion& area, Qt::GlobalColor color) {
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : area)
        painter.fillRect(rect, color);
}

// A layer of the size in one colour, its buffer kept when it has that size already.
void Blank(QImage& image, const QSize& size, Qt::GlobalColor color) {
    if (image.size() != size)
        image = QImage(size, QImage::Format_RGB32);
    image.fill(color);
}

// target = (base AND mask) OR source within rect; without a mask nothing is ANDed away.
void Combine(QImage& target, const QImage& base, const QImage* mask, const QImage& source, const QRect& rect) {
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(y));
        const auto* under = reinterpret_cast<const QRgb*>(base.constScanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        const auto* keep = mask ? reinterpret_cast<const QRgb*>(mask->constScanLine(y)) : nullptr;
        for (int x = rect.left(); x <= rect.right(); ++x)
            out[x] = (keep ? under[x] & keep[x] : under[x]) | in[x];
    }
}

}  // namespace

void SegmentLayers::Create(const QSize& size) {
    if (m_lines.size() == size)
        return;
    Blank(m_lines, size, Qt::black);
    Blank(m_markerColor, size, Qt::black);
    Blank(m_markerMask, size, Qt::white);
    m_markerArea = QRect();
    m_allStale = true;
}

void SegmentLayers::ClearLines() {
    m_lines.fill(Qt::black);
    m_allStale = true;
}

QRegion SegmentLayers::RedrawDirty(std::deque<MapLayerItem>& segments, const DrawnPointTable& drawn,
                                   int selectedNumber, const QPen& selectionPen, const QRegion& vacated) {
    const QRect whole = m_lines.rect();
    const auto penOf = [&](const MapLayerItem& segment) -> const QPen& {
        return segment.number == selectedNumber ? selectionPen : segment.pen;
    };
    std::vector<QPolygon> lines(segments.size());
    QRegion area = vacated;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        MapLayerItem& segment = segments[k];
        if (!segment.dirty && !m_allStale)
            continue;
        lines[k] = SegmentLine(segment, drawn);
        area += segment.drawnArea;
        segment.drawnArea = Reach(lines[k], penOf(segment));
        area += segment.drawnArea;
        segment.dirty = false;
    }
    const bool all = m_allStale;
    m_allStale = false;
    area = all ? QRegion(whole) : area.intersected(whole);
    if (area.isEmpty())
        return area;
    if (all)
        m_lines.fill(Qt::black);
    else
        Fill(m_lines, area, Qt::black);
    std::vector<std::size_t> drawnSegments;
    for (std::size_t k = 0; k < segments.size(); ++k) {
        if (!area.intersects(segments[k].drawnArea))
            continue;
        if (lines[k].isEmpty())
            lines[k] = SegmentLine(segments[k], drawn);
        drawnSegments.push_back(k);
    }
    // OR, so that where two segments' lines meet they show as their layers would. OR does not care for
    // the order, so workers side by side each draw the segments they take on a black layer of their
    // own, ORed together at the end; the calling thread draws straight on the lines.
    const std::size_t workers = std::min<std::size_t>(kDrawingWorkers, drawnSegments.size() / 4 + 1);
    if (m_workerLines.size() < workers)
        m_workerLines.resize(workers);
    std::vector<QPainter> painters(workers);
    platform::RunSideBySide(drawnSegments.size(), workers, [&](std::size_t i, std::size_t worker) {
        QPainter& painter = painters[worker];
        if (!painter.isActive()) {
            QImage& layer = worker == 0 ? m_lines : m_workerLines[worker];
            if (worker > 0)
                Blank(layer, m_lines.size(), Qt::black);
            painter.begin(&layer);
            platform::PrepareGdiPainter(painter);
            if (!all)
                painter.setClipRegion(area);
            painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        }
        const std::size_t k = drawnSegments[i];
        painter.setPen(penOf(segments[k]));
        painter.drawPolyline(lines[k]);
    });
    for (std::size_t worker = 0; worker < workers; ++worker) {
        if (!painters[worker].isActive())
            continue;
        painters[worker].end();
        for (const QRect& rect : worker > 0 ? area : QRegion())
            Combine(m_lines, m_lines, nullptr, m_workerLines[worker], rect);
    }
    return area;
}

QRegion SegmentLayers::DrawMarkers(const std::array<QPolygon, 2>& triangles, platform::ColorRef color,
                                   const QPen& colorPen, const QPen& maskPen) {
    QRegion changed(m_markerArea);
    const int r = std::max(colorPen.width(), maskPen.width()) / 2 + 2;
    m_markerArea = triangles[0].boundingRect().united(triangles[1].boundingRect()).adjusted(-r, -r, r, r);
    m_markerArea &= m_lines.rect();
    changed += m_markerArea;
    Fill(m_markerColor, changed, Qt::black);
    Fill(m_markerMask, changed, Qt::white);
    const auto draw = [&](QImage& layer, const QPen& pen, const QColor& fill) {
        QPainter painter(&layer);
        platform::PrepareGdiPainter(painter);
        painter.setPen(pen);
        painter.setBrush(fill);
        for (const QPolygon& triangle : triangles)
            painter.drawPolygon(triangle, Qt::WindingFill);
    };
    draw(m_markerColor, colorPen, platform::ToQColor(color));
    draw(m_markerMask, maskPen, Qt::black);
    return changed;
}

void SegmentLayers::Compose(const QImage& base, QImage& target, const QRegion& area, bool withMarkers) const {
    if (target.size() != m_lines.size() || base.size() != m_lines.size())
        return;
    for (const QRect& rect : area.intersected(m_lines.rect()))
        Combine(target, base, nullptr, m_lines, rect);
    if (withMarkers && !m_markerArea.isEmpty())
        Combine(target, target, &m_markerMask, m_markerColor, m_markerArea);
}
