// The long lap the course map benchmarks draw: a closed, wavy course of about
// 3 km, one point every quarter metre, with a segment group of evenly spaced
// ends, and the colours the maps start with.
#pragma once

#include "core/CoursePointLines.h"
#include "core/CourseProjection.h"
#include "core/LapData.h"
#include "settings/SettingsRecords.h"

#include <cmath>

namespace benchlap {

constexpr int kPoints = 12000;
constexpr int kSegments = 30;

inline orvelo::LapAnalysisItem LongLap() {
    orvelo::LapAnalysisItem item;
    double distance = 0.0;
    double lastX = 0.0;
    double lastY = 0.0;
    for (int i = 0; i < kPoints; ++i) {
        const double t = 2.0 * M_PI * i / kPoints;
        const double r = 450.0 + 60.0 * std::sin(5.0 * t);
        const double x = r * std::cos(t);
        const double y = 0.6 * r * std::sin(t);
        if (i > 0)
            distance += std::hypot(x - lastX, y - lastY);
        lastX = x;
        lastY = y;
        item.projectedPoints.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                        i == kPoints - 1 ? -1 : 0, static_cast<std::int32_t>(distance) + 1});
    }
    orvelo::UpdateCourseBox(item);
    orvelo::BuildCoursePoints(item);
    return item;
}

inline orvelo::SegmentGroup Segments(const orvelo::LapAnalysisItem& item) {
    orvelo::SegmentGroup group;
    group.segmentCount = kSegments;
    const auto count = static_cast<std::int32_t>(item.coursePoints.size());
    for (std::int32_t k = 1; k <= kSegments; ++k) {
        const std::int32_t end = k == kSegments ? count - 1 : k * count / kSegments;
        group.pairs.push_back({item.coursePoints[static_cast<std::size_t>(end)].cumulativeDistance, end});
    }
    return group;
}

// The map colours and pen width the course maps start with.
inline MapViewProperty Colours() {
    MapViewProperty property;
    property.words = {0x787878, 0xFF4000, 0x8A8A8A, 0, 0, 0, 0xF0F0F0, 0x566D34, 0x8000FF, 3, 0, 0, 1};
    return property;
}

}  // namespace benchlap
