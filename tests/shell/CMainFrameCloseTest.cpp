// Closing the main frame: the saved layout (work areas, their graph windows,
// the logging-time window) brings the same layout back at the next start;
// a layout whose old values cannot be deleted is not written at all.
#include "ShellHarness.h"

#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"

#include <QDockWidget>
#include <QImage>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QLabel>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace platform;

namespace {

// Starts on what an earlier run saved, does what the test asks, closes, and gives what is saved then.
platform::RegistryTree RunAndClose(const platform::RegistryTree& saved, const std::function<void(ShellHarness&)>& act) {
    ShellHarness run(saved);
    EXPECT_TRUE(run.Start());
    act(run);
    ShellHarness::Drain();
    run.Close();
    EXPECT_TRUE(run.WorkAreas().empty());
    return run.Saved();
}

TEST(CMainFrameCloseTest, CloseAndRestartGiveTheSameLayout) {
    const platform::RegistryTree saved = RunAndClose({}, [](ShellHarness& first) {
        first.App().OnFileNew();
        first.App().OnFileNew();
        COrveloView& third = *first.WorkArea(3)->View();
        third.OnLapOverviewGraph();
        third.OnFileOverviewGraph();
        third.OnLapOverviewGraph();
        PostMessage(third.Handle(), UM_PLOT_GRAPH_CLOSED, 1, GraphWindow::kLapOverview);  // a free slot first
        first.WorkArea(1)->View()->OnLapOverviewGraph();
        first.WorkArea(2)->close();
        first.Frame().OnLoggingTime();
    });
    ShellHarness second(saved);
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.WorkAreaTitles(), (QStringList{QStringLiteral("Work Area 1"), QStringLiteral("Work Area 3")}));
    EXPECT_EQ(second.App().WorkAreaIdSlots(), (std::vector<std::uint32_t>{1, 0, 1}));
    COrveloView& third = *second.WorkArea(3)->View();
    EXPECT_EQ(GraphKinds(third), "012");
    auto* graph = dynamic_cast<GraphWindowStandIn*>(third.GraphWindows()[1].window);
    ASSERT_NE(graph, nullptr);
    EXPECT_TRUE(graph->Restored());
    EXPECT_EQ(graph->Slot(), 2);
    third.OnLapOverviewGraph();
    EXPECT_EQ(GraphKinds(third), "212");  // the free slot is taken first
    EXPECT_EQ(GraphKinds(*second.WorkArea(1)->View()), "2");
    // The logging-time window shown at the close comes back with the two work areas, and a run
    // that leaves it alone keeps it stored as shown.
    EXPECT_TRUE(second.Frame().LoggingTimeShown());
    ASSERT_NE(second.Frame().LoggingTimeWindow(), nullptr);
    EXPECT_TRUE(second.Frame().LoggingTimeWindow()->Widget()->isVisible());
    second.Close();
    const RegistryValue* shown =
        second.Saved().Value(settings::SubKeyPath(settings::kWindowViewInfo), settings::kLogTimeWndView);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->data, QByteArray("\x01\0\0\0", 4));
}

TEST(CMainFrameCloseTest, OldValuesGoFirstSoAClosedWorkAreaLeavesNothingBehind) {
    const platform::RegistryTree saved = RunAndClose({}, [](ShellHarness& first) {
        first.App().OnFileNew();
        first.WorkArea(2)->View()->OnLapOverviewGraph();
    });
    ShellHarness third(RunAndClose(saved, [](ShellHarness& second) { second.WorkArea(2)->close(); }));
    ASSERT_TRUE(third.Start());
    EXPECT_EQ(third.WorkAreaTitles(), QStringList{QStringLiteral("Work Area 1")});
    EXPECT_FALSE(third.Settings().UserRegistry().QueryValue(settings::SubKeyPath(settings::kWindowViewInfo),
                                                            QStringLiteral("WorkArea_Prop_2")));
}

