// The main frame as the hub: every relayed message reaches each work area
// exactly once (the active one with the sender's parameters, the others with
// the catalogue's), the active-only messages reach the active one alone, and
// the frame's own bookkeeping (variable scale, floating windows, zoom).
#include "ShellHarness.h"

#include "platform/MessageRecords.h"
#include "platform/MessageSpy.h"
#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"
#include "shell/CClockTimeDlg.h"
#include "shell/WorkAreaWindowsDialog.h"

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include <cstring>

using namespace platform;

namespace {

struct Params {
    WParam w;
    LParam l;
    bool operator==(const Params&) const = default;
};
using ParamList = std::vector<Params>;

// Three work areas, the second one active.
class CMainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        h.App().OnFileNew();
        h.App().OnFileNew();
        h.Frame().ActivateWorkArea(h.WorkArea(2));
        ShellHarness::Drain();
        spy.Clear();
    }
    WindowHandle FrameHandle() { return h.Frame().Handle(); }
    testsupport::PropertiesPaneStandIn& Props() {
        return dynamic_cast<testsupport::PropertiesPaneStandIn&>(*h.Frame().Properties());
    }
    testsupport::SegmentListPaneStandIn& Segments() {
        return dynamic_cast<testsupport::SegmentListPaneStandIn&>(*h.Frame().SegmentList());
    }
    template <class Received>
    static ParamList Of(const std::vector<Received>& received) {
        ParamList got;
        for (const Received& m : received)
            got.push_back({m.wParam, m.lParam});
        return got;
    }
    // What the view of work area n got of a message, in order.
    ParamList Got(int number, std::uint32_t id) {
        return Of(spy.Of(SpiedMessage::Kind::Delivered, h.WorkArea(number)->ViewHandle(), id));
    }
    void PostToFrame(Message message) {
        PostMessage(FrameHandle(), std::move(message));
        ShellHarness::Drain();
    }
    LResult Send(std::uint32_t id, WParam w, LParam l) { return SendMessage(FrameHandle(), id, w, l); }
    void ExpectRelay(std::uint32_t id, Params active, Params others) {
        EXPECT_EQ(Got(2, id), ParamList{active}) << id;
        EXPECT_EQ(Got(1, id), ParamList{others}) << id;
        EXPECT_EQ(Got(3, id), ParamList{others}) << id;
    }
    void ExpectActiveOnly(std::uint32_t id, const ParamList& active) {
        EXPECT_EQ(Got(2, id), active) << id;
        EXPECT_TRUE(Got(1, id).empty()) << id;
        EXPECT_TRUE(Got(3, id).empty()) << id;
    }
    // The parameters the active work area got of a relay whose block the frame made.
    Params ActiveGot(std::uint32_t id) {
        const ParamList got = Got(2, id);
        return got.size() == 1 ? got[0] : Params{99, 99};
    }
    // The small map shows a course that has a segment group (after one for another course).
    void ShowCourseWithGroup() {
        orvelo::SegmentGroup other;
        other.mapPath = u"/maps/other.dat";
        orvelo::SegmentGroup group;
        group.mapPath = u"/maps/track.dat";
        group.groupName = u"Sector";
        h.App().SegmentGroups() = {other, group};
        Props().SetShownCourse(group.mapPath, true);
    }
    ShellHarness h;
    MessageSpy spy;
};

// ----- relays to every work area -----

