#include "core/CourseProjection.h"

#include "core/DeadReckoning.h"
#include "HandBuiltLaps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace orvelo {
namespace {

using testlaps::CircleLap;
using testlaps::CirclePoints;
using testlaps::GpsLap;
using testlaps::MakeLap;

class CourseProjectionTest : public ::testing::Test {
protected:
    // The dead-reckoned course of the lap, built as course building does.
    void Reckon(Lap& lap)
    {
        SetRateConstants(core, RateModeOfLap(lap));
        PrepareDeadReckoning(core, item, lap.positions, 0);
        IntegrateHeading(item, lap.positions, 0);
        ProjectCourse(item, lap.positions, 0);
    }

    // The GPS course of the lap with its first position as origin.
    void ProjectGps(const Lap& lap)
    {
        item.gpsDrawFlag = 1;
        TakeGpsOrigin(item, lap.positions);
        ProjectCourse(item, lap.positions, 0);
    }

    void SetPoints(std::initializer_list<std::pair<int, int>> points)
    {
        item.projectedPoints.clear();
        for (const auto& [x, y] : points)
            item.projectedPoints.push_back(ProjectedPoint{x, y, 0, 0});
        UpdateCourseBox(item);
    }

    void ExpectBox(int minX, int maxX, int minY, int maxY)
    {
        EXPECT_EQ(item.minX, minX);
        EXPECT_EQ(item.maxX, maxX);
        EXPECT_EQ(item.minY, minY);
        EXPECT_EQ(item.maxY, maxY);
        EXPECT_EQ(item.spanX, maxX - minX);
        EXPECT_EQ(item.spanY, maxY - minY);
        EXPECT_EQ(item.centreX, minX + (maxX - minX) / 2);
        EXPECT_EQ(item.centreY, minY + (maxY - minY) / 2);
    }

