// Work areas out of view while the compared laps change: when one is shown again, or for the first
// time after its windows were restored at start, its lap overviews draw the laps compared now, and a
// cursor placed there gives the properties pane and the logging-time window a value for each of them.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CFileOverviewGlaphDlg.h"
#include "graphs/CLScaleView.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/CSegView.h"
#include "graphs/GraphRecords.h"
#include "graphs/LapOverviewSegmentStrip.h"
#include "properties/CPropertiesWnd.h"
#include "properties/CursorValueText.h"
#include "shell/CClockTimeDlg.h"
#include "shell/CListViewLogTime.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/UserMessages.h"

#include <QAbstractButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace platform;

constexpr int kSessionLaps = 9;

class HiddenWorkAreaTest : public ::testing::Test {
protected:
    // A session of nine laps; lap 1 the base lap and laps 2 to `compared` its overlays.
    void LoadSession(ProgramHarness& on, int compared) {
        path = files.Write(QStringLiteral("session.dat"), kSessionLaps, 5).toStdU16String();
        ASSERT_EQ(testsupport::LoadLogs(on.Core(), {QString::fromStdU16String(path)}), 0);
        SendMessage(on.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
        orvelo::SetBaseLap(on.Core(), path, orvelo::FormatLapNumber(1));
        for (int lap = 2; lap <= compared; ++lap)
            Tick(on, lap);
        PostMessage(on.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
        Drain();
    }
    // The lap's "Over" square ticked as the lap list does it, without the redraw request.
    void Tick(ProgramHarness& on, int lap) {
        ASSERT_EQ(orvelo::ToggleOverlayLap(on.Core(), path, orvelo::FormatLapNumber(static_cast<std::uint32_t>(lap))), 0);
    }
    static CLapOverviewDlg* Open(ProgramHarness& on, int workArea) {
        COrveloView& view = *on.WorkArea(workArea)->View();
        view.OnLapOverviewGraph();
        Drain();
        return dynamic_cast<CLapOverviewDlg*>(view.GraphWindows().back().window);
    }
    static CLapOverviewDlg* Overview(ProgramHarness& on, int workArea) {
        for (const auto& entry : on.WorkArea(workArea)->View()->GraphWindows())
            if (auto* window = dynamic_cast<CLapOverviewDlg*>(entry.window))
                return window;
        return nullptr;
    }
    // The work area's tab clicked.
    static void Show(ProgramHarness& on, int workArea) {
        auto* tabs = on.Frame().MdiArea()->findChild<QTabBar*>();
        ASSERT_TRUE(tabs);
        const auto& frames = on.WorkAreas();
        const auto at = std::find(frames.begin(), frames.end(), on.WorkArea(workArea)) - frames.begin();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(static_cast<int>(at)).center());
        Drain();
        ASSERT_EQ(on.Frame().ActiveWorkArea(), on.WorkArea(workArea));
    }
    // The laps the RPM row draws, once it is painted.
    static int LapsShown(CLapOverviewDlg& window) {
        CDlgGrafView& rpm = *window.RowAt(0).graph;
        rpm.grab();
        return rpm.LapsDrawn();
    }
    // Presses in the RPM row until it takes a press (it takes none right after a redraw for its
    // owner), then drags the cursor to x; the cursor list of the row.
    static const std::vector<GraphPoint>& DragTo(CLapOverviewDlg& window, int x) {
        CDlgGrafView& rpm = *window.RowAt(0).graph;
        const int y = rpm.height() / 2;
        for (int i = 0; i < 3 && rpm.Data().CursorList().empty(); ++i) {
            QTest::mousePress(&rpm, Qt::LeftButton, {}, QPoint(x - 20, y));
            Drain();
            if (rpm.Data().CursorList().empty()) {
                QTest::mouseRelease(&rpm, Qt::LeftButton, {}, QPoint(x - 20, y));
                Drain();
            }
        }
        QTest::mouseMove(&rpm, QPoint(x, y));
        Drain();
        QTest::mouseRelease(&rpm, Qt::LeftButton, {}, QPoint(x, y));
        Drain();
        return rpm.Data().CursorList();
    }
    // Three work areas, each with a lap overview of the eight compared laps; the third active.
    void ThreeOverviews() {
        ASSERT_TRUE(h.Start());
        LoadSession(h, 8);
        ASSERT_TRUE(Open(h, 1));
        for (int area = 2; area <= 3; ++area) {
            h.App().OnFileNew();
            Drain();
            ASSERT_TRUE(Open(h, area));
        }
        for (int area = 1; area <= 3; ++area)
            ASSERT_EQ(LapsShown(*Overview(h, area)), 8) << area;
    }

    testsupport::SessionDir files;
    std::u16string path;
    ProgramHarness h;
};

TEST_F(HiddenWorkAreaTest, AWorkAreaShownAgainDrawsTheLapTickedWhileItWasHidden) {
    ThreeOverviews();
    Tick(h, 9);
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    ASSERT_EQ(LapsShown(*Overview(h, 3)), 9);

    for (int area : {2, 1}) {
        Show(h, area);
        EXPECT_EQ(LapsShown(*Overview(h, area)), 9) << area;
    }
}

// Restored at start in a work area that is not shown while the laps are compared.
TEST_F(HiddenWorkAreaTest, AWindowRestoredInAWorkAreaFirstShownAfterTheLapsWereComparedDrawsThem) {
    ASSERT_TRUE(h.Start());
    ASSERT_TRUE(Open(h, 1));
    for (int area = 2; area <= 3; ++area) {
        h.App().OnFileNew();
        Drain();
    }
    ASSERT_TRUE(Open(h, 3));
    h.Close();

    ProgramHarness again(h.Saved());
    ASSERT_TRUE(again.Start());
    Drain();
    ASSERT_EQ(again.WorkAreas().size(), 3u);
    Show(again, 1);
    LoadSession(again, 3);
    ASSERT_EQ(LapsShown(*Overview(again, 1)), 3);

    Show(again, 3);
    CLapOverviewDlg& shown = *Overview(again, 3);
    EXPECT_EQ(LapsShown(shown), 3);
    EXPECT_GT(shown.XScale()->XSpan(), 0);
    EXPECT_NE(again.Frame().GraphStatus(), 0);  // the zoom buttons
    auto* top = WindowFromHandle<CSegView>(shown.SegmentStrip()->TopPane());
    ASSERT_TRUE(top);
    EXPECT_FALSE(top->Labels().isEmpty());
}

// The cursor placed in the third work area over nine laps, then in the second, shown again since
// the ninth lap was ticked: the properties pane and the logging-time window show the second's values.
TEST_F(HiddenWorkAreaTest, ACursorPlacedInAWorkAreaShownAgainGivesEveryComparedLapItsOwnValues) {
    ThreeOverviews();
    h.Frame().OnLoggingTime();
    Drain();
    Tick(h, 9);
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    CLapOverviewDlg& third = *Overview(h, 3);
    ASSERT_EQ(LapsShown(third), 9);
    const std::vector<GraphPoint> before = DragTo(third, third.RowAt(0).graph->width() / 2);
    ASSERT_EQ(before.size(), 9u);

    Show(h, 2);
    CLapOverviewDlg& second = *Overview(h, 2);
    const std::vector<GraphPoint> points = DragTo(second, second.RowAt(0).graph->width() / 4);
    EXPECT_EQ(second.RowAt(0).graph->LapsDrawn(), 9);

    // Row 9 shows the second window's point of the ninth lap, not the third's.
    const auto ninth = std::find_if(points.begin(), points.end(),
                                    [](const GraphPoint& p) { return p.words[graphs::kPointRow] == 8; });
    ASSERT_NE(ninth, points.end());
    ASSERT_NE(ninth->words[graphs::kPointTime], before[8].words[graphs::kPointTime]);
    auto& pane = dynamic_cast<CPropertiesWnd&>(*h.Frame().Properties());
    ASSERT_EQ(pane.LapTimeRows().size(), 9u);
    ASSERT_EQ(pane.ChannelRows(1).size(), 9u);
    EXPECT_EQ(pane.ChannelRows(1)[8]->Value(), QString::asprintf("%4u", ninth->words[graphs::kPointValue]));
    EXPECT_EQ(pane.LapTimeRows()[8]->Value(), properties::LapTimeValueText(ninth->words[graphs::kPointTime]));
    const CListViewLogTime& clock = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow())->List();
    ASSERT_EQ(clock.topLevelItemCount(), 9);
    EXPECT_EQ(clock.topLevelItem(8)->text(1), CListViewLogTime::ClockText(ninth->words[graphs::kPointLongWord]));
}

