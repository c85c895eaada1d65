// The main frame as the hub: every relayed message reaches each work area
// exactly once (the active one with the sender's parameters, the others with
// the catalogue's), the active-only messages reach the active one alone, and
// the frame's own bookkeeping (status texts, variable scale, close).
#include "ShellHarness.h"

#include "platform/MessageRecords.h"
#include "platform/MessageSpy.h"
#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"
#include "shell/GraphWindowStandIn.h"
#include "shell/LoggingTimeWindowStandIn.h"
#include "shell/PropertiesPaneStandIn.h"
#include "shell/SegmentListPaneStandIn.h"
#include "shell/YScaleDialogStandIn.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace platform;

namespace {

struct Params {
    WParam w;
    LParam l;
    bool operator==(const Params&) const = default;
};

class CMainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        h.App().OnFileNew();
        h.App().OnFileNew();
        h.Frame().ActivateWorkArea(h.WorkArea(2));
        ShellHarness::Drain();
    }
    WindowHandle View(int number) { return h.WorkArea(number)->ViewHandle(); }
    WindowHandle FrameHandle() { return h.Frame().Handle(); }
    PropertiesPaneStandIn& Props() { return dynamic_cast<PropertiesPaneStandIn&>(*h.Frame().Properties()); }
    SegmentListPaneStandIn& Segments() { return dynamic_cast<SegmentListPaneStandIn&>(*h.Frame().SegmentList()); }
    // What the view of work area n got of a message, in order.
    std::vector<Params> Got(const MessageSpy& spy, int number, std::uint32_t id) {
        std::vector<Params> got;
        for (const SpiedMessage& m : spy.Of(SpiedMessage::Kind::Delivered, View(number), id))
            got.push_back({m.wParam, m.lParam});
        return got;
    }
    // Posts to the frame and lets every hop run.
    void PostToFrame(Message message) {
        PostMessage(FrameHandle(), std::move(message));
        ShellHarness::Drain();
    }
    void ExpectRelay(const MessageSpy& spy, std::uint32_t id, Params active, Params others) {
        EXPECT_EQ(Got(spy, 2, id), std::vector<Params>{active}) << id;
        EXPECT_EQ(Got(spy, 1, id), std::vector<Params>{others}) << id;
        EXPECT_EQ(Got(spy, 3, id), std::vector<Params>{others}) << id;
    }
    void ExpectActiveOnly(const MessageSpy& spy, std::uint32_t id, Params active) {
        EXPECT_EQ(Got(spy, 2, id), std::vector<Params>{active}) << id;
        EXPECT_TRUE(Got(spy, 1, id).empty()) << id;
        EXPECT_TRUE(Got(spy, 3, id).empty()) << id;
    }
    ShellHarness h;
};

// ----- relays to every work area -----

TEST_F(CMainFrameTest, AnalysisLineGoesToTheActiveWithItsWindowAndToOthersWithZero) {
    MessageSpy spy;
    GraphPoint point;
    point.words[0] = 42;
    const Message m = MessageWithBlock(UM_ANALYSIS_LINE, 5, point);
    PostToFrame(m);
    ExpectRelay(spy, UM_ANALYSIS_LINE, {5, m.lParam}, {0, m.lParam});
}

TEST_F(CMainFrameTest, SentAnalysisLineWithoutItsOwnCopyTravelsAsTheFramesCopy) {
    MessageSpy spy;
    GraphPoint point;
    point.words[3] = 7;
    SendMessage(FrameHandle(), UM_ANALYSIS_LINE, 5, reinterpret_cast<LParam>(&point));
    point.words[3] = -1;  // the sender's block changes after the call
    ShellHarness::Drain();
    const auto active = Got(spy, 2, UM_ANALYSIS_LINE);
    ASSERT_EQ(active.size(), 1u);
    EXPECT_NE(active[0].l, reinterpret_cast<LParam>(&point));
    EXPECT_EQ(Got(spy, 1, UM_ANALYSIS_LINE), (std::vector<Params>{{0, active[0].l}}));
}