TEST_F(CMainFrameTest, RelaysReachEveryWorkAreaOnceTheOthersWithTheCatalogueParameters) {
    const Message line = MessageWithBlock(UM_ANALYSIS_LINE, 5, GraphPoint{});
    const Message selected = MessageWithBlockInWParam(UM_COLOR_SELECTED, OverviewWindowColors{1, 2, 3, 4, 1, 1}, 77);
    const Message property = MessageWithBlockInWParam(UM_COLOR_PROPERTY_SELECTED, ChannelColorProperty{}, 88);
    const struct {
        Message message;
        Params active, others;
    } rows[] = {
        {line, {5, line.lParam}, {0, line.lParam}},
        {selected, {selected.wParam, 77}, {selected.wParam, 0}},
        {property, {property.wParam, 88}, {property.wParam, 0}},
        {Message{UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 4, 9, {}}, {4, 9}, {4, 9}},
    };
    for (const auto& row : rows) {
        PostToFrame(row.message);
        ExpectRelay(row.message.id, row.active, row.others);
    }
    EXPECT_EQ(Of(Props().ReceivedOf(UM_COLOR_SELECTED)), (ParamList{{selected.wParam, 0}}));
    EXPECT_EQ(Props().ReceivedOf(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME).size(), 1u);

    // The segment colour travels as the frame's own map property.
    PostToFrame(MessageWithBlock(UM_RESET_SEGMENT_COLOR, 3, MapViewProperty{}));
    const Params segment = ActiveGot(UM_RESET_SEGMENT_COLOR);
    EXPECT_EQ(segment.w, 3u);
    ExpectRelay(UM_RESET_SEGMENT_COLOR, segment, {0, segment.l});
}

TEST_F(CMainFrameTest, AnalysisLinePayloadOutlivesItsSender) {
    GraphPoint sent;  // a block the sender owns, sent without a copy
    Send(UM_ANALYSIS_LINE, 5, reinterpret_cast<LParam>(&sent));
    ShellHarness::Drain();
    const Params copy = ActiveGot(UM_ANALYSIS_LINE);
    EXPECT_NE(copy.l, reinterpret_cast<LParam>(&sent));
    EXPECT_EQ(Got(1, UM_ANALYSIS_LINE), (ParamList{{0, copy.l}}));

    // A posted block reaches the graph windows behind the views after its sender is gone.
    std::vector<std::int32_t> seen;
    for (int number : {1, 2}) {
        h.WorkArea(number)->View()->OnLapOverviewGraph();
        auto* graph = dynamic_cast<GraphWindowStandIn*>(h.WorkArea(number)->View()->GraphWindows()[0].window);
        ASSERT_NE(graph, nullptr);
        graph->SetInspector([&](const Message& m) {
            if (m.id == UM_ANALYSIS_LINE)
                seen.push_back(BlockAt<GraphPoint>(m.lParam)->words[14]);
        });
    }
    auto sender = std::make_unique<GraphPoint>();
    sender->words[14] = 1234;
    PostMessage(FrameHandle(), MessageWithBlock(UM_ANALYSIS_LINE, 9, *sender));
    sender.reset();
    ShellHarness::Drain();
    EXPECT_EQ(seen, (std::vector<std::int32_t>{1234, 1234}));
}

TEST_F(CMainFrameTest, DrawMapOnViewRelaysZeroAndStoresTheCourseOrRefusesWithoutData) {
    MapInfoBlock course;
    MapInfoBlock::Put(course.path.data(), MapInfoBlock::kPathChars, u"/laps/session 12.dat");
    const Message m = MessageWithBlock(UM_DRAW_MAP_ON_VIEW, 0, course);
    PostToFrame(m);
    ExpectRelay(UM_DRAW_MAP_ON_VIEW, {0, m.lParam}, {0, m.lParam});
    EXPECT_EQ(h.Frame().CurrentCourse().CourseName(), u"session 12");  // named after the file
    EXPECT_EQ(Segments().View().ReceivedOf(UM_SEGMENT_EDIT_REPLACE).size(), 1u);
    EXPECT_EQ(h.Frame().StatusPane(4)->text(), QStringLiteral(" Log file"));
    EXPECT_EQ(Send(UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 9, 0), 0);  // no such status pane

    PostToFrame(Message{UM_DRAW_MAP_ON_VIEW, 1, 0, {}});
    EXPECT_EQ(Got(2, UM_DRAW_MAP_ON_VIEW).size(), 1u);
    EXPECT_EQ(Props().ReceivedOf(UM_DRAW_MAP_ON_VIEW).size(), 2u);
    EXPECT_EQ(Boxes(h.Boxes()),
              QStringList{Box("ERROR", "ERROR , Cannot create course-map, No data!!", kMbIconError)});
}

