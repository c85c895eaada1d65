#include "core/CourseProjection.h"

#include "core/CoursePointLines.h"
#include "core/DeadReckoning.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace orvelo {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr std::size_t kDirectionPoint = 11; // the twelfth point, compared with the second
constexpr std::size_t kDirectionReference = 1;

ProjectedPoint GpsPoint(const LapAnalysisItem& item, const PositionRec& position)
{
    ProjectedPoint point;
    // x grows to the east, y to the south.
    point.x = TruncateToInt32(static_cast<float>(
        -(position.parallelRadius * (item.originLongitude - position.longitude))));
    point.y = TruncateToInt32(static_cast<float>(
        (item.originLatitude - position.latitude) * kMetresPerRadianOfLatitude));
    return point;
}

} // namespace

bool HasGpsFix(const PositionRec& position)
{
    const char latitude = position.latitudeHemisphere;
    const char longitude = position.longitudeHemisphere;
    return (latitude == 'N' || latitude == 'S') && (longitude == 'E' || longitude == 'W');
}

void TakeGpsOrigin(LapAnalysisItem& item, const ChunkedList<PositionRec>& positions)
{
    if (positions.empty())
        return;
    const PositionRec* origin = &positions.front();
    for (const PositionRec& position : positions) {
        if (HasGpsFix(position)) {
            origin = &position;
            break;
        }
    }
    item.originLatitude = origin->latitude;
    item.originLongitude = origin->longitude;
}

std::int32_t TruncateToInt32(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double kMax = std::numeric_limits<std::int32_t>::max();
    constexpr double kMin = std::numeric_limits<std::int32_t>::min();
    if (value >= kMax)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= kMin)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

void ProjectCourse(LapAnalysisItem& item, const ChunkedList<PositionRec>& positions, std::size_t start)
{
    item.projectedPoints.clear();
    item.coursePoints.clear();
    const std::size_t end = CourseEnd(positions, start);
    item.projectedPoints.reserve(end > start ? end - start : 0);
    // Removing the mean step makes the dead-reckoned course end where it started.
    float runX = 0.0f;
    float runY = 0.0f;
    ProjectedPoint lastFix; // a lost fix would otherwise project thousands of kilometres away
    for (std::size_t i = start; i < end; ++i) {
        const PositionRec& position = positions[i];
        ProjectedPoint point;
        if (item.gpsDrawFlag != 0) {
            if (HasGpsFix(position))
                lastFix = GpsPoint(item, position);
            point = lastFix;
        } else {
            runX += position.stepX - item.meanStepX;
            runY += position.stepY - item.meanStepY;
            point.x = TruncateToInt32(runX);
            point.y = TruncateToInt32(runY);
        }
        point.skipFlag = position.otherKindFlag != 0 ? 1 : 0;
        point.runningDistance = static_cast<std::int32_t>(position.runningDistance);
        item.projectedPoints.push_back(point);
    }
    if (!item.projectedPoints.empty())
        item.projectedPoints.back().skipFlag = -1;
    UpdateCourseBox(item);
    const auto& points = item.projectedPoints;
    item.directionFlag =
        points.size() > kDirectionPoint && points[kDirectionPoint].x < points[kDirectionReference].x ? 1 : 0;
    if (item.gpsDrawFlag != 0)
        RotateCourse(item);
    BuildCoursePoints(item);
}

void UpdateCourseBox(LapAnalysisItem& item)
{
    const auto& points = item.projectedPoints;
    if (points.empty()) {
        item.maxX = item.minX = item.maxY = item.minY = 0;
        item.centreX = item.centreY = item.spanX = item.spanY = 0;
        return;
    }
    // The box of the points themselves: a rotated course need not contain the origin.
    std::int32_t maxX = points.front().x;
    std::int32_t minX = maxX;
    std::int32_t maxY = points.front().y;
    std::int32_t minY = maxY;
    for (const ProjectedPoint& point : points) {
        maxX = std::max(maxX, point.x);
        minX = std::min(minX, point.x);
        maxY = std::max(maxY, point.y);
        minY = std::min(minY, point.y);
    }
    item.maxX = maxX;
    item.minX = minX;
    item.maxY = maxY;
    item.minY = minY;
    const std::int64_t spanX = std::int64_t{maxX} - minX;
    const std::int64_t spanY = std::int64_t{maxY} - minY;
    item.spanX = TruncateToInt32(static_cast<double>(spanX));
    item.spanY = TruncateToInt32(static_cast<double>(spanY));
    item.centreX = static_cast<std::int32_t>(minX + spanX / 2);
    item.centreY = static_cast<std::int32_t>(minY + spanY / 2);
}

void RotateCourse(LapAnalysisItem& item)
{
    if (item.rotation == 0)
        return;
    const double angle = item.rotation * kPi / 180.0;
    const double cosA = std::cos(angle);
    const double sinA = std::sin(angle);
    const double cx = item.centreX;
    const double cy = item.centreY;
    for (ProjectedPoint& point : item.projectedPoints) {
        const double dx = point.x - cx;
        const double dy = point.y - cy;
        point.x = TruncateToInt32(cx + dx * cosA - dy * sinA);
        point.y = TruncateToInt32(cy + dx * sinA + dy * cosA);
    }
    UpdateCourseBox(item);
}

} // namespace orvelo