TEST_F(CMainFrameTest, PayloadAliveInTheGraphWindowsAfterItsSenderIsGone) {
    h.WorkArea(2)->View()->OnLapOverviewGraph();
    h.WorkArea(1)->View()->OnLapOverviewGraph();
    std::vector<std::int32_t> seen;
    for (int number : {1, 2}) {
        auto* graph = dynamic_cast<GraphWindowStandIn*>(h.WorkArea(number)->View()->GraphWindows()[0].window);
        ASSERT_NE(graph, nullptr);
        graph->SetInspector([&](const Message& m) {
            if (m.id == UM_ANALYSIS_LINE)
                seen.push_back(BlockAt<GraphPoint>(m.lParam)->words[14]);
        });
    }
    {
        auto sender = std::make_unique<GraphPoint>();
        sender->words[14] = 1234;
        PostMessage(FrameHandle(), MessageWithBlock(UM_ANALYSIS_LINE, 9, *sender));
        sender.reset();
    }
    ShellHarness::Drain();  // frame -> views -> graph windows
    EXPECT_EQ(seen, (std::vector<std::int32_t>{1234, 1234}));
}

TEST_F(CMainFrameTest, ColourMessagesGoToOthersWithLParamZeroAndToTheProperties) {
    MessageSpy spy;
    OverviewWindowColors colors{1, 2, 3, 4, 1, 1};
    const Message selected = MessageWithBlockInWParam(UM_COLOR_SELECTED, colors, 77);
    PostToFrame(selected);
    ExpectRelay(spy, UM_COLOR_SELECTED, {selected.wParam, 77}, {selected.wParam, 0});
    EXPECT_EQ(Props().ReceivedOf(UM_COLOR_SELECTED).size(), 1u);
    EXPECT_EQ(Props().ReceivedOf(UM_COLOR_SELECTED)[0].lParam, 0);

    ChannelColorProperty property;
    const Message channel = MessageWithBlockInWParam(UM_COLOR_PROPERTY_SELECTED, property, 88);
    PostToFrame(channel);
    ExpectRelay(spy, UM_COLOR_PROPERTY_SELECTED, {channel.wParam, 88}, {channel.wParam, 0});
}

TEST_F(CMainFrameTest, SegmentColourCarriesTheFramesMapPropertyToAll) {
    MessageSpy spy;
    MapViewProperty fromMap;
    fromMap.words[6] = 0x123456;
    PostToFrame(MessageWithBlock(UM_RESET_SEGMENT_COLOR, 3, fromMap));
    const auto active = Got(spy, 2, UM_RESET_SEGMENT_COLOR);
    ASSERT_EQ(active.size(), 1u);
    EXPECT_EQ(active[0].w, 3u);
    ExpectRelay(spy, UM_RESET_SEGMENT_COLOR, {3, active[0].l}, {0, active[0].l});
}

TEST_F(CMainFrameTest, RedrawOfScalesAndNamesReachesAllAlikeAndTheProperties) {
    MessageSpy spy;
    PostToFrame(Message{UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 4, 9, {}});
    ExpectRelay(spy, UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, {4, 9}, {4, 9});
    EXPECT_EQ(Props().ReceivedOf(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME).size(), 1u);
}

TEST_F(CMainFrameTest, DrawMapOnViewRelaysZeroAndStoresTheCourse) {
    MessageSpy spy;
    MapInfoBlock course;
    MapInfoBlock::Put(course.path.data(), MapInfoBlock::kPathChars, u"/laps/session 12.dat");
    MapInfoBlock::Put(course.shortText.data(), MapInfoBlock::kShortTextChars, u"3");
    const Message m = MessageWithBlock(UM_DRAW_MAP_ON_VIEW, 0, course);
    PostToFrame(m);
    ExpectRelay(spy, UM_DRAW_MAP_ON_VIEW, {0, m.lParam}, {0, m.lParam});
    EXPECT_EQ(Props().ReceivedOf(UM_DRAW_MAP_ON_VIEW).size(), 1u);
    EXPECT_EQ(h.Frame().CurrentCourse().CourseName(), u"session 12");  // named after the file
    EXPECT_EQ(Segments().View().ReceivedOf(UM_SEGMENT_EDIT_REPLACE).size(), 1u);
    EXPECT_EQ(h.Frame().StatusPane(4)->text(), QStringLiteral(" Log file"));
}