TEST_F(CMainFrameTest, SegmentEditHandsTheMatchingGroupToMapWorkAreasAndList) {
    Props().SetShownCourse(u"/maps/none.dat", false);
    PostToFrame(Message{UM_SEGMENT_EDIT_REPLACE, 30, 0, {}});  // no group for the shown course
    PostToFrame(Message{UM_SEGMENT_EDIT_REPLACE, 45, 1, {}});  // cancelled
    EXPECT_TRUE(Got(2, UM_SEGMENT_EDIT_REPLACE).empty());
    EXPECT_EQ(Of(Props().Map().ReceivedOf(UM_SEGMENT_EDIT_REPLACE)), (ParamList{{30, 2}, {45, 0}}));

    ShowCourseWithGroup();
    PostToFrame(Message{UM_SEGMENT_EDIT_REPLACE, 30, 0, {}});
    EXPECT_EQ(h.Frame().SegmentGroupCopy().groupName, u"Sector");
    const Params group = ActiveGot(UM_SEGMENT_EDIT_REPLACE);
    ExpectRelay(UM_SEGMENT_EDIT_REPLACE, {group.w, 1}, {group.w, 1});
    EXPECT_EQ(Props().Map().ReceivedOf(UM_SEGMENT_EDIT_REPLACE).back().lParam, 1);
    EXPECT_EQ(Segments().View().ReceivedOf(UM_SEGMENT_EDIT_REPLACE).size(), 2u);
}

TEST_F(CMainFrameTest, ViewReadMapFileNeedsCourseMapFilesAndCarriesTheGroupWhenThereIsOne) {
    PostToFrame(MessageWithBlockInWParam(UM_VIEW_READ_MAP_FILE, MapInfoBlock{}, 1));
    EXPECT_TRUE(Got(2, UM_VIEW_READ_MAP_FILE).empty());
    h.Core().MapFiles.emplace_back();
    PostToFrame(MessageWithBlockInWParam(UM_VIEW_READ_MAP_FILE, MapInfoBlock{}, 1));
    ExpectRelay(UM_VIEW_READ_MAP_FILE, {0, 0}, {0, 0});
    EXPECT_EQ(h.Frame().StatusPane(4)->text(), QStringLiteral(" Map file"));

    ShowCourseWithGroup();
    spy.Clear();
    PostToFrame(MessageWithBlockInWParam(UM_VIEW_READ_MAP_FILE, MapInfoBlock{}, 1));
    const Params withGroup = ActiveGot(UM_VIEW_READ_MAP_FILE);
    EXPECT_NE(withGroup.w, 0u);
    ExpectRelay(UM_VIEW_READ_MAP_FILE, {withGroup.w, 1}, {withGroup.w, 1});
    EXPECT_EQ(Segments().View().ReceivedOf(UM_VIEW_READ_MAP_FILE).size(), 2u);

    // Course-map files read: the properties pane is told and the status bar says so.
    Send(UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 4, 0);
    Send(UM_VIEW_READ_MAP_FILE, 0, 1);
    ShellHarness::Drain();
    EXPECT_EQ(Of(Props().ReceivedOf(UM_VIEW_READ_MAP_FILE)).back(), (Params{h.Frame().LapList()->Handle(), 1}));
    EXPECT_EQ(h.Frame().StatusPane(4)->text(), QStringLiteral(" Map file"));
    h.Core().MapFiles.clear();
}

