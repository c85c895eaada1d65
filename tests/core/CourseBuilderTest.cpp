#include "core/CourseBuilder.h"

#include "core/CourseProjection.h"
#include "HandBuiltLaps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace orvelo {
namespace {

using testlaps::CircleLap;
using testlaps::CirclePoints;
using testlaps::FileOf;
using testlaps::GpsLap;
using testlaps::MakeLap;
using testlaps::Position;

using PointList = std::vector<std::pair<int, int>>;

PointList PointsOf(const Lap& lap)
{
    PointList points;
    for (const ProjectedPoint& point : lap.analysisItems.front().projectedPoints)
        points.emplace_back(point.x, point.y);
    return points;
}

class CourseBuilderTest : public ::testing::Test {
protected:
    // The first lap of a one-lap file built in the drawing mode; the build's result in `built`.
    Lap& BuildOne(Lap lap, int mode = kMapDrawOffsetOff)
    {
        file = FileOf({});
        file.laps.push_back(std::move(lap));
        file.laps.back().lastLapMark = 0xFF;
        file.lapCount = 1;
        built = BuildLapAnalysis(core, file, mode);
        return file.laps.front();
    }

    Lap GpsCircle() { return GpsLap(core, 35.37, 138.93, CirclePoints(60, 120.0)); }

    // Asks the lap's first item for another drawing and rebuilds it.
    int AskFor(Lap& lap, int gps, int offset, int mode)
    {
        LapAnalysisItem& item = lap.analysisItems.front();
        item.gpsDrawFlag = gps;
        item.offsetFlag = offset;
        item.mapDrawMode = mode;
        return RebuildLapGeometry(core, lap);
    }

    LapDataCore core;
    LogFile file;
    int built = 0;
};

// ---- Building a file's courses --------------------------------------------------------------------

TEST_F(CourseBuilderTest, FileWithoutLapEndRecordHasNoCourses)
{
    file = FileOf({CircleLap(20)});
    file.lapCount = 0;
    EXPECT_EQ(BuildLapAnalysis(core, file, kMapDrawOffsetOff), -1);
    EXPECT_TRUE(file.laps.front().analysisItems.empty());
}

TEST_F(CourseBuilderTest, EveryLapUpToTheLastLapMarkGetsACourse)
{
    file = FileOf({CircleLap(20), CircleLap(30), CircleLap(25)});
    file.laps[1].lastLapMark = 0xFF; // a lap after the marked one is not looked at
    file.laps[2].lastLapMark = 0;
    EXPECT_EQ(BuildLapAnalysis(core, file, kMapDrawOffsetOff), 2);
    EXPECT_EQ(file.laps[0].analysisItems.size(), 1u);
    EXPECT_EQ(file.laps[1].analysisItems.front().projectedPoints.size(), 30u);
    EXPECT_TRUE(file.laps[2].analysisItems.empty());
}

TEST_F(CourseBuilderTest, LapsThatCannotHaveACourseGetTheNoAnalysisFlag)
{
    Lap noPositionCount = CircleLap(10);
    noPositionCount.positionCount = 0;
    Lap countedButEmpty = MakeLap({}); // a lap-end record right after a close
    countedButEmpty.positionCount = 1;
    Lap standing = CircleLap(15, 0, 10);
    Lap noDistance = CircleLap(15);
    noDistance.distance = 0;
    file = FileOf({std::move(noPositionCount), std::move(countedButEmpty), std::move(standing),
                   std::move(noDistance), CircleLap(15)});
    EXPECT_EQ(BuildLapAnalysis(core, file, kMapDrawOffsetOn), 1);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(file.laps[i].noAnalysisFlag, 1) << "lap " << i;
        EXPECT_TRUE(file.laps[i].analysisItems.empty()) << "lap " << i;
    }
    EXPECT_EQ(file.laps[4].noAnalysisFlag, 0);
}