TEST_F(CMainFrameTest, DrawMapWithoutDataTellsTheUserAndGoesNoFurther) {
    MessageSpy spy;
    PostToFrame(Message{UM_DRAW_MAP_ON_VIEW, 1, 0, {}});
    EXPECT_TRUE(Got(spy, 2, UM_DRAW_MAP_ON_VIEW).empty());
    EXPECT_EQ(Props().ReceivedOf(UM_DRAW_MAP_ON_VIEW).size(), 1u);
    ASSERT_EQ(h.Boxes().Shown().size(), 1u);
    EXPECT_EQ(h.Boxes().Shown()[0].text, QStringLiteral("ERROR , Cannot create course-map, No data!!"));
    EXPECT_EQ(h.Boxes().Shown()[0].caption, QStringLiteral("ERROR"));
}

TEST_F(CMainFrameTest, SegmentEditOkHandsTheMatchingGroupToMapWorkAreasAndList) {
    orvelo::SegmentGroup other;
    other.mapPath = u"/maps/other.dat";
    orvelo::SegmentGroup wanted;
    wanted.mapPath = u"/maps/track.dat";
    wanted.groupName = u"Sector";
    wanted.pairs = {{100, 5}, {200, 9}};
    h.App().SegmentGroups() = {other, wanted, wanted};
    Props().SetShownCourse(u"/maps/track.dat", true);
    MessageSpy spy;
    PostToFrame(Message{UM_SEGMENT_EDIT_REPLACE, 30, 0, {}});
    EXPECT_EQ(h.Frame().SegmentGroupCopy().groupName, u"Sector");
    EXPECT_EQ(h.Frame().SegmentGroupCopy().pairs.size(), 2u);
    const auto active = Got(spy, 2, UM_SEGMENT_EDIT_REPLACE);
    ASSERT_EQ(active.size(), 1u);
    ExpectRelay(spy, UM_SEGMENT_EDIT_REPLACE, {active[0].w, 1}, {active[0].w, 1});
    ASSERT_EQ(Props().Map().ReceivedOf(UM_SEGMENT_EDIT_REPLACE).size(), 1u);
    EXPECT_EQ(Props().Map().ReceivedOf(UM_SEGMENT_EDIT_REPLACE)[0].lParam, 1);
}

TEST_F(CMainFrameTest, SegmentEditWithoutAGroupOrCancelledReachesNoWorkArea) {
    Props().SetShownCourse(u"/maps/none.dat", false);
    MessageSpy spy;
    PostToFrame(Message{UM_SEGMENT_EDIT_REPLACE, 30, 0, {}});
    PostToFrame(Message{UM_SEGMENT_EDIT_REPLACE, 45, 1, {}});
    EXPECT_TRUE(Got(spy, 2, UM_SEGMENT_EDIT_REPLACE).empty());
    const auto map = Props().Map().ReceivedOf(UM_SEGMENT_EDIT_REPLACE);
    ASSERT_EQ(map.size(), 2u);
    EXPECT_EQ(Params({map[0].wParam, map[0].lParam}), (Params{30, 2}));
    EXPECT_EQ(Params({map[1].wParam, map[1].lParam}), (Params{45, 0}));
    EXPECT_EQ(Segments().View().ReceivedOf(UM_SEGMENT_EDIT_REPLACE).size(), 1u);
}