TEST(CMainFrameCloseTest, FailedDeletionOfTheOldLayoutWritesNothing) {
    ShellHarness second(RunAndClose({}, [](ShellHarness& first) {
        first.App().OnFileNew();
        first.App().OnFileNew();
    }));
    ASSERT_TRUE(second.Start());
    second.WorkArea(3)->close();
    ShellHarness::Drain();
    const platform::RegistryTree before = second.Saved();
    second.Backend().SetFailSaves(true);
    second.Close();
    second.Backend().SetFailSaves(false);
    EXPECT_TRUE(second.Saved() == before);
    ShellHarness third(second.Saved());
    ASSERT_TRUE(third.Start());
    EXPECT_EQ(third.WorkAreaTitles().size(), 3);  // the last layout that was saved whole
}

TEST(CMainFrameCloseTest, AFirstStartAndACloseEachSaveTheSettingsOnce) {
    ShellHarness h;
    ASSERT_TRUE(h.Start());
    EXPECT_EQ(h.Backend().SaveCount(), 1);
    h.App().OnFileNew();
    h.WorkArea(2)->View()->OnLapOverviewGraph();
    h.Frame().OnLoggingTime();
    h.Close();
    EXPECT_EQ(h.Backend().SaveCount(), 2);
}

// ----- what the user sees -----

// Share of pixels in the widget's area that differ from its most common colour.
double PaintedShare(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            most = std::max(most, ++counts[image.pixel(x, y)]);
    }
    return area.isEmpty() ? 0.0 : 1.0 - double(most) / (area.width() * area.height());
}

TEST(CMainFrameCloseTest, MainFrameShowsMenusToolbarsStatusBarAndPanesAndClosesCleanly) {
    ShellHarness h;
    ASSERT_TRUE(h.Start());
    CMainFrame& frame = h.Frame();
    // At the size it opens with, the message pane has room for its text.
    EXPECT_EQ(frame.statusBar()->currentMessage(), QStringLiteral("Ready"));
    EXPECT_GT(frame.StatusPane(4)->x(), 12 + frame.statusBar()->fontMetrics().horizontalAdvance(QStringLiteral("Ready")));
    frame.resize(1000, 700);
    ShellHarness::Drain();
    const QImage shot = frame.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const auto check = [&](QWidget* widget, const char* what) {
        ASSERT_NE(widget, nullptr) << what;
        EXPECT_TRUE(widget->isVisible()) << what;
        const QRect area(widget->mapTo(&frame, QPoint(0, 0)), widget->size());
        EXPECT_TRUE(shot.rect().contains(area)) << what;
        EXPECT_GT(PaintedShare(shot, area), 0.001) << what;  // drawn, not a blank rectangle
    };
    check(frame.menuBar(), "menu bar");
    check(frame.MainToolBar(), "standard toolbar");
    check(frame.ZoomToolBar(), "zoom toolbar");
    check(frame.statusBar(), "status bar");
    check(frame.PropertiesDock(), "properties pane");
    check(frame.LapListDock(), "lap list pane");
    check(frame.MdiArea(), "work areas");
    EXPECT_EQ(frame.tabifiedDockWidgets(frame.LapListDock()), QList<QDockWidget*>{frame.SegmentListDock()});
    EXPECT_EQ(frame.StatusPane(4)->text(), QStringLiteral(" Map Type "));
    EXPECT_EQ(frame.StatusPane(5)->text(), QStringLiteral(" offset OFF"));  // set from the global mode at start
    EXPECT_EQ(frame.MdiArea()->subWindowList().value(0)->windowTitle(), QStringLiteral("Work Area 1"));

    // Closing frees the loaded data and ends the windows.
    h.Core().LogFiles.emplace_back();
    h.Core().ReadLogFileList.emplace_back();
    frame.OnLoggingTime();
    const WindowHandle clock = frame.LoggingTimeWindow()->Handle();
    const WindowHandle view = h.WorkArea(1)->ViewHandle();
    h.Close();
    EXPECT_TRUE(h.Core().LogFiles.empty());
    EXPECT_TRUE(h.Core().ReadLogFileList.empty());
    EXPECT_FALSE(IsWindow(clock));
    EXPECT_FALSE(IsWindow(view));
    EXPECT_FALSE(frame.isVisible());
}

}  // namespace
