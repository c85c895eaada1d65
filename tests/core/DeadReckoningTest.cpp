#include "core/DeadReckoning.h"

#include "HandBuiltLaps.h"
#include "LogBytes.h"

#include <gtest/gtest.h>


namespace orvelo {
namespace {

using namespace testlaps;
using test::Ints;

class DeadReckoningTest : public ::testing::Test {
protected:
    // Rate constants and the first pass over the whole lap, as course building runs them.
    std::int64_t Prepare(Lap& lap)
    {
        item = LapAnalysisItem();
        SetRateConstants(core, RateModeOfLap(lap));
        return PrepareDeadReckoning(core, item, lap.positions, 0);
    }

    LapDataCore core;
    LapAnalysisItem item;
};

TEST_F(DeadReckoningTest, RateConstantsFollowTheFirstSamplesRateMode)
{
    // Rate mode, sample period, speed factor, turn period (one per fix interval, not per sample rate).
    for (const auto& [mode, period, factor, turn] :
         {std::tuple{0, 0.01, 0.02777, 0.01}, {1, 0.04, 0.02777, 0.01}, {2, 0.25, 0.02777, 0.01},
          {3, 0.0025, 0.013888, 0.0025}, {4, 0.0, 0.0, 0.0}, {-1, 0.0, 0.0, 0.0}}) {
        SetRateConstants(core, mode);
        EXPECT_EQ(std::tuple(core.SamplePeriod, core.SpeedFactor, core.TurnPeriod), std::tuple(period, factor, turn))
            << mode;
    }
    Lap lap = CircleLap(3, 100, 0, 3);
    lap.samples.emplace_back().rateMode = 1;
    EXPECT_EQ(RateModeOfLap(lap), 3);
    lap.samples.clear();
    EXPECT_EQ(RateModeOfLap(lap), -1);
}

TEST_F(DeadReckoningTest, LateralGAveragesTenPositionsOrWhatTheLapHas)
{
    ChunkedList<PositionRec> positions;
    for (int g = 1; g <= 12; ++g)
        positions.push_back(Position(50, g * 10));
    EXPECT_FLOAT_EQ(AverageLateralG(positions, 2), 75.0f * 0.98f);  // 30..120
    EXPECT_FLOAT_EQ(AverageLateralG(positions, 10), 115.0f * 0.98f); // only 110 and 120 remain
    EXPECT_FLOAT_EQ(AverageLateralG(positions, 12), 0.0f);
    EXPECT_EQ(CourseEnd(positions, 19), 12u);
}

TEST_F(DeadReckoningTest, FirstPassStoresStepsAndTurnsUpToTheLapEnd)
{
    Lap lap = MakeLap({Position(100, 10), Position(0, 20), Position(50, -5), Position(70, 3)});
    lap.positions[2].lapEndMark = kLapEndMark;
    item.gOffset = 1.0f;
    SetRateConstants(core, 1);
    EXPECT_EQ(PrepareDeadReckoning(core, item, lap.positions, 0), 150);
    EXPECT_EQ(item.positionsUsed, 3);
    const auto& p = lap.positions;
    EXPECT_FLOAT_EQ(p[0].stepLength, 0.02777f * 100);
    EXPECT_FLOAT_EQ(p[1].turn, (20 * 0.98f - 1.0f) * 0.01f); // a fix's interval squared, not the sample period
    // A standing position turns nothing; nothing after the lap end.
    EXPECT_FLOAT_EQ(item.totalTurn, p[0].turn / p[0].stepLength + p[2].turn / p[2].stepLength);
    EXPECT_EQ(p[3].stepLength, 0.0f);

    lap.positions[2].lapEndMark = lap.positions[3].lapEndMark = 0; // no mark: up to the last position
    EXPECT_EQ(Prepare(lap), 220);
}

TEST_F(DeadReckoningTest, LapsWithoutSpeedOrPositionsHaveNoCourse)
{
    Lap standing = CircleLap(20, 0, 10);
    EXPECT_EQ(Prepare(standing), -1);
    EXPECT_EQ(RebuildDeadReckoning(core, item, standing), -1);
    Lap empty = MakeLap({});
    EXPECT_EQ(PrepareDeadReckoning(core, item, empty.positions, 0), -1);
    EXPECT_EQ(RebuildDeadReckoning(core, item, empty), -1);
    Lap one = CircleLap(1, 80, 30);
    EXPECT_EQ(Prepare(one), 80);
    EXPECT_EQ(item.turnCorrection, 0.0f); // no division by the steps between
}

TEST_F(DeadReckoningTest, CorrectionSpreadsTheTurnMissingToTheNearestWholeTurn)
{
    // Positions, speed, lateral g and the whole turns, signed, the total rounds to.
    for (const auto& [count, speed, g, turns] : {std::tuple{101, 233u, 40, 1.0f}, {100, 200u, 40, 1.0f},
                                                 {100, 120u, 40, 2.0f}, {100, 120u, -40, -2.0f},
                                                 {100, 1000u, 40, 0.0f}}) {
        Lap lap = CircleLap(count, speed, g);
        Prepare(lap);
        EXPECT_NEAR(item.turnCorrection, (item.totalTurn - turns * kFullTurn) / (count - 1), 1e-6) << speed << ' ' << g;
    }
    // By hand, at rate mode 2 (4 samples a second, fixes still 0.1 s apart): speed 1 and 1 g turn a step
    // 0.098 / 0.02777 = 3.528988, nearest to one turn of 6.2831802; the step after the first takes -2.754192.
    Lap lap = MakeLap({Position(1, 10), Position(0, 0)}, 2);
    Prepare(lap);
    EXPECT_NEAR(item.turnCorrection, -2.754192, 2e-5);
}

} // namespace
} // namespace orvelo
