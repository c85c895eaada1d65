#include "platform/GdiDraw.h"

#include <QFontMetrics>
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
