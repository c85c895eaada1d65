// The scale strips: the X scale's ticks under the graphs, a zoomed X scale
// dragged, the Y scale beside a channel, its menu, and the row splitter's
// report at the end of a drag.
#include "graphs/CLScaleView.h"
#include "graphs/CxSplitterWnd.h"

#include "GraphTestHost.h"

#include "platform/MessageBus.h"
#include "platform/MessageSpy.h"
#include "platform/PopupMenu.h"

#include <QContextMenuEvent>
#include <QSplitterHandle>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace platform;

constexpr QRgb kBlack = 0xFF000000;

struct ScaleFixture {
    ScaleFixture() {
        owner.OnAny([this](const Message& m) { return m.id == UM_GET_OVERLAP_GRAPH_STATUS ? status : LResult{0}; });
        view.SetOwner(owner.Handle());
    }
    std::vector<SpiedMessage> Posted(std::uint32_t id) {
        TheMessageBus().ProcessPosted();
        return spy.Of(SpiedMessage::Kind::Delivered, owner.Handle(), id);
    }
    void Drag(std::initializer_list<int> xs) {
        QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(300, 10));
        for (int x : xs)
            QTest::mouseMove(&view, QPoint(x, 10));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(300, 10));
    }
    graphtest::TestGraphHost host;
    MessageSpy spy;
    MessageWindow owner;
    LResult status = 0;
    CLScaleView view{host};
};

TEST(CLScaleViewTest, XScaleTicksStandAtTheirDistancesAndAZoomedScaleScrollsByDrag) {
    ScaleFixture f;
    f.view.resize(700, 30);
    f.view.SetMode(CLScaleView::kXScale);
    f.view.SetXAxis(0, 1500);
    f.view.OnInitialUpdate();
    const QImage& picture = f.view.Picture();
    // Steps of 50 m at 0.4667 px/m: labelled ticks (every second) 2h/5 + 1 = 13 px long, others 6.
    for (auto [x, length] : std::vector<std::pair<int, int>>{{0, 13}, {23, 6}, {46, 13}, {93, 13}}) {
        EXPECT_EQ(picture.pixel(x, length - 1), kBlack) << x;
        EXPECT_NE(picture.pixel(x, length), kBlack) << x;
    }
    EXPECT_NE(picture.pixel(30, 2), kBlack);

    // Not zoomed: a drag does nothing.
    f.Drag({250});
    EXPECT_TRUE(f.Posted(UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE).empty());
    EXPECT_EQ(f.view.cursor().shape(), Qt::ArrowCursor);

    // Zoomed to 700 m from 100 m: 1 px a metre. Left by 30 px is 30 m forward, right by 0.5 px still 1 m.
    SendMessage(f.view.Handle(), UM_ZOOM_CONTROL, 700, 100);
    EXPECT_EQ(f.view.cursor().shape(), Qt::OpenHandCursor);
    EXPECT_EQ(f.view.XRange().wholeSteps, 10); // steps of 10 m
    f.Drag({270, 271});
    const auto drags = f.Posted(UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE);
    ASSERT_EQ(drags.size(), 2u);
    EXPECT_EQ(std::make_pair(drags[0].wParam, drags[0].lParam), std::make_pair(WParam{1}, LParam{30}));
    EXPECT_EQ(std::make_pair(drags[1].wParam, drags[1].lParam), std::make_pair(WParam{0}, LParam{1}));

    // A span below 1 shows the longest marked lap again: none is marked, so the range stays.
    SendMessage(f.view.Handle(), UM_ZOOM_CONTROL, 0, 0);
    EXPECT_FALSE(f.view.Zoomed());
}

