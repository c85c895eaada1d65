#include "core/DeadReckoning.h"

#include "core/LapDataCore.h"

#include <algorithm>
#include <cmath>

namespace orvelo {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr float kGravityPerTenth = 0.98f; // G Horiz. raw is in tenths of g
constexpr std::size_t kLateralGWindow = 10;

} // namespace

void SetRateConstants(LapDataCore& core, int rateMode)
{
    // A step is one fix apart (0.1 s, or 0.05 s at mode 3) whatever the sample rate, and G Horiz. is
    // in tenths of g at every rate, so the turn period is the squared fix interval: the sample
    // period of modes 1 and 2 would turn their courses 4 and 25 times too far.
    struct RateConstants {
        double samplePeriod;
        double speedFactor;
        double turnPeriod;
    };
    static constexpr RateConstants kByMode[4] = {
        {0.01, 0.02777, 0.01}, {0.04, 0.02777, 0.01}, {0.25, 0.02777, 0.01}, {0.0025, 0.013888, 0.0025}};
    const bool known = rateMode >= 0 && rateMode < 4;
    core.SamplePeriod = known ? kByMode[rateMode].samplePeriod : 0.0;
    core.SpeedFactor = known ? kByMode[rateMode].speedFactor : 0.0;
    core.TurnPeriod = known ? kByMode[rateMode].turnPeriod : 0.0;
}

int RateModeOfLap(const Lap& lap)
{
    return lap.samples.empty() ? -1 : lap.samples.front().rateMode;
}

std::size_t CourseEnd(const ChunkedList<PositionRec>& positions, std::size_t start)
{
    for (std::size_t i = start; i < positions.size(); ++i) {
        if (positions[i].lapEndMark != 0)
            return i + 1;
    }
    return positions.size();
}

float AverageLateralG(const ChunkedList<PositionRec>& positions, std::size_t start)
{
    if (start >= positions.size())
        return 0.0f;
    const std::size_t end = std::min(positions.size(), start + kLateralGWindow);
    float sum = 0.0f;
    for (std::size_t i = start; i < end; ++i)
        sum += static_cast<float>(positions[i].gHorizRaw) * kGravityPerTenth;
    return sum / static_cast<float>(end - start);
}

std::int64_t PrepareDeadReckoning(const LapDataCore& core, LapAnalysisItem& item,
                                  ChunkedList<PositionRec>& positions, std::size_t start)
{
    const float speedFactor = static_cast<float>(core.SpeedFactor);
    const float period = static_cast<float>(core.TurnPeriod);
    const std::size_t end = CourseEnd(positions, start);
    float totalTurn = 0.0f;
    std::int64_t speedSum = 0;
    std::int32_t count = 0;
    for (std::size_t i = start; i < end; ++i) {
        PositionRec& position = positions[i];
        const float step = speedFactor * static_cast<float>(position.speed);
        speedSum += position.speed;
        const float turn =
            (static_cast<float>(position.gHorizRaw) * kGravityPerTenth - item.gOffset) * period;
        if (step != 0.0f)
            totalTurn += turn / step;
        position.stepLength = step;
        position.turn = turn;
        ++count;
    }
    if (speedSum <= 0)
        return -1;
    // Correct each step so that the last heading differs from the first by whole turns.
    const float wholeTurns = std::floor(std::fabs(totalTurn) / kFullTurn + 0.5f);
    const float rounded = std::copysign(wholeTurns * kFullTurn, totalTurn);
    item.totalTurn = totalTurn;
    item.turnCorrection = count > 1 ? (totalTurn - rounded) / static_cast<float>(count - 1) : 0.0f;
    item.positionsUsed = count;
    return speedSum;
}

void IntegrateHeading(LapAnalysisItem& item, ChunkedList<PositionRec>& positions, std::size_t start)
{
    double heading = item.rotation * kPi / 180.0;
    const std::size_t end = CourseEnd(positions, start);
    double sumX = 0.0;
    double sumY = 0.0;
    for (std::size_t i = start; i < end; ++i) {
        PositionRec& position = positions[i];
        if (position.stepLength != 0.0f)
            heading += position.turn / position.stepLength - item.turnCorrection;
        position.stepX = static_cast<float>(std::cos(heading) * position.stepLength);
        position.stepY = static_cast<float>(std::sin(heading) * position.stepLength);
        sumX += position.stepX;
        sumY += position.stepY;
    }
    // The mean over the same positions as the sums, so that the course ends where it started.
    const std::size_t count = end > start ? end - start : 0;
    item.meanStepX = count > 0 ? static_cast<float>(sumX / static_cast<double>(count)) : 0.0f;
    item.meanStepY = count > 0 ? static_cast<float>(sumY / static_cast<double>(count)) : 0.0f;
}

int RebuildDeadReckoning(LapDataCore& core, LapAnalysisItem& item, Lap& lap)
{
    SetRateConstants(core, RateModeOfLap(lap));
    if (lap.positions.empty())
        return -1;
    // The same passes as the first build, so that a rebuild in the same mode gives the same course.
    if (PrepareDeadReckoning(core, item, lap.positions, 0) < 0)
        return -1;
    IntegrateHeading(item, lap.positions, 0);
    return 0;
}

} // namespace orvelo
