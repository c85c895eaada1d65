#include "core/CoursePointLines.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace orvelo {
namespace {

// The line from (px, py) to (x, y), measured from the centre (cx, cy).
CoursePoint Line(int px, int py, int x, int y, int cx = 0, int cy = 0)
{
    CoursePoint point;
    point.prevX = px;
    point.prevY = py;
    point.x = x;
    point.y = y;
    LineIntercept(point, cx, cy);
    return point;
}

TEST(LineInterceptTest, CaseSlopesAndInterceptFromTheCentre)
{
    const struct {
        int px, py, x, y, cx, cy;
        std::int32_t lineCase;
        float along, across;
        int intercept;
    } rows[] = {
        {10, 0, 9, 30, 4, 7, kLineVertical, 0, 0, 5},     // |dx| < 2: x from the centre
        {0, 20, 5, 21, 4, 7, kLineHorizontal, 0, 0, 14},  // |dy| < 2: y from the centre
        {0, 0, 1, 1, 0, 0, kLineVertical, 0, 0, 1},       // vertical wins when both are small
        {10, 10, 14, 12, 2, 3, kLineGeneral, 0.5f, -2.0f, 3}, // (12 - 3) - 0.5 * (14 - 2)
        {0, 0, 3, -7, 0, 0, kLineGeneral, -7.0f / 3, 3.0f / 7, 0},
        {6, 3, 9, 5, 0, 1, kLineGeneral, 2.0f / 3, -1.5f, -2},  // (5 - 1) - (2/3) * 9
        {-2, -1, 1, 4, 0, 1, kLineGeneral, 5.0f / 3, -0.6f, 1}, // 1.33 truncates toward zero
        {0, 0, 2, 9, 0, 0, kLineGeneral, 4.5f, -2.0f / 9, 0},   // differences of two are not small
    };
    for (const auto& r : rows) {
        const CoursePoint point = Line(r.px, r.py, r.x, r.y, r.cx, r.cy);
        SCOPED_TRACE(::testing::Message() << "(" << r.px << "," << r.py << ") to (" << r.x << "," << r.y << ")");
        EXPECT_EQ(std::make_pair(point.lineCase, point.intercept), std::make_pair(r.lineCase, r.intercept));
        EXPECT_FLOAT_EQ(point.slopeAlong, r.along);
        EXPECT_FLOAT_EQ(point.slopeAcross, r.across);
    }
}

TEST(BuildCoursePointsTest, OnePointPerDrawnPositionInOrder)
{
    LapAnalysisItem item;
    item.centreX = 50;
    item.centreY = 5;
    item.projectedPoints = {{0, 0, 0, 0}, {40, 0, 0, 40}, {45, 3, 1, 45}, {80, 30, 0, 90}, {0, 1, -1, 200}};
    BuildCoursePoints(item);
    BuildCoursePoints(item); // a rebuild replaces the points
    ASSERT_EQ(item.coursePoints.size(), 3u); // no point for another kind of record nor the last position
    // The first point starts from itself: a zero-length vertical line, nothing stray to draw. The third
    // runs from the second, across the skipped boundary.
    std::vector<std::tuple<int, int, int, int, int>> points; // previous x and y, case, intercept, distance
    for (const CoursePoint& p : item.coursePoints)
        points.emplace_back(p.prevX, p.prevY, p.lineCase, p.intercept, p.cumulativeDistance);
    EXPECT_EQ(points, (decltype(points){{0, 0, kLineVertical, -50, 0}, {0, 0, kLineHorizontal, -5, 40},
                                        {40, 0, kLineGeneral, 2, 90}}));
    EXPECT_FLOAT_EQ(item.coursePoints[2].slopeAlong, 0.75f);
    item.projectedPoints.clear();
    BuildCoursePoints(item);
    EXPECT_TRUE(item.coursePoints.empty());
}

} // namespace
} // namespace orvelo
