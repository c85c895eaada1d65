// One layer drawn over a course map's composed picture: here the mark of one
// compared lap, a small disc in the lap's colour with its mask, which follows
// the graph cursor along the course.
#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>

struct MapLayerItem {
    static constexpr int kMarkSize = 13;
    static constexpr int kMarkHalf = 6;

    int number = 0;     // 1, 2, ... in the order of the compared laps
    int lapNumber = 0;
    platform::ColorRef colour = 0;
    QPoint position;    // top-left of the mark
    bool placed = false;  // moved to a course position at least once
    QImage disc;        // the disc in the lap's colour, on black
    QImage mask;        // a black disc on white
    std::optional<QPoint> shownAt;  // where the picture shows it; none while it shows no mark

    QRect MarkRect(const QPoint& topLeft) const { return QRect(topLeft, QSize(kMarkSize, kMarkSize)); }
};
