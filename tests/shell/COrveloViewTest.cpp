// A work area's graph-window list: reused slots, the saved record and text,
// their restore at the first activation of the next run, and what the view
// passes on to its graph windows.
#include "ShellHarness.h"

#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"

#include <QMdiArea>
#include <gtest/gtest.h>

using namespace platform;

namespace {

class COrveloViewTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(h.Start()); }
    COrveloView& View() { return *h.WorkArea(1)->View(); }
    GraphWindowStandIn* Graph(std::size_t index) {
        return dynamic_cast<GraphWindowStandIn*>(View().GraphWindows()[index].window);
    }
    void CloseGraph(int slot, int kind) {
        PostMessage(View().Handle(), UM_PLOT_GRAPH_CLOSED, static_cast<WParam>(slot), kind);
        ShellHarness::Drain();
    }
    // Lap, file and lap overviews, the first one closed again.
    void OpenThreeCloseFirst() {
        View().OnLapOverviewGraph();
        View().OnFileOverviewGraph();
        View().OnLapOverviewGraph();
        CloseGraph(1, GraphWindow::kLapOverview);
    }
    ShellHarness h;
};

TEST_F(COrveloViewTest, ClosedGraphWindowLeavesAFreeSlotAndTheSavedRecordAndTextFollowTheList) {
    OpenThreeCloseFirst();
    CloseGraph(5, GraphWindow::kLapOverview);  // unknown slot
    CloseGraph(2, GraphWindow::kLapOverview);  // slot of another kind
    EXPECT_EQ(GraphKinds(View()), "012");
    EXPECT_EQ(SendMessage(View().Handle(), UM_REGISTER_WND_PROPERTY, 1, 0), 0);
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    const auto record = h.Settings().UserRegistry().QueryValue(key, QStringLiteral("WorkArea_Prop_1"));
    ASSERT_TRUE(record);
    ASSERT_EQ(record->data.size(), 140);
    EXPECT_EQ(record->data.left(12), QByteArray("\1\0\0\0\2\0\0\0\3\0\0\0", 12));  // number, windows, both kinds
    EXPECT_EQ(record->data.mid(12), QByteArray(128, '\0'));
    QString text;
    EXPECT_EQ(h.Settings().Store().RegReadString(key, QStringLiteral("WorlArea_wnd_stat_1"), &text), 0);
    EXPECT_EQ(text, QStringLiteral("012"));
    // each graph window was asked to save itself with the work-area number
    ASSERT_EQ(Graph(1)->ReceivedOf(UM_REGISTER_WND_PROPERTY).size(), 1u);
    EXPECT_EQ(Graph(1)->ReceivedOf(UM_REGISTER_WND_PROPERTY)[0].lParam, 1);
    View().OnFileOverviewGraph();  // the free slot is taken first
    EXPECT_EQ(GraphKinds(View()), "112");
    EXPECT_EQ(Graph(0)->Slot(), 1);
}

TEST_F(COrveloViewTest, SavedRecordThatDisagreesWithItsTextReopensNoMoreThanBoth) {
    h.Close();
    // more windows counted than the text holds; the record of another work area
    for (const auto& [number, count, text, reopened] : {std::tuple{1, 5, "21", "21"}, std::tuple{2, 1, "2", ""}}) {
        ShellHarness next(h.Saved());
        WorkAreaProp record;
        record.number = number;
        record.windowCount = count;
        record.kinds = 3;
        const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
        next.Settings().Store().CreateSettingsKeys();
        next.Settings().Store().WriteRecord(key, QStringLiteral("WorkArea_Prop_1"), record);
        next.Settings().Store().RegWriteString(key, QStringLiteral("WorlArea_wnd_stat_1"), QLatin1String(text));
        ASSERT_TRUE(next.Start());
        EXPECT_EQ(GraphKinds(*next.WorkArea(1)->View()), reopened) << text;
    }
}

TEST_F(COrveloViewTest, RelaysReachTheKindConcernedAndSkipThePickingWindow) {
    View().OnLapOverviewGraph();
    View().OnLapOverviewGraph();
    View().OnFileOverviewGraph();
    GraphWindowStandIn* picking = Graph(0);
    GraphWindowStandIn* other = Graph(1);
    GraphWindowStandIn* file = Graph(2);
    PostMessage(View().Handle(), UM_ANALYSIS_LINE, picking->Handle(), 0);
    PostMessage(View().Handle(), UM_ANALYSIS_LINE, 0, 0);
    PostMessage(View().Handle(), UM_ZOOM_CONTROL, 4, 5);
    PostMessage(View().Handle(), UM_COLOR_SELECTED, 6, 7);
    PostMessage(View().Handle(), UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 1, 1);
    ShellHarness::Drain();
    const auto count = [](GraphWindowStandIn* graph, std::uint32_t id) { return graph->ReceivedOf(id).size(); };
    // the picking window gets only the analysis line with wParam 0; zoom control goes to file overviews
    EXPECT_EQ((std::vector<std::size_t>{count(picking, UM_ANALYSIS_LINE), count(other, UM_ANALYSIS_LINE),
                                        count(file, UM_ANALYSIS_LINE), count(file, UM_ZOOM_CONTROL),
                                        count(other, UM_ZOOM_CONTROL), count(file, UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME),
                                        count(other, UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME)}),
              (std::vector<std::size_t>{1, 2, 0, 1, 0, 1, 1}));
    ASSERT_EQ(other->ReceivedOf(UM_COLOR_SELECTED).size(), 1u);
    EXPECT_EQ(other->ReceivedOf(UM_COLOR_SELECTED)[0].lParam, 0);  // onward copies carry lParam 0

    // The last lap overview closed tells each file overview to zoom out.
    file->ClearReceived();
    View().OnFileOverviewGraph();
    CloseGraph(1, GraphWindow::kLapOverview);
    CloseGraph(2, GraphWindow::kLapOverview);
    EXPECT_EQ(file->ReceivedOf(UM_ZOOM_CONTROL).size(), 1u);
    ASSERT_EQ(Graph(3)->ReceivedOf(UM_ZOOM_CONTROL).size(), 1u);
    EXPECT_EQ(Graph(3)->ReceivedOf(UM_ZOOM_CONTROL)[0].wParam, 0u);
}

TEST_F(COrveloViewTest, ClosedWorkAreaTellsAndDestroysItsGraphWindows) {
    View().OnLapOverviewGraph();
    const WindowHandle graph = Graph(0)->Handle();
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

}  // namespace
