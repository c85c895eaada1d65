#include "coursemap/CourseRun.h"

#include "platform/GdiDraw.h"

#include <QPainter>

#include <algorithm>

QPen CourseRun::Pen(platform::ColorRef color, int width) {
    QPen pen = platform::GdiPen(color, std::clamp(width, 1, kMaxPenWidth));
    if (pen.width() > 1) {
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
    }
    return pen;
}

void CourseRun::Start(const QPoint& from, platform::ColorRef color, int width) {
    m_points.clear();
    m_points << from;
    m_color = color;
    m_width = width;
}

void CourseRun::LineTo(const QPoint& to) {
    if (m_points.isEmpty() || m_points.last() != to)
        m_points << to;
    StraightenEnd(m_points);
}

void CourseRun::StraightenEnd(QPolygon& points) {
    const qsizetype n = points.size();
    if (n < 3)
        return;
    const QPoint a = points[n - 2] - points[n - 3];
    const QPoint b = points[n - 1] - points[n - 2];
    // The middle point lies on the way from the one before to the one after: the stroke is the same without it.
    if (a.x() * b.y() == a.y() * b.x() && a.x() * b.x() + a.y() * b.y() > 0)
        points.remove(n - 2);
}

void CourseRun::Flush() {
    if (m_points.size() < 2)
        return;
    QPainter painter(m_color == kTransparent ? &m_extra : &m_course);
    platform::PrepareGdiPainter(painter);
    painter.setPen(Pen(m_color, m_width));
    painter.drawPolyline(m_points);
    m_points = QPolygon{m_points.last()};
}

void CourseRun::ChangeColor(platform::ColorRef color) {
    Flush();
    m_color = color;
}