// A window handle, or any number, where a message carries a block reads as no block.
TEST_F(CMainFrameTest, BlockMessagesPostedWithoutTheirBlockDoNothing) {
    h.Frame().OnLoggingTime();
    ModalDialogScript dialogs;
    const auto handle = static_cast<LParam>(Props().Handle());
    const platform::MapInfoBlock course = h.Frame().CurrentCourse();
    const Message messages[] = {{UM_CLOSE_LOGFILE_IN_GROUP, 1, handle, {}},
                                {UM_ANALYSIS_LINE, 5, handle, {}},
                                {UM_COLOR_SELECTED, static_cast<WParam>(handle), 7, {}},
                                {UM_COLOR_PROPERTY_SELECTED, static_cast<WParam>(handle), 7, {}},
                                {UM_SEGMENT_EDIT_DIALOG_POPUP, static_cast<WParam>(handle), handle, {}},
                                {UM_MAP_PATH_CONTROL, 0, handle, {}},
                                {UM_PUT_LOGGING_TIME, static_cast<WParam>(handle), handle, {}}};
    for (const Message& m : messages)
        PostMessage(FrameHandle(), m);
    PostMessage(h.Frame().LapList()->Handle(), Message{UM_VIEW_READ_MAP_FILE, 1, handle, {}});
    spy.Clear();
    ShellHarness::Drain();
    EXPECT_TRUE(spy.Of(SpiedMessage::Kind::Posted).empty());
    EXPECT_TRUE(spy.Of(SpiedMessage::Kind::Sent).empty());
    EXPECT_TRUE(dialogs.Shown().empty());
    EXPECT_TRUE(h.Boxes().Shown().empty());
    EXPECT_EQ(std::memcmp(&h.Frame().CurrentCourse(), &course, sizeof course), 0);
}

// ----- active work area only -----

TEST_F(CMainFrameTest, ActiveOnlyMessagesReachTheActiveWorkAreaAlone) {
    for (std::uint32_t id : {UM_RESET_X_SCALE_VARIABLE, UM_ZOOM_CONTROL_DIVISION_TIME, UM_SCALING_Y_AXIS_MAX_VALUE}) {
        PostToFrame(Message{id, 6, 60, {}});
        ExpectActiveOnly(id, {{6, 60}});
    }
    // zoom, scroll and mouse scroll all arrive as zoom control
    PostToFrame(Message{UM_ZOOM_CONTROL, 1, 10, {}});
    PostToFrame(Message{UM_SCROLL_CONTROL_ON_ZOOM, 0x25, 20, {}});
    PostToFrame(Message{UM_SCROLL_GRAPH_ON_ZOOM_BY_MOUSE, 1, 30, {}});
    ExpectActiveOnly(UM_ZOOM_CONTROL, {{1, 10}, {0x25, 20}, {1, 30}});
    EXPECT_TRUE(Got(2, UM_SCROLL_CONTROL_ON_ZOOM).empty());
    // a lap-graph redraw with lParam 1 stops at the frame
    PostToFrame(Message{UM_REDRAW_LAP_GRAPH, 0, 1, {}});
    PostToFrame(Message{UM_REDRAW_LAP_GRAPH, 2, 0, {}});
    ExpectActiveOnly(UM_REDRAW_LAP_GRAPH, {{2, 0}});
    EXPECT_TRUE(Props().ReceivedOf(UM_REDRAW_LAP_GRAPH).empty());  // no marked lap
}

TEST_F(CMainFrameTest, FewerWorkAreasStillGetEachRelayOnce) {
    h.WorkArea(2)->close();
    ShellHarness::Drain();
    ASSERT_NE(h.Frame().ActiveWorkArea(), nullptr);  // another one took over
    PostToFrame(Message{UM_RESET_X_SCALE_VARIABLE, 1, 1, {}});
    EXPECT_EQ(Got(h.Frame().ActiveWorkArea()->Document().Number(), UM_RESET_X_SCALE_VARIABLE).size(), 1u);
    h.WorkArea(3)->close();
    ShellHarness::Drain();
    const Message m = MessageWithBlock(UM_ANALYSIS_LINE, 5, GraphPoint{});
    PostToFrame(m);
    EXPECT_EQ(Got(1, UM_ANALYSIS_LINE), (ParamList{{5, m.lParam}}));
}

// ----- the frame's own work -----

