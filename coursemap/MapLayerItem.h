// One layer drawn over a course map's composed picture: the mark of one
// compared lap on the small map (a small disc in the lap's colour with its
// mask, which follows the graph cursor), or one segment of the course in the
// segment renderer (its stretch of course, its ends and its two markers).
#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QRect>

#include <array>
#include <cstdint>
#include <optional>

struct MapLayerItem {
    static constexpr int kMarkSize = 13;
    static constexpr int kMarkHalf = 6;

    // A lap mark: 1, 2, ... in the order of the compared laps. A segment: 1
    // for the first after the start line, consecutive.
    int number = 0;
    platform::ColorRef colour = 0;

    // ---- A lap mark
    int lapNumber = 0;
    QPoint position;    // top-left of the mark
    bool placed = false;  // moved to a course position at least once
    QImage disc;        // the disc in the lap's colour, on black
    QImage mask;        // a black disc on white
    std::optional<QPoint> shownAt;  // where the picture shows it; none while it shows no mark

    QRect MarkRect(const QPoint& topLeft) const { return QRect(topLeft, QSize(kMarkSize, kMarkSize)); }

    // ---- A segment
    int endDistance = 0;   // metres along the course; the last segment ends at the course length
    QPoint boundaryPoint;  // drawn position of its end
    QPoint startPoint;     // drawn position of its start
    QRect markerRect;      // the markers' extent across the course at the end
    int startIndex = 0;    // course points of its start and end
    int endIndex = 0;
    // The end course point: its position and the previous one in metres, the
    // slopes of its line (along, across), intercept and line case.
    std::array<std::int32_t, 4> endCourse{};
    float slopeAlong = 0.0f;
    float slopeAcross = 0.0f;
    std::int32_t intercept = 0;
    std::int32_t lineCase = 0;
    bool dirty = false;        // its line must be drawn again
    bool markerShown = false;  // its markers go on the next picture
    std::array<QPolygon, 2> triangles;  // the two markers, tips at the end point
    QPen pen;                  // its colour at the course pen width
    QRect drawnArea;           // where its line was last drawn
};
