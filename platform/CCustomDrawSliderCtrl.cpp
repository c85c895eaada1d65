#include "platform/CCustomDrawSliderCtrl.h"

#include "platform/ColorAdjustLuma.h"
#include "platform/GdiDraw.h"
#include "platform/SystemColors.h"

#include <QPainter>
#include <QStyleOptionSlider>

namespace {

// An 8 x 8 checkerboard, rows alternating 0x55 and 0xAA: set bits in white,
// clear ones in the base colour.
QImage Checkerboard(platform::ColorRef base) {
    QImage tile(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        const unsigned row = y % 2 == 0 ? 0x55u : 0xAAu;
        for (int x = 0; x < 8; ++x) {
            const bool set = (row >> (7 - x)) & 1u;
            tile.setPixelColor(x, y, set ? QColor(Qt::white) : platform::ToQColor(base));
        }
    }
    return tile;
}

}  // namespace

CCustomDrawSliderCtrl::CCustomDrawSliderCtrl(Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent),
      m_light(platform::ColorAdjustLuma(kBaseColor, 500)),
      m_dark(platform::ColorAdjustLuma(kBaseColor, -210)),
      m_outline(platform::ColorAdjustLuma(kBaseColor, -333)) {}

QRect CCustomDrawSliderCtrl::ThumbRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

QRect CCustomDrawSliderCtrl::ChannelRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
}

QImage CCustomDrawSliderCtrl::Picture() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(platform::ToQColor(platform::SystemColor(platform::kColorBtnFace)));
    QPainter painter(&image);
    // Channel and tics as the style draws them, then the frame and the thumb of our own.
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderTickmarks;
    option.activeSubControls = QStyle::SC_None;
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);

    platform::PrepareGdiPainter(painter);
    const QRect frame = ChannelRect().adjusted(1, 1, -1, -1);
    if (frame.width() > 1 && frame.height() > 1) {
        const int l = frame.left(), t = frame.top(), r = frame.right(), b = frame.bottom();
        painter.setPen(platform::GdiPen(m_dark));
        platform::GdiLine(painter, l, b, l, t);
        platform::GdiLine(painter, l, t, r, t);
        painter.setPen(platform::GdiPen(m_light));
        platform::GdiLine(painter, r, t, r, b);
        platform::GdiLine(painter, r, b, l - 1, b);
    }
    DrawThumb(painter);
    return image;
}

void CCustomDrawSliderCtrl::DrawThumb(QPainter& painter) const {
    const QRect thumb = ThumbRect();
    QBrush fill(platform::ToQColor(m_base));
    if (isSliderDown()) {
        fill = QBrush(Checkerboard(m_base));
        fill.setTransform(QTransform::fromTranslate(thumb.left(), thumb.top()));
    }
    painter.setPen(platform::GdiPen(m_outline));
    painter.setBrush(fill);
    painter.drawEllipse(thumb.adjusted(0, 0, -1, -1));
}

void CCustomDrawSliderCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}
