#include "core/CourseBuilder.h"

#include "core/CourseProjection.h"
#include "core/LogFileReader.h"
#include "core/MapFileWriter.h"
#include "HandBuiltLaps.h"
#include "LogBytes.h"
#include "tools/SampleSession.h"

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

// ---- Generated sessions --------------------------------------------------------------------------

namespace generated {

using samplegen::DrivenPoint;
using samplegen::Session;
using samplegen::SessionOptions;
using samplegen::Variant;

// The driven points of the position records of one expected lap, in file order.
std::vector<DrivenPoint> DrivenPointsOf(const Session& session, const samplegen::ExpectedLap& lap)
{
    std::vector<DrivenPoint> points;
    for (const DrivenPoint& point : session.positions) {
        if (point.recordIndex >= lap.firstRecord && point.recordIndex < lap.endRecord)
            points.push_back(point);
    }
    return points;
}

class GeneratedSessionTest : public ::testing::Test {
protected:
    // Generates the session, reads it as a log file and builds its courses in the drawing mode.
    const Session& Load(SessionOptions options, int mode)
    {
        session = samplegen::GenerateSession(options);
        path = scratch.Write("session.dat", session.bytes);
        EXPECT_EQ(ReadLogFile(core, path), session.expectedReadResult);
        built = BuildLapAnalysis(core, core.LogFiles.back(), mode);
        return session;
    }

    LogFile& Loaded() { return core.LogFiles.back(); }

