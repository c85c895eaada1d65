// A work area's graph-window list: reused slots, the saved record and text,
// their restore at the first activation of the next run, and what the view
// passes on to its graph windows.
#include "ShellHarness.h"

#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"
#include "shell/GraphWindowStandIn.h"

#include <QMdiArea>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class COrveloViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.Start()); }
    COrveloView& View(ShellHarness& harness, int number = 1) { return *harness.WorkArea(number)->View(); }
    COrveloView& View() { return View(h); }
    GraphWindowStandIn* Graph(COrveloView& view, std::size_t index) {
        return dynamic_cast<GraphWindowStandIn*>(view.GraphWindows()[index].window);
    }
    // The list as text: the kind per entry, '0' for a free one.
    static std::string Kinds(const COrveloView& view) {
        std::string text;
        for (const auto& entry : view.GraphWindows())
            text += entry.window ? char('0' + entry.kind) : '0';
        return text;
    }
    void CloseGraph(COrveloView& view, int slot, int kind) {
        PostMessage(view.Handle(), UM_PLOT_GRAPH_CLOSED, static_cast<WParam>(slot), kind);
        ShellHarness::Drain();
    }
    QByteArray Stored(const QString& name) {
        const auto value = h.Settings().UserRegistry().QueryValue(settings::SubKeyPath(settings::kWindowViewInfo), name);
        return value ? value->data : QByteArray();
    }
    static std::uint32_t Word(const QByteArray& bytes, int offset) {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t(std::uint8_t(bytes[offset + i])) << (8 * i);
        return v;
    }
    ShellHarness h;
};

TEST_F(COrveloViewTest, ClosedGraphWindowLeavesAFreeSlotThatTheNextOneTakes) {
    View().OnLapOverviewGraph();
    View().OnFileOverviewGraph();
    View().OnLapOverviewGraph();
    EXPECT_EQ(Kinds(View()), "212");
    CloseGraph(View(), 1, GraphWindow::kLapOverview);
    EXPECT_EQ(Kinds(View()), "012");
    View().OnFileOverviewGraph();
    EXPECT_EQ(Kinds(View()), "112");
    EXPECT_EQ(Graph(View(), 0)->Slot(), 1);
    EXPECT_EQ(View().GraphWindows()[0].slot, 1);
}

TEST_F(COrveloViewTest, ClosingAnUnknownSlotChangesNothing) {
    View().OnLapOverviewGraph();
    CloseGraph(View(), 5, GraphWindow::kLapOverview);
    CloseGraph(View(), 1, GraphWindow::kFileOverview);
    EXPECT_EQ(Kinds(View()), "2");
}

TEST_F(COrveloViewTest, SavedRecordAndTextFollowTheList) {
    View().OnLapOverviewGraph();
    View().OnFileOverviewGraph();
    View().OnLapOverviewGraph();
    CloseGraph(View(), 1, GraphWindow::kLapOverview);
    EXPECT_EQ(SendMessage(View().Handle(), UM_REGISTER_WND_PROPERTY, 1, 0), 0);
    const QByteArray record = Stored(QStringLiteral("WorkArea_Prop_1"));
    ASSERT_EQ(record.size(), 140);
    EXPECT_EQ(Word(record, 0), 1u);  // work-area number
    EXPECT_EQ(Word(record, 4), 2u);  // windows
    EXPECT_EQ(Word(record, 8), 3u);  // both kinds
    EXPECT_EQ(record.mid(12), QByteArray(128, '\0'));
    QString text;
    EXPECT_EQ(h.Settings().Store().RegReadString(settings::SubKeyPath(settings::kWindowViewInfo),
                                                 QStringLiteral("WorlArea_wnd_stat_1"), &text),
              0);
    EXPECT_EQ(text, QStringLiteral("012"));
    // each graph window was asked to save itself with the work-area number
    EXPECT_EQ(Graph(View(), 1)->ReceivedOf(UM_REGISTER_WND_PROPERTY).size(), 1u);
    EXPECT_EQ(Graph(View(), 1)->ReceivedOf(UM_REGISTER_WND_PROPERTY)[0].lParam, 1);
}

TEST_F(COrveloViewTest, NextRunReopensTheSavedWindowsInTheirSlots) {
    View().OnLapOverviewGraph();
    View().OnFileOverviewGraph();
    View().OnLapOverviewGraph();
    CloseGraph(View(), 1, GraphWindow::kLapOverview);
    h.Close();
    ShellHarness next(h.Saved());
    ASSERT_TRUE(next.Start());
    COrveloView& view = View(next);
    EXPECT_EQ(Kinds(view), "012");
    EXPECT_TRUE(Graph(view, 1)->Restored());
    EXPECT_EQ(Graph(view, 1)->Slot(), 2);
    EXPECT_EQ(Graph(view, 2)->Slot(), 3);
    view.OnLapOverviewGraph();
    EXPECT_EQ(Kinds(view), "212");
}

