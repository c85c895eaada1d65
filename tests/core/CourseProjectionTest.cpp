#include "core/CourseProjection.h"

#include "core/DeadReckoning.h"
#include "HandBuiltLaps.h"
#include "LogBytes.h"

#include <gtest/gtest.h>

#include <limits>

namespace orvelo {
namespace {

using namespace testlaps;
using test::Ints;

class CourseProjectionTest : public ::testing::Test {
protected:
    // The dead-reckoned course of the lap, built as course building does.
    void Reckon(Lap& lap)
    {
        item = LapAnalysisItem();
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
    std::vector<int> Box() const
    {
        return {item.minX, item.maxX, item.minY, item.maxY, item.spanX, item.spanY, item.centreX, item.centreY};
    }

    LapDataCore core;
    LapAnalysisItem item;
};

// A position whose fix was lost: no hemisphere letters, latitude and longitude 0.
void LoseFix(PositionRec& position)
{
    position.latitudeHemisphere = position.longitudeHemisphere = 0;
    position.latitude = position.longitude = position.parallelRadius = 0.0;
}

TEST_F(CourseProjectionTest, LostFixesStayWhereTheLastFixWasAndTheCourseStartsAtTheFirstFix)
{
    const auto points = CirclePoints(36, 100.0);
    Lap lap = GpsLap(core, -12.0, -77.0, points);
    LoseFix(lap.positions[0]);
    LoseFix(lap.positions[10]);
    LoseFix(lap.positions[11]);
    ProjectGps(lap);
    EXPECT_EQ(item.originLatitude, lap.positions[1].latitude);
    // Before the first fix: the origin; a lost fix keeps the last fix's place but its own distance.
    const auto& p = item.projectedPoints;
    EXPECT_EQ(Ints(p[0].x, p[0].y, p[11].x, p[11].y, p[11].runningDistance), Ints(0, 0, p[9].x, p[9].y, 110));
    for (std::size_t i = 12; i < points.size(); ++i) {
        EXPECT_NEAR(item.projectedPoints[i].x, points[i].first - points[1].first, 1.1) << i;
        EXPECT_NEAR(item.projectedPoints[i].y, points[1].second - points[i].second, 1.1) << i;
    }
}

TEST_F(CourseProjectionTest, SkipFlagsMarkOtherRecordsAndTheLastPointAtTheLapEnd)
{
    Lap lap = CircleLap(8);
    lap.positions[2].otherKindFlag = 1;
    lap.positions[3].runningDistance = 777;
    lap.positions[4].lapEndMark = kLapEndMark;
    Reckon(lap);
    const auto& p = item.projectedPoints;
    EXPECT_EQ(Ints(p.size(), p.at(0).skipFlag, p.at(1).skipFlag, p.at(2).skipFlag, p.at(3).skipFlag, p.at(4).skipFlag,
                   p.at(3).runningDistance),
              Ints(5, 0, 0, 1, 0, -1, 777));
}

TEST_F(CourseProjectionTest, DirectionFlagComparesTheTwelfthPointWithTheSecond)
{
    for (const auto& [count, step, flag] : {std::tuple{12, -10.0, 1}, {11, -10.0, 0}, {14, 10.0, 0}}) {
        std::vector<std::pair<double, double>> line;
        for (int i = 0; i < count; ++i)
            line.emplace_back(step * i, 0.0);
        ProjectGps(GpsLap(core, 35.0, 139.0, line));
        EXPECT_EQ(item.directionFlag, flag) << count << " points of " << step;
    }
}

TEST_F(CourseProjectionTest, BoxOfThePointsAndRotationAboutItsCentre)
{
    SetPoints({{-50, -80}, {-10, -20}, {-30, -90}}); // away from the origin
    EXPECT_EQ(Box(), (std::vector<int>{-50, -10, -90, -20, 40, 70, -30, -55}));
    // A 20 x 200 course north of its start lies crosswise after a quarter turn about its centre
    // (10, -100): every y stays negative, so the box must follow the points, not include the origin.
    SetPoints({{0, 0}, {20, 0}, {20, -200}, {0, -200}});
    item.directionFlag = 1;
    item.rotation = 90;
    RotateCourse(item);
    const std::vector<int> expected{-90, -90, -90, 110, -110, -90, 200, 20, 10, -100};
    std::vector<int> actual = Box();
    actual.insert(actual.begin(), {item.projectedPoints[1].x, item.projectedPoints[1].y});
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 2) << "point 1 x and y, then the box, value " << i;
    EXPECT_EQ(item.directionFlag, 1);
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