TEST_F(CMainFrameTest, ClosingTheYScaleDialogPutsBackUnsavedLimitsOnly) {
    auto& table = h.Settings().Channels().ChannelValueTable();
    const ChannelValueRec before = table[0];
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 1, MakeLong(9000, 100), {}});
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 1, MakeLong(8000, 200), {}});
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 2, MakeLong(250, static_cast<std::uint16_t>(-40)), {}});
    PostToFrame(Message{UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 3, MakeLong(55, 0), {}});
    EXPECT_EQ(table[0].currentMax, 8000);
    EXPECT_EQ(table[1].currentMin, -40);  // halves read as signed
    EXPECT_EQ(Send(UM_SAVE_CHANNEL_MAX_VALUE, 2, 0), 1);  // channel 2 saved, and it alone
    ChannelSettings reread(h.Settings().Store());
    reread.LoadChannelValueTable();
    EXPECT_EQ(reread.ChannelValueTable()[1].currentMin, -40);
    EXPECT_NE(reread.ChannelValueTable()[0].currentMax, 8000);

    spy.Clear();
    PostToFrame(Message{UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0, 0, {}});
    EXPECT_EQ(table[0], before);
    EXPECT_EQ(table[1].currentMax, 250);
    EXPECT_EQ(Got(2, UM_SET_VARIABLE_SCALE_CONTROL_VALUE), (ParamList{{1, 0}, {3, 0}}));
    EXPECT_EQ(Send(UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 19, 0), 0);  // no channel 19
    EXPECT_EQ(Send(UM_SAVE_CHANNEL_MAX_VALUE, 0, 0), 0);
}

TEST_F(CMainFrameTest, YScaleDialogIsMadeReboundAndDeletedOnce) {
    const WindowHandle lapOverview = 0x7002;
    PostToFrame(Message{UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0x7001, static_cast<LParam>(lapOverview), {}});
    auto* dialog = dynamic_cast<YScaleDialogStandIn*>(h.Frame().YScaleDialog());
    ASSERT_NE(dialog, nullptr);
    dialog->SetChannelOf(0x7003, 4);
    PostToFrame(Message{UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0x7003, static_cast<LParam>(lapOverview), {}});
    EXPECT_EQ(dialog->BoundChannel(), 4);
    EXPECT_EQ(dialog->ReceivedOf(UM_ACTIVATE_LAP_OVERVIEW_WINDOW).size(), 1u);
    dialog->close();  // reports 2092 with wParam 0
    ShellHarness::Drain();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(h.Frame().YScaleDialog(), nullptr);
    PostToFrame(Message{UM_POPUP_VARIABLE_Y_SCALE_DIALOG, 0, 0, {}});  // again: nothing left to delete
    EXPECT_EQ(h.Frame().YScaleDialog(), nullptr);
}

TEST_F(CMainFrameTest, LoggingTimeWindowGetsRecordsWhileShownAndIsForgottenWhenItCloses) {
    GraphPoint point;
    point.words[11] = 0;
    point.words[14] = 93105;
    const Message records = MessageWithBlock(UM_PUT_LOGGING_TIME, 0x55, std::vector<GraphPoint>(3, point));
    EXPECT_EQ(SendMessage(FrameHandle(), records), 0);  // not shown
    h.Frame().OnLoggingTime();
    auto* clock = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow());
    ASSERT_NE(clock, nullptr);
    EXPECT_EQ(SendMessage(FrameHandle(), records), 1);
    clock->move(40, 50);
    MessageSpy closing;
    QTest::keyClick(clock, Qt::Key_Escape);  // deletes itself and writes where it stood
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(closing.Of(SpiedMessage::Kind::Posted, FrameHandle(), UM_PLOT_GRAPH_CLOSED).size(), 1u);
    ShellHarness::Drain();
    EXPECT_FALSE(h.Frame().LoggingTimeShown());
    EXPECT_EQ(h.Frame().LoggingTimeWindow(), nullptr);
    PostToFrame(Message{UM_REDRAW_LAP_GRAPH, 0, 0, {}});  // nothing to reach
    h.Frame().OnLoggingTime();
    PostToFrame(Message{UM_PLOT_GRAPH_CLOSED, 0, 0, {}});  // late word from the old window
    ASSERT_NE(h.Frame().LoggingTimeWindow(), nullptr);
    EXPECT_TRUE(h.Frame().LoggingTimeShown());
    EXPECT_EQ(h.Frame().LoggingTimeWindow()->Widget()->pos(), QPoint(40, 50));  // reopened where it was
}

