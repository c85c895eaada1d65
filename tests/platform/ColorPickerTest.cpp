// The colour swatch with its drop-down palette and the scripted colour
// chooser: where a click lands in the palette, what a choice reports to the
// swatch's dialog, and that a palette that closed itself is never touched again.
#include "platform/CStaticColorSel.h"
#include "platform/ChooseColor.h"
#include "platform/ColorPickButton.h"
#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "platform/UserMessages.h"
#include "platform/WindowPlacement.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr int kSwatchId = 1023;

struct Report {
    WParam color;
    LParam id;
    bool operator==(const Report&) const = default;
};

// A dialog with one swatch; it keeps what the swatch reports.
class ColorPickerTest : public ::testing::Test {
protected:
    ColorPickerTest() : swatch(kSwatchId, dialog.Handle(), &host) {
        dialog.On(UM_COLOR_SELECTED, [this](const Message& m) {
            reports.push_back({m.wParam, m.lParam});
            return LResult{0};
        });
        host.resize(200, 100);
        swatch.setGeometry(10, 10, 48, 20);
        host.show();
    }
    ~ColorPickerTest() override { TheMessageBus().ProcessPosted(); }
    // The palette a click on the swatch opens.
    CPalleteColorWnd* Open() {
        QTest::mouseClick(&swatch, Qt::LeftButton);
        return swatch.Palette();
    }
    static void Click(CPalleteColorWnd* palette, QPoint at) {
        QTest::mouseClick(palette, Qt::LeftButton, {}, at);
        TheMessageBus().ProcessPosted();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget host;
    MessageWindow dialog;
    CStaticColorSel swatch;
    std::vector<Report> reports;
};

}  // namespace

TEST_F(ColorPickerTest, CellsAndTheCustomButtonAreHitWhereTheyAreDrawn) {
    CPalleteColorWnd* palette = Open();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->size(), QSize(148, 72));
    const struct {
        QPoint at;
        int cell;
        bool button;
    } rows[] = {{{3, 3}, 0, false},    {{16, 16}, 0, false},  {{17, 3}, -1, false}, {{21, 3}, 1, false},
                {{129, 21}, 15, false}, {{3, 36}, -1, false}, {{10, 50}, -1, true}, {{143, 50}, -1, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(palette->CellAt(row.at), row.cell) << row.at.x() << ',' << row.at.y();
        EXPECT_EQ(palette->ButtonRect().contains(row.at), row.button) << row.at.x() << ',' << row.at.y();
    }
    // The picture shows each cell in its colour.
    const QImage picture = palette->Picture();
    for (int i = 0; i < 16; ++i) {
        const ColorRef expected = CPalleteColorWnd::StandardCells().colors[static_cast<std::size_t>(i)];
        EXPECT_EQ(FromQColor(picture.pixelColor(palette->CellRect(i).center())), expected) << i;
    }
    // A click between cells leaves the palette open and reports nothing.
    Click(palette, {17, 3});
    EXPECT_NE(swatch.Palette(), nullptr);
    EXPECT_TRUE(reports.empty());
}

TEST_F(ColorPickerTest, AChoiceReachesTheDialogAndAClickAfterThePaletteClosedItselfIsSafe) {
    Click(Open(), {129, 21});  // white
    EXPECT_EQ(reports, (std::vector<Report>{{0xFFFFFF, kSwatchId}}));
    EXPECT_EQ(swatch.Color(), 0xFFFFFFu);
    EXPECT_EQ(swatch.Palette(), nullptr);  // it destroyed itself, once

    // The next click opens a new palette on the swatch's colour.
    CPalleteColorWnd* again = Open();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->CurrentColor(), 0xFFFFFFu);
    EXPECT_EQ(FromQColor(swatch.Picture().pixelColor(24, 10)), 0xFFFFFFu);
}

TEST_F(ColorPickerTest, CustomColorsConfirmedPostOnceCancelledNothing) {
    ChooseColorScript chooser;
    chooser.QueueColor(0x123456);
    chooser.QueueCancel();
    swatch.SetColor(0x00FF00);
    Click(Open(), {10, 50});
    ASSERT_EQ(chooser.Requests().size(), 1u);
    EXPECT_EQ(chooser.Requests()[0].initial, 0x00FF00u);
    EXPECT_EQ(reports, (std::vector<Report>{{0x123456, kSwatchId}}));
    EXPECT_EQ(swatch.Palette(), nullptr);

    Click(Open(), {10, 50});
    EXPECT_EQ(chooser.Requests().size(), 2u);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(swatch.Palette(), nullptr);
    EXPECT_EQ(swatch.Color(), 0x123456u);
    EXPECT_NE(Open(), nullptr);  // a click after the cancelled palette went
}

TEST(ColorPaletteTest, PaletteOpenedNearTheWorkAreaEdgeIsMovedInside) {
    const QRect area(0, 0, 1024, 768);
    EXPECT_EQ(platform::PlaceInside(QRect(1000, 740, 148, 72), area), QRect(876, 696, 148, 72));
    EXPECT_EQ(platform::PlaceInside(QRect(100, 100, 148, 72), area), QRect(100, 100, 148, 72));
    EXPECT_EQ(platform::PlaceInside(QRect(-6000, 50, 3000, 72), area), QRect(0, 50, 1024, 72));  // no larger than the area
    // Stored edges as far apart as 32 bits allow still make a rectangle QRect can hold.
    EXPECT_EQ(platform::StoredRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX),
              QRect(-(1 << 24), -(1 << 24), 1 << 24, 1 << 24));
    EXPECT_FALSE(platform::StoredRect(10, 10, 10, 20).has_value());
}

TEST(ColorPickButtonTest, EveryPickIsReportedAlsoOfItsOwnColour) {
    QWidget host;
    ColorPickButton button(50002, &host);
    std::vector<ColorRef> picks;
    button.SetOnPicked([&](ColorRef color) { picks.push_back(color); });
    button.SetColor(0x000000);
    host.show();
    button.OpenPalette();
    CPalleteColorWnd* palette = button.Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->CellRect(5).topLeft(), QPoint(3, 21));  // five a row
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->CellRect(0).center());  // black again
    TheMessageBus().ProcessPosted();
    EXPECT_EQ(picks, std::vector<ColorRef>{0x000000});
}