TEST_F(COrveloViewTest, RecordCountingMoreWindowsThanTheTextStopsAtTheTextsEnd) {
    WorkAreaProp record;
    record.number = 1;
    record.windowCount = 5;
    record.kinds = 3;
    SettingsStore& store = h.Settings().Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    h.Close();
    ShellHarness next(h.Saved());
    next.Settings().Store().CreateSettingsKeys();
    next.Settings().Store().WriteRecord(key, QStringLiteral("WorkArea_Prop_1"), record);
    next.Settings().Store().RegWriteString(key, QStringLiteral("WorlArea_wnd_stat_1"), QStringLiteral("21"));
    (void)store;
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(Kinds(View(next)), "21");
}

TEST_F(COrveloViewTest, RecordOfAnotherWorkAreaReopensNothing) {
    h.Close();
    ShellHarness next(h.Saved());
    WorkAreaProp record;
    record.number = 2;
    record.windowCount = 1;
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    next.Settings().Store().CreateSettingsKeys();
    next.Settings().Store().WriteRecord(key, QStringLiteral("WorkArea_Prop_1"), record);
    next.Settings().Store().RegWriteString(key, QStringLiteral("WorlArea_wnd_stat_1"), QStringLiteral("2"));
    ASSERT_TRUE(next.Start());
    EXPECT_EQ(Kinds(View(next)), "");
}

TEST_F(COrveloViewTest, LastLapOverviewClosedTellsEachFileOverviewToZoomOut) {
    View().OnFileOverviewGraph();
    View().OnLapOverviewGraph();
    View().OnFileOverviewGraph();
    CloseGraph(View(), 2, GraphWindow::kLapOverview);
    EXPECT_EQ(Graph(View(), 0)->ReceivedOf(UM_ZOOM_CONTROL).size(), 1u);
    EXPECT_EQ(Graph(View(), 2)->ReceivedOf(UM_ZOOM_CONTROL).size(), 1u);
    EXPECT_EQ(Graph(View(), 0)->ReceivedOf(UM_ZOOM_CONTROL)[0].wParam, 0u);
}

TEST_F(COrveloViewTest, RelaysReachTheKindConcernedAndSkipThePickingWindow) {
    View().OnLapOverviewGraph();
    View().OnLapOverviewGraph();
    View().OnFileOverviewGraph();
    GraphWindowStandIn* picking = Graph(View(), 0);
    GraphWindowStandIn* other = Graph(View(), 1);
    GraphWindowStandIn* file = Graph(View(), 2);
    PostMessage(View().Handle(), UM_ANALYSIS_LINE, picking->Handle(), 0);
    PostMessage(View().Handle(), UM_ANALYSIS_LINE, 0, 0);
    PostMessage(View().Handle(), UM_ZOOM_CONTROL, 4, 5);
    PostMessage(View().Handle(), UM_COLOR_SELECTED, 6, 7);
    PostMessage(View().Handle(), UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 1, 1);
    ShellHarness::Drain();
    EXPECT_EQ(picking->ReceivedOf(UM_ANALYSIS_LINE).size(), 1u);  // only the w = 0 one
    EXPECT_EQ(other->ReceivedOf(UM_ANALYSIS_LINE).size(), 2u);
    EXPECT_TRUE(file->ReceivedOf(UM_ANALYSIS_LINE).empty());
    EXPECT_EQ(file->ReceivedOf(UM_ZOOM_CONTROL).size(), 1u);
    EXPECT_TRUE(other->ReceivedOf(UM_ZOOM_CONTROL).empty());
    ASSERT_EQ(other->ReceivedOf(UM_COLOR_SELECTED).size(), 1u);
    EXPECT_EQ(other->ReceivedOf(UM_COLOR_SELECTED)[0].lParam, 0);  // onward copies carry lParam 0
    EXPECT_EQ(file->ReceivedOf(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME).size(), 1u);
    EXPECT_EQ(other->ReceivedOf(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME).size(), 1u);
}

TEST_F(COrveloViewTest, ClosedWorkAreaTellsAndDestroysItsGraphWindows) {
    View().OnLapOverviewGraph();
    const WindowHandle graph = Graph(View(), 0)->Handle();
    const WindowHandle view = View().Handle();
    MessageSpy spy;
    h.WorkArea(1)->close();
    ShellHarness::Drain();
    const auto told = spy.Of(SpiedMessage::Kind::Sent, graph, UM_PLOT_GRAPH_CLOSED);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(static_cast<WindowHandle>(told[0].lParam), view);
    EXPECT_FALSE(IsWindow(graph));
    EXPECT_FALSE(IsWindow(view));
}

TEST_F(COrveloViewTest, PrintingIsRefusedWithAWarning) {
    EXPECT_FALSE(View().OnPreparePrinting());
    ASSERT_EQ(h.Boxes().Shown().size(), 1u);
    EXPECT_EQ(h.Boxes().Shown()[0].text, QStringLiteral("Warn. Before setting."));
    EXPECT_EQ(h.Boxes().Shown()[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(h.Boxes().Shown()[0].flags, unsigned(kMbIconWarning));
}

}  // namespace
