// The graph pane as a window: its picture pixel by pixel (grid, traces over
// it, title place, fills), and the cursor a press, a drag and the keys move.
#include "graphs/CDlgGrafView.h"

#include "GraphTestHost.h"

#include "platform/MessageBus.h"
#include "platform/MessageSpy.h"
#include "platform/PopupMenu.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"
#include "platform/UserMessages.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace {

using namespace platform;

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGrid = 0xFF404040;
constexpr OverviewWindowColors kBlackColors{0x000000, 0x808080, 0x00FFFF, 0x404040, 1, 1};

// A lap of samples every `step` metres up to `distance`, every one 1/10 s
// after the one before, all in gear `gear`, closed by a lap-end sample.
orvelo::Lap GearLap(std::uint32_t distance, std::uint32_t step, std::uint32_t gear, std::uint32_t number,
                    std::uint32_t firstTime = 0) {
    orvelo::Lap lap;
    lap.lapNumber = number;
    for (std::uint32_t d = 0; d <= distance; d += step)
        lap.positions.push_back(
            orvelo::PositionRec{.time = firstTime + 10 * (d / step), .runningDistance = d, .gear = gear});
    orvelo::PositionRec end = lap.positions.back();
    end.lapEndMark = orvelo::kLapEndMark;
    lap.positions.push_back(end);
    lap.distance = distance;
    lap.lapTime = lap.positions.back().time;
    return lap;
}

class CDlgGrafViewTest : public ::testing::Test {
protected:
    // One file of the laps; the first `compared` of them compared in order.
    void LoadLaps(std::vector<orvelo::Lap> laps, int compared) {
        orvelo::LogFile file;
        file.fileId = host.Core().TakeNextFileId();
        file.fullPath = u"/tmp/gear.log";
        for (orvelo::Lap& lap : laps)
            file.laps.push_back(std::move(lap));
        file.laps[0].baseLapMark = 1;
        host.Core().LogFiles.push_back(file);
        for (int row = 0; row < compared; ++row)
            host.Core().SelectedLaps[static_cast<std::size_t>(row)] = {
                {orvelo::FileSet::Log, file.fileId, row}, 0, 1, static_cast<std::int32_t>(row + 1), file.fullPath};
    }
    // A shown lap-overlay pane of the channel, w x h, with the colours.
    std::unique_ptr<CDlgGrafView> Pane(int channel, int width, int height, const OverviewWindowColors& colors) {
        auto pane = std::make_unique<CDlgGrafView>(nullptr, host, GraphPaneData::kLapOverlay, 0, channel, owner.Handle());
        pane->resize(width, height);
        pane->show();
        pane->SetChannelRange({0, 0, 0, channel, 0, 0, 0, 0.0f});
        pane->SetOverviewColors(colors);
        pane->SetDataFlag(true);
        pane->Redraw();
        return pane;
    }

    // The ids posted since the spy last cleared, in order, and clears it.
    std::vector<std::uint32_t> TakePosted() {
        std::vector<std::uint32_t> ids;
        for (const SpiedMessage& m : spy.Of(SpiedMessage::Kind::Posted))
            ids.push_back(m.id);
        spy.Clear();
        return ids;
    }
    // The last message of the id posted to the owner.
    SpiedMessage ToOwner(std::uint32_t id) const {
        const auto posted = spy.Of(SpiedMessage::Kind::Posted, owner.Handle(), id);
        return posted.empty() ? SpiedMessage{} : posted.back();
    }

    graphtest::TestGraphHost host;
    MessageWindow owner;
    MessageSpy spy;
};