TEST(CLScaleViewTest, YScaleTicksFollowTheBandAndItsMenuNeedsDrawnLaps) {
    ScaleFixture f;
    f.view.resize(60, 200);
    f.view.SetMode(CLScaleView::kYScale);
    f.view.SetChannel(2); // "Speed" 0..400 in 200 px
    f.view.SetChannelRange({0, 0, 0, 2, 0, 0, 0, 0.0f});
    f.view.OnInitialUpdate();
    ASSERT_FALSE(f.view.YTicks().empty());
    const QImage& picture = f.view.Picture();
    for (const graphs::ScaleTick& tick : f.view.YTicks()) {
        const int y = tick.y;
        if (y >= 200)
            continue; // the minimum lies on the row below the band
        EXPECT_EQ(picture.pixel(59, y), kBlack) << tick.value;
        EXPECT_EQ(picture.pixel(60 - 4, y), kBlack) << tick.value;
        EXPECT_EQ(picture.pixel(60 - 5, y) == kBlack, tick.major) << tick.value;
    }
    EXPECT_EQ(f.view.YTicks().front().value, 0);

    PopupMenuScript menus;
    menus.QueueChoice(QStringLiteral("Y Scale Variable : Speed"));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10), f.view.mapToGlobal(QPoint(10, 10)));
    QCoreApplication::sendEvent(&f.view, &click);
    EXPECT_TRUE(menus.Shown().empty()); // no laps drawn
    f.status = 2;
    QCoreApplication::sendEvent(&f.view, &click);
    ASSERT_EQ(menus.Shown().size(), 1u);
    EXPECT_EQ(menus.Shown()[0], QStringList{"Y Scale Variable : Speed"});
    const auto asked = f.Posted(UM_POPUP_VARIABLE_Y_SCALE_DIALOG);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].wParam, f.view.Handle());
    EXPECT_EQ(static_cast<WindowHandle>(asked[0].lParam), f.owner.Handle());
    EXPECT_EQ(SendMessage(f.view.Handle(), UM_CHANNEL_SCALE_VIEW_INFO, 1, 0), 1);
    EXPECT_EQ(SendMessage(f.view.Handle(), UM_CHANNEL_SCALE_VIEW_INFO, 0, 0), 0);
}

TEST(CxSplitterWndTest, RowsKeepTheirColumnsAndADraggedBorderIsReportedOnce) {
    MessageSpy spy;
    MessageWindow owner;
    owner.OnAny([](const Message&) { return LResult{0}; });
    QWidget top;
    top.resize(400, 303);
    CxSplitterWnd splitter(2, owner.Handle(), &top);
    splitter.setGeometry(0, 0, 400, 303);
    std::vector<QWidget*> panes;
    for (int row = 0; row < 2; ++row) {
        panes.push_back(new QWidget);
        panes.push_back(new QWidget);
        splitter.SetPanes(row, panes[panes.size() - 2], panes.back());
    }
    splitter.SetLeftColumnWidth(25);
    splitter.SetRowHeights(150, 10);
    top.show();
    EXPECT_EQ(splitter.RowHeights(), (std::vector<int>{150, 150}));
    EXPECT_EQ(splitter.Pane(1, 0)->geometry(), QRect(0, 0, 25, 150));
    EXPECT_EQ(splitter.Pane(1, 1)->geometry(), QRect(28, 0, 372, 150));
    QSplitterHandle* handle = splitter.handle(1);
    QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(200, 1));
    QTest::mouseMove(handle, QPoint(200, -39));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(200, -39));
    const std::vector<int> heights = splitter.RowHeights();
    EXPECT_NEAR(heights[0], 110, 1);
    EXPECT_EQ(heights[0] + heights[1], 300);
    // A click without a drag reports nothing.
    QTest::mouseClick(splitter.handle(1), Qt::LeftButton, {}, QPoint(200, 1));
    TheMessageBus().ProcessPosted();
    const auto stops = spy.Of(SpiedMessage::Kind::Delivered, owner.Handle(), UM_STOP_TRACKING_PLOT);
    ASSERT_EQ(stops.size(), 1u);
    EXPECT_EQ(stops[0].wParam, 2u);
}

} // namespace
