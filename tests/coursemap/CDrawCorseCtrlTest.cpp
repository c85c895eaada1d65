// Course drawing into images: the fit, the colours of the course by pixel, the lap marks and where
// they stand.
#include "CourseItems.h"

#include "coursemap/CourseFit.h"

#include "platform/MessageBox.h"

#include <gtest/gtest.h>

namespace {

using namespace testcourse;

TEST(CourseFitTest, CoursesAreFittedByTheirLongerSpanAndDegenerateOnesAreRefused) {
    const orvelo::LapAnalysisItem wide = ItemOf({{0, 0}, {1000, 500}});
    const orvelo::LapAnalysisItem tall = ItemOf({{0, 0}, {200, 1000}});
    const FitFrame map{400, 300, 200, 150, 100, 100, 1, 5};
    const FitFrame thumbnail{125, 100, 62, 50, 33, 33, 2, 4};
    const struct {
        const char* what;
        const orvelo::LapAnalysisItem& item;
        FitFrame frame;
        int start;
        std::array<int, 8> expected;  // N, left, right, top, bottom, width, height, mark
    } cases[] = {
        {"wide map", wide, map, 300, {299, 349, 50, 224, 75, 299, 149, 29}},
        {"tall map", tall, map, 300, {199, 219, 180, 249, 50, 39, 199, 39}},
        {"wide thumbnail", wide, thumbnail, 93, {91, 107, 16, 72, 27, 91, 45, 11}},
    };
    for (const auto& c : cases) {
        const CourseFit fit = FitCourseBox(c.item, c.frame, c.start);
        ASSERT_TRUE(fit.Fitted()) << c.what;
        EXPECT_EQ((std::array<int, 8>{fit.divisor, fit.left, fit.right, fit.top, fit.bottom, fit.widthExtent,
                                      fit.heightExtent, fit.markSize}),
                  c.expected)
            << c.what;
    }
    EXPECT_EQ(FitCourseBox(wide, map, 300).PixelX(0), 50);

    // No width, no span at all, a view too small for any N, an empty box: never a division by 0.
    const orvelo::LapAnalysisItem line = ItemOf({{5, 0}, {5, 900}});
    const orvelo::LapAnalysisItem dot = ItemOf({{7, 7}, {7, 7}});
    orvelo::LapAnalysisItem empty;
    empty.projectedPoints.push_back({});  // a point, but a box never filled
    for (const auto& [item, start] : {std::pair{&line, 300}, {&dot, 300}, {&wide, 0}, {&wide, -5}, {&empty, 300}})
        EXPECT_EQ(FitCourseBox(*item, map, start).result, CourseFit::kNoWidth);

    Drawer tiny(1, 1);
    EXPECT_EQ(tiny.ctrl.FitCourse(2, wide), 1);
    EXPECT_EQ(tiny.ctrl.FitCourse(0, wide), 2);
}

TEST(CDrawCorseCtrlTest, TheCourseColourTakesTurnsAtBoundariesOrAtTheEndsOfSegments) {
    Drawer drawer;
    const orvelo::LapAnalysisItem bounded = Square(1000, 50, true);
    ASSERT_GT(drawer.Draw(bounded), 2);
    const std::pair<int, int> middles[] = {{500, 0}, {1000, 500}, {500, 1000}, {0, 500}};
    const QRgb turns[] = {Rgb(kRed), Rgb(kGreen), Rgb(kBlue), Rgb(kRed)};
    for (int side = 0; side < 4; ++side)
        EXPECT_EQ(drawer.At(middles[side].first, middles[side].second), turns[side]) << side;
    EXPECT_EQ(drawer.At(500, 500), Rgb(kGrey));

    // With a segment group the boundaries change nothing; the segment ends (course point indices) do.
    orvelo::SegmentGroup group;
    group.segmentCount = 4;
    group.pairs = {{1000, 20}, {2000, 40}, {3000, 60}, {4000, 79}};
    ASSERT_GT(drawer.Draw(bounded, &group), 2);
    for (int side = 0; side < 4; ++side)
        EXPECT_EQ(drawer.At(middles[side].first, middles[side].second), turns[side]) << side;
    group.segmentCount = 1;  // only the pairs it counts are used
    ASSERT_GT(drawer.Draw(Square(1000, 50, false), &group), 2);
    EXPECT_EQ(drawer.At(500, 1000), Rgb(kGreen));
    ASSERT_GT(drawer.Draw(Square(1000, 50, false)), 2);  // a group serves one drawing
    EXPECT_EQ(drawer.At(500, 1000), Rgb(kRed));
}

TEST(CDrawCorseCtrlTest, ABlackCourseColourShowsOnlyWithTheExtraLayer) {
    MapViewProperty property = Property();
    property.words[0] = 0x000000;
    Drawer hidden(400, 300, property);
    ASSERT_GT(hidden.Draw(Square(1000, 50, false)), 2);
    EXPECT_EQ(hidden.At(500, 0), Rgb(kGrey));
    property.words[11] = 1;
    Drawer shown(400, 300, property);
    ASSERT_GT(shown.Draw(Square(1000, 50, false)), 2);
    EXPECT_EQ(shown.At(500, 0), qRgb(0, 0, 0));
    EXPECT_EQ(shown.At(500, 500), Rgb(kGrey));
}

class LapMarkTest : public ::testing::Test {
protected:
    LapMarkTest() : drawer(400, 300, Property(0x000000)) {
        drawer.core.SelectedLaps.resize(18);
        drawer.core.SelectedLaps[0] = {{}, kBlue, 1, 3, u"/a"};
        drawer.core.SelectedLaps[2] = {{}, kGreen, 1, 5, u"/a"};
    }
    QPoint Where(int distance) {
        QPoint point;
        EXPECT_TRUE(drawer.ctrl.PointAtDistance(distance, point));
        return point;
    }
    platform::MessageBoxRecorder boxes;
    Drawer drawer;
};

TEST_F(LapMarkTest, OneMarkPerActiveComparedLapComposedOnceAllMovedOverTheWholeMap) {
    drawer.ctrl.SetOverlapLayers(3);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, QStringLiteral("ERROR , unmach color layer table count != overlap count"));
    EXPECT_EQ(boxes.Shown()[0].caption, QStringLiteral("ERROR"));
    EXPECT_EQ(drawer.ctrl.Marks().Layers().size(), 2u);
    drawer.ctrl.SetOverlapLayers(2);
    EXPECT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(drawer.ctrl.Marks().Layers()[1].lapNumber, 5);

