// System colours follow the application's palette.
#include "platform/SystemColors.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

TEST(SystemColorsTest, ButtonFaceIsThePaletteButtonColour) {
    const QPalette saved = QApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(0x11, 0x22, 0x33));
    palette.setColor(QPalette::Active, QPalette::ButtonText, QColor(0x44, 0x55, 0x66));
    palette.setColor(QPalette::Active, QPalette::Light, QColor(0x77, 0x88, 0x99));
    QApplication::setPalette(palette);

    EXPECT_EQ(platform::SystemColor(platform::kColorBtnFace), 0x332211u);
    EXPECT_EQ(platform::SystemColor(platform::kColorBtnText), 0x665544u);
    EXPECT_EQ(platform::SystemColor(platform::kColorBtnHighlight), 0x998877u);
    EXPECT_EQ(platform::SystemColor(9999), 0u);
    QApplication::setPalette(saved);
}

}  // namespace
