#include "core/CourseBuilder.h"

#include "core/CourseProjection.h"
#include "core/DeadReckoning.h"
#include "core/LapDataCore.h"
#include "core/VectorState.h"

#include <utility>

namespace orvelo {

namespace {

constexpr std::uint32_t kMetresPerScaleUnit = 180;
// A course is a line: a lap of one position has none (and a file of such laps would hold more for
// each of its records than the lap costs without one).
constexpr std::size_t kCoursePositions = 2;

// The course of one lap for the drawing mode; false when the lap cannot have one.
bool BuildOneLap(LapDataCore& core, Lap& lap, int mapDrawMode)
{
    lap.analysisItems.clear();
    // A closed lap may count a position without holding any (a lap-end record right after a close).
    if (lap.positionCount == 0 || lap.positions.size() < kCoursePositions) {
        lap.noAnalysisFlag = 1;
        return false;
    }
    LapAnalysisItem item;
    ResetAnalysisItem(item);
    SetRateConstants(core, RateModeOfLap(lap));
    if (mapDrawMode == kMapDrawOffsetOn) {
        item.gOffset = AverageLateralG(lap.positions, 0);
        item.offsetFlag = 1;
    } else if (mapDrawMode == kMapDrawGps) {
        item.gpsDrawFlag = LapHasGps(lap) ? 1 : 0;
        if (item.gpsDrawFlag != 0)
            TakeGpsOrigin(item, lap.positions);
    }
    const std::int64_t speedSum = PrepareDeadReckoning(core, item, lap.positions, 0);
    if (speedSum < 0) {
        lap.noAnalysisFlag = 1;
        return false;
    }
    // A lap that moved keeps its average even when its distance steps add up to nothing.
    lap.average = static_cast<float>(speedSum / item.positionsUsed);
    if (lap.distance == 0) {
        lap.noAnalysisFlag = 1;
        return false;
    }
    item.courseScale = static_cast<float>(lap.distance / kMetresPerScaleUnit);
    IntegrateHeading(item, lap.positions, 0);
    ProjectCourse(item, lap.positions, 0);
    lap.analysisItems.push_back(std::move(item));
    lap.noAnalysisFlag = 0;
    return true;
}

} // namespace

void ResetAnalysisItem(LapAnalysisItem& item)
{
    item.gOffset = 0.0f;
    item.totalTurn = 0.0f;
    item.turnCorrection = 0.0f;
    item.meanStepX = 0.0f;
    item.meanStepY = 0.0f;
    item.courseScale = 0.0f;
    item.positionsUsed = 0;
    item.directionFlag = 0;
    item.gpsDrawFlag = 0;
    item.originLatitude = 0.0;
    item.originLongitude = 0.0;
    item.offsetFlag = 0;
    item.mapDrawMode = 0;
    item.rotation = 0;
    item.maxX = item.minX = item.maxY = item.minY = 0;
    item.centreX = item.centreY = item.spanX = item.spanY = 0;
}

bool LapHasGps(const Lap& lap)
{
    return lap.gpsSign != 0 || lap.savedCourseMark != 0;
}

int BuildLapAnalysis(LapDataCore& core, LogFile& file, int mapDrawMode)
{
    if (file.lapCount < 1)
        return -1;
    int built = 0;
    for (Lap& lap : file.laps) {
        if (BuildOneLap(core, lap, mapDrawMode))
            ++built;
        if (lap.lastLapMark != 0)
            break;
    }
    return built;
}

int RebuildLapGeometry(LapDataCore& core, Lap& lap)
{
    if (lap.analysisItems.empty())
        return -1;
    LapAnalysisItem& current = lap.analysisItems.front();
    LapAnalysisItem work;
    ResetAnalysisItem(work);
    if (current.gpsDrawFlag != 0) {
        if (!LapHasGps(lap)) {
            current.gpsDrawFlag = 0;
            return 1;
        }
        work.gpsDrawFlag = 1;
        TakeGpsOrigin(work, lap.positions);
    } else {
        work.offsetFlag = current.offsetFlag;
        if (work.offsetFlag != 0)
            work.gOffset = AverageLateralG(lap.positions, 0);
    }
    work.mapDrawMode = current.mapDrawMode;
    work.courseScale = static_cast<float>(lap.distance / kMetresPerScaleUnit);
    if (RebuildDeadReckoning(core, work, lap) < 0) {
        lap.analysisItems.clear();
        lap.noAnalysisFlag = 1;
        return -1;
    }
    ProjectCourse(work, lap.positions, 0);
    lap.analysisItems.clear();
    lap.analysisItems.push_back(std::move(work));
    return 0;
}

int RebuildCoursePoints(Lap& lap)
{
    if (lap.analysisItems.empty())
        return 1;
    LapAnalysisItem& item = lap.analysisItems.front();
    // Checked before anything is emptied, so a refused rebuild keeps the course drawn.
    if (item.gpsDrawFlag != 0 && !LapHasGps(lap))
        return 1;
    item.projectedPoints.clear();
    item.coursePoints.clear();
    item.segmentGroups.clear();
    if (item.gpsDrawFlag != 0)
        TakeGpsOrigin(item, lap.positions);
    else
        IntegrateHeading(item, lap.positions, 0);
    ProjectCourse(item, lap.positions, 0);
    return 0;
}

int RebuildAllAnalysis(LapDataCore& core, int mapDrawMode)
{
    ClearUpperVectorState();
    int rebuilt = 0;
    for (std::deque<LogFile>* files : {&core.LogFiles, &core.MapFiles}) {
        for (LogFile& file : *files) {
            for (Lap& lap : file.laps) {
                if (lap.analysisItems.empty() || lap.noAnalysisFlag != 0)
                    continue;
                LapAnalysisItem& item = lap.analysisItems.front();
                if (item.mapDrawMode != 0)
                    continue; // the lap keeps the mode chosen for it
                const bool wantGps = mapDrawMode == kMapDrawGps && LapHasGps(lap);
                const bool wantOffset = mapDrawMode == kMapDrawOffsetOn;
                if ((item.gpsDrawFlag != 0) == wantGps && (item.offsetFlag != 0) == wantOffset)
                    continue;
                item.gpsDrawFlag = wantGps ? 1 : 0;
                item.offsetFlag = wantOffset ? 1 : 0;
                if (RebuildLapGeometry(core, lap) == 0)
                    ++rebuilt;
            }
        }
    }
    return rebuilt;
}

} // namespace orvelo
