#include "core/CourseBuilder.h"

#include "core/LogFileReader.h"
#include "core/MapFileWriter.h"
#include "HandBuiltLaps.h"
#include "LogBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <string>
#include <tuple>
#include <vector>

namespace orvelo {
namespace {

using namespace testlaps;
using test::Ints;

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
    // The lap of a one-lap file built in the drawing mode; the build's result in `built`.
    Lap& BuildOne(Lap lap, int mode = kMapDrawOffsetOff)
    {
        file = FileOf({std::move(lap)});
        built = BuildLapAnalysis(core, file, mode);
        return file.laps.front();
    }
    Lap GpsCircle() { return GpsLap(core, 35.37, 138.93, CirclePoints(60, 120.0)); }
    // Asks the lap's first item for another drawing and rebuilds it.
    int AskFor(Lap& lap, int gps, int offset, int mode)
    {
        LapAnalysisItem& item = lap.analysisItems.front();
        std::tie(item.gpsDrawFlag, item.offsetFlag, item.mapDrawMode) = std::tie(gps, offset, mode);
        return RebuildLapGeometry(core, lap);
    }

    // Generates the session, reads it as a log file and builds its courses in the drawing mode.
    LogFile& Load(int laps, samplegen::Variant variant, int mode, int rateMode = 1)
    {
        session = samplegen::GenerateSession({.laps = laps, .rateMode = rateMode, .variant = variant});
        path = scratch.Write("session.dat", session.bytes);
        EXPECT_EQ(ReadLogFile(core, path), session.expectedReadResult);
        built = BuildLapAnalysis(core, core.LogFiles.back(), mode);
        return core.LogFiles.back();
    }