    LapDataCore core;
    LapAnalysisItem item;
};

// ---- GPS projection ------------------------------------------------------------------------------

// A position whose fix was lost: no hemisphere letters, latitude and longitude 0.
void LoseFix(PositionRec& position)
{
    position.latitudeHemisphere = 0;
    position.longitudeHemisphere = 0;
    position.latitude = position.longitude = position.parallelRadius = 0.0;
}

TEST_F(CourseProjectionTest, LostFixStaysWhereTheLastFixWas)
{
    Lap lap = GpsLap(core, 35.0, 139.0, CirclePoints(36, 100.0));
    LoseFix(lap.positions[10]);
    LoseFix(lap.positions[11]);
    ProjectGps(lap);
    EXPECT_EQ(item.projectedPoints[10].x, item.projectedPoints[9].x);
    EXPECT_EQ(item.projectedPoints[11].y, item.projectedPoints[9].y);
    EXPECT_EQ(item.projectedPoints[11].runningDistance, 110); // the point keeps its own distance
    EXPECT_NEAR(item.spanX, 200, 2);
    EXPECT_NEAR(item.spanY, 200, 2);
}

TEST_F(CourseProjectionTest, CourseStartsFromTheFirstFix)
{
    const auto points = CirclePoints(36, 100.0);
    Lap lap = GpsLap(core, -12.0, -77.0, points);
    LoseFix(lap.positions[0]);
    ProjectGps(lap);
    EXPECT_EQ(item.originLatitude, lap.positions[1].latitude);
    EXPECT_EQ(item.projectedPoints[0].x, 0); // before the first fix: the origin
    EXPECT_EQ(item.projectedPoints[0].y, 0);
    for (std::size_t i = 1; i < points.size(); ++i) {
        EXPECT_NEAR(item.projectedPoints[i].x, points[i].first - points[1].first, 1.1) << i;
        EXPECT_NEAR(item.projectedPoints[i].y, points[1].second - points[i].second, 1.1) << i;
    }
}

// ---- Dead-reckoned projection --------------------------------------------------------------------

TEST_F(CourseProjectionTest, DeadReckonedLoopClosesOnItsStart)
{
    Lap lap = CircleLap(45, 100, 10);
    Reckon(lap);
    const auto& points = item.projectedPoints;
    ASSERT_EQ(points.size(), 45u);
    // The last point returns to the start, the first lies one step from it.
    EXPECT_LE(std::abs(points.back().x), 1);
    EXPECT_LE(std::abs(points.back().y), 1);
    const double step = 0.02777 * 100;
    EXPECT_LE(std::hypot(points.back().x - points.front().x, points.back().y - points.front().y), step + 1.5);
    // A real loop, not a point: the circle is about 2.78 m * 45 / pi across.
    EXPECT_GT(item.spanX, 30);
    EXPECT_GT(item.spanY, 30);
}

TEST_F(CourseProjectionTest, DeadReckonedLoopOfAnyLengthCloses)
{
    for (int count : {2, 3, 17, 160}) {
        Lap lap = CircleLap(count, 120, -14, 0);
        item = LapAnalysisItem();
        Reckon(lap);
        EXPECT_LE(std::abs(item.projectedPoints.back().x), 1) << count << " positions";
        EXPECT_LE(std::abs(item.projectedPoints.back().y), 1) << count << " positions";
    }
}

TEST_F(CourseProjectionTest, SkipFlagsMarkOtherRecordsAndTheLastPoint)
{
    Lap lap = CircleLap(5);
    lap.positions[2].otherKindFlag = 1;
    lap.positions[3].runningDistance = 777;
    Reckon(lap);
    const int expected[] = {0, 0, 1, 0, -1};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(item.projectedPoints[i].skipFlag, expected[i]) << i;
    EXPECT_EQ(item.projectedPoints[3].runningDistance, 777);
}

TEST_F(CourseProjectionTest, ProjectionStopsAtTheLapEnd)
{
    Lap lap = CircleLap(8);
    lap.positions[4].lapEndMark = kLapEndMark;
    Reckon(lap);
    EXPECT_EQ(item.projectedPoints.size(), 5u);
    EXPECT_EQ(item.projectedPoints.back().skipFlag, -1);
}

TEST_F(CourseProjectionTest, DirectionFlagComparesTheTwelfthPointWithTheSecond)
{
    std::vector<std::pair<double, double>> westward;
    for (int i = 0; i < 12; ++i)
        westward.emplace_back(-10.0 * i, 0.0);
    ProjectGps(GpsLap(core, 35.0, 139.0, westward));
    EXPECT_EQ(item.directionFlag, 1);

    westward.pop_back(); // eleven points: no twelfth to compare
    ProjectGps(GpsLap(core, 35.0, 139.0, westward));
    EXPECT_EQ(item.directionFlag, 0);

    std::vector<std::pair<double, double>> eastward;
    for (int i = 0; i < 14; ++i)
        eastward.emplace_back(10.0 * i, 0.0);
    ProjectGps(GpsLap(core, 35.0, 139.0, eastward));
    EXPECT_EQ(item.directionFlag, 0);
}

// ---- Box and rotation ----------------------------------------------------------------------------

TEST_F(CourseProjectionTest, BoxCentreAndSpansOfThePoints)
{
    SetPoints({{0, 0}, {-7, 40}, {120, -3}, {31, 15}});
    ExpectBox(-7, 120, -3, 40);
    EXPECT_EQ(item.centreX, 56); // -7 + 127 / 2
}

TEST_F(CourseProjectionTest, BoxOfACourseAwayFromTheOrigin)
{
    SetPoints({{-50, -80}, {-10, -20}, {-30, -90}});
    ExpectBox(-50, -10, -90, -20);
    SetPoints({});
    ExpectBox(0, 0, 0, 0);
}

TEST_F(CourseProjectionTest, RotationTurnsEachPointAboutTheCentre)
{
    SetPoints({{90, 50}, {110, 50}, {100, 40}, {100, 60}});
    ASSERT_EQ(item.centreX, 100);
    ASSERT_EQ(item.centreY, 50);
    item.rotation = 90;
    RotateCourse(item);
    EXPECT_NEAR(item.projectedPoints[1].x, 100, 1);
    EXPECT_NEAR(item.projectedPoints[1].y, 60, 1);
    EXPECT_NEAR(item.projectedPoints[2].x, 110, 1);
    EXPECT_NEAR(item.projectedPoints[2].y, 50, 1);

    SetPoints({{90, 50}, {110, 50}, {100, 40}, {100, 60}});
    item.rotation = 180;
    RotateCourse(item);
    EXPECT_NEAR(item.projectedPoints[1].x, 90, 1);
    EXPECT_NEAR(item.projectedPoints[1].y, 50, 1);
}

TEST_F(CourseProjectionTest, RotationRecomputesTheBoxButKeepsTheDirection)
{
    // A 20 x 200 course north of its start lies crosswise after a quarter turn about its centre
    // (10, -100): every y stays negative, so the box must follow the points, not include the origin.
    SetPoints({{0, 0}, {20, 0}, {20, -200}, {0, -200}});
    item.directionFlag = 1;
    item.rotation = 90;
    RotateCourse(item);
    EXPECT_NEAR(item.minX, -90, 1);
    EXPECT_NEAR(item.maxX, 110, 1);
    EXPECT_NEAR(item.minY, -110, 1);
    EXPECT_NEAR(item.maxY, -90, 1);
    EXPECT_NEAR(item.spanX, 200, 2);
    EXPECT_NEAR(item.spanY, 20, 2);
    EXPECT_NEAR(item.centreY, -100, 1);
    EXPECT_EQ(item.directionFlag, 1);
}

TEST_F(CourseProjectionTest, NoRotationLeavesThePointsAlone)
{
    SetPoints({{3, 4}, {-5, 9}});
    RotateCourse(item);
    EXPECT_EQ(item.projectedPoints[1].x, -5);
    EXPECT_EQ(item.projectedPoints[1].y, 9);
}

TEST(TruncateToInt32Test, TruncatesTowardZeroAndSaturates)
{
    EXPECT_EQ(TruncateToInt32(-1.7), -1);
    EXPECT_EQ(TruncateToInt32(2.99), 2);
    EXPECT_EQ(TruncateToInt32(1e12), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(TruncateToInt32(-1e12), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(TruncateToInt32(std::nan("")), 0);
}

} // namespace
} // namespace orvelo
