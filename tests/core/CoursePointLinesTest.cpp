#include "core/CoursePointLines.h"

#include <gtest/gtest.h>

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

// ---- Line cases ----------------------------------------------------------------------------------

TEST(LineInterceptTest, NearlyEqualXIsAVerticalLine)
{
    for (int dx : {-1, 0, 1}) {
        const CoursePoint point = Line(10, 0, 10 + dx, 30, 4, 7);
        EXPECT_EQ(point.lineCase, kLineVertical) << "dx " << dx;
        EXPECT_EQ(point.slopeAlong, 0.0f);
        EXPECT_EQ(point.slopeAcross, 0.0f);
        EXPECT_EQ(point.intercept, 10 + dx - 4); // x from the centre
    }
}

TEST(LineInterceptTest, NearlyEqualYIsAHorizontalLine)
{
    for (int dy : {-1, 0, 1}) {
        const CoursePoint point = Line(0, 20, 5, 20 + dy, 4, 7);
        EXPECT_EQ(point.lineCase, kLineHorizontal) << "dy " << dy;
        EXPECT_EQ(point.slopeAlong, 0.0f);
        EXPECT_EQ(point.intercept, 20 + dy - 7); // y from the centre
    }
}

TEST(LineInterceptTest, VerticalWinsWhenBothDifferencesAreSmall)
{
    EXPECT_EQ(Line(0, 0, 1, 1).lineCase, kLineVertical);
}

TEST(LineInterceptTest, GeneralLineHasSlopePerpendicularAndInterceptAtTheCentre)
{
    // From (10, 10) to (14, 12) about the centre (2, 3): slope 0.5, across -2.
    const CoursePoint point = Line(10, 10, 14, 12, 2, 3);
    EXPECT_EQ(point.lineCase, kLineGeneral);
    EXPECT_FLOAT_EQ(point.slopeAlong, 0.5f);
    EXPECT_FLOAT_EQ(point.slopeAcross, -2.0f);
    EXPECT_EQ(point.intercept, 3); // (12 - 3) - 0.5 * (14 - 2)
}

TEST(LineInterceptTest, GeneralInterceptTruncatesTowardZero)
{
    EXPECT_EQ(Line(0, 0, 3, -7).intercept, 0);            // -7 - (-7/3) * 3
    // About the centre (0, 1): (5 - 1) - (2/3) * 9 = -2 and (4 - 1) - (5/3) * 1 = 1.33 gives 1.
    EXPECT_EQ(Line(6, 3, 9, 5, 0, 1).intercept, -2);
    EXPECT_EQ(Line(-2, -1, 1, 4, 0, 1).intercept, 1);
    EXPECT_FLOAT_EQ(Line(-2, -1, 1, 4).slopeAcross, -0.6f);
}

TEST(LineInterceptTest, DifferencesOfTwoAreNoLongerSmall)
{
    EXPECT_EQ(Line(0, 0, 2, 9).lineCase, kLineGeneral);
    EXPECT_EQ(Line(0, 0, 9, -2).lineCase, kLineGeneral);
    EXPECT_EQ(Line(0, 0, -2, 9).lineCase, kLineGeneral);
}

// ---- Course points -------------------------------------------------------------------------------

class BuildCoursePointsTest : public ::testing::Test {
protected:
    void Add(int x, int y, int skip, int distance)
    {
        item.projectedPoints.push_back(ProjectedPoint{x, y, skip, distance});
    }

    LapAnalysisItem item;
};

TEST_F(BuildCoursePointsTest, OnePointPerDrawnPositionInOrder)
{
    item.centreX = 50;
    item.centreY = 5;
    Add(0, 0, 0, 0);
    Add(40, 0, 0, 40);
    Add(45, 3, 1, 45); // a record of another kind: a boundary, no point
    Add(80, 30, 0, 90);
    Add(0, 1, -1, 200); // the lap's last position
    BuildCoursePoints(item);
    ASSERT_EQ(item.coursePoints.size(), 3u);
    const auto& points = item.coursePoints;

    // The first point starts from itself: a zero-length vertical line, nothing stray to draw.
    EXPECT_EQ(points[0].prevX, 0);
    EXPECT_EQ(points[0].prevY, 0);
    EXPECT_EQ(points[0].lineCase, kLineVertical);
    EXPECT_EQ(points[0].intercept, -50);

    EXPECT_EQ(points[1].prevX, 0);
    EXPECT_EQ(points[1].lineCase, kLineHorizontal);
    EXPECT_EQ(points[1].intercept, -5);
    EXPECT_EQ(points[1].cumulativeDistance, 40);

    // The line of the third point runs from the second, across the skipped boundary.
    EXPECT_EQ(points[2].prevX, 40);
    EXPECT_EQ(points[2].prevY, 0);
    EXPECT_EQ(points[2].lineCase, kLineGeneral);
    EXPECT_FLOAT_EQ(points[2].slopeAlong, 0.75f);
    EXPECT_EQ(points[2].cumulativeDistance, 90);
    for (const CoursePoint& point : points) {
        EXPECT_EQ(point.skipFlag, 0);
        EXPECT_EQ(point.drawX, 0);
        EXPECT_EQ(point.drawY, 0);
    }
}

TEST_F(BuildCoursePointsTest, RebuildingReplacesThePoints)
{
    Add(1, 1, 0, 0);
    Add(9, 9, -1, 0);
    BuildCoursePoints(item);
    BuildCoursePoints(item);
    EXPECT_EQ(item.coursePoints.size(), 1u);
    item.projectedPoints.clear();
    BuildCoursePoints(item);
    EXPECT_TRUE(item.coursePoints.empty());
}

} // namespace
} // namespace orvelo
