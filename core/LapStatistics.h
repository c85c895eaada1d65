// Per-lap statistics of a loaded log file (sample time sums, fastest lap, channel extremes, signed
// value peaks) and the extent of the laps being compared, which sets the graph windows' X range.
#pragma once

#include "core/LapData.h"

#include <cstdint>

namespace orvelo {

class LapDataCore;

// Sample time sums below this take part in the choice of the fastest lap.
inline constexpr std::uint32_t kFastestLapLimit = 60000;

// Statistics of every lap of the file, its fastest lap number and sample time total.
// A lap whose sample times sum to 0 gets the text "void" and its extremes, and no part in the fastest
// lap or the total.
void ComputeLapStatistics(LogFile& file);

// Sums the lap's sample time steps up to the first step of 0, giving each sample its step text and
// running lap time on the way; 0 for a lap without samples.
std::uint32_t RecomputeSampleTimes(Lap& lap);

// The channel extremes and signed value peaks of one lap from its sample records.
void ComputeChannelExtremes(Lap& lap);

// Over the laps of the log files that carry the base-lap or overlay mark: the largest lap time (byTime
// non-zero) or distance, 0 when none is marked. Stores the number of such laps in MarkedLapCount.
std::uint32_t FindLongestMarkedLap(LapDataCore& core, int byTime);

} // namespace orvelo
