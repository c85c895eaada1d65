#include "core/DeadReckoning.h"

#include "HandBuiltLaps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace orvelo {
namespace {

using testlaps::CircleLap;
using testlaps::MakeLap;
using testlaps::Position;

constexpr double kDegree = testlaps::kPi / 180.0;

class DeadReckoningTest : public ::testing::Test {
protected:
    // Rate constants and the first pass over the whole lap, as course building runs them.
    std::int64_t Prepare(Lap& lap)
    {
        SetRateConstants(core, RateModeOfLap(lap));
        return PrepareDeadReckoning(core, item, lap.positions, 0);
    }

    LapDataCore core;
    LapAnalysisItem item;
};

// ---- Rate constants ----------------------------------------------------------------------------

TEST_F(DeadReckoningTest, RateConstantsFollowTheRateMode)
{
    struct Row {
        int mode;
        double period;
        double factor;
    };
    const Row rows[] = {{0, 0.01, 0.02777}, {1, 0.04, 0.02777}, {2, 0.25, 0.02777},
                        {3, 0.0025, 0.013888}, {4, 0.0, 0.0},     {-1, 0.0, 0.0}};
    for (const Row& row : rows) {
        SetRateConstants(core, row.mode);
        EXPECT_DOUBLE_EQ(core.SamplePeriod, row.period) << "mode " << row.mode;
        EXPECT_DOUBLE_EQ(core.SpeedFactor, row.factor) << "mode " << row.mode;
    }
}

TEST_F(DeadReckoningTest, RateModeComesFromTheFirstSample)
{
    Lap lap = CircleLap(3, 100, 0, 3);
    SampleRec later;
    later.rateMode = 1;
    lap.samples.push_back(later);
    EXPECT_EQ(RateModeOfLap(lap), 3);
    lap.samples.clear();
    EXPECT_EQ(RateModeOfLap(lap), -1);
}

// ---- Pass bounds and lateral G -----------------------------------------------------------------

TEST_F(DeadReckoningTest, PassEndsAtTheFirstLapEndMarkOrAtTheEndOfTheList)
{
    std::deque<PositionRec> positions(6);
    EXPECT_EQ(CourseEnd(positions, 0), 6u);
    positions[3].lapEndMark = kLapEndMark;
    positions[5].lapEndMark = kLapEndMark;
    EXPECT_EQ(CourseEnd(positions, 0), 4u);
    EXPECT_EQ(CourseEnd(positions, 4), 6u);
    EXPECT_EQ(CourseEnd(positions, 9), 6u);
}

TEST_F(DeadReckoningTest, LateralGAveragesTenPositionsOrWhatTheLapHas)
{
    std::deque<PositionRec> positions;
    for (int g = 1; g <= 12; ++g)
        positions.push_back(Position(50, g * 10));
    EXPECT_FLOAT_EQ(AverageLateralG(positions, 0), 55.0f * 0.98f);  // 10..100
    EXPECT_FLOAT_EQ(AverageLateralG(positions, 2), 75.0f * 0.98f);  // 30..120
    EXPECT_FLOAT_EQ(AverageLateralG(positions, 10), 115.0f * 0.98f); // only 110 and 120 remain
    EXPECT_FLOAT_EQ(AverageLateralG(positions, 12), 0.0f);
    EXPECT_FLOAT_EQ(AverageLateralG({}, 0), 0.0f);
}

// ---- First pass ----------------------------------------------------------------------------------

TEST_F(DeadReckoningTest, FirstPassStoresStepsAndTurnsAndSumsTheSpeed)
{
    Lap lap = MakeLap({Position(100, 10), Position(0, 20), Position(50, -5)});
    item.gOffset = 1.0f;
    EXPECT_EQ(Prepare(lap), 150);
    const float period = 0.04f;
    float expectedTotal = 0.0f;
    for (const PositionRec& position : lap.positions) {
        const float step = 0.02777f * static_cast<float>(position.speed);
        const float turn = (static_cast<float>(position.gHorizRaw) * 0.98f - 1.0f) * period;
        EXPECT_FLOAT_EQ(position.stepLength, step);
        EXPECT_FLOAT_EQ(position.turn, turn);
        if (step != 0.0f) // a standing position turns nothing
            expectedTotal += turn / step;
    }
    EXPECT_FLOAT_EQ(item.totalTurn, expectedTotal);
    EXPECT_EQ(item.positionsUsed, 3);
}

TEST_F(DeadReckoningTest, LapWithoutSpeedHasNoCourse)
{
    Lap lap = CircleLap(20, 0, 10);
    EXPECT_EQ(Prepare(lap), -1);
    std::deque<PositionRec> none;
    EXPECT_EQ(PrepareDeadReckoning(core, item, none, 0), -1);
}

TEST_F(DeadReckoningTest, PositionsAfterTheLapEndAreLeftAlone)
{
    Lap lap = CircleLap(5);
    lap.positions[2].lapEndMark = kLapEndMark;
    Prepare(lap);
    EXPECT_EQ(item.positionsUsed, 3);
    EXPECT_EQ(lap.positions[3].stepLength, 0.0f);
    EXPECT_EQ(lap.positions[4].stepLength, 0.0f);
}

TEST_F(DeadReckoningTest, LapWithoutLapEndMarkStopsAtItsLastPosition)
{
    Lap lap = CircleLap(7);
    lap.positions.back().lapEndMark = 0;
    EXPECT_EQ(Prepare(lap), 700);
    EXPECT_EQ(item.positionsUsed, 7);
}

TEST_F(DeadReckoningTest, CorrectionTurnsTheLapToWholeTurns)
{
    // 101 positions turning about 350 degrees: the correction spreads the missing 10 degrees.
    Lap lap = CircleLap(101, 233, 10);
    Prepare(lap);
    const float perStep = (10.0f * 0.98f * 0.04f) / (0.02777f * 233.0f);
    EXPECT_NEAR(item.totalTurn / kDegree, 350.6, 0.1);
    EXPECT_NEAR(item.turnCorrection, (item.totalTurn - kFullTurn) / 100.0f, 1e-6);
    EXPECT_NEAR(item.turnCorrection / kDegree, (101 * perStep / kDegree - 360.0) / 100.0, 1e-3);
}

TEST_F(DeadReckoningTest, CorrectionRoundsToTheNearestTurnWithTheSignOfTheTotal)
{
    struct Row {
        std::uint32_t speed;
        std::int32_t g;
        float turns; // whole turns the total rounds to, signed
    };
    // 100 positions of 0.392 / (0.02777 v) radians each.
    const Row rows[] = {{200, 10, 1.0f}, {120, 10, 2.0f}, {120, -10, -2.0f}, {1000, 10, 0.0f}};
    for (const Row& row : rows) {
        LapAnalysisItem fresh;
        item = fresh;
        Lap lap = CircleLap(100, row.speed, row.g);
        Prepare(lap);
        EXPECT_NEAR(item.turnCorrection, (item.totalTurn - row.turns * kFullTurn) / 99.0f, 1e-6)
            << "speed " << row.speed << " g " << row.g;
    }
}

TEST_F(DeadReckoningTest, OnePositionNeedsNoCorrection)
{
    Lap lap = CircleLap(1, 80, 30);
    EXPECT_EQ(Prepare(lap), 80);
    EXPECT_EQ(item.turnCorrection, 0.0f);
    EXPECT_TRUE(std::isfinite(item.totalTurn));
}

// ---- Second pass ---------------------------------------------------------------------------------

TEST_F(DeadReckoningTest, HeadingStartsAtTheRotation)
{
    Lap lap = CircleLap(4, 100, 0);
    Prepare(lap);
    item.rotation = 90;
    IntegrateHeading(item, lap.positions, 0);
    const float step = 0.02777f * 100.0f;
    for (const PositionRec& position : lap.positions) {
        EXPECT_NEAR(position.stepX, 0.0f, 1e-5);
        EXPECT_NEAR(position.stepY, step, 1e-5);
    }
    EXPECT_NEAR(item.meanStepY, step, 1e-5);
}

TEST_F(DeadReckoningTest, HeadingTurnsByEachStepLessTheCorrection)
{
    Lap lap = CircleLap(30, 150, 12);
    Prepare(lap);
    IntegrateHeading(item, lap.positions, 0);
    double heading = 0.0;
    double sumX = 0.0;
    for (const PositionRec& position : lap.positions) {
        heading += position.turn / position.stepLength - item.turnCorrection;
        EXPECT_NEAR(position.stepX, std::cos(heading) * position.stepLength, 1e-4);
        EXPECT_NEAR(position.stepY, std::sin(heading) * position.stepLength, 1e-4);
        sumX += position.stepX;
    }
    EXPECT_NEAR(item.meanStepX, sumX / 30.0, 1e-5);
}

TEST_F(DeadReckoningTest, RebuildRepeatsBothPassesOfTheBuild)
{
    Lap lap = CircleLap(40, 90, 15, 2);
    Prepare(lap);
    IntegrateHeading(item, lap.positions, 0);
    const LapAnalysisItem built = item;

    core.SamplePeriod = 0.0; // the rebuild takes the lap's own rate again
    LapAnalysisItem rebuilt;
    EXPECT_EQ(RebuildDeadReckoning(core, rebuilt, lap), 0);
    EXPECT_EQ(core.SamplePeriod, 0.25);
    EXPECT_EQ(rebuilt.positionsUsed, built.positionsUsed);
    EXPECT_EQ(rebuilt.totalTurn, built.totalTurn);
    EXPECT_EQ(rebuilt.turnCorrection, built.turnCorrection);
    EXPECT_EQ(rebuilt.meanStepX, built.meanStepX);
    EXPECT_EQ(rebuilt.meanStepY, built.meanStepY);
}

TEST_F(DeadReckoningTest, RebuildRefusesLapsWithoutPositionsOrSpeed)
{
    Lap empty = MakeLap({});
    EXPECT_EQ(RebuildDeadReckoning(core, item, empty), -1);
    Lap standing = CircleLap(12, 0, 5);
    EXPECT_EQ(RebuildDeadReckoning(core, item, standing), -1);
}

} // namespace
} // namespace orvelo