TEST_F(CourseBuilderTest, ShortLapsBuildWithoutReadingPastTheirPositions)
{
    for (int count = 1; count <= 13; ++count) {
        const Lap& lap = BuildOne(CircleLap(count, 70, 20), kMapDrawOffsetOn);
        ASSERT_EQ(built, 1) << count;
        const LapAnalysisItem& item = lap.analysisItems.front();
        EXPECT_EQ(item.projectedPoints.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(item.coursePoints.size(), static_cast<std::size_t>(count - 1));
        EXPECT_TRUE(std::isfinite(item.turnCorrection));
        EXPECT_TRUE(std::isfinite(item.meanStepX));
        if (count < 12) {
            EXPECT_EQ(item.directionFlag, 0);
        }
    }
}

TEST_F(CourseBuilderTest, LapAverageAndCourseScale)
{
    std::deque<PositionRec> positions{Position(100, 0), Position(51, 0), Position(50, 0)};
    const Lap& lap = BuildOne(MakeLap(std::move(positions), 1, 1079));
    EXPECT_EQ(lap.average, 67.0f); // 201 / 3, whole numbers
    EXPECT_EQ(lap.analysisItems.front().courseScale, 5.0f); // 1079 / 180
    EXPECT_EQ(lap.analysisItems.front().positionsUsed, 3);
}

// ---- Drawing modes -------------------------------------------------------------------------------

TEST_F(CourseBuilderTest, OffsetModeRemovesTheMeanLateralG)
{
    std::deque<PositionRec> positions;
    for (int i = 0; i < 20; ++i)
        positions.push_back(Position(80, i < 10 ? 4 : 30));
    const Lap& lap = BuildOne(MakeLap(std::move(positions)), kMapDrawOffsetOn);
    const LapAnalysisItem& item = lap.analysisItems.front();
    EXPECT_EQ(item.offsetFlag, 1);
    EXPECT_EQ(item.gpsDrawFlag, 0);
    EXPECT_FLOAT_EQ(item.gOffset, 4 * 0.98f);
    EXPECT_NEAR(lap.positions[0].turn, 0.0f, 1e-6); // the first ten positions now drive straight
    EXPECT_EQ(item.mapDrawMode, 0);                 // the lap follows the setting
}

TEST_F(CourseBuilderTest, GpsModeDrawsLapsWithGpsFromTheirFixes)
{
    const Lap& lap = BuildOne(GpsCircle(), kMapDrawGps);
    const LapAnalysisItem& item = lap.analysisItems.front();
    EXPECT_EQ(item.gpsDrawFlag, 1);
    EXPECT_EQ(item.offsetFlag, 0);
    EXPECT_EQ(item.mapDrawMode, 0);
    EXPECT_EQ(item.originLatitude, lap.positions.front().latitude);
    const auto points = CirclePoints(60, 120.0);
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_NEAR(item.projectedPoints[i].y, -points[i].second, 1.1) << i;
}

TEST_F(CourseBuilderTest, GpsModeTakesTheSavedCourseMarkForTheGpsSign)
{
    Lap saved = GpsCircle();
    saved.gpsSign = 0;
    saved.savedCourseMark = 1;
    EXPECT_EQ(BuildOne(std::move(saved), kMapDrawGps).analysisItems.front().gpsDrawFlag, 1);
}

TEST_F(CourseBuilderTest, GpsModeReckonsLapsWithoutGps)
{
    Lap reckoned = CircleLap(40);
    const PointList offsetOff = PointsOf(BuildOne(reckoned, kMapDrawOffsetOff));
    const Lap& lap = BuildOne(std::move(reckoned), kMapDrawGps);
    EXPECT_EQ(lap.analysisItems.front().gpsDrawFlag, 0);
    EXPECT_EQ(lap.analysisItems.front().offsetFlag, 0);
    EXPECT_EQ(PointsOf(lap), offsetOff);
}

// ---- Rebuilding one lap --------------------------------------------------------------------------

TEST_F(CourseBuilderTest, GpsAskedForALapWithoutGpsKeepsItsCourse)
{
    Lap& lap = BuildOne(CircleLap(40, 90, 12));
    const PointList before = PointsOf(lap);
    EXPECT_EQ(AskFor(lap, 1, 0, kMapDrawGps), 1);
    EXPECT_EQ(lap.analysisItems.front().gpsDrawFlag, 0);
    EXPECT_EQ(PointsOf(lap), before);
    EXPECT_EQ(lap.analysisItems.front().coursePoints.size(), 39u);
}

TEST_F(CourseBuilderTest, RebuildSwitchesBetweenGpsAndReckoning)
{
    Lap& lap = BuildOne(GpsCircle());
    const PointList reckoned = PointsOf(lap);
    EXPECT_EQ(AskFor(lap, 1, 0, kMapDrawGps), 0);
    EXPECT_EQ(lap.analysisItems.size(), 1u);
    EXPECT_EQ(lap.analysisItems.front().mapDrawMode, kMapDrawGps);
    EXPECT_NEAR(lap.analysisItems.front().projectedPoints[15].x, 120, 1.1); // a quarter round
    EXPECT_NEAR(lap.analysisItems.front().projectedPoints[15].y, -120, 1.1);

    EXPECT_EQ(AskFor(lap, 0, 0, kMapDrawOffsetOff), 0);
    EXPECT_EQ(PointsOf(lap), reckoned);
}

TEST_F(CourseBuilderTest, RebuildInTheSameModeGivesTheSameCourse)
{
    std::deque<PositionRec> positions;
    for (int i = 0; i < 80; ++i)
        positions.push_back(Position(60 + i % 7, (i * 37) % 41 - 15));
    Lap& lap = BuildOne(MakeLap(std::move(positions), 0), kMapDrawOffsetOn);
    const PointList built = PointsOf(lap);
    const LapAnalysisItem before = lap.analysisItems.front();
    EXPECT_EQ(AskFor(lap, 0, 1, kMapDrawOffsetOn), 0);
    EXPECT_EQ(PointsOf(lap), built);
    EXPECT_EQ(lap.analysisItems.front().gOffset, before.gOffset);
    EXPECT_EQ(lap.analysisItems.front().centreX, before.centreX);
    EXPECT_EQ(lap.analysisItems.front().courseScale, before.courseScale);
}

TEST_F(CourseBuilderTest, RebuildOfALapWithoutCourseFails)
{
    Lap lap = CircleLap(10);
    EXPECT_EQ(RebuildLapGeometry(core, lap), -1);
}

// ---- Rebuilding the course points ----------------------------------------------------------------

TEST_F(CourseBuilderTest, RotatedGpsCourseTurnsAboutItsCentre)
{
    Lap& lap = BuildOne(GpsCircle(), kMapDrawGps);
    LapAnalysisItem& item = lap.analysisItems.front();
    const ProjectedPoint start = item.projectedPoints[0];
    const int cx = item.centreX;
    const int cy = item.centreY;
    item.segmentGroups.emplace_back();
    item.rotation = 90;
    EXPECT_EQ(RebuildCoursePoints(lap), 0);
    EXPECT_NEAR(item.projectedPoints[0].x, cx - (start.y - cy), 1);
    EXPECT_NEAR(item.projectedPoints[0].y, cy + (start.x - cx), 1);
    EXPECT_TRUE(item.segmentGroups.empty());
    EXPECT_EQ(item.coursePoints.size(), 59u);
}

TEST_F(CourseBuilderTest, RotatedReckonedCourseStartsOnTheTurnedHeading)
{
    Lap& lap = BuildOne(CircleLap(50, 110, 9));
    const PointList before = PointsOf(lap);
    lap.analysisItems.front().rotation = 90;
    EXPECT_EQ(RebuildCoursePoints(lap), 0);
    const PointList after = PointsOf(lap);
    // Every step turns with the heading, so the course turns about its start.
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_NEAR(after[i].first, -before[i].second, 2) << i;
        EXPECT_NEAR(after[i].second, before[i].first, 2) << i;
    }
}

