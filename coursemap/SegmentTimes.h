// The times the segment list shows for a lap: the logger's own segment times (the time steps
// of its sample records) and the times measured on its positions against a segment group of the
// course (each boundary crossed at the position on it or the one before it; the last segment ends
// at the lap line).
#pragma once

#include "core/LapData.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace segtimes {

// One time per sample record, in hundredths of a second.
std::vector<std::int64_t> LoggerTimes(const orvelo::Lap& lap);

// The times of segments 1 to S (S the group's segment count), in hundredths of a second; a
// segment the lap's positions do not reach has none. Nothing at all when S is below 1. The walk
// stops at the last pair the group has; a boundary before the lap's first position takes the
// first position.
std::vector<std::optional<std::int64_t>> MapTimes(const orvelo::Lap& lap, const orvelo::SegmentGroup& group);

}  // namespace segtimes
