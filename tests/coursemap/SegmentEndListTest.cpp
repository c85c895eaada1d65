// Automatic segmentation on a course with a point every 5 m.
#include "coursemap/SegmentEndList.h"

#include <gtest/gtest.h>

namespace {

using Ends = std::vector<int>;

TEST(SegmentEndListTest, AutomaticSegmentationEndsPastEachMultipleWhileMoreThanTheTailRemains) {
    const auto every5m = [](int to) {
        orvelo::ChunkedList<orvelo::CoursePoint> points;
        for (int d = 0; d <= to; d += 5)
            points.push_back(orvelo::CoursePoint{.cumulativeDistance = d});
        return points;
    };
    struct Case {
        int course;
        int length;
        Ends distances;
    };
    const Case cases[] = {
        {900, 400, {400, 800, 900}},           // 100 m remain at 800, more than the 50 m tail
        {900, 425, {425, 900}},                // 50 m remain at 850: the last runs 475 m
        {3000, 1000, {1000, 2000, 3000}},
        {3000, 950, {950, 1900, 2850, 3000}},  // the fourth 150 m
    };
    for (const Case& c : cases) {
        const auto points = every5m(c.course);
        Ends distances;
        for (int index : SegmentEndList::AutoSegmentEnds(points, c.course, c.length))
            distances.push_back(points[static_cast<std::size_t>(index)].cumulativeDistance);
        EXPECT_EQ(distances, c.distances) << c.course << "/" << c.length;
    }
    // Positions that end 300 m short of the lap's distance: the walk takes the last point once.
    EXPECT_EQ(SegmentEndList::AutoSegmentEnds(every5m(700), 1000, 200), (Ends{40, 80, 120, 140}));
}

}  // namespace
