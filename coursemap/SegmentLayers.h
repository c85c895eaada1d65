// The segment renderer's layers over the composed course: one line layer
// into which every segment's stretch of course is ORed (black elsewhere), as
// if each segment had a layer of its own, and the selected segment's two
// markers as a colour layer (black elsewhere) with a mask (white elsewhere).
// Lines are drawn again only where a segment changed.
#pragma once

#include "coursemap/DrawnPointTable.h"
#include "coursemap/MapLayerItem.h"

#include <QImage>
#include <QPen>
#include <QRegion>

#include <array>
#include <deque>
#include <vector>

class SegmentLayers {
public:
    // Empty layers of the size, with every line to be drawn again; the
    // layers stay as they are when they have that size already.
    void Create(const QSize& size);
    // Every line is to be drawn again (the course was drawn anew).
    void InvalidateLines() { m_allStale = true; }
    // No lines until they are drawn again.
    void ClearLines();

    // The line of each dirty segment from its start to its end course point,
    // drawn again with its pen (the selected one with selectionPen), and the
    // other segments' lines where they cross that; vacated is cleared as
    // well. Clears the dirty flags; the area that changed.
    QRegion RedrawDirty(std::deque<MapLayerItem>& segments, const DrawnPointTable& drawn, int selectedNumber,
                        const QPen& selectionPen, const QRegion& vacated);
    // The two triangles in the marker layers in place of the earlier ones; the area that changed.
    QRegion DrawMarkers(const std::array<QPolygon, 2>& triangles, platform::ColorRef color, const QPen& colorPen,
                        const QPen& maskPen);

    // Within area: target = base OR the lines; with markers, then target
    // AND the mask OR the colour layer where the markers are.
    void Compose(const QImage& base, QImage& target, const QRegion& area, bool withMarkers) const;

    const QImage& Lines() const { return m_lines; }
    const QRect& MarkerArea() const { return m_markerArea; }

private:
    QImage m_lines;
    std::vector<QImage> m_workerLines; // from the second on, the lines each worker drew side by side
    QImage m_markerColor;
    QImage m_markerMask;
    QRect m_markerArea;
    bool m_allStale = true;
};
