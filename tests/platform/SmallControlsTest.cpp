// The floating text window, the custom-drawn slider and the shades they use.
#include "platform/CColorToolTipWnd.h"
#include "platform/CCustomDrawSliderCtrl.h"
#include "platform/ColorAdjustLuma.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {
int Lightness(ColorRef color) { return ToQColor(color).lightness(); }
}  // namespace

TEST(ColorAdjustLumaTest, MovesLightnessTowardsWhiteOrBlackKeepingTheHue) {
    EXPECT_EQ(ColorAdjustLuma(0x00FF00, 0), 0x00FF00u);
    EXPECT_EQ(ColorAdjustLuma(0x00FF00, 1000), 0xFFFFFFu);
    EXPECT_EQ(ColorAdjustLuma(0x00FF00, -1000), 0x000000u);
    const ColorRef light = ColorAdjustLuma(0x00FF00, 500);
    const ColorRef dark = ColorAdjustLuma(0x00FF00, -333);
    EXPECT_GT(Lightness(light), Lightness(0x00FF00));
    EXPECT_LT(Lightness(dark), Lightness(0x00FF00));
    EXPECT_EQ(ToQColor(dark).hslHue(), 120);
}

TEST(CColorToolTipWndTest, ShowsTextWhereToldStaysInsideItsParentAndCanBeDragged) {
    QWidget parent;
    parent.resize(200, 120);
    parent.show();
    auto* tip = new CColorToolTipWnd;
    tip->ShowText(10, 20, QStringLiteral("12"));  // before Create: stored only
    EXPECT_TRUE(tip->isHidden());
    ASSERT_TRUE(tip->Create(&parent));
    EXPECT_FALSE(tip->Create(&parent));
    tip->resize(48, 20);
    tip->ShowText(10, 20, QStringLiteral("12"));
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->parentWidget(), &parent);
    EXPECT_EQ(tip->pos(), QPoint(10, 20));

    const QImage picture = tip->Picture();
    EXPECT_EQ(FromQColor(picture.pixelColor(0, 0)), CColorToolTipWnd::kBorder);
    EXPECT_EQ(FromQColor(picture.pixelColor(47, 19)), CColorToolTipWnd::kBorder);
    EXPECT_EQ(FromQColor(picture.pixelColor(2, 2)), CColorToolTipWnd::kBackground);

    QTest::mousePress(tip, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(tip, QPoint(20, 5));
    QTest::mouseRelease(tip, Qt::LeftButton, {}, QPoint(20, 5));
    EXPECT_EQ(tip->pos(), QPoint(25, 20));
    EXPECT_FALSE(tip->Dragging());
    tip->Hide();
    EXPECT_TRUE(tip->isHidden());
}

TEST(CCustomDrawSliderCtrlTest, ThumbIsTheBaseColourAndCheckeredWhilePressed) {
    CCustomDrawSliderCtrl slider;
    slider.resize(200, 30);
    slider.setRange(0, 100);
    slider.setValue(40);
    const QPoint centre = slider.ThumbRect().center();
    QImage picture = slider.Picture();
    EXPECT_EQ(FromQColor(picture.pixelColor(centre)), 0x00FF00u);
    EXPECT_EQ(FromQColor(picture.pixelColor(centre + QPoint(1, 0))), 0x00FF00u);

    slider.setSliderDown(true);
    picture = slider.Picture();
    const ColorRef a = FromQColor(picture.pixelColor(centre));
    const ColorRef b = FromQColor(picture.pixelColor(centre + QPoint(1, 0)));
    EXPECT_NE(a, b);
    EXPECT_TRUE((a == 0x00FF00 && b == 0xFFFFFF) || (a == 0xFFFFFF && b == 0x00FF00));

    // The channel's frame: top-left in the dark shade, bottom-right in the light one.
    const QRect frame = slider.ChannelRect().adjusted(1, 1, -1, -1);
    ASSERT_GT(frame.height(), 2);
    ASSERT_FALSE(slider.ThumbRect().contains(frame.topLeft()) || slider.ThumbRect().contains(frame.bottomRight()));
    EXPECT_EQ(FromQColor(picture.pixelColor(frame.topLeft())), slider.DarkShade());
    EXPECT_EQ(FromQColor(picture.pixelColor(frame.bottomRight())), slider.LightShade());
}