TEST_F(CMainFrameTest, ViewReadMapFileIsIgnoredWithoutCourseMapFilesAndRelayedWithThem) {
    MessageSpy spy;
    PostToFrame(Message{UM_VIEW_READ_MAP_FILE, 1, 0, {}});
    EXPECT_TRUE(Got(spy, 2, UM_VIEW_READ_MAP_FILE).empty());
    h.Core().MapFiles.emplace_back();
    MapInfoBlock course;
    const Message chosen = MessageWithBlockInWParam(UM_VIEW_READ_MAP_FILE, course, 1);
    PostToFrame(chosen);
    ExpectRelay(spy, UM_VIEW_READ_MAP_FILE, {0, 0}, {0, 0});
    EXPECT_EQ(h.Frame().StatusPane(4)->text(), QStringLiteral(" Map file"));
    h.Core().MapFiles.clear();
}

// ----- active work area only -----

TEST_F(CMainFrameTest, ActiveOnlyMessagesReachTheActiveWorkAreaAlone) {
    MessageSpy spy;
    for (std::uint32_t id : {UM_RESET_X_SCALE_VARIABLE, UM_ZOOM_CONTROL_DIVISION_TIME, UM_SCALING_Y_AXIS_MAX_VALUE})
        PostToFrame(Message{id, 6, 60, {}});
    for (std::uint32_t id : {UM_RESET_X_SCALE_VARIABLE, UM_ZOOM_CONTROL_DIVISION_TIME, UM_SCALING_Y_AXIS_MAX_VALUE})
        ExpectActiveOnly(spy, id, {6, 60});
}

TEST_F(CMainFrameTest, ZoomScrollAndMouseScrollAllArriveAsZoomControl) {
    MessageSpy spy;
    PostToFrame(Message{UM_ZOOM_CONTROL, 1, 10, {}});
    PostToFrame(Message{UM_SCROLL_CONTROL_ON_ZOOM, 0x25, 20, {}});
    PostToFrame(Message{UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE, 1, 30, {}});
    EXPECT_EQ(Got(spy, 2, UM_ZOOM_CONTROL), (std::vector<Params>{{1, 10}, {0x25, 20}, {1, 30}}));
    EXPECT_TRUE(Got(spy, 1, UM_ZOOM_CONTROL).empty());
    EXPECT_TRUE(Got(spy, 2, UM_SCROLL_CONTROL_ON_ZOOM).empty());
}

TEST_F(CMainFrameTest, RedrawLapGraphStopsAtTheFrameForLParamOne) {
    MessageSpy spy;
    PostToFrame(Message{UM_REDRAW_LAP_GRAPH, 0, 1, {}});
    EXPECT_TRUE(Got(spy, 2, UM_REDRAW_LAP_GRAPH).empty());
    PostToFrame(Message{UM_REDRAW_LAP_GRAPH, 2, 0, {}});
    ExpectActiveOnly(spy, UM_REDRAW_LAP_GRAPH, {2, 0});
    EXPECT_TRUE(Props().ReceivedOf(UM_REDRAW_LAP_GRAPH).empty());  // no marked lap
}

TEST_F(CMainFrameTest, RedrawLapGraphAlsoReachesTheShownLoggingTimeWindow) {
    h.Frame().OnLoggingTime();
    auto* clock = dynamic_cast<LoggingTimeWindowStandIn*>(h.Frame().LoggingTimeWindow());
    ASSERT_NE(clock, nullptr);
    PostToFrame(Message{UM_REDRAW_LAP_GRAPH, 3, 0, {}});
    EXPECT_EQ(clock->ReceivedOf(UM_REDRAW_LAP_GRAPH).size(), 1u);
    h.Frame().OnLoggingTime();  // hidden: no more
    PostToFrame(Message{UM_REDRAW_LAP_GRAPH, 3, 0, {}});
    EXPECT_EQ(clock->ReceivedOf(UM_REDRAW_LAP_GRAPH).size(), 1u);
}