    LapDataCore core;
    LogFile file;
    int built = 0;
    test::ScratchFolder scratch;
    samplegen::Session session;
    std::u16string path;
};

// ---- Building a file's courses --------------------------------------------------------------------

TEST_F(CourseBuilderTest, LapsUpToTheLastLapMarkGetACourseUnlessTheyCannotHaveOne)
{
    file = FileOf({CircleLap(20)});
    file.lapCount = 0;
    EXPECT_EQ(BuildLapAnalysis(core, file, kMapDrawOffsetOff), -1); // no lap-end record in the file

    Lap noPositionCount = CircleLap(10);
    noPositionCount.positionCount = 0;
    Lap countedButEmpty = MakeLap({}); // a lap-end record right after a close
    countedButEmpty.positionCount = 1;
    Lap noDistance = CircleLap(15);
    noDistance.distance = 0;
    file = FileOf({std::move(noPositionCount), std::move(countedButEmpty), CircleLap(15, 0, 10),
                   std::move(noDistance), CircleLap(15), CircleLap(25)});
    file.laps[4].lastLapMark = 0xFF; // a lap after the marked one is not looked at
    file.laps[5].lastLapMark = 0;
    EXPECT_EQ(BuildLapAnalysis(core, file, kMapDrawOffsetOn), 1);
    for (std::size_t i = 0; i < file.laps.size(); ++i) // the flag and no course before lap 4, then neither
        EXPECT_EQ(Ints(file.laps[i].noAnalysisFlag, file.laps[i].analysisItems.size()), Ints(i < 4, i == 4)) << i;
    EXPECT_EQ(file.laps[4].analysisItems.at(0).projectedPoints.size(), 15u);
}

TEST_F(CourseBuilderTest, ShortLapsBuildWithoutReadingPastTheirPositions)
{
    const Lap& point = BuildOne(CircleLap(1, 70, 20), kMapDrawOffsetOn); // one position is no course
    EXPECT_EQ(Ints(built, point.noAnalysisFlag, point.analysisItems.size()), Ints(0, 1, 0));
    for (int count = 2; count <= 13; ++count) {
        const LapAnalysisItem& item = BuildOne(CircleLap(count, 70, 20), kMapDrawOffsetOn).analysisItems.at(0);
        EXPECT_EQ(Ints(built, item.projectedPoints.size(), item.coursePoints.size(), count < 12 && item.directionFlag),
                  Ints(1, count, count - 1, 0));
        EXPECT_TRUE(std::isfinite(item.turnCorrection) && std::isfinite(item.meanStepX)) << count;
    }
}

TEST_F(CourseBuilderTest, LapAverageAndCourseScale)
{
    const Lap& lap = BuildOne(MakeLap({Position(100, 0), Position(51, 0), Position(50, 0)}, 1, 1079));
    // 201 / 3 in whole numbers, 1079 / 180.
    EXPECT_EQ(std::make_pair(lap.average, lap.analysisItems.front().courseScale), std::make_pair(67.0f, 5.0f));
    // Speed but no distance steps: no course, but the average (the list's "A Speed") all the same.
    const Lap& standing = BuildOne(MakeLap({Position(100, 0), Position(51, 0), Position(50, 0)}, 1, 0));
    EXPECT_EQ(Ints(standing.noAnalysisFlag, standing.analysisItems.size()), Ints(1, 0));
    EXPECT_EQ(standing.average, 67.0f);
}

// ---- Drawing modes -------------------------------------------------------------------------------

TEST_F(CourseBuilderTest, OffsetModeRemovesTheMeanLateralG)
{
    ChunkedList<PositionRec> positions;
    for (int i = 0; i < 20; ++i)
        positions.push_back(Position(80, i < 10 ? 4 : 30));
    const Lap& lap = BuildOne(MakeLap(std::move(positions)), kMapDrawOffsetOn);
    const LapAnalysisItem& item = lap.analysisItems.front();
    EXPECT_EQ(Ints(item.offsetFlag, item.mapDrawMode), Ints(1, 0)); // the lap follows the setting
    EXPECT_FLOAT_EQ(item.gOffset, 4 * 0.98f);
    EXPECT_NEAR(lap.positions[0].turn, 0.0f, 1e-6); // the first ten positions now drive straight
}

TEST_F(CourseBuilderTest, GpsModeDrawsLapsWithGpsFromTheirFixesAndReckonsTheOthers)
{
    const Lap& lap = BuildOne(GpsCircle(), kMapDrawGps);
    const LapAnalysisItem& item = lap.analysisItems.front();
    // Where the fixes are projected is checked on generated sessions below.
    EXPECT_EQ(std::make_pair(item.gpsDrawFlag, item.offsetFlag), std::make_pair(1, 0));
    EXPECT_EQ(item.originLatitude, lap.positions.front().latitude);

    Lap saved = GpsCircle();
    saved.gpsSign = 0;
    saved.savedCourseMark = 1; // a saved course counts as a lap with GPS
    EXPECT_EQ(BuildOne(std::move(saved), kMapDrawGps).analysisItems.front().gpsDrawFlag, 1);

    const PointList offsetOff = PointsOf(BuildOne(CircleLap(40), kMapDrawOffsetOff));
    const Lap& reckoned = BuildOne(CircleLap(40), kMapDrawGps);
    EXPECT_EQ(reckoned.analysisItems.front().gpsDrawFlag, 0);
    EXPECT_EQ(PointsOf(reckoned), offsetOff);
}

// ---- Rebuilding one lap --------------------------------------------------------------------------

TEST_F(CourseBuilderTest, RebuildSwitchesBetweenGpsAndReckoningWhereTheLapHasGps)
{
    Lap& lap = BuildOne(GpsCircle());
    const PointList reckoned = PointsOf(lap);
    EXPECT_EQ(AskFor(lap, 1, 0, kMapDrawGps), 0);
    EXPECT_EQ(Ints(lap.analysisItems.size(), lap.analysisItems.at(0).mapDrawMode), Ints(1, kMapDrawGps));
    EXPECT_NEAR(lap.analysisItems[0].projectedPoints[15].x, 120, 1.1); // a quarter round
    EXPECT_NEAR(lap.analysisItems[0].projectedPoints[15].y, -120, 1.1);
    EXPECT_EQ(AskFor(lap, 0, 0, kMapDrawOffsetOff), 0);
    EXPECT_EQ(PointsOf(lap), reckoned);

    Lap& noGps = BuildOne(CircleLap(40, 90, 12));
    const PointList before = PointsOf(noGps);
    EXPECT_EQ(AskFor(noGps, 1, 0, kMapDrawGps), 1); // the course stays, the flag is cleared
    EXPECT_EQ(noGps.analysisItems.front().gpsDrawFlag, 0);
    noGps.analysisItems.front().gpsDrawFlag = 1;
    EXPECT_EQ(RebuildCoursePoints(noGps), 1);
    EXPECT_EQ(PointsOf(noGps), before);
    Lap without = CircleLap(10);
    EXPECT_EQ(Ints(RebuildLapGeometry(core, without), RebuildCoursePoints(without)), Ints(-1, 1));
}

TEST_F(CourseBuilderTest, RotationTurnsAGpsCourseAboutItsCentreAndAReckonedOneAboutItsStart)
{
    Lap& gps = BuildOne(GpsCircle(), kMapDrawGps);
    LapAnalysisItem& item = gps.analysisItems.front();
    const ProjectedPoint start = item.projectedPoints[0];
    const int cx = item.centreX;
    const int cy = item.centreY;
    item.segmentGroups.emplace_back();
    item.rotation = 90;
    EXPECT_EQ(RebuildCoursePoints(gps), 0);
    EXPECT_NEAR(item.projectedPoints[0].x, cx - (start.y - cy), 1);
    EXPECT_NEAR(item.projectedPoints[0].y, cy + (start.x - cx), 1);
    EXPECT_EQ(Ints(item.segmentGroups.size(), item.coursePoints.size()), Ints(0, 59));

    Lap& reckoned = BuildOne(CircleLap(50, 110, 9));
    const PointList before = PointsOf(reckoned);
    reckoned.analysisItems.front().rotation = 90;
    EXPECT_EQ(RebuildCoursePoints(reckoned), 0);
    const PointList after = PointsOf(reckoned);
    for (std::size_t i = 0; i < before.size(); ++i) { // every step turns with the heading
        EXPECT_NEAR(after[i].first, -before[i].second, 2) << i;
        EXPECT_NEAR(after[i].second, before[i].first, 2) << i;
    }
}

TEST_F(CourseBuilderTest, RebuildAllRedrawsTheLapsThatFollowTheSetting)
{
    core.LogFiles.push_back(FileOf({GpsCircle(), CircleLap(40), CircleLap(12, 0, 5)}));
    core.MapFiles.push_back(FileOf({GpsCircle()}));
    BuildLapAnalysis(core, core.LogFiles.front(), kMapDrawOffsetOff);
    BuildLapAnalysis(core, core.MapFiles.front(), kMapDrawOffsetOff);
    auto& laps = core.LogFiles.front().laps;
    const PointList reckoned = PointsOf(laps[1]);
    const auto item = [](const Lap& lap) { return lap.analysisItems.front(); };

    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawOffsetOn), 3);
    EXPECT_EQ(item(laps[1]).offsetFlag, 1);
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawOffsetOff), 3);
    EXPECT_EQ(PointsOf(laps[1]), reckoned);
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawGps), 2); // the laps with GPS
    EXPECT_EQ(item(laps[0]).gpsDrawFlag + item(core.MapFiles.front().laps[0]).gpsDrawFlag, 2);
    EXPECT_EQ(PointsOf(laps[1]), reckoned);
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawGps), 0); // nothing left to do

    AskFor(laps[0], 0, 1, kMapDrawOffsetOn); // a lap with its own mode keeps it
    EXPECT_EQ(RebuildAllAnalysis(core, kMapDrawOffsetOff), 1); // the course-map lap
    EXPECT_EQ(std::make_pair(item(laps[0]).gpsDrawFlag, item(laps[0]).offsetFlag), std::make_pair(0, 1));
}

