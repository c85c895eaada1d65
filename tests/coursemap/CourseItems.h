// Hand-made courses for the course map tests: projected points in metres
// with their box and course points, and a drawing object set up as the small
// map sets it up, on a window of a given size.
#pragma once

#include "coursemap/CDrawCorseCtrl.h"

#include "core/CoursePointLines.h"
#include "core/CourseProjection.h"
#include "core/LapData.h"
#include "core/LapDataCore.h"
#include "platform/ColorRef.h"

#include <QWidget>

#include <vector>

namespace testcourse {

struct Point {
    int x;
    int y;
    int skip = 0;
    int distance = 0;
};

inline orvelo::LapAnalysisItem ItemOf(const std::vector<Point>& points) {
    orvelo::LapAnalysisItem item;
    for (const Point& p : points)
        item.projectedPoints.push_back({p.x, p.y, p.skip, p.distance});
    orvelo::UpdateCourseBox(item);
    orvelo::BuildCoursePoints(item);
    return item;
}

// A square of side metres, one point every step metres counter-clockwise from (0, 0), with the
// running distance; a point of another kind (skip 1) after each corner when boundaries is set,
// and the lap end (skip -1) back at the start.
inline orvelo::LapAnalysisItem Square(int side, int step, bool boundaries) {
    std::vector<Point> points;
    const int corners[5][2] = {{0, 0}, {side, 0}, {side, side}, {0, side}, {0, 0}};
    int distance = 0;
    for (int c = 0; c < 4; ++c) {
        const int dx = (corners[c + 1][0] - corners[c][0]) / side;
        const int dy = (corners[c + 1][1] - corners[c][1]) / side;
        for (int s = 0; s < side; s += step, distance += step)
            points.push_back({corners[c][0] + dx * s, corners[c][1] + dy * s, 0, distance + 1});
        if (boundaries && c < 3)
            points.push_back({corners[c + 1][0], corners[c + 1][1], 1, 0});
    }
    points.push_back({0, 0, -1, distance});
    return ItemOf(points);
}

// COLORREF colours that differ in every byte order.
inline constexpr platform::ColorRef kRed = 0x0000FF;
inline constexpr platform::ColorRef kGreen = 0x00FF00;
inline constexpr platform::ColorRef kBlue = 0xFF0000;
inline constexpr platform::ColorRef kGrey = 0x404040;

inline MapViewProperty Property(platform::ColorRef background = kGrey) {
    MapViewProperty property;
    property.words = {kRed, kGreen, kBlue, 0x00FFFF, 0, 0, background, 0x566D34, 0x8000FF, 3, 0, 0, 1};
    return property;
}

// A drawing object as the small map prepares it, on a hidden window of that size.
class Drawer {
public:
    explicit Drawer(int width = 400, int height = 300, const MapViewProperty& property = Property())
        : ctrl(core) {
        window.resize(width, height);
        ctrl.SetWindow(&window);
        ctrl.UpdateClientSize();
        ctrl.SetValueRange(height / 6, height / 6);
        ctrl.SetTextColor(0x140AF0);
        ctrl.SetCourseColorCount(3);
        ctrl.ApplyMapProperty(property);
        ctrl.CreateLayers();
        ctrl.SetDivisor(width * 3 / 4);
    }
    // Fits, draws and composes as the small map does; the records drawn.
    int Draw(const orvelo::LapAnalysisItem& item, const orvelo::SegmentGroup* group = nullptr) {
        ctrl.CreateLayers();
        ctrl.SetDivisor(window.width() * 3 / 4);
        if (ctrl.FitCourse(static_cast<int>(item.coursePoints.size()), item) != 0)
            return -1;
        ctrl.SetSegmentGroup(group);
        const int drawn = ctrl.DrawCourse(item);
        if (drawn >= 2)
            ctrl.DrawPositionMark(drawn - 2, item);
        ctrl.ComposeLayers();
        return drawn;
    }
    // The composed pixel of a course point in metres.
    QRgb At(int x, int y) const { return ctrl.Presented().pixel(ctrl.Fit().PixelX(x), ctrl.Fit().PixelY(y)); }

    orvelo::LapDataCore core;
    QWidget window;
    CDrawCorseCtrl ctrl;
};

inline QRgb Rgb(platform::ColorRef color) { return platform::ToQColor(color).rgb(); }

}  // namespace testcourse
