// The segment renderer's pictures: thumbnails, the course colours, segments in their colours with
// the selected one's markers, and a whole picture against each segment drawn in a layer of its own.
#include "CourseItems.h"

#include "coursemap/CDrawMapSegCtrl.h"
#include "coursemap/CourseRun.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

using namespace testcourse;

constexpr platform::ColorRef kFace = 0xF0F0F0;

// A renderer set up as the segment edit view sets it up, on a hidden window.
struct Renderer {
    explicit Renderer(int mode = CDrawMapSegCtrl::kSegmentMode) {
        window.resize(400, 300);
        ctrl.SetWindow(&window);
        ctrl.UpdateClientSize();
        ctrl.ApplyMapProperty(Property(kFace));
        ctrl.SetCourseColorCount(4);
        ctrl.SetDrawMode(mode);
        ctrl.SetMargins(100, 75);
        ctrl.SetDivisor(300);
    }
    // The whole drawing of the edit view, with segments ending at the course points ends.
    void Draw(const orvelo::LapAnalysisItem& item, const std::vector<int>& ends = {}) {
        ctrl.CreateLayers();
        ASSERT_EQ(ctrl.FitCourse(item), 0);
        ctrl.DrawCourse(item);
        if (std::vector<int> distances; !ends.empty())
            ctrl.BuildSegmentsFromIndices(item, ends, distances);
        ctrl.DrawPositionMark(item);
        ctrl.RefreshBoundaries(item);
        ctrl.RedrawDirtySegments();
        ctrl.Present();
    }
    QPoint Where(int index) const {
        const DrawnPointTable::Record& r = *ctrl.Drawn().At(static_cast<std::size_t>(index));
        return QPoint(r.x, r.y);
    }
    QRgb At(int index, QPoint offset = {}) const { return ctrl.Presented().pixel(Where(index) + offset); }

    QWidget window;
    CDrawMapSegCtrl ctrl;
};

// East along y = 0, south along x = 1000, then back north-west to the start: 60 points, 50 m apart.
orvelo::LapAnalysisItem Triangle() {
    std::vector<Point> points;
    for (int k = 0, s = 0; k < 60; ++k, s = 50 * (k % 20))
        points.push_back(k < 20 ? Point{s, 0, 0, s + 1}
                         : k < 40 ? Point{1000, s, 0, 1001 + s} : Point{1000 - s, 1000 - s, 0, 2001 + s * 71 / 50});
    points.push_back({0, 0, -1, 3420});
    return ItemOf(points);
}

TEST(CDrawMapSegCtrlTest, ThumbnailsFitInTheirOwnFrame) {
    CDrawMapSegCtrl thumbnails;
    thumbnails.SetDivisor(93);
    thumbnails.SetMargins(33, 33);
    const orvelo::LapAnalysisItem tall = ItemOf({{0, 0}, {200, 1000}, {0, 10}});
    ASSERT_EQ(thumbnails.FitThumbnail(tall), 0);
    const CourseFit& fit = thumbnails.ThumbnailFit();
    EXPECT_EQ((std::array<int, 4>{fit.divisor, fit.widthExtent, fit.heightExtent, fit.markSize}),
              (std::array<int, 4>{65, 13, 65, 16}));
    thumbnails.SetThumbnailSize(QSize(2, 2));
    EXPECT_EQ(thumbnails.FitThumbnail(tall), 1);
    EXPECT_EQ(thumbnails.FitThumbnail(orvelo::LapAnalysisItem{}), 1);

}

TEST(CDrawMapSegCtrlTest, CourseColoursTakeTurnsOutsideTheSegmentModeOnly) {
    orvelo::LapAnalysisItem item = Square(1000, 50, false);
    for (std::size_t boundary : {20, 40, 60, 70})
        item.coursePoints[boundary].skipFlag = 1;
    Renderer course(0);
    course.Draw(item);
    Renderer segments;
    segments.Draw(item);
    for (const auto& [middle, colour] : {std::pair{10, kRed}, {30, kGreen}, {50, kBlue}, {65, 0x00FFFFu}, {75, kRed}}) {
        EXPECT_EQ(course.At(middle), Rgb(colour)) << middle;
        EXPECT_EQ(segments.At(middle), qRgb(0, 0, 0)) << middle;
    }
    EXPECT_EQ(course.ctrl.Presented().pixel(200, 150), Rgb(kFace));
}