// Work area 1's lap overview shows every channel, work area 2's the first two. Shown again, the
// first one's channels are the pane's, and its cursor's values stay there while the second work
// area, shown, is the last activated; the second's own cursor brings its channels.
TEST_F(HiddenWorkAreaTest, ThePaneListsTheChannelsOfTheWindowWhoseCursorItShows) {
    ASSERT_TRUE(h.Start());
    LoadSession(h, 4);
    CLapOverviewDlg* all = Open(h, 1);
    ASSERT_TRUE(all);
    PostMessage(all->Handle(), UM_RESET_CHANNEL_VIEW, 0, 0x3FFFF);  // as the channel list's All and OK
    Drain();
    h.App().OnFileNew();
    Drain();
    CLapOverviewDlg* two = Open(h, 2);
    ASSERT_TRUE(two);
    ASSERT_EQ(two->ChannelMask(), 0x3u);
    auto& pane = dynamic_cast<CPropertiesWnd&>(*h.Frame().Properties());
    const auto listed = [&pane](int channel) { return pane.ChannelRows(channel).size() == 4u; };
    ASSERT_FALSE(listed(7));

    Show(h, 1);
    ASSERT_TRUE(listed(7)) << "work area 1 shown";
    const std::vector<GraphPoint> points = DragTo(*all, all->RowAt(0).graph->width() / 2);
    ASSERT_EQ(points.size(), 4u);
    EXPECT_FALSE(pane.ChannelRows(7)[0]->Value().isEmpty());

    Show(h, 2);
    ASSERT_TRUE(listed(7)) << "work area 2 shown with the first's cursor";
    EXPECT_FALSE(pane.ChannelRows(7)[0]->Value().isEmpty());
    DragTo(*two, two->RowAt(0).graph->width() / 2);
    EXPECT_FALSE(listed(7)) << "the second window's cursor";
    ASSERT_TRUE(listed(2));
    EXPECT_FALSE(pane.ChannelRows(2)[0]->Value().isEmpty());
}

