// COLORREF keeps red in the low byte: a pixel drawn with a converted colour
// must come out in the colour the stored word names.
#include "platform/ColorRef.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

QRgb Painted(platform::ColorRef color) {
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.fillRect(image.rect(), platform::ToQColor(color));
    painter.end();
    return image.pixel(1, 1);
}

TEST(ColorRefTest, PaintsInTheStoredByteOrder) {
    EXPECT_EQ(Painted(0x0000FF), qRgb(255, 0, 0));  // base-lap red
    EXPECT_EQ(Painted(0x566D34), qRgb(0x34, 0x6D, 0x56));
    EXPECT_EQ(Painted(0xFF4000), qRgb(0x00, 0x40, 0xFF));
}

TEST(ColorRefTest, ConvertsBackFromQColor) {
    EXPECT_EQ(platform::FromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
    // A colour given in another model still yields its RGB word.
    EXPECT_EQ(platform::FromQColor(QColor::fromHsv(0, 255, 255)), 0x0000FFu);
    // The unused top byte does not leak into the colour.
    EXPECT_EQ(platform::FromQColor(platform::ToQColor(0xAA123456)), 0x123456u);
}

}  // namespace
