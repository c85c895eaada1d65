// Draws a course polyline one colour at a time: the points of one colour are
// gathered and drawn in one go when the colour changes. A colour that is the
// transparent black goes to the extra layer (black on white), any other to
// the course layer. The course renderers draw their courses and thumbnails with it.
#pragma once

#include "platform/ColorRef.h"

#include <QImage>
#include <QPen>
#include <QPolygon>

class CourseRun {
public:
    static constexpr platform::ColorRef kTransparent = 0x000000;
    static constexpr int kMaxPenWidth = 64;

    // GDI's wide solid pens have round ends and joins; a 1-pixel one is the plain line.
    static QPen Pen(platform::ColorRef color, int width);

    // course and extra may be the same image.
    CourseRun(QImage& course, QImage& extra) : m_course(course), m_extra(extra) {}

    void Start(const QPoint& from, platform::ColorRef color, int width);
    // A point equal to the last one draws nothing.
    void LineTo(const QPoint& to);
    // Draws what was gathered; the run goes on from its last point.
    void Flush();
    // Drops the point before the last when it lies straight between its neighbours.
    static void StraightenEnd(QPolygon& points);
    // Flushes and goes on from the last point in another colour.
    void ChangeColor(platform::ColorRef color);

private:
    QImage& m_course;
    QImage& m_extra;
    QPolygon m_points;
    platform::ColorRef m_color = 0;
    int m_width = 1;
};