TEST_F(CMainFrameTest, OneWorkAreaGetsEachRelayOnceWithTheActiveParameters) {
    for (int number : {3, 2})
        h.WorkArea(number)->close();
    ShellHarness::Drain();
    ASSERT_EQ(h.WorkAreas().size(), 1u);
    MessageSpy spy;
    GraphPoint point;
    const Message m = MessageWithBlock(UM_ANALYSIS_LINE, 5, point);
    PostToFrame(m);
    EXPECT_EQ(Got(spy, 1, UM_ANALYSIS_LINE), (std::vector<Params>{{5, m.lParam}}));
}

TEST_F(CMainFrameTest, ClosingTheActiveWorkAreaMakesAnotherOneActive) {
    h.WorkArea(2)->close();
    ShellHarness::Drain();
    ASSERT_NE(h.Frame().ActiveWorkArea(), nullptr);
    MessageSpy spy;
    PostToFrame(Message{UM_RESET_X_SCALE_VARIABLE, 1, 1, {}});
    EXPECT_EQ(spy.Of(SpiedMessage::Kind::Delivered, h.Frame().ActiveWorkArea()->ViewHandle(),
                     UM_RESET_X_SCALE_VARIABLE).size(),
              1u);
}

// ----- the frame's own work -----

TEST_F(CMainFrameTest, StatusPaneTextsFollowTheMapModes) {
    std::int32_t& global = h.Settings().Channels().MapDrawMode();
    global = 3;
    SendMessage(FrameHandle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 6, 0);
    EXPECT_EQ(h.Frame().StatusPane(6)->text(), QStringLiteral(" GPS "));
    SendMessage(FrameHandle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 6, 2);
    EXPECT_EQ(h.Frame().StatusPane(6)->text(), QStringLiteral(" offset ON"));
    global = 1;
    SendMessage(FrameHandle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 5, 0);
    EXPECT_EQ(h.Frame().StatusPane(5)->text(), QStringLiteral(" offset OFF"));
    SendMessage(FrameHandle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 4, 1);
    EXPECT_EQ(h.Frame().StatusPane(4)->text(), QStringLiteral(" Map file"));
    EXPECT_EQ(SendMessage(FrameHandle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 9, 0), 0);  // no such pane
    EXPECT_EQ(SendMessage(FrameHandle(), UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 1, 0), 0);
}

TEST_F(CMainFrameTest, ClosingTheYScaleDialogPutsBackUnsavedLimitsOnly) {
    auto& table = h.Settings().Channels().ChannelValueTable();
    const ChannelValueRec before1 = table[0];
    const ChannelValueRec before2 = table[1];
    MessageSpy spy;
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 1, MakeLong(9000, 100), {}});
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 1, MakeLong(8000, 200), {}});
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 2, MakeLong(250, static_cast<std::uint16_t>(-40)), {}});
    EXPECT_EQ(table[0].currentMax, 8000);
    EXPECT_EQ(table[1].currentMin, -40);  // halves read as signed
    EXPECT_EQ(Got(spy, 2, UM_SET_VARIABLE_SCALE_CONTROL_VALUE).size(), 3u);
    EXPECT_EQ(SendMessage(FrameHandle(), UM_SAVE_CHANNEL_MAX_VALUE, 2, 0), 1);  // channel 2 saved
    spy.Clear();
    PostToFrame(Message{UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0, 0, {}});
    EXPECT_EQ(table[0].currentMax, before1.currentMax);
    EXPECT_EQ(table[0].currentMin, before1.currentMin);
    EXPECT_EQ(table[1].currentMax, 250);
    EXPECT_NE(table[1].currentMin, before2.currentMin);
    EXPECT_EQ(Got(spy, 2, UM_SET_VARIABLE_SCALE_CONTROL_VALUE), (std::vector<Params>{{1, 0}}));
    EXPECT_EQ(SendMessage(FrameHandle(), UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 19, 0), 0);  // no channel 19
    EXPECT_EQ(SendMessage(FrameHandle(), UM_SAVE_CHANNEL_MAX_VALUE, 0, 0), 0);
}