// ---- Generated sessions --------------------------------------------------------------------------

using samplegen::DrivenPoint;
using samplegen::Variant;

// The driven points of the position records of one expected lap, in file order; an out lap's line
// drops the way there.
std::vector<DrivenPoint> DrivenPointsOf(const samplegen::Session& session, const samplegen::ExpectedLap& lap)
{
    std::vector<DrivenPoint> points;
    for (const DrivenPoint& point : session.positions) {
        if (point.recordIndex >= lap.firstRecord && point.recordIndex < lap.endRecord)
            points.push_back(point);
        if (point.letter == 'L' && point.recordIndex + 1 < lap.endRecord)
            points.clear();
    }
    return points;
}

// Root mean square distance of the course from the driven points after the best turn about their
// centres (the dead-reckoned course starts heading east whatever way the circuit starts). A mirrored
// course cannot be turned onto the circuit.
double ShapeMismatch(const LapAnalysisItem& item, const std::vector<DrivenPoint>& driven)
{
    using Point = std::complex<double>; // x to the east, y to the south
    const std::size_t n = std::min(item.projectedPoints.size(), driven.size());
    std::vector<Point> course(n), truth(n);
    Point courseCentre, truthCentre;
    for (std::size_t i = 0; i < n; ++i) {
        course[i] = {double(item.projectedPoints[i].x), double(item.projectedPoints[i].y)};
        truth[i] = {driven[i].east, -driven[i].north};
        courseCentre += course[i] / double(n);
        truthCentre += truth[i] / double(n);
    }
    Point turn;
    for (std::size_t i = 0; i < n; ++i)
        turn += (course[i] - courseCentre) * std::conj(truth[i] - truthCentre);
    turn /= std::abs(turn);
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i)
        sum += std::norm((truth[i] - truthCentre) * turn - (course[i] - courseCentre));
    return std::sqrt(sum / n);
}

