// Where the segments of a segment group end on the base lap, as the segment
// strips use them: each segment's end but the last, by distance (the pair's
// cumulative metres) and by time (the base lap's time there, 1/100 s), and
// which segment a cursor value falls in.
#pragma once

#include "core/LapData.h"

#include <vector>

namespace graphs {

struct SegmentBoundaries {
    std::vector<int> distances;
    std::vector<int> times;
};

// The time of the lap's first position at or past the distance (its last when none is).
int LapTimeAtDistance(const orvelo::Lap& lap, int distance);

// The boundaries of the group on the lap (none without a lap): its first segment
// count - 1 ends. An end whose course point lies past the lap's course, or whose
// distance is beyond it, gives no boundary; one whose distance does not rise
// above the boundary before it is taken from its course point, or gives none.
SegmentBoundaries BoundariesOf(const orvelo::SegmentGroup& group, const orvelo::Lap* lap);

// 1 + the number of boundaries not above v; *start: the last of them (0 when none).
int SegmentAt(const std::vector<int>& boundaries, int v, int* start);

// Positions in a strip of the given width showing span units from start: (b - start) * width / span.
std::vector<int> StripPositions(const std::vector<int>& values, int width, int span, int start);

}  // namespace graphs
