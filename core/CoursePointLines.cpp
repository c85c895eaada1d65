#include "core/CoursePointLines.h"

#include "core/CourseProjection.h"

#include <algorithm>
#include <cstdlib>

namespace orvelo {

void BuildCoursePoints(LapAnalysisItem& item)
{
    item.coursePoints.clear();
    item.coursePoints.reserve(static_cast<std::size_t>(
        std::count_if(item.projectedPoints.begin(), item.projectedPoints.end(),
                      [](const ProjectedPoint& point) { return point.skipFlag == 0; })));
    bool first = true;
    std::int32_t prevX = 0;
    std::int32_t prevY = 0;
    for (const ProjectedPoint& projected : item.projectedPoints) {
        if (projected.skipFlag != 0)
            continue;
        CoursePoint point;
        point.x = projected.x;
        point.y = projected.y;
        point.prevX = first ? projected.x : prevX;
        point.prevY = first ? projected.y : prevY;
        point.skipFlag = projected.skipFlag;
        point.cumulativeDistance = projected.runningDistance;
        LineIntercept(point, item.centreX, item.centreY);
        item.coursePoints.push_back(point);
        prevX = projected.x;
        prevY = projected.y;
        first = false;
    }
}

void LineIntercept(CoursePoint& point, std::int32_t centreX, std::int32_t centreY)
{
    const std::int64_t dx = std::int64_t{point.x} - point.prevX;
    const std::int64_t dy = std::int64_t{point.y} - point.prevY;
    const std::int64_t fromCentreX = std::int64_t{point.x} - centreX;
    const std::int64_t fromCentreY = std::int64_t{point.y} - centreY;
    point.slopeAlong = 0.0f;
    point.slopeAcross = 0.0f;
    if (std::llabs(dx) < 2) {
        point.lineCase = kLineVertical;
        point.intercept = TruncateToInt32(static_cast<double>(fromCentreX));
    } else if (std::llabs(dy) < 2) {
        point.lineCase = kLineHorizontal;
        point.intercept = TruncateToInt32(static_cast<double>(fromCentreY));
    } else {
        point.lineCase = kLineGeneral;
        const float slope = static_cast<float>(dy) / static_cast<float>(dx);
        point.slopeAlong = slope;
        point.slopeAcross = -static_cast<float>(dx) / static_cast<float>(dy);
        point.intercept = TruncateToInt32(static_cast<float>(fromCentreY) - slope * static_cast<float>(fromCentreX));
    }
}

} // namespace orvelo
