// The 44-byte placement record: exact little-endian layout, refusal of
// foreign sizes, and the mapping onto a window.
#include "platform/WindowPlacement.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

using platform::WindowPlacement;

namespace {

TEST(WindowPlacementTest, BytesFollowTheRecordLayout) {
    const WindowPlacement p{44, 0x01020304, WindowPlacement::kShowMaximized, -1, 2, 3, 4, -8, 20, 300, 0x0A0B0C0D};
    const QByteArray bytes = QByteArray::fromHex("2c000000 04030201 03000000 ffffffff 02000000 03000000 04000000"
                                                 "f8ffffff 14000000 2c010000 0d0c0b0a");
    EXPECT_EQ(p.ToBytes().toHex(' '), bytes.toHex(' '));
    const auto back = WindowPlacement::FromBytes(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->ToBytes(), bytes) << "every field read from where it is written";
    EXPECT_EQ(back->normalLeft, -8);

    EXPECT_FALSE(WindowPlacement::FromBytes(bytes.left(43)).has_value());
    EXPECT_FALSE(WindowPlacement::FromBytes(bytes + '\0').has_value());
    EXPECT_FALSE(WindowPlacement::FromBytes(QByteArray()).has_value());
    QByteArray wrongLength = bytes;
    wrongLength[0] = 40;
    EXPECT_FALSE(WindowPlacement::FromBytes(wrongLength).has_value());
}

TEST(WindowPlacementTest, WindowRoundTripsThroughTheRecord) {
    QWidget window;
    window.setGeometry(5, 6, 70, 80);
    WindowPlacement{}.ApplyTo(window);
    EXPECT_EQ(window.geometry(), QRect(5, 6, 70, 80)) << "an empty record leaves the window alone";
    EXPECT_FALSE((WindowPlacement{.normalLeft = 10, .normalRight = 10}).HasNormalRect()) << "nor is it written";
    window.show();
    WindowPlacement p;
    p.normalLeft = 40;
    p.normalTop = 50;
    p.normalRight = 40 + 320;
    p.normalBottom = 50 + 200;
    p.ApplyTo(window);
    const WindowPlacement back = WindowPlacement::Of(window);
    EXPECT_EQ(QRect(back.normalLeft, back.normalTop, back.normalRight - back.normalLeft,
                    back.normalBottom - back.normalTop),
              QRect(40, 50, 320, 200));
    EXPECT_EQ(back.showCommand, WindowPlacement::kShowNormal);
    window.hide();
    EXPECT_EQ(WindowPlacement::Of(window).showCommand, WindowPlacement::kHide);

    // Stored rectangles beyond any widget's reach leave the window where it is.
    const QRect before = window.geometry();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    for (const WindowPlacement& wild : {WindowPlacement{.normalLeft = kMin, .normalRight = kMax, .normalBottom = 9},
                                        WindowPlacement{.normalTop = kMax - 9, .normalRight = 9, .normalBottom = kMax}}) {
        wild.ApplyTo(window);
        EXPECT_EQ(window.geometry(), before) << wild.normalLeft << ' ' << wild.normalTop;
    }
}

// The frame check fed what an X window manager sends: a restore whose state comes before its place (a
// move and a resize in either order), a frame added late, a move of the user's.
TEST(WindowPlacementTest, TheFrameIsCheckedWhereTheWindowEndsUpAndAUsersMoveIsKept) {
    using platform::FrameCheck;
    const QMargins framed(1, 20, 1, 5);
    const QMargins maximisedFrame(0, 19, 0, 0);
    for (const QRect& screen : {QRect(0, 0, 1024, 768), QRect(0, 0, 1280, 720)}) {
        SCOPED_TRACE(screen.width());
        const std::vector<QRect> areas{screen};
        const QRect maximised = QRect(screen.topLeft(), screen.size()).marginsRemoved(maximisedFrame);
        const QRect normal(screen.width() > 1200 ? 80 : 0, 0, std::min(1200, screen.width()), screen.height());
        FrameCheck check;
        check.Shown();
        check.Restored(normal);  // from maximised, the state told first
        EXPECT_EQ(check.Check(maximised, maximisedFrame, areas).outcome, FrameCheck::Outcome::kNone);
        EXPECT_EQ(check.Check(QRect(maximised.topLeft(), normal.size()), framed, areas).outcome,
                  FrameCheck::Outcome::kNone);  // resized, not yet moved
        FrameCheck::Result result = check.Check(normal, framed, areas);
        ASSERT_EQ(result.outcome, FrameCheck::Outcome::kMove);
        EXPECT_TRUE(screen.contains(result.client.marginsAdded(framed)));
        result = check.Check(result.client, framed, areas);
        EXPECT_EQ(result.outcome, FrameCheck::Outcome::kShown);
        // The user moves it part off the screen: left there.
        EXPECT_EQ(check.Check(result.client.translated(-300, 0), framed, areas).outcome, FrameCheck::Outcome::kNone);
        EXPECT_EQ(check.Check(result.client.translated(-300, 0), framed, areas).outcome, FrameCheck::Outcome::kNone);
    }

    // Shown with no frame, moved by the user, framed later by a window manager started since: the frame
    // comes onto the screen, and where it then stands is not taken as where it was shown.
    const std::vector<QRect> areas{QRect(0, 0, 1920, 1080)};
    FrameCheck check;
    check.Shown();
    EXPECT_EQ(check.Check(QRect(0, 0, 1200, 800), QMargins(), areas).outcome, FrameCheck::Outcome::kShown);
    EXPECT_EQ(check.Check(QRect(0, 0, 1200, 800), framed, areas).outcome, FrameCheck::Outcome::kMove);
    FrameCheck moved;
    moved.Shown();
    ASSERT_EQ(moved.Check(QRect(0, 0, 1200, 800), QMargins(), areas).outcome, FrameCheck::Outcome::kShown);
    EXPECT_EQ(moved.Check(QRect(200, 100, 1200, 800), QMargins(), areas).outcome, FrameCheck::Outcome::kNone);
    EXPECT_EQ(moved.Check(QRect(200, 0, 1200, 800), framed, areas).outcome, FrameCheck::Outcome::kMove);
    EXPECT_EQ(moved.Check(QRect(200, 20, 1200, 800), framed, areas).outcome, FrameCheck::Outcome::kNone);
}

}  // namespace
