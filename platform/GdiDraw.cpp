#include "platform/GdiDraw.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>

namespace platform {

namespace {

void InstallSubstitutions() {
    static const bool installed = [] {
        QFont::insertSubstitutions(QStringLiteral("Microsoft Sans Serif"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Arial"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("MS UI Gothic"),
                                   {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                                   {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        return true;
    }();
    (void)installed;
}

QFont FontOfPixelSize(const QString& face, int pixelSize, int weight) {
    QFont font(face);
    font.setPixelSize(pixelSize);
    font.setWeight(static_cast<QFont::Weight>(weight));
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The painter's RGB32 image when pixels can be set in it directly, exactly
// as the painter would set them: no transform, clip, opacity or antialiasing,
// opaque colours drawn over.
QImage* DirectImage(QPainter& painter) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const bool plain = image->format() == QImage::Format_RGB32 && image->devicePixelRatio() == 1.0 &&
                       !painter.hasClipping() && painter.deviceTransform().isIdentity() && painter.opacity() == 1.0 &&
                       painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
                       !painter.testRenderHint(QPainter::Antialiasing);
    return plain ? image : nullptr;
}

}  // namespace

QPen GdiPen(ColorRef color, int width, Qt::PenStyle style) {
    QPen pen(ToQColor(color), width <= 1 ? 1 : width, style, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    return pen;
}

void GdiLine(QPainter& painter, int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2)
        return;
    const QPen& pen = painter.pen();
    if (pen.style() == Qt::SolidLine && pen.width() <= 1 && (x1 == x2 || y1 == y2)) {
        // Qt's flat cap drops the pixel with the larger coordinate whichever
        // way the line runs; GDI drops the end point.
        const int step = (x1 == x2) ? (y2 > y1 ? 1 : -1) : (x2 > x1 ? 1 : -1);
        const int lastX = x1 == x2 ? x1 : x2 - step;
        const int lastY = y1 == y2 ? y1 : y2 - step;
        painter.fillRect(QRect(QPoint(std::min(x1, lastX), std::min(y1, lastY)),
                               QPoint(std::max(x1, lastX), std::max(y1, lastY))),
                         pen.color());
        return;
    }
    painter.drawLine(x1, y1, x2, y2);
}

GdiLineRun::GdiLineRun(QPainter& painter) : m_painter(painter) {
    // The painter's own image is not shared while it is painted on, so its
    // bits stay where they are for the run.
    if (QImage* image = DirectImage(painter)) {
        m_bits = image->bits();
        m_stride = image->bytesPerLine();
        m_width = image->width();
        m_height = image->height();
    }
}

void GdiLineRun::SetColumn(int x, int y1, int y2, QRgb color) {
    if (x < 0 || x >= m_width)
        return;
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), m_height - 1);
    for (int y = top; y <= bottom; ++y)
        reinterpret_cast<QRgb*>(m_bits + y * m_stride)[x] = color;
}

void GdiLineRun::SetRow(int y, int x1, int x2, QRgb color) {
    if (y < 0 || y >= m_height)
        return;
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), m_width - 1);
    auto* row = reinterpret_cast<QRgb*>(m_bits + y * m_stride);
    std::fill(row + left, row + std::max(right + 1, left), color);
}

// A line one column across, set as the painter's flat-capped cosmetic pen sets
// it: a 45-degree step is its left pixel; a steeper line runs from its upper
// end over the rows above its lower end, in the upper end's column on that
// row and in the left one of the two columns below.
void GdiLineRun::SetSteepStep(int x1, int y1, int x2, int y2, QRgb color) {
    if (std::abs(y2 - y1) == 1) {
        const bool firstIsLeft = x1 < x2;
        SetColumn(firstIsLeft ? x1 : x2, firstIsLeft ? y1 : y2, firstIsLeft ? y1 : y2, color);
        return;
    }
    const bool firstIsUpper = y1 < y2;
    const int upperX = firstIsUpper ? x1 : x2;
    const int upperY = std::min(y1, y2);
    const int lowerY = std::max(y1, y2);
    SetColumn(upperX, upperY, upperY, color);
    SetColumn(std::min(x1, x2), upperY + 1, lowerY - 1, color);
}

void GdiLineRun::Line(QRgb color, int x1, int y1, int x2, int y2) {
    if (x1 == x2 && y1 == y2)
        return;
    color |= 0xFF000000u;
    if (m_bits) {
        if (x1 == x2) {
            SetColumn(x1, y1, y2 > y1 ? y2 - 1 : y2 + 1, color);
            return;
        }
        if (y1 == y2) {
            SetRow(y1, x1, x2 > x1 ? x2 - 1 : x2 + 1, color);
            return;
        }
        if (std::abs(x2 - x1) == 1) {
            SetSteepStep(x1, y1, x2, y2, color);
            return;
        }
    }
    if (!m_penSet || color != m_penColor) {
        m_painter.setPen(GdiPen(FromQColor(QColor::fromRgb(color))));
        m_penColor = color;
        m_penSet = true;
    }
    GdiLine(m_painter, x1, y1, x2, y2);
}

void GdiRectangle(QPainter& painter, int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return;
    if (painter.brush().style() != Qt::NoBrush)
        painter.fillRect(QRect(left, top, right - left, bottom - top), painter.brush());
    if (painter.pen().style() == Qt::NoPen)
        return;
    if (right - left == 1 || bottom - top == 1) {
        painter.fillRect(QRect(left, top, right - left, bottom - top), painter.pen().color());
        return;
    }
    const QBrush brush = painter.brush();
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, top, right - left - 1, bottom - top - 1);
    painter.setBrush(brush);
}

void GdiFillRect(QPainter& painter, int left, int top, int right, int bottom, ColorRef color) {
    if (right > left && bottom > top)
        painter.fillRect(QRect(left, top, right - left, bottom - top), ToQColor(color));
}

void GdiFocusRect(QPainter& painter, int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return;
    QPolygon dots;
    const auto dot = [&dots](int x, int y) {
        if ((x + y) % 2 == 0)
            dots << QPoint(x, y);
    };
    for (int x = left; x < right; ++x) {
        dot(x, top);
        if (bottom - 1 > top)
            dot(x, bottom - 1);
    }
    for (int y = top + 1; y < bottom - 1; ++y) {
        dot(left, y);
        if (right - 1 > left)
            dot(right - 1, y);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawPoints(dots);
    painter.restore();
}

QFont GdiFont(const QString& face, int height, int weight) {
    InstallSubstitutions();
    if (height == 0)
        height = -13;
    if (height < 0)
        return FontOfPixelSize(face, -height, weight);
    // The largest pixel size whose cell fits the asked height.
    int size = height;
    while (size > 1 && QFontMetrics(FontOfPixelSize(face, size, weight)).height() > height)
        --size;
    return FontOfPixelSize(face, size, weight);
}

int CellHeight(const QFont& font) { return QFontMetrics(font).height(); }

void PrepareGdiPainter(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
}

}  // namespace platform