// A file overview whose work area was hidden while another lap of its file became the base lap
// marks that lap once its area is shown.
TEST_F(HiddenWorkAreaTest, AFileOverviewShownAgainTakesTheBaseLapChosenWhileItWasHidden) {
    ASSERT_TRUE(h.Start());
    LoadSession(h, 1);
    COrveloView& first = *h.WorkArea(1)->View();
    first.OnFileOverviewGraph();
    Drain();
    auto* file = dynamic_cast<CFileOverviewGlaphDlg*>(first.GraphWindows().back().window);
    ASSERT_TRUE(file);
    ASSERT_EQ(file->UpperPane()->Data().FileBaseLapNumber(), 1u);
    h.App().OnFileNew();
    Drain();
    orvelo::SetBaseLap(h.Core(), path, orvelo::FormatLapNumber(3));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    ASSERT_EQ(file->UpperPane()->Data().FileBaseLapNumber(), 1u);

    Show(h, 1);
    EXPECT_EQ(file->UpperPane()->Data().FileBaseLapNumber(), 3u);
}

// A work area closed by its tab's x or its own menu, with a graph window active other than the one
// opened last, or a tab closed that is not shown: the work area left in view is the active one and
// stands maximised.
TEST_F(HiddenWorkAreaTest, TheWorkAreaLeftInViewAfterACloseIsActiveAndMaximised) {
    ASSERT_TRUE(h.Start());
    h.Frame().activateWindow();  // the focus follows clicks into the work areas
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.Frame()));
    QMdiArea& areas = *h.Frame().MdiArea();
    auto* tabs = areas.findChild<QTabBar*>();
    ASSERT_TRUE(tabs);
    // A new work area with a lap overview and a file overview, the lap overview's title bar clicked.
    const auto openSecond = [this] {
        h.App().OnFileNew();
        Drain();
        CChildFrame* frame = h.WorkAreas().back();
        COrveloView& view = *frame->View();
        view.OnLapOverviewGraph();
        Drain();
        view.OnFileOverviewGraph();
        Drain();
        view.GraphArea()->setActiveSubWindow(view.GraphArea()->subWindowList().front());
        Drain();
        return frame;
    };
    const auto settled = [&](CChildFrame* left, const char* how) {
        Drain();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Drain();
        ASSERT_EQ(h.WorkAreas().size(), 1u) << how;
        EXPECT_EQ(h.Frame().ActiveWorkArea(), left) << how;
        EXPECT_EQ(areas.activeSubWindow(), left) << how;
        EXPECT_TRUE(left->isMaximized()) << how;
    };
    const auto closeTab = [tabs](int index) {
        auto* x = qobject_cast<QAbstractButton*>(tabs->tabButton(index, QTabBar::RightSide));
        ASSERT_TRUE(x);
        x->click();
    };
    CChildFrame* first = h.WorkAreas().front();

    openSecond();
    closeTab(1);
    settled(first, "tab");

    CChildFrame* second = openSecond();
    second->systemMenu()->actions().last()->trigger();  // Close
    settled(first, "menu");

    openSecond();
    Show(h, 1);
    closeTab(1);
    settled(first, "tab not shown");
}

}  // namespace
