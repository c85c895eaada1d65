// The segments on a course without drawing: each course point "drawn" where it lies in metres, the
// edits, the queries and the drag, on hand-made courses and on a generated lap.
#include "CourseItems.h"
#include "MapViewHarness.h"

#include "coursemap/MapSegmentModel.h"

#include <gtest/gtest.h>

namespace {

using testcourse::ItemOf;
using testcourse::Point;
using Ends = std::vector<int>;

// A course whose points are drawn at their own position; hits anywhere in its box.
struct Laid {
    explicit Laid(orvelo::LapAnalysisItem course) : item(std::move(course)) {
        drawn.Reset(item.coursePoints.size());
        for (std::size_t i = 0; i < item.coursePoints.size(); ++i) {
            const orvelo::CoursePoint& p = item.coursePoints[i];
            *drawn.At(i) = {p.x, p.y, p.prevX, p.prevY, p.skipFlag != 0, p.cumulativeDistance};
        }
        drawn.Finish(item.coursePoints.size());
        model.SetHitArea(QRect(QPoint(item.minX, item.minY), QPoint(item.maxX, item.maxY)), 1 << 20);
    }
    void Build(const Ends& ends) {
        Ends indices = ends;
        model.BuildSegments(ends, indices, item);
    }
    // The end indices, once checked that the segments are numbered from 1 and each starts where
    // the one before ends.
    Ends EndIndices() const {
        Ends ends;
        for (const MapLayerItem& s : model.Segments()) {
            EXPECT_EQ(s.number, static_cast<int>(ends.size()) + 1);
            EXPECT_EQ(s.startIndex, ends.empty() ? 0 : ends.back());
            EXPECT_EQ(s.colour, s.number % 2 != 0 ? 0xF00505u : 0x05F005u);
            ends.push_back(s.endIndex);
        }
        return ends;
    }
    Ends EndDistances() const {
        Ends ends;
        for (const MapLayerItem& s : model.Segments())
            ends.push_back(s.endDistance);
        return ends;
    }
    orvelo::LapAnalysisItem item;
    DrawnPointTable drawn;
    MapSegmentModel model{drawn};
};

// A straight course east, point i at x = 2i with distance i: a distance is its own index.
orvelo::LapAnalysisItem Straight(int points = 401) {
    std::vector<Point> line;
    for (int i = 0; i < points; ++i)
        line.push_back({2 * i, 0, 0, i});
    return ItemOf(line);
}

TEST(MapSegmentModelTest, AppendingOnAGeneratedLapLaysTwoSegmentsMeetingHalfWay) {
    testmap::MapViewHarness harness;
    const orvelo::Lap& lap = harness.core.LogFiles[harness.Load("lap.dat", testmap::SessionOf(1))].laps[0];
    Laid laid(lap.analysisItems.front());
    const int length = static_cast<int>(lap.distance);
    const int count = static_cast<int>(laid.item.coursePoints.size());
    ASSERT_GT(count, 100);
    laid.model.EditSegments(MapSegmentModel::kAppend, 0, length - length / 2, laid.item);
    laid.model.EditSegments(MapSegmentModel::kAppend, 1, length, laid.item);
    const Ends ends = laid.EndIndices();
    ASSERT_EQ(ends.size(), 2u);
    const auto distance = [&](int index) { return laid.item.coursePoints[static_cast<std::size_t>(index)].cumulativeDistance; };
    EXPECT_LE(distance(ends[0]), length - length / 2);
    EXPECT_GT(distance(ends[0] + 1), length - length / 2);
    EXPECT_EQ(ends[1], count - 1);
    EXPECT_EQ(laid.EndDistances(), (Ends{length - length / 2, length}));
    // The first segment starts, drawn, at the start and finish line: the point before the last.
    EXPECT_EQ(laid.model.Segments()[0].startPoint, QPoint(laid.drawn.At(count - 2)->x, laid.drawn.At(count - 2)->y));
}

TEST(MapSegmentModelTest, SplitDeleteAndBuildKeepTheSegmentsInCourseOrder) {
    Laid laid(Straight());
    laid.Build({100, 301, 400});
    ASSERT_EQ(laid.model.SelectSegmentAt(150), 2);
    laid.model.EditSegments(MapSegmentModel::kSplit, 0, 100, laid.item);
    EXPECT_EQ(laid.EndIndices(), (Ends{100, 201, 301, 400}));
    EXPECT_EQ(laid.model.SelectedNumber(), 0);

    const std::tuple<Ends, int, int, Ends> deletes[] = {
        {{100, 201, 301, 400}, 0, 1, {201, 301, 400}},  // the first into the next, which then starts at 0
        {{100, 201, 301, 400}, 1, 0, {201, 301, 400}},  // into the one before
        {{100, 201, 301, 400}, 3, 1, {100, 201, 400}},  // no next: into the one before
        {{100, 201, 301, 400}, 0, 0, {201, 301, 400}},  // no one before: into the next
        {{100, 201, 301, 400}, 2, 1, {100, 201, 400}},
        {{400}, 0, 1, {}},  // the only one
    };
    for (const auto& [before, index, flag, ends] : deletes) {
        Laid laid(Straight());
        laid.Build(before);
        laid.model.EditSegments(MapSegmentModel::kDelete, index, flag, laid.item);
        EXPECT_EQ(laid.EndIndices(), ends) << index << flag;
        EXPECT_EQ(laid.EndDistances(), ends) << index << flag;
    }

    // Stored ends outside the course or not above the one before are found again from their
    // distance; the last is the last course point whatever was stored.
    Ends indices{-4, 60, 60, 99999, 7};
    laid.model.EditSegments(MapSegmentModel::kClear, 0, 0, laid.item);
    laid.model.BuildSegments({50, 120, 170, 250, 390}, indices, laid.item);
    EXPECT_EQ(indices, (Ends{50, 60, 170, 250, 400}));
    EXPECT_EQ(laid.EndIndices(), indices);
    Ends distances{9};
    laid.model.BuildSegmentsFromIndices(laid.item, {30, 500}, distances);
    EXPECT_EQ(distances, (Ends{30, 400}));
    laid.model.SetEndDistances({80, 400}, laid.item);
    EXPECT_EQ(laid.EndIndices(), (Ends{80, 400}));
    laid.model.ExportEndIndices(indices);
    EXPECT_EQ(indices, (Ends{80, 400}));
}

TEST(MapSegmentModelTest, QueriesFollowTheWalkAlongTheCourseAndTheDrawnPoints) {
    // Distances 0 are passed over but counted.
    Laid laid(ItemOf({{0, 0, 0, 0}, {10, 0, 0, 10}, {20, 0, 0, 0}, {30, 0, 0, 20}, {40, 0, 0, 30}}));
    for (const auto& [distance, index] : {std::pair{10, 1}, {15, 2}, {5, 0}, {-3, 0}, {30, 4}, {99, 4}}) {
        QPoint point;
        EXPECT_EQ(laid.model.PointAtDistance(distance, point), index) << distance;
        EXPECT_EQ(point, QPoint(index * 10, 0)) << distance;
    }
    QPoint point(3, 3);
    EXPECT_EQ(Laid(orvelo::LapAnalysisItem{}).model.PointAtDistance(10, point), -1);
    EXPECT_EQ(point, QPoint(0, 0));

    EXPECT_EQ(laid.model.SegmentAt(QPoint(20, 0)), -1);
    laid.Build({20, 30});  // ends at points 3 and 4
    for (const auto& [at, segment] : {std::pair{QPoint(5, 0), 1}, {{30, 0}, 2}, {{40, 0}, 0}, {{41, 0}, 0}, {{20, 1}, 0}})
        EXPECT_EQ(laid.model.SegmentAt(at), segment) << at.x() << "," << at.y();
    EXPECT_EQ(laid.model.NearestCoursePoint(QPoint(5, 0)), 0);  // a tie: the first
    EXPECT_EQ(laid.model.NearestCoursePoint(QPoint(41, 0)), -1);
}

TEST(MapSegmentModelTest, MarkersAreTwoTrianglesAtTheEndByItsLineCase) {
    // Ends at (100, 100) on a horizontal, a vertical and a diagonal (slope along 1, across -1) stretch,
    // the markers' vertices, and the box of their pixels as regions fill them.
    const std::tuple<std::vector<Point>, std::array<QPolygon, 2>, QRect> cases[] = {
        {{{80, 100}, {90, 100}, {100, 100}, {110, 100}},
         {QPolygon({{100, 100}, {93, 88}, {107, 88}}), QPolygon({{100, 100}, {93, 112}, {107, 112}})},
         {QPoint(93, 88), QPoint(106, 111)}},
        {{{100, 80}, {100, 90}, {100, 100}, {100, 110}},
         {QPolygon({{100, 100}, {88, 93}, {88, 107}}), QPolygon({{100, 100}, {112, 93}, {112, 107}})},
         {QPoint(88, 94), QPoint(111, 106)}},  // a lone corner pixel is left out
        {{{80, 80}, {90, 90}, {100, 100}, {110, 110}},
         {QPolygon({{100, 100}, {96, 112}, {88, 104}}), QPolygon({{100, 100}, {112, 96}, {104, 88}})},
         {QPoint(88, 89), QPoint(111, 111)}},
    };
    for (const auto& [course, triangles, box] : cases) {
        Laid laid(ItemOf(course));
        EXPECT_FALSE(laid.model.MarkerHit(QPoint(100, 100)));
        laid.Build({2, 3});
        ASSERT_EQ(laid.model.SelectSegmentAt(1), 1);
        EXPECT_EQ(laid.model.Segments()[0].triangles, triangles);
        EXPECT_TRUE(laid.model.MarkerHit(box.topLeft()) && laid.model.MarkerHit(box.bottomRight()));
        EXPECT_FALSE(laid.model.MarkerHit(box.bottomRight() + QPoint(1, 0)));
        EXPECT_FALSE(laid.model.MarkerHit(box.topLeft() - QPoint(0, 1)));
    }
}

TEST(MapSegmentModelTest, ADragMovesTheSelectedEndBetweenItsStartAndTheNextEnd) {
    Laid laid(Straight());
    laid.Build({100, 200, 300, 400});
    EXPECT_EQ(laid.model.DragBoundary(QPoint(300, 0), laid.item), 0);  // nothing selected
    laid.model.SelectSegmentAt(350);
    EXPECT_EQ(laid.model.DragBoundary(QPoint(700, 0), laid.item), 0);  // the last ends at the line
    laid.model.SelectSegmentAt(150);
    laid.model.NearestCoursePoint(QPoint(240, 0));  // the search starts 50 points before this one
    for (int x : {640, 600, 200, 180})  // past the next end, on it, on the start, before it
        EXPECT_EQ(laid.model.DragBoundary(QPoint(x, 0), laid.item), 0) << x;
    EXPECT_EQ(laid.EndIndices(), (Ends{100, 200, 300, 400}));
    EXPECT_EQ(laid.model.DragBoundary(QPoint(460, 3), laid.item), 30);
    // Back: each step looks no further than 50 points before where the end is.
    EXPECT_EQ(laid.model.DragBoundary(QPoint(300, 0), laid.item), -50);
    EXPECT_EQ(laid.model.DragBoundary(QPoint(300, 0), laid.item), -30);
    EXPECT_EQ(laid.EndIndices(), (Ends{100, 150, 300, 400}));
    EXPECT_EQ(laid.EndDistances(), (Ends{100, 150, 300, 400}));
    EXPECT_EQ(laid.model.Segments()[2].startPoint, QPoint(300, 0));
}

}  // namespace