class GeneratedGpsCourseTest : public CourseBuilderTest, public ::testing::WithParamInterface<Variant> {};

TEST_P(GeneratedGpsCourseTest, CourseReproducesTheDrivenCircuit)
{
    const LogFile& file = Load(2, GetParam(), kMapDrawGps);
    ASSERT_EQ(built, 2);
    for (std::size_t k = 0; k < session.laps.size(); ++k) {
        const std::vector<DrivenPoint> driven = DrivenPointsOf(session, session.laps[k]);
        const LapAnalysisItem& item = file.laps[k].analysisItems.front();
        ASSERT_EQ(item.gpsDrawFlag, 1);
        ASSERT_EQ(item.projectedPoints.size(), driven.size());
        for (std::size_t i = 0; i < driven.size(); ++i) {
            // Metres from the lap's first fix; x to the east, y to the south.
            EXPECT_NEAR(item.projectedPoints[i].x, driven[i].east - driven[0].east, 1.1) << k << ' ' << i;
            EXPECT_NEAR(item.projectedPoints[i].y, driven[0].north - driven[i].north, 1.1) << k << ' ' << i;
        }
    }
    // Saved as a course map and read back, a lap has the same course.
    const std::u16string mapPath = test::WidePath(scratch.Path("course.dat"));
    ASSERT_EQ(SaveLapAsMapFile(core, mapPath, path, file.laps[1].lapNumber), 0);
    ASSERT_EQ(ReadMapFile(core, mapPath), 0);
    ASSERT_EQ(BuildLapAnalysis(core, core.MapFiles.back(), kMapDrawGps), 1);
    EXPECT_EQ(core.MapFiles.back().laps.front().savedCourseMark, 1);
    EXPECT_EQ(PointsOf(core.MapFiles.back().laps.front()), PointsOf(file.laps[1]));
}

INSTANTIATE_TEST_SUITE_P(Hemispheres, GeneratedGpsCourseTest,
                         ::testing::Values(Variant::Standard, Variant::SouthernWestern, Variant::PrimeMeridian,
                                           Variant::Equator, Variant::OutLap));

TEST_F(CourseBuilderTest, GeneratedDeadReckonedLapOfAClosedCircuitClosesAtEveryRate)
{
    // The same driving at every sample rate draws the same circuit.
    for (int rateMode = 0; rateMode < 4; ++rateMode) {
        SCOPED_TRACE("rate mode " + std::to_string(rateMode));
        // No GPS: reckoned whatever the setting.
        const LogFile& file = Load(3, Variant::NoGps, kMapDrawGps, rateMode);
        ASSERT_EQ(built, 3);
        for (std::size_t k = 0; k < 3; ++k) {
            const LapAnalysisItem& item = file.laps[k].analysisItems.front();
            EXPECT_EQ(item.gpsDrawFlag, 0);
            const ProjectedPoint& first = item.projectedPoints.front();
            const ProjectedPoint& last = item.projectedPoints.back();
            // One step of the lap apart at most, and the circuit's shape within a few metres.
            EXPECT_LT(std::hypot(last.x - first.x, last.y - first.y), 6.0) << "lap " << k;
            EXPECT_LT(ShapeMismatch(item, DrivenPointsOf(session, session.laps[k])), 4.0) << "lap " << k;
            EXPECT_GT(item.spanX + item.spanY, 200) << "lap " << k; // the whole circuit, not a knot
        }
        core.LogFiles.clear();
    }
}

} // namespace
} // namespace orvelo
