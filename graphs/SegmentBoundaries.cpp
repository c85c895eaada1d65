#include "graphs/SegmentBoundaries.h"

#include <algorithm>
#include <cmath>

namespace graphs {

int LapTimeAtDistance(const orvelo::Lap& lap, int distance) {
    int time = 0;
    for (std::size_t i = 0; i < lap.positions.size(); ++i) {
        const orvelo::PositionRec& position = lap.positions[i];
        time = static_cast<int>(position.time);
        if (static_cast<std::int64_t>(position.runningDistance) >= distance)
            break;
    }
    return time;
}

// The last pair holds the map lap's length, not a boundary, so it is not measured against this
// lap: a base lap shorter than the map's lap keeps every end inside its course. An end that cannot
// serve this lap gives no boundary and leaves the others where they are.
SegmentBoundaries BoundariesOf(const orvelo::SegmentGroup& group, const orvelo::Lap* lap) {
    SegmentBoundaries bounds;
    if (!lap || lap->analysisItems.empty())
        return bounds;
    const orvelo::ChunkedList<orvelo::CoursePoint>& course = lap->analysisItems[0].coursePoints;
    if (course.empty())
        return bounds;
    const std::int64_t last = course.back().cumulativeDistance;
    const std::size_t ends =
        static_cast<std::size_t>(std::clamp<std::int64_t>(std::int64_t{group.segmentCount} - 1, 0,
                                                          static_cast<std::int64_t>(group.pairs.size())));
    std::int64_t previous = 0;
    for (std::size_t k = 0; k < ends; ++k) {
        const orvelo::SegmentPair& pair = group.pairs[k];
        // Indexes were stored for the map's lap.
        if (pair.endPointIndex < 0 || static_cast<std::size_t>(pair.endPointIndex) >= course.size())
            continue;
        std::int64_t distance = pair.cumulativeDistance;
        // Beyond the course is an end of a longer lap, not on this one.
        if (distance > last)
            continue;
        // A stored distance that does not rise is damaged: its course point is what is left of it.
        if (distance <= previous)
            distance = course[static_cast<std::size_t>(pair.endPointIndex)].cumulativeDistance;
        if (distance <= previous || distance > last)
            continue;
        previous = distance;
        bounds.distances.push_back(static_cast<int>(distance));
        bounds.times.push_back(LapTimeAtDistance(*lap, static_cast<int>(distance)));
    }
    return bounds;
}

int SegmentAt(const std::vector<int>& boundaries, int v, int* start) {
    int segment = 1;
    *start = 0;
    for (int b : boundaries) {
        if (b <= v) {
            ++segment;
            *start = std::max(*start, b);
        }
    }
    return segment;
}

std::vector<int> StripPositions(const std::vector<int>& values, int width, int span, int start) {
    std::vector<int> positions;
    if (span <= 0 || width <= 0)
        return positions;
    const double ppu = static_cast<double>(width) / span;
    for (int value : values) {
        // Far outside the strip a position only needs to stay outside it.
        const double position = std::floor(static_cast<double>(std::int64_t{value} - start) * ppu);
        positions.push_back(static_cast<int>(std::clamp(position, -1.0e9, 1.0e9)));
    }
    return positions;
}

}  // namespace graphs