TEST_F(CourseBuilderTest, CoursePointsOfALapWithoutGpsAreNotRedrawnFromGps)
{
    Lap& lap = BuildOne(CircleLap(30));
    const PointList before = PointsOf(lap);
    lap.analysisItems.front().gpsDrawFlag = 1;
    EXPECT_EQ(RebuildCoursePoints(lap), 1);
    EXPECT_EQ(PointsOf(lap), before);
    EXPECT_EQ(lap.analysisItems.front().coursePoints.size(), 29u);

    Lap without = CircleLap(5);
    EXPECT_EQ(RebuildCoursePoints(without), 1);
}

// ---- Rebuilding every lap for a new setting ------------------------------------------------------

class RebuildAllTest : public CourseBuilderTest {
protected:
    void SetUp() override
    {
        core.LogFiles.push_back(FileOf({GpsCircle(), CircleLap(40), CircleLap(12, 0, 5)}));
        core.MapFiles.push_back(FileOf({GpsCircle()}));
        for (LogFile& loaded : core.LogFiles)
            BuildLapAnalysis(core, loaded, kMapDrawOffsetOff);
        BuildLapAnalysis(core, core.MapFiles.front(), kMapDrawOffsetOff);
        reckoned = PointsOf(core.LogFiles[0].laps[1]);
    }

    const LapAnalysisItem& ItemOf(std::deque<LogFile>& files, int lap)
    {
        return files.front().laps[lap].analysisItems.front();
    }

    PointList reckoned;
};

TEST_F(RebuildAllTest, GpsSettingRedrawsTheLapsThatHaveGps)
{
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawGps), 2);
    EXPECT_EQ(ItemOf(core.LogFiles, 0).gpsDrawFlag, 1);
    EXPECT_EQ(ItemOf(core.MapFiles, 0).gpsDrawFlag, 1);
    EXPECT_EQ(ItemOf(core.LogFiles, 0).mapDrawMode, 0);
    // Without GPS the lap stays reckoned without offset, as it already was.
    EXPECT_EQ(ItemOf(core.LogFiles, 1).gpsDrawFlag, 0);
    EXPECT_EQ(PointsOf(core.LogFiles[0].laps[1]), reckoned);
    EXPECT_EQ(core.LogFiles[0].laps[2].noAnalysisFlag, 1);
    // Nothing left to do for the same setting.
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawGps), 0);
}

TEST_F(RebuildAllTest, OffsetSettingAndBackAgain)
{
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawOffsetOn), 3);
    EXPECT_EQ(ItemOf(core.LogFiles, 1).offsetFlag, 1);
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawOffsetOff), 3);
    EXPECT_EQ(ItemOf(core.LogFiles, 1).offsetFlag, 0);
    EXPECT_EQ(PointsOf(core.LogFiles[0].laps[1]), reckoned);
}

TEST_F(RebuildAllTest, LapsWithTheirOwnModeKeepIt)
{
    AskFor(core.LogFiles[0].laps[0], 0, 1, kMapDrawOffsetOn);
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawGps), 1); // the course-map lap only
    EXPECT_EQ(ItemOf(core.LogFiles, 0).gpsDrawFlag, 0);
    EXPECT_EQ(ItemOf(core.LogFiles, 0).offsetFlag, 1);
}

} // namespace
} // namespace orvelo
