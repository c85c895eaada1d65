// The segment edit view's list of ends: adding, clearing and typed lengths with what the renderer
// is told, and automatic segmentation on a course with a point every 5 m.
#include "coursemap/MapSegmentModel.h"
#include "coursemap/SegmentEndList.h"

#include <gtest/gtest.h>

namespace {

using Edit = SegmentEndList::RendererEdit;
using Ends = std::vector<int>;

SegmentEndList ListOf(Ends ends) {
    SegmentEndList list;
    list.Assign(std::move(ends));
    return list;
}

TEST(SegmentEndListTest, AddCutsTheSelectedOrTheLastSegmentAndRefusesOneUnderTwoMetres) {
    struct Case {
        Ends before;
        int selected;
        int course;
        Ends after;
        SegmentEndList::Edits edits;
    };
    const Case cases[] = {
        {{}, 0, 2500, {1250, 2500}, {{MapSegmentModel::kAppend, 0, 1250}, {MapSegmentModel::kAppend, 1, 2500}}},
        {{1250, 2500}, 0, 2500, {1250, 1875, 2500}, {{MapSegmentModel::kAppend, 0, 1875}, {MapSegmentModel::kAppend, 1, 2500}}},
        {{1000, 1501, 2500}, 2, 2500, {1000, 1251, 1501, 2500}, {{MapSegmentModel::kSplit, 0, 1000}}},
        {{2501}, 0, 2501, {1250, 2501}, {{MapSegmentModel::kAppend, 0, 1250}, {MapSegmentModel::kAppend, 1, 2501}}},
        {{}, 0, 2501, {1251, 2501}, {{MapSegmentModel::kAppend, 0, 1251}, {MapSegmentModel::kAppend, 1, 2501}}},
        {{1000, 1001, 2500}, 2, 2500, {1000, 1001, 2500}, {}},  // 1 m: two ends would meet
        {{2499, 2500}, 0, 2500, {2499, 2500}, {}},
    };
    for (const Case& c : cases) {
        SegmentEndList list = ListOf(c.before);
        EXPECT_EQ(list.Add(c.selected, c.course), c.edits) << c.before.size() << " " << c.selected;
        EXPECT_EQ(list.Ends(), c.after);
    }
}

TEST(SegmentEndListTest, ClearMergesIntoTheLongerNeighbourSideAndTheOnlySegmentClearsAll) {
    struct Case {
        Ends before;
        int selected;
        Ends after;
        Edit edit;
    };
    const Case cases[] = {
        {{1000, 1800, 2000, 2500}, 2, {1000, 2000, 2500}, {MapSegmentModel::kDelete, 1, 1}},  // 800 > 200: into 3
        {{1000, 1200, 2000, 2500}, 2, {1200, 2000, 2500}, {MapSegmentModel::kDelete, 1, 0}},  // into 1
        {{1000, 1500, 2000}, 2, {1500, 2000}, {MapSegmentModel::kDelete, 1, 0}},              // equal: into 1
        {{1000, 2500}, 1, {2500}, {MapSegmentModel::kDelete, 0, 1}},
        {{1000, 2500}, 2, {2500}, {MapSegmentModel::kDelete, 1, 0}},
        {{2500}, 1, {}, {MapSegmentModel::kClear, 0, 0}},
        {{1000, 2500}, 0, {}, {MapSegmentModel::kClear, 0, 0}},
    };
    for (const Case& c : cases) {
        SegmentEndList list = ListOf(c.before);
        EXPECT_EQ(list.Clear(c.selected), (SegmentEndList::Edits{c.edit})) << c.before.size() << " " << c.selected;
        EXPECT_EQ(list.Ends(), c.after);
    }
}

TEST(SegmentEndListTest, ATypedLengthMovesAnEndOrTheLastSegmentsStartWithinItsNeighbours) {
    struct Case {
        Ends before;
        int k;
        int length;
        int result;
        Ends after;
    };
    const Case cases[] = {
        {{1000, 2500}, 2, 1200, 1, {1300, 2500}},
        {{1000, 2500}, 2, 1500, 0, {1000, 2500}},
        {{1000, 2500}, 2, 1600, -1, {1000, 2500}},
        {{1000, 2000, 2500}, 1, 1500, 1, {1500, 2000, 2500}},
        {{1000, 2000, 2500}, 1, 2000, -1, {1000, 2000, 2500}},  // up to the next end
        {{1000, 2000, 2500}, 3, 400, 1, {1000, 2100, 2500}},
        {{2500}, 1, 1000, -1, {2500}},  // the only segment
        {{1000, 2500}, 0, 500, -1, {1000, 2500}},
        {{1000, 2500}, 3, 500, -1, {1000, 2500}},
        {{1000, 2500}, 1, 0, -1, {1000, 2500}},
    };
    for (const Case& c : cases) {
        SegmentEndList list = ListOf(c.before);
        EXPECT_EQ(list.ChangeLength(c.k, c.length, 2500), c.result) << c.k << " " << c.length;
        EXPECT_EQ(list.Ends(), c.after);
    }
    SegmentEndList dragged = ListOf({1000, 2000, 2500});
    EXPECT_TRUE(dragged.MoveEnd(1, 400));
    EXPECT_FALSE(dragged.MoveEnd(1, 600));  // onto the next end
    EXPECT_FALSE(dragged.MoveEnd(3, -10));  // the course end stays
    EXPECT_EQ(dragged.Ends(), (Ends{1400, 2000, 2500}));
}

orvelo::ChunkedList<orvelo::CoursePoint> PointsEvery5m(int to) {
    orvelo::ChunkedList<orvelo::CoursePoint> points;
    for (int d = 0; d <= to; d += 5) {
        orvelo::CoursePoint point;
        point.cumulativeDistance = d;
        points.push_back(point);
    }
    return points;
}

TEST(SegmentEndListTest, AutomaticSegmentationEndsPastEachMultipleWhileMoreThanTheTailRemains) {
    struct Case {
        int course;
        int length;
        Ends distances;
    };
    const Case cases[] = {
        {900, 400, {400, 800, 900}},             // 100 m remain at 800, more than the 50 m tail
        {900, 425, {425, 900}},                  // 50 m remain at 850: the last runs 475 m
        {3000, 1000, {1000, 2000, 3000}},
        {3000, 950, {950, 1900, 2850, 3000}},    // the fourth 150 m
    };
    for (const Case& c : cases) {
        const auto points = PointsEvery5m(c.course);
        Ends distances;
        for (int index : SegmentEndList::AutoSegmentEnds(points, c.course, c.length))
            distances.push_back(points[static_cast<std::size_t>(index)].cumulativeDistance);
        EXPECT_EQ(distances, c.distances) << c.course << "/" << c.length;
    }
    // Positions that end 300 m short of the lap's distance: the walk takes the last point once.
    const auto shortCourse = PointsEvery5m(700);
    const Ends indices = SegmentEndList::AutoSegmentEnds(shortCourse, 1000, 200);
    EXPECT_EQ(indices, (Ends{40, 80, 120, 140}));
    EXPECT_TRUE(SegmentEndList::AutoSegmentEnds(shortCourse, 1000, 0).empty());
}

}  // namespace