TEST(CDrawMapSegCtrlTest, SegmentsShowInTheirColoursAndTheSelectedOnesMarkersInTheMarkerColour) {
    Renderer view;
    const orvelo::LapAnalysisItem item = Triangle();
    view.Draw(item, {10, 30, 50, 59});
    // A thumbnail of the lap, drawn by the same renderer, changes nothing that is hit.
    const std::pair<QPoint, int> hits[] = {{view.Where(5) + QPoint(-1, 1), 5}, {view.Where(33), 33}, {view.Where(47), 47}};
    view.ctrl.SetDivisor(93);
    view.ctrl.CreateThumbnailLayer();
    ASSERT_EQ(view.ctrl.FitThumbnail(item), 0);
    view.ctrl.DrawThumbnailCourse(item);
    const CourseFit& thumbnail = view.ctrl.ThumbnailFit();
    EXPECT_EQ(view.ctrl.Thumbnail().pixel(thumbnail.PixelX(500), thumbnail.PixelY(0)), Rgb(kRed));
    EXPECT_EQ(view.ctrl.Thumbnail().pixel(thumbnail.PixelX(300), thumbnail.PixelY(500)), Rgb(kFace));
    for (const auto& [at, index] : hits)
        EXPECT_EQ(view.ctrl.NearestCoursePoint(at), index);
    for (const orvelo::CoursePoint& point : item.coursePoints)  // nothing written into the lap
        ASSERT_EQ(QPoint(point.drawX, point.drawY), QPoint());

    for (const auto& [middle, colour] : {std::pair{5, 0xF00505u}, {20, 0x05F005u}, {40, 0xF00505u}, {55, 0x05F005u}})
        EXPECT_EQ(view.At(middle), Rgb(colour)) << middle;
    EXPECT_EQ(view.At(59, QPoint(3, -3)), Rgb(0x8000FF));  // the start and finish mark across the course

    // Ends on a horizontal, a vertical and a diagonal stretch: a point inside each of the two
    // markers; the last segment ends at the start and finish line and shows none.
    const std::tuple<int, int, QPoint, platform::ColorRef> markers[] = {
        {5, 10, {0, 9}, 0x0505F0}, {20, 30, {9, 0}, 0x0505F0}, {40, 50, {5, -5}, 0x0505F0}, {55, 59, {0, 9}, kFace}};
    for (const auto& [select, end, inside, colour] : markers) {
        ASSERT_GT(view.ctrl.SelectSegmentAt(select), 0);
        view.ctrl.Present();
        EXPECT_EQ(view.At(select), Rgb(0x0505F0)) << end;
        EXPECT_EQ(view.At(end, inside), Rgb(colour)) << end;
        EXPECT_EQ(view.At(end, -inside), Rgb(colour)) << end;
    }
}

// A layer of the picture's size in one colour with the shapes drawn on it, put on the picture by mode.
void Put(QImage& picture, QPainter::CompositionMode mode, Qt::GlobalColor ground, const QPen& pen,
         const QBrush& brush, const std::vector<QPolygon>& shapes) {
    QImage layer(picture.size(), QImage::Format_RGB32);
    layer.fill(ground);
    QPainter painter(&layer);
    painter.setPen(pen);
    painter.setBrush(brush);
    for (const QPolygon& shape : shapes)
        brush.style() == Qt::NoBrush ? painter.drawPolyline(shape) : painter.drawPolygon(shape);
    painter.end();
    QPainter onPicture(&picture);
    onPicture.setCompositionMode(mode);
    onPicture.drawImage(0, 0, layer);
}

// The picture as if each segment had a line layer of its own, ORed in turn over the course, and
// the selected segment's markers over that.
QImage Expected(const CDrawMapSegCtrl& ctrl, bool markers) {
    QImage picture = ctrl.Layers().Composed().copy();
    const QPen selectionPen = CourseRun::Pen(0x0505F0, 3 + 2);
    const MapSegmentModel& model = ctrl.Segments();
    for (const MapLayerItem& segment : model.Segments()) {
        const DrawnPointTable::Record& start = *ctrl.Drawn().At(static_cast<std::size_t>(segment.startIndex));
        QPolygon line{QPoint(start.prevX, start.prevY)};
        for (int i = segment.startIndex; i <= segment.endIndex; ++i) {
            const DrawnPointTable::Record& r = *ctrl.Drawn().At(static_cast<std::size_t>(i));
            if (line.last() != QPoint(r.x, r.y))
                line << QPoint(r.x, r.y);
        }
        const QPen& pen = segment.number == model.SelectedNumber() ? selectionPen : segment.pen;
        Put(picture, QPainter::RasterOp_SourceOrDestination, Qt::black, pen, Qt::NoBrush, {line});
    }
    if (markers) {
        const std::vector<QPolygon> triangles(model.Selected()->triangles.begin(), model.Selected()->triangles.end());
        Put(picture, QPainter::RasterOp_SourceAndDestination, Qt::white, CourseRun::Pen(0, 3), Qt::black, triangles);
        Put(picture, QPainter::RasterOp_SourceOrDestination, Qt::black, selectionPen, platform::ToQColor(0x0505F0),
            triangles);
    }
    return picture;
}

TEST(CDrawMapSegCtrlTest, TheSharedLineLayerGivesThePictureOfOneLayerPerSegment) {
    Renderer view;
    const orvelo::LapAnalysisItem item = Triangle();
    view.Draw(item, {10, 30, 50, 59});
    ASSERT_EQ(view.ctrl.SelectSegmentAt(12), 2);
    view.ctrl.Present();
    EXPECT_EQ(view.ctrl.Presented(), Expected(view.ctrl, true));
    EXPECT_GT(view.ctrl.DragBoundary(view.Where(36), item), 0);
    view.ctrl.Present();
    EXPECT_EQ(view.ctrl.Presented(), Expected(view.ctrl, true));
    view.ctrl.Present();
    EXPECT_EQ(view.ctrl.Presented(), Expected(view.ctrl, false));
    // A whole repaint after an edit draws only what the edit changed.
    view.ctrl.EditSegments(MapSegmentModel::kAppend, 0, item.coursePoints[57].cumulativeDistance, item);
    view.Draw(item);
    EXPECT_EQ(view.ctrl.Presented(), Expected(view.ctrl, false));
    view.ctrl.EditSegments(MapSegmentModel::kDelete, 1, 0, item);
    view.Draw(item);
    EXPECT_EQ(view.ctrl.Presented(), Expected(view.ctrl, false));

    view.ctrl.DrawMessageText(QStringLiteral("Lap No.1 : on drawing map"));
    view.ctrl.Present();
    EXPECT_EQ(view.At(20), Rgb(kFace));
    EXPECT_EQ(view.ctrl.FitCourse(orvelo::LapAnalysisItem{}), 2);
}

}  // namespace
