#include "graphs/SegmentBoundaries.h"

#include "core/SegmentGroupCodec.h"

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

SegmentBoundaries BoundariesOf(const orvelo::SegmentGroup& group, const orvelo::Lap* lap) {
    SegmentBoundaries bounds;
    if (!lap)
        return bounds;
    const orvelo::LapAnalysisItem* course = lap->analysisItems.empty() ? nullptr : &lap->analysisItems[0];
    const std::size_t points = course ? course->coursePoints.size() : 0;
    orvelo::SegmentGroup checked = group;
    orvelo::CheckSegmentEnds(checked, course ? &course->coursePoints : nullptr);
    const std::size_t ends = std::min<std::size_t>(checked.pairs.size(), static_cast<std::size_t>(std::max(checked.segmentCount - 1, 0)));
    for (std::size_t i = 0; i < ends; ++i) {
        const orvelo::SegmentPair& pair = checked.pairs[i];
        if (pair.endPointIndex < 0 || static_cast<std::size_t>(pair.endPointIndex) >= points)
            continue;
        bounds.distances.push_back(pair.cumulativeDistance);
        bounds.times.push_back(LapTimeAtDistance(*lap, pair.cumulativeDistance));
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