TEST_F(CMainFrameTest, SavingOneChannelWritesThatChannelOnly) {
    auto& table = h.Settings().Channels().ChannelValueTable();
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 1, MakeLong(7777, 0), {}});
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 3, MakeLong(55, 0), {}});
    EXPECT_EQ(SendMessage(FrameHandle(), UM_SAVE_CHANNEL_MAX_VALUE, 3, 0), 1);
    ChannelSettings reread(h.Settings().Store());
    reread.LoadChannelValueTable();
    EXPECT_EQ(reread.ChannelValueTable()[2].currentMax, 55);
    EXPECT_NE(reread.ChannelValueTable()[0].currentMax, 7777);
    EXPECT_EQ(table[0].currentMax, 7777);
}

TEST_F(CMainFrameTest, YScaleDialogIsMadeReboundAndDeletedOnce) {
    const WindowHandle scaleView = 0x7001;
    const WindowHandle lapOverview = 0x7002;
    PostToFrame(Message{UM_POPUP_VARIABLE_Y_SCALE_DIALOG, scaleView, static_cast<LParam>(lapOverview), {}});
    auto* dialog = dynamic_cast<YScaleDialogStandIn*>(h.Frame().YScaleDialog());
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(h.Frame().Action(57635)->isEnabled() && (h.Frame().UpdateCommandStates(), h.Frame().Action(57635)->isEnabled()));
    dialog->SetChannelOf(0x7003, 4);
    PostToFrame(Message{UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0x7003, static_cast<LParam>(lapOverview), {}});
    EXPECT_EQ(dialog->BoundChannel(), 4);
    EXPECT_EQ(dialog->ReceivedOf(UM_ACTIVATE_LAP_OVERVIEW_WINDOW).size(), 1u);
    PostToFrame(Message{UM_ACTIVATE_LAP_OVERVIEW_WINDOW, 0x7009, 0, {}});
    EXPECT_EQ(dialog->ReceivedOf(UM_ACTIVATE_LAP_OVERVIEW_WINDOW).size(), 2u);
    dialog->close();  // reports 2092 with wParam 0
    ShellHarness::Drain();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(h.Frame().YScaleDialog(), nullptr);
    PostToFrame(Message{UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0, 0, {}});  // again: nothing left to delete
    EXPECT_EQ(h.Frame().YScaleDialog(), nullptr);
}

TEST_F(CMainFrameTest, LoggingTimeWindowClosedByItselfIsForgotten) {
    h.Frame().OnLoggingTime();
    ASSERT_TRUE(h.Frame().LoggingTimeShown());
    h.Frame().LoggingTimeWindow()->Widget()->close();  // deletes itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ShellHarness::Drain();
    EXPECT_FALSE(h.Frame().LoggingTimeShown());
    EXPECT_EQ(h.Frame().LoggingTimeWindow(), nullptr);
    PostToFrame(Message{UM_REDRAW_LAP_GRAPH, 0, 0, {}});  // nothing to reach
    h.Frame().OnLoggingTime();
    EXPECT_NE(h.Frame().LoggingTimeWindow(), nullptr);
    PostToFrame(Message{UM_PLOT_GRAPH_CLOSED, 0, 0, {}});  // late word from the old window
    EXPECT_NE(h.Frame().LoggingTimeWindow(), nullptr);
    EXPECT_TRUE(h.Frame().LoggingTimeShown());
}

TEST_F(CMainFrameTest, LoggingTimeRecordsGoToTheWindowOneByOneWhileShown) {
    std::vector<GraphPoint> cursor(3);
    for (int i = 0; i < 3; ++i)
        cursor[static_cast<std::size_t>(i)].words[0] = 10 + i;
    const Message m = MessageWithBlock(UM_PUT_LOGGING_TIME, 0x55, cursor);
    EXPECT_EQ(SendMessage(FrameHandle(), m), 0);  // not shown
    h.Frame().OnLoggingTime();
    auto* clock = dynamic_cast<LoggingTimeWindowStandIn*>(h.Frame().LoggingTimeWindow());
    std::vector<std::int32_t> seen;
    clock->SetInspector([&](const Message& r) { seen.push_back(BlockAt<GraphPoint>(r.lParam)->words[0]); });
    EXPECT_EQ(SendMessage(FrameHandle(), m), 1);
    EXPECT_EQ(seen, (std::vector<std::int32_t>{10, 11, 12}));
}

