#include "coursemap/CourseLayers.h"

#include <QPainter>

namespace {

constexpr QRgb kMaskWhite = 0xFFFFFFFFu;
constexpr QRgb kMaskBlack = 0xFF000000u;

QImage Filled(const QSize& size, platform::ColorRef colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(platform::ToQColor(colour));
    return image;
}

// White where the course layer is black (transparent), black where it is drawn.
void MakeMask(const QImage& course, QImage& mask) {
    if (mask.size() != course.size())
        mask = QImage(course.size(), QImage::Format_RGB32);
    for (int y = 0; y < course.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(course.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < course.width(); ++x)
            out[x] = (in[x] & 0x00FFFFFFu) == 0 ? kMaskWhite : kMaskBlack;
    }
}

}  // namespace

void CourseLayers::Create(const QSize& size, platform::ColorRef background) {
    m_background = Filled(size, background);
    m_course = Filled(size, background);
    m_extra = Filled(size, 0xFFFFFF);
    m_composed = m_background;
}

void CourseLayers::Compose(bool withExtra) {
    m_composed = m_background.copy();
    if (m_composed.isNull())
        return;
    MakeMask(m_course, m_mask);
    QPainter painter(&m_composed);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(0, 0, m_mask);
    painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    painter.drawImage(0, 0, m_course);
    if (withExtra) {
        painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        painter.drawImage(0, 0, m_extra);
    }
}