TEST_F(CMainFrameTest, ZoomCommandsCheckTheGraphStatusThemselves) {
    h.Frame().OnZoomMode();
    EXPECT_FALSE(h.Frame().ZoomMode());  // no graph: refused
    Send(UM_GET_OVERLAP_GRAPH_STATUS, 1, 0);
    h.Frame().UpdateCommandStates();
    EXPECT_TRUE(h.Frame().Action(308)->isEnabled());
    h.Frame().OnZoomMode();
    EXPECT_TRUE(h.Frame().ZoomMode());
    h.Frame().OnResetZoom();
    ShellHarness::Drain();
    EXPECT_FALSE(h.Frame().ZoomMode());
    ExpectActiveOnly(UM_RESET_ZOOM_GRAPH_VIEW, {{0, 0}});
}

TEST_F(CMainFrameTest, WindowsDialogActivatesOrClosesAWorkAreaAndTheWorkAreaClosesLogFiles) {
    ModalDialogScript dialogs;
    int selected = -1;
    QStringList listed;
    dialogs.Queue([&](QDialog& dialog) {
        auto& windows = dynamic_cast<WorkAreaWindowsDialog&>(dialog);
        selected = windows.List().currentRow();
        windows.List().setCurrentRow(2);
        windows.CloseWindowButton().click();
        for (int row = 0; row < windows.List().count(); ++row)
            listed << windows.List().item(row)->text();
        windows.List().setCurrentRow(0);
        windows.ActivateButton().click();
        return windows.result();
    });
    h.Frame().Action(131)->trigger();
    ShellHarness::Drain();
    EXPECT_EQ(selected, 1);  // the active work area
    EXPECT_EQ(listed, (QStringList{QStringLiteral("Work Area 1"), QStringLiteral("Work Area 2")}));
    EXPECT_EQ(h.WorkAreaTitles(), listed);
    EXPECT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(1));

    // Return on a chosen line activates it, as the button does.
    dialogs.Queue([&](QDialog& dialog) {
        auto& windows = dynamic_cast<WorkAreaWindowsDialog&>(dialog);
        windows.List().setCurrentRow(1);
        QTest::keyClick(&windows.List(), Qt::Key_Return);
        return windows.result();
    });
    h.Frame().Action(131)->trigger();
    ShellHarness::Drain();
    EXPECT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(2));

    h.Frame().UpdateCommandStates();
    h.Frame().Action(57603)->trigger();
    ASSERT_EQ(dialogs.Shown().size(), 3u);
    EXPECT_EQ(dialogs.Shown()[2].title, QStringLiteral("Close Log-file , read log-file list"));
}

TEST_F(CMainFrameTest, LapListGetsFilesReadAndClosedLists) {
    const WindowHandle lapList = h.Frame().LapList()->Handle();
    EXPECT_EQ(Send(UM_LAP_LIST_ALL_VIEW, 0, 0), 1);
    EXPECT_EQ(spy.Of(SpiedMessage::Kind::Sent, lapList, UM_LAP_LIST_ALL_VIEW).size(), 1u);
    PostToFrame(Message{UM_RESET_LAP_LIST, 2, 1, {}});
    PostToFrame(Message{UM_RESET_LAP_LIST, 1, 0, {}});
    // course-map files: 1; then no base lap left
    EXPECT_EQ(Of(spy.Of(SpiedMessage::Kind::Sent, lapList, UM_RESET_LAP_LIST)), (ParamList{{1, 1}, {0, 0}}));
    EXPECT_EQ(Props().ReceivedOf(UM_RESET_LAP_LIST).size(), 2u);
    ExpectActiveOnly(UM_REDRAW_LAP_GRAPH, {{1, 0}});  // lParam 1 stops at the frame
}

}  // namespace
