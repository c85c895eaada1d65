// Dead reckoning of a lap's course: step lengths from the speed, turns from the lateral acceleration,
// and the heading integrated so that the course closes. Used by course building (CourseBuilder.h).
#pragma once

#include "core/LapData.h"

#include <cstddef>
#include <cstdint>
#include "core/ChunkedList.h"

namespace orvelo {

class LapDataCore;

// One full turn as the heading rounding uses it.
inline constexpr float kFullTurn = 6.2831802f;

// SamplePeriod, SpeedFactor and TurnPeriod of the core for a sampling-rate mode (0 to 3; anything else gives 0).
void SetRateConstants(LapDataCore& core, int rateMode);

// The rate mode of a lap: that of its first sample, -1 when it has none.
int RateModeOfLap(const Lap& lap);

// One past the last position a course pass covers from start: the first position with the lap-end
// mark is the last one, and the end of the list bounds the pass when no position carries the mark.
std::size_t CourseEnd(const ChunkedList<PositionRec>& positions, std::size_t start);

// Mean lateral acceleration over the ten positions from start (fewer at the end of the list; 0 for none).
float AverageLateralG(const ChunkedList<PositionRec>& positions, std::size_t start);

// First pass: stores each position's step length and turn, and the item's total turn, turn
// correction per step and positions used. Returns the speed sum, or -1 when the lap has no speed.
std::int64_t PrepareDeadReckoning(const LapDataCore& core, LapAnalysisItem& item,
                                  ChunkedList<PositionRec>& positions, std::size_t start);

// Second pass: integrates the heading from the item's rotation and stores each position's step x and y,
// then the item's mean step x and y.
void IntegrateHeading(LapAnalysisItem& item, ChunkedList<PositionRec>& positions, std::size_t start);

// Both passes for a rebuild, with the rate constants of the lap's first sample and the lap's own
// positions: 0, or -1 when no course can be reckoned (no position or no speed).
int RebuildDeadReckoning(LapDataCore& core, LapAnalysisItem& item, Lap& lap);

} // namespace orvelo