TEST_F(CMainFrameTest, DockingPanesReportedAndCountedThroughTheirMessage) {
    const int before = h.Frame().DockingPaneCounter();
    EXPECT_EQ(SendMessage(FrameHandle(), UM_DOCKING_PANEL_CREATED, 0, 0), 1);
    EXPECT_EQ(h.Frame().DockingPaneCounter(), before + 1);
}

TEST_F(CMainFrameTest, GraphStatusEnablesTheZoomCommandsAndTheyCheckItThemselves) {
    h.Frame().OnZoomMode();
    EXPECT_FALSE(h.Frame().ZoomMode());  // no graph: refused
    SendMessage(FrameHandle(), UM_GET_OVERLAP_GRAPH_STATUS, 1, 0);
    h.Frame().UpdateCommandStates();
    EXPECT_TRUE(h.Frame().Action(308)->isEnabled());
    h.Frame().OnZoomMode();
    EXPECT_TRUE(h.Frame().ZoomMode());
    MessageSpy spy;
    h.Frame().OnResetZoom();
    ShellHarness::Drain();
    EXPECT_FALSE(h.Frame().ZoomMode());
    ExpectActiveOnly(spy, UM_RESET_ZOOM_GRAPH_VIEW, {0, 0});
}

TEST_F(CMainFrameTest, LapListGetsFilesReadAndClosedLists) {
    const WindowHandle lapList = h.Frame().LapList()->Handle();
    MessageSpy spy;
    EXPECT_EQ(SendMessage(FrameHandle(), UM_LAP_LIST_ALL_VIEW, 0, 0), 1);
    EXPECT_EQ(spy.Of(SpiedMessage::Kind::Sent, lapList, UM_LAP_LIST_ALL_VIEW).size(), 1u);
    PostToFrame(Message{UM_RESET_LAP_LIST, 2, 1, {}});
    PostToFrame(Message{UM_RESET_LAP_LIST, 1, 0, {}});
    const auto reset = spy.Of(SpiedMessage::Kind::Sent, lapList, UM_RESET_LAP_LIST);
    ASSERT_EQ(reset.size(), 2u);
    EXPECT_EQ(Params({reset[0].wParam, reset[0].lParam}), (Params{1, 1}));  // course-map files: 1
    EXPECT_EQ(Params({reset[1].wParam, reset[1].lParam}), (Params{0, 0}));  // no base lap left
    EXPECT_EQ(Props().ReceivedOf(UM_RESET_LAP_LIST).size(), 2u);
    ExpectActiveOnly(spy, UM_REDRAW_LAP_GRAPH, {1, 0});  // lParam 1 stops at the frame
}


TEST_F(CMainFrameTest, CourseChosenOnAMapWithAGroupGoesToAllAndTheSegmentList) {
    h.Core().MapFiles.emplace_back();
    orvelo::SegmentGroup group;
    group.mapPath = u"/maps/track.dat";
    h.App().SegmentGroups() = {group};
    Props().SetShownCourse(u"/maps/track.dat", true);
    MessageSpy spy;
    PostToFrame(MessageWithBlockInWParam(UM_VIEW_READ_MAP_FILE, MapInfoBlock{}, 1));
    const auto active = Got(spy, 2, UM_VIEW_READ_MAP_FILE);
    ASSERT_EQ(active.size(), 1u);
    EXPECT_NE(active[0].w, 0u);
    ExpectRelay(spy, UM_VIEW_READ_MAP_FILE, {active[0].w, 1}, {active[0].w, 1});
    EXPECT_EQ(Segments().View().ReceivedOf(UM_VIEW_READ_MAP_FILE).size(), 1u);
    h.Core().MapFiles.clear();
}