    ASSERT_GT(drawer.Draw(Square(1000, 50, false)), 2);
    const QImage before = drawer.ctrl.Presented();
    const QPoint first = Where(501);    // half way along the first side
    const QPoint second = Where(1501);  // half way up the second
    drawer.ctrl.MoveLapMark(3, 0, first.x(), first.y());
    drawer.ctrl.MoveLapMark(4, 1, second.x(), second.y());  // not the lap of that row: not counted
    EXPECT_EQ(drawer.ctrl.Presented(), before);
    drawer.ctrl.MoveLapMark(5, 1, second.x(), second.y());
    const QImage& after = drawer.ctrl.Presented();
    EXPECT_EQ(after.pixel(first), Rgb(kBlue));
    EXPECT_EQ(after.pixel(second), Rgb(kGreen));
    EXPECT_EQ(after.pixel(first + QPoint(6, 0)), qRgb(255, 255, 255));  // the disc's outline
    EXPECT_EQ(after.pixel(first + QPoint(6, 6)), Rgb(0x000000));       // its corner shows the map
    // The course keeps its colour on a black map where no mark is.
    EXPECT_EQ(drawer.At(500, 1000), Rgb(kRed));

    // A mark moved on leaves the picture as it was behind it.
    const QPoint later = Where(3501);
    drawer.ctrl.MoveLapMark(3, 0, later.x(), later.y());
    drawer.ctrl.MoveLapMark(5, 1, second.x(), second.y());
    EXPECT_EQ(after.pixel(first), Rgb(kRed));
    EXPECT_EQ(after.pixel(later), Rgb(kBlue));
}

TEST_F(LapMarkTest, MarksStandOnTheDrawnCourseWhateverTheDistanceFoundAsTheWalkFindsThem) {
    ASSERT_GT(drawer.Draw(Square(1000, 50, true)), 2);
    for (int distance : {-50, 0, 1, 51, 1000, 1001, 1050, 3999, 4000, 99999}) {
        const QPoint point = Where(distance);
        EXPECT_NE(point, QPoint(0, 0)) << distance;
        EXPECT_NE(drawer.ctrl.Presented().pixel(point), qRgb(0, 0, 0)) << distance;  // on the course
    }
    // Right after each corner lies a boundary record: the mark steps back before it.
    EXPECT_EQ(Where(1000), QPoint(drawer.ctrl.Fit().PixelX(950), drawer.ctrl.Fit().PixelY(0)));
    const DrawnPointTable& table = drawer.ctrl.Table();
    for (int distance = -10; distance < 4100; distance += 7)
        EXPECT_EQ(table.RecordAtDistance(distance), table.RecordAtDistanceByScan(distance)) << distance;
}

}  // namespace