// Gear over 800 m in 200 x 128 (16 pixels a gear, a point every 2 pixels) on
// the screen: the trace over the grid, the cross-hair over both; grey
// without data, white for kind 4.
TEST_F(CDlgGrafViewTest, ScreenShowsTheTraceOverTheGridAndTheCursorOverBoth) {
    LoadLaps({GearLap(800, 8, 3, 1)}, 1);
    const auto pane = Pane(12, 200, 128, kBlackColors);
    QTest::mouseClick(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(57, 10));
    const QImage screen = pane->grab().toImage();
    const std::set<int> columns{12, 25, 37, 50, 62, 75, 87, 100, 112, 125, 137, 150, 162, 175, 187};
    const std::set<int> rows{112, 96, 80, 64, 48, 32, 16, 0};
    int wrong = 0;
    for (int y = 20; y < 128; ++y) { // below the title
        for (int x = 0; x < 200; ++x) {
            const QRgb expected = x == 58 || y == 80 ? 0xFFFFFF00 : columns.count(x) || rows.count(y) ? kGrid : kBlack;
            wrong += screen.pixel(x, y) != expected;
        }
    }
    EXPECT_EQ(std::make_pair(wrong, pane->Picture().pixel(30, 80)), std::make_pair(0, kRed));
    EXPECT_EQ(pane->Title().toStdString(), "Gear");
    CDlgGrafView blank(nullptr, host, GraphPaneData::kBlank, 1, 0, owner.Handle());
    blank.resize(40, 30);
    blank.show();
    pane->SetDataFlag(false);
    pane->Redraw();
    QImage grey(200, 128, QImage::Format_RGB32);
    grey.fill(0xFFC8C8C8);
    QImage white(40, 30, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(pane->grab().toImage().convertToFormat(QImage::Format_RGB32), grey);
    EXPECT_EQ(blank.grab().toImage().convertToFormat(QImage::Format_RGB32), white);
    spy.Clear();
    QTest::mouseClick(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(57, 10)); // nothing to pick
    EXPECT_EQ(TakePosted(), std::vector<std::uint32_t>{UM_CURSOR_PRESS_NOTIFY});
}

// Where the colours come from, and a trace of any colour (the background's
// too) lying over the grid: the background, a grid column, and the trace
// where it crosses that column.
TEST_F(CDlgGrafViewTest, ColoursComeFromTheWindowOrTheEnabledBlockAndTracesLieOverTheGrid) {
    struct Case {
        OverviewWindowColors colors;
        ColorRef lapColor;
        std::int32_t blockEnabled;
        QRgb background, gridColumn, traceOnColumn;
    };
    const OverviewWindowColors white{0xFFFFFF, 0x808080, 0x000000, 0xF0F0F0, 1, 1};
    const Case cases[] = {
        {white, 0x0000FF, 0, 0xFFFFFFFF, 0xFFF0F0F0, kRed},   // white shows its grid
        {white, 0xFFFFFF, 0, 0xFFFFFFFF, 0xFFF0F0F0, 0xFFFFFFFF}, // a lap in the background colour cuts it
        {{0xFFFFFF, 0x808080, 0, 0xF0F0F0, 0, 1}, 0x0000FF, 0, 0xFFFFFFFF, 0xFFFFFFFF, kRed}, // grid off
        {white, 0x0000FF, 1, 0xFF00FF00, 0xFFF0F0F0, kRed}, // the block's background, the window's grid
    };
    LoadLaps({GearLap(800, 8, 3, 1)}, 1);
    for (const Case& c : cases) {
        const auto pane = Pane(12, 200, 128, c.colors);
        ChannelColorProperty block{{c.lapColor}, 0x00FF00, 0, 0, c.blockEnabled, 12, 1};
        pane->ApplyColorBlock(&block);
        const QImage& image = pane->Picture();
        EXPECT_EQ(std::make_tuple(image.pixel(5, 100), image.pixel(12, 100), image.pixel(12, 80)),
                  std::make_tuple(c.background, c.gridColumn, c.traceOnColumn))
            << &c - cases;
    }
}

// The x grid's step changes above 1000 m and above 150 s: its first column.
TEST_F(CDlgGrafViewTest, XGridStepsAtTheirSpanBoundaries) {
    LoadLaps({GearLap(20000, 50, 3, 1)}, 1);
    const auto pane = Pane(12, 200, 128, kBlackColors);
    const auto firstColumn = [&](int mode, std::uint32_t span) {
        pane->SetXAxisMode(mode);
        SendMessage(pane->Handle(), UM_ZOOM_CONTROL, span, 0);
        int x = 1;
        while (x < 200 && pane->Picture().pixel(x, 100) != kGrid)
            ++x;
        return x;
    };
    EXPECT_EQ(firstColumn(GraphPaneData::kDistance, 1000), 10); // 50 m at 0.2 px/m
    EXPECT_EQ(firstColumn(GraphPaneData::kDistance, 1001), 19); // 100 m
    EXPECT_EQ(firstColumn(GraphPaneData::kTime, 15000), 13);    // 10 s at 200 px / 150 s
    EXPECT_EQ(firstColumn(GraphPaneData::kTime, 15001), 39);    // 30 s
}

// Press, drag and release on a generated session of two compared laps: what
// goes out and where the cross-hair goes; a sibling's relayed press; the
// click swallowed after a redraw request.
TEST_F(CDlgGrafViewTest, PressDragAndReleaseMoveTheCursorAndTellTheOthers) {
    const std::u16string a = host.Load(QStringLiteral("a.log"), 3, 1);
    host.SetBase(a, 1);
    host.AddOverlay(a, 2);
    const auto pane = Pane(1, 400, 100, kBlackColors);
    const auto sibling = Pane(1, 400, 100, kBlackColors);
    const auto pointAt = [&](int x) {
        const auto& points = pane->Data().PrimaryTraces()[0].Points();
        const auto found = std::find_if(points.begin(), points.end(), [x](const auto& p) { return p.x >= x; });
        return QPoint(found->x, found->y);
    };
    pane->Picture();
    spy.Clear();
    QTest::mousePress(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
    const std::vector<std::uint32_t> press{UM_CURSOR_PRESS_NOTIFY, UM_SET_RPM_DATA_VALUE, UM_SET_RPM_DATA_VALUE,
                                           UM_CURSOR_PRESS, UM_SET_DISTANCE_VALUE, UM_PUT_SEGMENT_INFO,
                                           UM_MOVE_SEGMENT_INFO, UM_ANALYSIS_LINE, UM_PUT_LOGGING_TIME,
                                           UM_SET_LAP_TIME_VALUE, UM_SET_DISTANCE_VALUE, UM_SET_LAP_TIME_VALUE};
    EXPECT_EQ(std::make_pair(ToOwner(UM_CURSOR_PRESS).wParam, ToOwner(UM_CURSOR_PRESS).lParam),
              std::make_pair(pane->Handle(), MakeLong(100, 50)));
    EXPECT_EQ(TakePosted(), press);
    EXPECT_EQ(pane->Data().Plot().CursorPoint(), pointAt(100));
    QMouseEvent drag(QEvent::MouseMove, QPointF(150, 60), QPointF(150, 60), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pane.get(), &drag);
    EXPECT_EQ(ToOwner(UM_CURSOR_MOVE).lParam, MakeLong(150, 60));
    EXPECT_EQ(TakePosted().size(), press.size() - 1); // no 2018; 2015 for 2014
    EXPECT_EQ(pane->Data().Plot().CursorPoint(), pointAt(150));
    QTest::mouseRelease(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 60));
    EXPECT_EQ(std::make_pair(TakePosted(), pane->Tracking()),
              std::make_pair(std::vector<std::uint32_t>{UM_CURSOR_RELEASE}, false));

    SendMessage(sibling->Handle(), UM_CURSOR_PRESS, CDlgGrafView::kRelayed, MakeLong(100, 50));
    EXPECT_EQ(sibling->Data().Plot().CursorPoint(), pointAt(100));
    SendMessage(sibling->Handle(), UM_CURSOR_RELEASE, CDlgGrafView::kRelayed, MakeLong(100, 50));
    EXPECT_EQ(std::make_pair(TakePosted(), sibling->Tracking()),
              std::make_pair(std::vector<std::uint32_t>{UM_SET_RPM_DATA_VALUE, UM_SET_RPM_DATA_VALUE}, false));

    SendMessage(pane->Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    EXPECT_EQ(pane->Data().Plot().CursorState(), CPlotLineCtrl::kCursorHidden);
    QTest::mouseClick(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
    EXPECT_TRUE(TakePosted().empty());
    QTest::mouseClick(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
    EXPECT_EQ(TakePosted().size(), press.size() + 1); // and the release
}

// The keys on the gear lap (a point every 2 pixels, 4 m a pixel unzoomed):
// steps, zoom and scroll requests, and a zoom click.
TEST_F(CDlgGrafViewTest, KeysStepTheCursorAndAskTheOwnerToZoomOrScroll) {
    LoadLaps({GearLap(800, 8, 3, 1)}, 1);
    const auto pane = Pane(12, 200, 128, kBlackColors);
    QTest::mouseClick(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(0, 50));
    QTest::keyClick(pane.get(), Qt::Key_Left);
    EXPECT_EQ(pane->Data().CursorPoint(), QPoint(0, 80)); // left at x 0 stays
    QTest::mouseClick(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(57, 50));
    spy.Clear();
    QTest::keyClick(pane.get(), Qt::Key_Left);
    EXPECT_EQ(std::make_tuple(pane->Data().CursorPoint(), ToOwner(UM_CURSOR_MOVE).wParam, ToOwner(UM_CURSOR_MOVE).lParam),
              std::make_tuple(QPoint(56, 80), pane->Handle(), LParam{0x25}));
    QTest::keyClick(pane.get(), Qt::Key_Right);
    EXPECT_EQ(pane->Data().CursorPoint(), QPoint(58, 80));
    SendMessage(pane->Handle(), UM_CURSOR_MOVE, CDlgGrafView::kRelayed, MakeLong(100, 50)); // a point, not a key
    SendMessage(pane->Handle(), UM_CURSOR_MOVE, CDlgGrafView::kRelayed, 0x27);
    EXPECT_EQ(pane->Data().CursorPoint(), QPoint(60, 80));
    spy.Clear();
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Down})
        QTest::keyClick(pane.get(), key, Qt::ControlModifier); // not zoomed
    SendMessage(pane->Handle(), UM_ZOOM_CONTROL, 800, 200); // 200 to 1000 m: the lap ends in view
    QTest::keyClick(pane.get(), Qt::Key_Up);                         // no Ctrl
    QTest::keyClick(pane.get(), Qt::Key_Right, Qt::ControlModifier); // nothing left to the right
    EXPECT_TRUE(TakePosted().empty());
    QTest::keyClick(pane.get(), Qt::Key_Left, Qt::ControlModifier);
    QTest::keyClick(pane.get(), Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(pane.get(), Qt::Key_Down, Qt::ControlModifier);
    const auto requests = spy.Of(SpiedMessage::Kind::Posted, owner.Handle());
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(std::make_tuple(requests[0].id, requests[0].wParam, requests[0].lParam),
              std::make_tuple(UM_SCROLL_CONTROL_ON_ZOOM, WParam{0x25}, LParam{800}));
    EXPECT_EQ(std::make_tuple(requests[1].id, requests[1].wParam, requests[1].lParam, requests[2].lParam),
              std::make_tuple(UM_ZOOM_CONTROL_BY_ARROW_KEY, WParam{600}, LParam{0}, LParam{1}));
    spy.Clear();
    host.zoomMode = true;
    QTest::mouseMove(pane.get(), QPoint(100, 50));
    EXPECT_EQ(pane->ZoomCursorShown(), CDlgGrafView::kZoomInCursor);
    QTest::mouseClick(pane.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 50));
    EXPECT_EQ(std::make_tuple(ToOwner(UM_ZOOM_CONTROL).wParam, ToOwner(UM_ZOOM_CONTROL).lParam, pane->Tracking()),
              std::make_tuple(WParam{600}, LParam{1}, false));
}

// A zoom keeps the cursor's distance only strictly inside the new view; the
// redraw puts the cursor on that sample. An analysis record puts it on the
// point of the record's sample: at once, or at the next redraw when pending;
// a sample out of view leaves no cursor, and the owner is told.
TEST_F(CDlgGrafViewTest, ZoomAndAnalysisRecordPutTheCursorOnTheirSample) {
    LoadLaps({GearLap(800, 8, 3, 1)}, 1);
    const auto pane = Pane(12, 200, 128, kBlackColors);
    QTest::mouseClick(pane.get(), Qt::LeftButton, Qt::NoModifier, QPoint(57, 50)); // 232 m
    SendMessage(pane->Handle(), UM_ZOOM_CONTROL, 400, 200);
    pane->Picture();
    EXPECT_EQ(pane->Data().Plot().CursorPoint(), QPoint(16, 80)); // 32 m in at 0.5 px/m
    SendMessage(pane->Handle(), UM_ZOOM_CONTROL, 400, 232);     // 232 on the edge
    pane->Picture();
    EXPECT_EQ(pane->Data().Plot().CursorState(), CPlotLineCtrl::kCursorHidden);
    GraphPoint record;
    record.words[graphs::kPointIndex] = 80; // none: the view shows samples 29 (232 m) to 79
    spy.Clear();
    PostMessage(pane->Handle(), MessageWithBlock(UM_ANALYSIS_LINE, 1, record));
    record.words[graphs::kPointIndex] = 39;
    PostMessage(pane->Handle(), MessageWithBlock(UM_ANALYSIS_LINE, 0, record));
    TheMessageBus().ProcessPosted();
    EXPECT_EQ(std::make_pair(pane->Data().Plot().CursorState(), ToOwner(UM_STOP_TRACKING_PLOT).wParam),
              std::make_pair(CPlotLineCtrl::kCursorHidden, static_cast<WParam>(pane->Handle())));
    EXPECT_EQ(TakePosted().size(), 3u);
    pane->grab(); // the next paint
    EXPECT_EQ(pane->Data().Plot().CursorPoint(), QPoint(40, 80)); // 4 pixels a point
    record.words[graphs::kPointIndex] = 49;
    PostMessage(pane->Handle(), MessageWithBlock(UM_ANALYSIS_LINE, 1, record));
    TheMessageBus().ProcessPosted();
    EXPECT_EQ(std::make_pair(pane->Data().Plot().CursorPoint(), ToOwner(UM_MOVE_SEGMENT_INFO).wParam),
              std::make_pair(QPoint(80, 80), WParam{392})); // 232 + 20 x 8 m
}

// The pane record's bytes, a missing record, the colour block answered to
// the owner, and the channel menu.
TEST_F(CDlgGrafViewTest, PaneRecordColourBlockAndChannelMenu) {
    LoadLaps({GearLap(800, 8, 3, 1)}, 1);
    const auto pane = Pane(12, 200, 128, kBlackColors);
    ASSERT_EQ(host.Settings().Store().CreateSettingsKeys(), 0);
    SendMessage(pane->Handle(), UM_REGISTER_WND_PROPERTY, 1, MakeLong(1, 2));
    std::array<std::uint8_t, 24> bytes{};
    std::uint32_t size = 0;
    host.Settings().Store().RegReadValue(settings::SubKeyPath(settings::kWindowViewInfo),
                                         QStringLiteral("ChanelView_Prop_1_2_0"), bytes.data(), 24, &size);
    const std::array<std::uint8_t, 24> expected{0, 8, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 128, 0, 0, 0};
    EXPECT_EQ(std::make_pair(size, bytes), std::make_pair(20u, expected));
    const graphs::ChannelViewProp before = pane->PaneRecord();
    pane->SetWorkAreaNumbers(1, 3);
    SendMessage(pane->Handle(), UM_REGISTER_WND_PROPERTY, 0, 0);
    EXPECT_EQ(pane->PaneRecord(), before);
    pane->SetWorkAreaNumbers(1, 2);
    SendMessage(pane->Handle(), UM_REGISTER_WND_PROPERTY, 0, 0);
    EXPECT_EQ(pane->PaneRecord(), (graphs::ChannelViewProp{0x800, 1, 2, 0, 128}));

    ChannelColorProperty block;
    block.channelNumber = 12;
    block.background = 0x123456;
    PostMessage(pane->Handle(), MessageWithBlockInWParam(UM_COLOR_PROPERTY_SELECTED, block, 0)); // count 0
    block.readFlag = 1;
    PostMessage(pane->Handle(), MessageWithBlockInWParam(UM_COLOR_PROPERTY_SELECTED, block, 0));
    TheMessageBus().ProcessPosted();
    EXPECT_EQ(std::make_tuple(ToOwner(UM_COLOR_PROPERTY_SELECTED).lParam, pane->ColorBlock(12).background,
                              host.Settings().Colors().ChannelColorRecords()[11].background),
              std::make_tuple(static_cast<LParam>(pane->Handle()), ColorRef{0x123456}, ColorRef{0x123456}));

    PopupMenuScript menu;
    menu.QueueChoice(QStringLiteral("Channel property : Gear"));
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(10, 10), QPoint(10, 10));
    QCoreApplication::sendEvent(pane.get(), &request);
    EXPECT_EQ(std::make_pair(ToOwner(UM_CHANNEL_PROPERTY_MENU).wParam, menu.Shown().size()),
              std::make_pair(pane->Handle(), std::size_t{1}));
}

// The file overview: laps end to end with a mark after each, and the zoom
// band placed over distance and over time, held to the base lap's records.
TEST_F(CDlgGrafViewTest, FileOverviewMarksLapsAndTheZoomedPartOfTheBaseLap) {
    LoadLaps({GearLap(800, 8, 3, 1, 50), GearLap(800, 8, 3, 2)}, 0); // 0.125 px/m
    CDlgGrafView pane(nullptr, host, GraphPaneData::kFileOverview, 0, 1, owner.Handle());
    pane.resize(200, 128);
    pane.show();
    pane.SetChannelMask(1u << 11);
    pane.SetChannelRange({0, 0, 0, 12, 0, 0, 0, 0.0f});
    ASSERT_TRUE(pane.OpenFirstBaseLapFile());
    const QImage& image = pane.Picture();
    EXPECT_EQ(std::make_tuple(image.pixel(100, 50), image.pixel(99, 50), image.pixel(50, 80), image.pixel(150, 80)),
              std::make_tuple(kGrid, 0xFFFFFFFF, kRed, kRed));
    struct Case {
        std::uint32_t id;
        int mode;
        WParam span;
        LParam offset;
        std::optional<std::pair<int, int>> band;
    };
    const Case cases[] = {
        {UM_SCROLL_CONTROL_ON_ZOOM, GraphPaneData::kDistance, 400, 200, std::make_pair(25, 75)},
        {UM_ZOOM_CONTROL_DIVISION_TIME, GraphPaneData::kDistance, 400, 250, std::make_pair(20, 60)}, // 160 to 480 m
        {UM_ZOOM_CONTROL_DIVISION_TIME, GraphPaneData::kDistance, 100000, 0, std::make_pair(0, 100)}, // held to the lap
        // over time the base lap starts at 0.5 s (x 4) and 20.5 s fill 200 pixels
        {UM_ZOOM_CONTROL_DIVISION_TIME, GraphPaneData::kTime, 400, 200, std::make_pair(4 + 19, 4 + 58)},
        {UM_ZOOM_CONTROL_DIVISION_TIME, GraphPaneData::kTime, 0, 200, std::nullopt},
    };
    for (const Case& c : cases) {
        SendMessage(pane.Handle(), UM_X_AXIS_CHANGED, static_cast<WParam>(c.mode), 0);
        pane.Picture();
        SendMessage(pane.Handle(), c.id, c.span, c.offset);
        EXPECT_EQ(pane.ZoomBand(), c.band) << c.id << " " << c.span;
        const QImage screen = pane.grab().toImage();
        const int left = c.band ? c.band->first : 25;
        EXPECT_EQ(screen.pixel(left + 1, 50) == 0xFF0000F0, c.band.has_value()) << c.id << " " << c.span;
    }
}

} // namespace
