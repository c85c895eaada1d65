// The course polyline of a lap: one course point per projected point that is drawn, each with the line
// from the previous point (case, slopes, intercept) that course drawing and segment editing locate.
#pragma once

#include "core/LapData.h"

#include <cstdint>

namespace orvelo {

enum LineCase : std::int32_t { kLineGeneral = 0, kLineVertical = 1, kLineHorizontal = 2 };

// Replaces the item's course points by one per projected point whose skip flag is 0, in order.
// The first point's previous point is itself, so it starts with a zero-length (vertical) line.
void BuildCoursePoints(LapAnalysisItem& item);

// The line from (point.prevX, point.prevY) to the point, measured from the course centre:
// vertical (|dx| < 2) with intercept x - centre x, horizontal (|dy| < 2) with intercept y - centre y,
// else the slope dy/dx, its perpendicular -dx/dy and the intercept at the centre's x.
void LineIntercept(CoursePoint& point, std::int32_t centreX, std::int32_t centreY);

} // namespace orvelo
