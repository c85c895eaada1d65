#include "coursemap/LapMarks.h"

#include <QPainter>

namespace {

QImage MarkImage(QColor ground, QColor disc, QColor outline) {
    QImage image(MapLayerItem::kMarkSize, MapLayerItem::kMarkSize, QImage::Format_RGB32);
    image.fill(ground);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(outline, 1));
    painter.setBrush(disc);
    painter.drawEllipse(0, 0, MapLayerItem::kMarkSize - 1, MapLayerItem::kMarkSize - 1);
    return image;
}

MapLayerItem MakeLayer(int number, const orvelo::SelectedLap& slot) {
    MapLayerItem layer;
    layer.number = number;
    layer.lapNumber = slot.lapNumber;
    layer.colour = slot.colour;
    layer.disc = MarkImage(Qt::black, platform::ToQColor(slot.colour), Qt::white);
    layer.mask = MarkImage(Qt::white, Qt::black, Qt::black);
    return layer;
}

// The composed picture, without marks, over the presented one in region.
void CopyBack(QPainter& painter, const QImage& composed, const QRegion& region) {
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& rect : region)
        painter.drawImage(rect, composed, rect);
}

}  // namespace

int LapMarks::Build(const std::vector<orvelo::SelectedLap>& compared, int count) {
    m_layers.clear();
    for (const orvelo::SelectedLap& slot : compared) {
        if (static_cast<int>(m_layers.size()) >= count)
            break;
        if (slot.activeFlag != 0)
            m_layers.push_back(MakeLayer(static_cast<int>(m_layers.size()) + 1, slot));
    }
    return static_cast<int>(m_layers.size());
}

void LapMarks::Recolor(const std::vector<orvelo::SelectedLap>& compared) {
    auto layer = m_layers.begin();
    for (const orvelo::SelectedLap& slot : compared) {
        if (layer == m_layers.end())
            break;
        if (slot.activeFlag == 0)
            continue;
        layer->colour = slot.colour;
        layer->disc = MakeLayer(layer->number, slot).disc;
        ++layer;
    }
}

bool LapMarks::Move(int lapNumber, int lapIndex, const QPoint& centre) {
    for (MapLayerItem& layer : m_layers) {
        if (layer.number != lapIndex + 1)
            continue;
        layer.position = centre - QPoint(MapLayerItem::kMarkHalf, MapLayerItem::kMarkHalf);
        layer.placed = true;
        return layer.lapNumber == lapNumber;
    }
    return false;
}

QRegion LapMarks::Present(const QImage& composed, QImage& presented) {
    QRegion dirty;
    for (const MapLayerItem& layer : m_layers) {
        if (!layer.placed || (layer.shownAt && *layer.shownAt == layer.position))
            continue;
        if (layer.shownAt)
            dirty += layer.MarkRect(*layer.shownAt);
        dirty += layer.MarkRect(layer.position);
    }
    dirty &= composed.rect();
    if (dirty.isEmpty() || presented.size() != composed.size())
        return dirty;
    QPainter painter(&presented);
    CopyBack(painter, composed, dirty);
    painter.setClipRegion(dirty);
    for (MapLayerItem& layer : m_layers) {
        if (!layer.placed)
            continue;
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(layer.position, layer.mask);
        painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
        painter.drawImage(layer.position, layer.disc);
        layer.shownAt = layer.position;
    }
    return dirty;
}

QRegion LapMarks::Erase(const QImage& composed, QImage& presented) {
    QRegion dirty;
    for (MapLayerItem& layer : m_layers) {
        if (layer.shownAt)
            dirty += layer.MarkRect(*layer.shownAt);
        layer.shownAt.reset();
        layer.placed = false;
    }
    dirty &= composed.rect();
    if (dirty.isEmpty() || presented.size() != composed.size())
        return dirty;
    QPainter painter(&presented);
    CopyBack(painter, composed, dirty);
    return dirty;
}

void LapMarks::Forget() {
    for (MapLayerItem& layer : m_layers)
        layer.shownAt.reset();
}