TEST_F(CMainFrameTest, SegmentInfoRequestsAnswerWhetherAGroupIsShown) {
    EXPECT_EQ(SendMessage(FrameHandle(), UM_EDITING_SEGMENT_INFO_VIEW_INIT, 1, 0), 0);
    EXPECT_EQ(SendMessage(FrameHandle(), UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO, 0, 0), 0);
    ASSERT_EQ(h.Boxes().Shown().size(), 1u);
    EXPECT_EQ(h.Boxes().Shown()[0].text, QStringLiteral("Warning , Nothing segment info"));
    EXPECT_EQ(h.Boxes().Shown()[0].caption, QStringLiteral("WARN"));
    orvelo::SegmentGroup group;
    group.mapPath = u"/maps/track.dat";
    group.groupName = u"S1";
    h.App().SegmentGroups() = {group};
    Props().SetShownCourse(u"/maps/track.dat", true);
    EXPECT_EQ(SendMessage(FrameHandle(), UM_EDITING_SEGMENT_INFO_VIEW_INIT, 1, 0), 1);
    EXPECT_EQ(SendMessage(FrameHandle(), UM_GET_MAP_ON_VIEW_EDIT_SEGMENT_INFO, 0, 0), 1);
    ShellHarness::Drain();
    EXPECT_EQ(Segments().View().ReceivedOf(UM_SEGMENT_EDIT_REPLACE).size(), 1u);
    StandInWindow requester(QStringLiteral("segment view"), nullptr);
    std::u16string handed;
    requester.SetInspector([&](const Message& m) { handed = BlockAt<orvelo::SegmentGroup>(m.wParam)->groupName; });
    EXPECT_EQ(SendMessage(FrameHandle(), UM_EDITING_SEGMENT_INFO_VIEW_INIT, 4,
                          static_cast<LParam>(requester.WindowHandle())),
              1);
    EXPECT_EQ(handed, u"S1");
}

TEST_F(CMainFrameTest, DialogRequestsRunTheirDialogsModally) {
    platform::ModalDialogScript dialogs;
    const std::u16string group = u"/logs/a.dat";
    SendMessage(FrameHandle(), UM_CLOSE_LOGFILE_IN_GROUP, 1, reinterpret_cast<LParam>(&group));
    PostToFrame(MessageWithBlock(UM_CLOSE_LOGFILE_IN_GROUP, 2, std::u16string(u"/logs")));
    PostToFrame(Message{UM_LAP_COLOR_PROPERTY, 0x99, 0, {}});
    PostToFrame(Message{UM_MAP_PROPERTY, 0x98, 0, {}});
    PostToFrame(MessageWithBlock(UM_SEGMENT_EDIT_DIALOG_POPUP, 1, MapInfoBlock{}));
    QStringList names;
    for (const auto& shown : dialogs.Shown())
        names << shown.objectName;
    EXPECT_EQ(names, (QStringList{QStringLiteral("CloseFileDialog"), QStringLiteral("CloseFileDialog"),
                                  QStringLiteral("LapColorPropertyDialog"), QStringLiteral("MapPropertyDialog"),
                                  QStringLiteral("CourseMapViewerDialog")}));
}

TEST_F(CMainFrameTest, CancelledGroupCloseAnswersZero) {
    platform::ModalDialogScript dialogs;
    dialogs.QueueResult(0);
    dialogs.QueueResult(1);
    const Message request = MessageWithBlock(UM_CLOSE_LOGFILE_IN_GROUP, 1, std::u16string(u"/logs/a.dat"));
    EXPECT_EQ(SendMessage(FrameHandle(), request), 0);
    EXPECT_EQ(SendMessage(FrameHandle(), request), 1);
}

TEST_F(CMainFrameTest, ChildActivateRequestActivatesTheFirstWorkArea) {
    EXPECT_EQ(SendMessage(FrameHandle(), UM_MDI_CHILD_ACTIVATE, 0, 1), 0);
    EXPECT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(1));
}

}  // namespace