    LapDataCore core;
    test::ScratchFolder scratch;
    Session session;
    std::u16string path;
    int built = 0;
};

struct GeneratedPlace {
    const char* name;
    Variant variant;
};

class GeneratedGpsCourseTest : public GeneratedSessionTest,
                               public ::testing::WithParamInterface<GeneratedPlace> {};

TEST_P(GeneratedGpsCourseTest, CourseReproducesTheDrivenCircuit)
{
    SessionOptions options;
    options.laps = 2;
    options.variant = GetParam().variant;
    Load(options, kMapDrawGps);
    ASSERT_EQ(built, 2);
    for (std::size_t k = 0; k < session.laps.size(); ++k) {
        const Lap& lap = Loaded().laps[k];
        const std::vector<DrivenPoint> driven = DrivenPointsOf(session, session.laps[k]);
        const LapAnalysisItem& item = lap.analysisItems.front();
        ASSERT_EQ(item.gpsDrawFlag, 1);
        ASSERT_EQ(item.projectedPoints.size(), driven.size());
        for (std::size_t i = 0; i < driven.size(); ++i) {
            SCOPED_TRACE("lap " + std::to_string(k) + " point " + std::to_string(i));
            // Metres from the lap's first fix; x to the east, y to the south.
            EXPECT_NEAR(item.projectedPoints[i].x, driven[i].east - driven[0].east, 1.1);
            EXPECT_NEAR(item.projectedPoints[i].y, driven[0].north - driven[i].north, 1.1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Hemispheres, GeneratedGpsCourseTest,
                         ::testing::Values(GeneratedPlace{"NorthEast", Variant::Standard},
                                           GeneratedPlace{"SouthWest", Variant::SouthernWestern},
                                           GeneratedPlace{"PrimeMeridian", Variant::PrimeMeridian},
                                           GeneratedPlace{"Equator", Variant::Equator}),
                         [](const auto& info) { return std::string(info.param.name); });

// Root mean square distance of the course from the driven points after the best turn about their
// centres: the dead-reckoned course starts heading east whatever way the circuit starts.
double ShapeMismatch(const LapAnalysisItem& item, const std::vector<DrivenPoint>& driven)
{
    const std::size_t n = std::min(item.projectedPoints.size(), driven.size());
    using Vector = std::pair<double, double>;
    std::vector<Vector> course(n), truth(n); // x to the east, y to the south
    for (std::size_t i = 0; i < n; ++i) {
        course[i] = {item.projectedPoints[i].x, item.projectedPoints[i].y};
        truth[i] = {driven[i].east, -driven[i].north};
    }
    for (std::vector<Vector>* points : {&course, &truth}) {
        Vector centre{0, 0};
        for (const Vector& p : *points)
            centre = {centre.first + p.first / n, centre.second + p.second / n};
        for (Vector& p : *points)
            p = {p.first - centre.first, p.second - centre.second};
    }
    double dot = 0, cross = 0;
    for (std::size_t i = 0; i < n; ++i) {
        dot += truth[i].first * course[i].first + truth[i].second * course[i].second;
        cross += truth[i].first * course[i].second - truth[i].second * course[i].first;
    }
    const double angle = std::atan2(cross, dot);
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double x = truth[i].first * std::cos(angle) - truth[i].second * std::sin(angle);
        const double y = truth[i].first * std::sin(angle) + truth[i].second * std::cos(angle);
        sum += std::pow(x - course[i].first, 2) + std::pow(y - course[i].second, 2);
    }
    return std::sqrt(sum / n);
}

TEST_F(GeneratedSessionTest, DeadReckonedLapOfAClosedCircuitCloses)
{
    SessionOptions options;
    options.laps = 3;
    options.variant = Variant::NoGps;
    Load(options, kMapDrawGps); // no GPS: reckoned whatever the setting
    ASSERT_EQ(built, 3);
    for (std::size_t k = 0; k < 3; ++k) {
        const LapAnalysisItem& item = Loaded().laps[k].analysisItems.front();
        EXPECT_EQ(item.gpsDrawFlag, 0);
        const ProjectedPoint& first = item.projectedPoints.front();
        const ProjectedPoint& last = item.projectedPoints.back();
        // One step of the lap apart at most, and the circuit's shape within a few metres.
        EXPECT_LT(std::hypot(last.x - first.x, last.y - first.y), 6.0) << "lap " << k;
        EXPECT_LT(ShapeMismatch(item, DrivenPointsOf(session, session.laps[k])), 4.0) << "lap " << k;
        EXPECT_GT(item.spanX + item.spanY, 200); // the whole circuit, not a knot
    }
}

TEST_F(GeneratedSessionTest, LapsWithoutSpeedOrPositionsGetNoCourse)
{
    for (Variant variant : {Variant::ZeroSpeedLap, Variant::NoPositionLap, Variant::NoPositionFinalLap}) {
        SessionOptions options;
        options.laps = 3;
        options.variant = variant;
        Load(options, kMapDrawOffsetOn);
        int without = 0;
        for (const Lap& lap : Loaded().laps) {
            if (lap.noAnalysisFlag != 0) {
                ++without;
                EXPECT_TRUE(lap.analysisItems.empty());
            }
        }
        EXPECT_GE(without, 1) << samplegen::VariantName(variant);
        EXPECT_EQ(built + without, static_cast<int>(Loaded().laps.size())) << samplegen::VariantName(variant);
    }
}

TEST_F(GeneratedSessionTest, SavedLapReadAsACourseMapHasTheSameCourse)
{
    SessionOptions options;
    options.laps = 3;
    options.circuit = samplegen::CircuitShape::Stadium;
    Load(options, kMapDrawGps);
    const Lap& lap = Loaded().laps[1];
    const std::u16string mapPath = test::WidePath(scratch.Path("course.dat"));
    ASSERT_EQ(SaveLapAsMapFile(core, mapPath, path, lap.lapNumber), 0);

    ASSERT_EQ(ReadMapFile(core, mapPath), 0);
    LogFile& map = core.MapFiles.back();
    ASSERT_EQ(BuildLapAnalysis(core, map, kMapDrawGps), 1);
    const Lap& course = map.laps.front();
    EXPECT_EQ(course.savedCourseMark, 1);
    ASSERT_EQ(course.analysisItems.front().gpsDrawFlag, 1);
    EXPECT_EQ(course.positions.size(), lap.positions.size());
    const auto& expected = lap.analysisItems.front().coursePoints;
    const auto& actual = course.analysisItems.front().coursePoints;
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].x, expected[i].x) << i;
        EXPECT_EQ(actual[i].y, expected[i].y) << i;
        EXPECT_EQ(actual[i].cumulativeDistance, expected[i].cumulativeDistance) << i;
    }
}

TEST_F(GeneratedSessionTest, RandomRecordsNeverBreakCourseBuilding)
{
    for (std::uint64_t seed = 1; seed <= 12; ++seed) {
        path = scratch.Write("junk" + std::to_string(seed) + ".dat", samplegen::GenerateRandomRecords(seed, 3000));
        ReadLogFile(core, path);
        LogFile& junk = core.LogFiles.back();
        const int mode = static_cast<int>(seed % 3) + 1;
        BuildLapAnalysis(core, junk, mode);
        for (Lap& lap : junk.laps) {
            EXPECT_EQ(lap.noAnalysisFlag != 0, lap.analysisItems.empty());
            if (lap.analysisItems.empty())
                continue;
            const LapAnalysisItem& item = lap.analysisItems.front();
            EXPECT_LE(item.minX, item.maxX);
            EXPECT_LE(item.minY, item.maxY);
            EXPECT_LE(item.coursePoints.size(), item.projectedPoints.size());
            lap.analysisItems.front().rotation = static_cast<std::int32_t>(seed * 47 % 360) - 180;
            RebuildCoursePoints(lap);
        }
        RebuildAllAnalysis(core, mode % 3 + 1);
    }
}

} // namespace generated

} // namespace
} // namespace orvelo
