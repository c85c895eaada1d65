#include "coursemap/CourseLayers.h"

#include "core/LapData.h"
#include "platform/GdiDraw.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// The image at the size in one colour, its buffer kept when it has that size already.
void Fill(QImage& image, const QSize& size, platform::ColorRef colour) {
    if (image.size() != size || image.format() != QImage::Format_RGB32)
        image = QImage(size, QImage::Format_RGB32);
    image.fill(platform::ToQColor(colour));
}

}  // namespace

void CourseLayers::Create(const QSize& size, platform::ColorRef background) {
    Fill(m_background, size, background);
    Fill(m_course, size, background);
    Fill(m_extra, size, 0xFFFFFF);
    Fill(m_composed, size, background);
    m_backgroundColor = background;
}

void CourseLayers::Compose(bool withExtra) {
    const QSize size = m_background.size();
    if (m_composed.size() != size)
        m_composed = QImage(size, QImage::Format_RGB32);
    if (m_composed.isNull())
        return;
    // One pass per pixel: the background ANDed with the course's mask (white
    // where the course layer is black) and the course ORed comes to the
    // background where the course is black and the course elsewhere.
    const QRgb keep = withExtra ? 0u : 0xFFFFFFFFu;  // all ones: the extra layer changes nothing
    for (int y = 0; y < size.height(); ++y) {
        const auto* background = reinterpret_cast<const QRgb*>(m_background.constScanLine(y));
        const auto* course = reinterpret_cast<const QRgb*>(m_course.constScanLine(y));
        const auto* extra = reinterpret_cast<const QRgb*>(m_extra.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(m_composed.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const QRgb shown = (course[x] & 0x00FFFFFFu) == 0 ? background[x] : course[x];
            out[x] = shown & (extra[x] | keep);
        }
    }
}

void CourseLayers::WriteText(const QPoint& at, const QFont& font, platform::ColorRef color, const QString& text) {
    if (m_course.isNull())
        return;
    QPainter painter(&m_course);
    platform::PrepareGdiPainter(painter);
    painter.setFont(font);
    painter.setPen(platform::ToQColor(color));
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(platform::ToQColor(m_backgroundColor));
    painter.drawText(QRect(at, QSize(std::max(m_course.width() - at.x(), 1), std::max(m_course.height() - at.y(), 1))),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void CourseLayers::DrawPositionMark(const QPoint& at, int markSize, const orvelo::CoursePoint& lineOf,
                                    platform::ColorRef color, int width) {
    if (m_course.isNull())
        return;
    const int h = (markSize + 4) / 2;
    int dx = 0;
    int dy = 0;
    if (lineOf.lineCase == 0) {
        const double a = std::atan(static_cast<double>(lineOf.slopeAcross));
        dx = static_cast<int>(std::cos(a) * h);
        dy = static_cast<int>(std::sin(a) * h);
    } else if (lineOf.lineCase == 1) {
        dx = h;
    } else {
        dy = h;
    }
    QPainter painter(&m_course);
    platform::PrepareGdiPainter(painter);
    painter.setPen(platform::GdiPen(color, width));
    platform::GdiLine(painter, at.x() - dx, at.y() - dy, at.x() + dx, at.y() + dy);
}
