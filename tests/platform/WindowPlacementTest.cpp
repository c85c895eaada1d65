// The 44-byte placement record: exact little-endian layout, refusal of
// foreign sizes, and the mapping onto a window.
#include "platform/WindowPlacement.h"

#include <QWidget>
#include <gtest/gtest.h>

using platform::WindowPlacement;

namespace {

std::uint32_t U32At(const QByteArray& bytes, int offset) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(std::uint8_t(bytes[offset + i])) << (8 * i);
    return v;
}

TEST(WindowPlacementTest, BytesFollowTheRecordLayout) {
    WindowPlacement p;
    p.showCommand = WindowPlacement::kShowNormal;
    p.normalLeft = -8;
    p.normalTop = 20;
    p.normalRight = 300;
    p.normalBottom = 0x01020304;
    const QByteArray bytes = p.ToBytes();
    ASSERT_EQ(bytes.size(), 44);
    EXPECT_EQ(U32At(bytes, 0), 44u);
    EXPECT_EQ(U32At(bytes, 8), 1u);
    EXPECT_EQ(U32At(bytes, 28), 0xFFFFFFF8u);
    EXPECT_EQ(U32At(bytes, 32), 20u);
    EXPECT_EQ(U32At(bytes, 36), 300u);
    EXPECT_EQ(std::uint8_t(bytes[40]), 0x04);  // little-endian
    EXPECT_EQ(std::uint8_t(bytes[43]), 0x01);
    const auto back = WindowPlacement::FromBytes(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->normalLeft, -8);
    EXPECT_EQ(back->normalBottom, 0x01020304);
    EXPECT_EQ(back->showCommand, 1u);
}

TEST(WindowPlacementTest, ForeignBytesAreRefused) {
    QByteArray bytes = WindowPlacement{}.ToBytes();
    EXPECT_FALSE(WindowPlacement::FromBytes(bytes.left(43)).has_value());
    EXPECT_FALSE(WindowPlacement::FromBytes(bytes + '\0').has_value());
    bytes[0] = 40;  // wrong length field
    EXPECT_FALSE(WindowPlacement::FromBytes(bytes).has_value());
    EXPECT_FALSE(WindowPlacement::FromBytes(QByteArray()).has_value());
}

TEST(WindowPlacementTest, EmptyNormalRectangleIsNotWorthWriting) {
    WindowPlacement p;
    EXPECT_FALSE(p.HasNormalRect());
    p.normalLeft = 10;
    p.normalRight = 10;
    EXPECT_FALSE(p.HasNormalRect());
    p.normalRight = 11;
    EXPECT_TRUE(p.HasNormalRect());
}

TEST(WindowPlacementTest, WindowRoundTripsThroughTheRecord) {
    QWidget window;
    window.show();
    WindowPlacement p;
    p.normalLeft = 40;
    p.normalTop = 50;
    p.normalRight = 40 + 320;
    p.normalBottom = 50 + 200;
    p.ApplyTo(window);
    const WindowPlacement back = WindowPlacement::Of(window);
    EXPECT_EQ(back.normalLeft, 40);
    EXPECT_EQ(back.normalTop, 50);
    EXPECT_EQ(back.normalRight - back.normalLeft, 320);
    EXPECT_EQ(back.normalBottom - back.normalTop, 200);
    EXPECT_EQ(back.showCommand, WindowPlacement::kShowNormal);
    window.hide();
    EXPECT_EQ(WindowPlacement::Of(window).showCommand, WindowPlacement::kHide);
}

TEST(WindowPlacementTest, EmptyRecordLeavesTheWindowAlone) {
    QWidget window;
    window.setGeometry(5, 6, 70, 80);
    WindowPlacement{}.ApplyTo(window);
    EXPECT_EQ(window.geometry(), QRect(5, 6, 70, 80));
}

}  // namespace
