#include "coursemap/SegmentTimes.h"

#include <algorithm>

namespace segtimes {

std::vector<std::int64_t> LoggerTimes(const orvelo::Lap& lap) {
    std::vector<std::int64_t> times;
    times.reserve(lap.samples.size());
    for (const orvelo::SampleRec& sample : lap.samples)
        times.push_back(sample.timeStep);
    return times;
}

std::vector<std::optional<std::int64_t>> MapTimes(const orvelo::Lap& lap, const orvelo::SegmentGroup& group) {
    const int segments = group.segmentCount;
    if (segments < 1)
        return {};
    std::vector<std::optional<std::int64_t>> times(static_cast<std::size_t>(segments));
    const std::size_t positions = lap.positions.size();
    std::int64_t previous = 0;
    std::size_t pair = 0;
    std::size_t p = 0;
    int column = 1;
    while (column < segments && pair < group.pairs.size()) {
        const std::uint32_t boundary = static_cast<std::uint32_t>(std::max(group.pairs[pair].cumulativeDistance, 0));
        while (p < positions && lap.positions[p].runningDistance < boundary)
            ++p;
        if (p == positions)
            break;
        // The crossing is the position on the boundary, or the last one before it.
        const std::size_t taken = lap.positions[p].runningDistance == boundary || p == 0 ? p : p - 1;
        const std::int64_t time = lap.positions[taken].time;
        times[static_cast<std::size_t>(column - 1)] = time - previous;
        previous = time;
        ++pair;
        ++column;
        p = taken + 1;
    }
    // The last segment written ends at the lap line; the last pair holds the course length.
    times[static_cast<std::size_t>(column - 1)] = static_cast<std::int64_t>(lap.lapTime) - previous;
    return times;
}

}  // namespace segtimes
