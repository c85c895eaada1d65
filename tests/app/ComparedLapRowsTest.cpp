// The properties pane's and the logging-time window's rows of the compared laps in the program:
// what is left once the last compared lap's file is closed, and a compared lap that has no
// position records.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "graphs/CDlgGrafView.h"
#include "properties/CLapPropertyGridCtrl.h"
#include "properties/CPropertiesWnd.h"
#include "shell/CClockTimeDlg.h"
#include "shell/CListViewLogTime.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/UserMessages.h"

#include <QMdiArea>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <functional>
#include <string>

#include <gtest/gtest.h>

namespace {

using namespace platform;

// Every row of a grid as the user sees it: shown rows only, indented under their group.
std::string Rows(const platform::PropertyGrid& grid) {
    std::string text;
    const std::function<void(const PropertyGridItem&, int)> add = [&](const PropertyGridItem& item, int depth) {
        if (!item.IsVisible())
            return;
        text += std::string(static_cast<std::size_t>(depth) * 2, ' ') + "[" + item.Name().toStdString() + "|" +
                item.Value().toStdString() + "]" + (item.IsExpanded() ? "+" : "") + "\n";
        for (int i = 0; i < item.SubItemCount(); ++i)
            add(*item.SubItem(i), depth + 1);
    };
    for (int i = 0; i < grid.PropertyCount(); ++i)
        add(*grid.Property(i), 0);
    return text;
}

class ComparedLapRowsTest : public ::testing::Test {
protected:
    CPropertiesWnd& Pane() { return Pane(h); }
    static CPropertiesWnd& Pane(ProgramHarness& on) { return *dynamic_cast<CPropertiesWnd*>(on.Frame().Properties()); }
    // Saved at exit: a lap overview over distance in work area 1 and one over time in work area 2.
    platform::RegistryTree SavedDistanceAndTimeOverviews() {
        ProgramHarness first;
        EXPECT_TRUE(first.Start());
        EXPECT_TRUE(first.OpenLapOverview());
        first.App().OnFileNew();
        Drain();
        COrveloView& second = *first.WorkArea(2)->View();
        second.OnLapOverviewGraph();
        Drain();
        if (auto* overTime = dynamic_cast<CLapOverviewDlg*>(second.GraphWindows().back().window))
            overTime->OnCommand(CLapOverviewDlg::kCmdTime);
        Drain();
        first.Close();
        return first.Saved();
    }
    // Laps 1 and 2 of a session compared.
    void CompareTwoLaps(ProgramHarness& on) {
        const QString path = files.Write(QStringLiteral("session.dat"), 3, 4);
        ASSERT_EQ(testsupport::LoadLogs(on.Core(), {path}), 0);
        SendMessage(on.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
        orvelo::SetBaseLap(on.Core(), path.toStdU16String(), orvelo::FormatLapNumber(1));
        orvelo::ToggleOverlayLap(on.Core(), path.toStdU16String(), orvelo::FormatLapNumber(2));
        PostMessage(on.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
        Drain();
    }
    // A press and a drag to the middle of the lap overview's first row, as the mouse does.
    // afterRedraw: a click first, which the first press after a redraw is.
    static void PlaceCursor(CLapOverviewDlg& laps, bool afterRedraw = false) {
        CDlgGrafView& graph = *laps.RowAt(0).graph;
        const QPoint from(graph.width() / 3, graph.height() / 2);
        const QPoint to(graph.width() / 2, graph.height() / 2);
        if (afterRedraw)
            QTest::mouseClick(&graph, Qt::LeftButton, {}, from);
        QTest::mousePress(&graph, Qt::LeftButton, {}, from);
        Drain();
        QTest::mouseMove(&graph, to);
        Drain();
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, to);
        Drain();
    }

    testsupport::SessionDir files;
    ProgramHarness h;
};

TEST_F(ComparedLapRowsTest, ClosingTheLastComparedLapsFileLeavesThePaneAsAtStart) {
    ASSERT_TRUE(h.Start());
    const std::string startLaps = Rows(Pane().GridA());
    const std::string startChannels = Rows(Pane().GridB());
    const QImage start = Pane().grab().toImage();

    // Laps 1 and 2 compared in a lap overview (RPM and Speed), the cursor placed.
    CompareTwoLaps(h);
    CLapOverviewDlg* laps = h.OpenLapOverview();
    ASSERT_TRUE(laps);
    PlaceCursor(*laps);
    ASSERT_EQ(Pane().LapTimeRows().size(), 2u);
    ASSERT_EQ(Pane().ChannelRows(2).size(), 2u);
    ASSERT_FALSE(Pane().ChannelRows(1)[1]->Value().isEmpty());

    h.CloseAllLogFiles();
    ASSERT_TRUE(h.Core().LogFiles.empty());
    EXPECT_EQ(Rows(Pane().GridA()), startLaps);
    EXPECT_EQ(Rows(Pane().GridB()), startChannels);
    EXPECT_EQ(Pane().grab().toImage(), start);

    // A lap compared again gets its rows in the groups the lap overview shows.
    const QString again = files.Write(QStringLiteral("again.dat"), 2, 5);
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), {again}), 0);
    SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
    orvelo::SetBaseLap(h.Core(), again.toStdU16String(), orvelo::FormatLapNumber(2));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    EXPECT_EQ(Pane().LapTimeRows().size(), 1u);
    EXPECT_EQ(Pane().ChannelRows(1).size(), 1u);
    EXPECT_EQ(Pane().ChannelRows(2).size(), 1u);
    EXPECT_TRUE(Pane().ChannelGroup(2).IsVisible());
}

TEST_F(ComparedLapRowsTest, WithOverviewsRestoredAndNoFilesThePaneStartsAsAFreshOne) {
    ASSERT_TRUE(h.Start());
    const std::string startLaps = Rows(Pane().GridA());
    const std::string startChannels = Rows(Pane().GridB());
    const QImage start = Pane().grab().toImage();

    ProgramHarness again(SavedDistanceAndTimeOverviews());
    ASSERT_TRUE(again.Start());
    Drain();
    ASSERT_EQ(again.WorkAreas().size(), 2u);
    EXPECT_EQ(Rows(Pane(again).GridA()), startLaps);
    EXPECT_EQ(Rows(Pane(again).GridB()), startChannels);
    EXPECT_EQ(Pane(again).grab().toImage(), start);
}

// The lap group is the axis of the window whose cursor the pane shows, whichever window was
// restored, opened or switched last.
TEST_F(ComparedLapRowsTest, ThePanesLapGroupIsTheAxisOfTheWindowWhoseCursorItShows) {
    ProgramHarness again(SavedDistanceAndTimeOverviews());
    ASSERT_TRUE(again.Start());
    Drain();
    auto* tabs = again.Frame().MdiArea()->findChild<QTabBar*>();
    ASSERT_TRUE(tabs);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    Drain();
    ASSERT_EQ(again.Frame().ActiveWorkArea(), again.WorkArea(1));
    CompareTwoLaps(again);
    auto* overDistance = dynamic_cast<CLapOverviewDlg*>(again.WorkArea(1)->View()->GraphWindows().at(0).window);
    ASSERT_TRUE(overDistance);
    ASSERT_EQ(overDistance->XAxisMode(), 0);
    PlaceCursor(*overDistance, true);
    const auto lapTimesShown = [&](const char* after) {
        EXPECT_TRUE(Pane(again).LapTimeGroup().IsVisible()) << after;
        EXPECT_FALSE(Pane(again).DistanceGroup().IsVisible()) << after;
        for (const CPropGridPropExt* row : Pane(again).LapTimeRows())
            EXPECT_TRUE(row->Value().contains(QLatin1Char(':'))) << after << " " << row->Value().toStdString();
    };
    lapTimesShown("a drag over distance");

    // A second window beside it switched to time: the pane keeps the first one's cursor.
    CLapOverviewDlg* other = again.OpenLapOverview();
    ASSERT_TRUE(other && other != overDistance);
    PlaceCursor(*overDistance, true);
    other->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    lapTimesShown("the other window switched to time");
    EXPECT_FALSE(Pane(again).ChannelRows(1)[0]->Value().isEmpty());

    // Its own cursor placed: the pane shows distances.
    PlaceCursor(*other, true);
    EXPECT_FALSE(Pane(again).LapTimeGroup().IsVisible());
    EXPECT_TRUE(Pane(again).DistanceGroup().IsVisible());
    EXPECT_FALSE(Pane(again).DistanceRows()[1]->Value().isEmpty());
}

TEST_F(ComparedLapRowsTest, AComparedLapWithoutPositionRecordsIsNamedInItsRowsWithoutAValue) {
    ASSERT_TRUE(h.Start());
    // Lap 2 of the generator's "no-position-lap" session between laps 1 and 3 of another file.
    samplegen::SessionOptions options;
    options.laps = 3;
    options.variant = samplegen::Variant::NoPositionLap;
    const QString gapped = files.WriteBytes(QStringLiteral("gapped.dat"), samplegen::GenerateSession(options).bytes);
    const QString other = files.Write(QStringLiteral("other.dat"), 3, 4);
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), {other, gapped}), 0);
    SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
    orvelo::SetBaseLap(h.Core(), other.toStdU16String(), orvelo::FormatLapNumber(1));
    orvelo::ToggleOverlayLap(h.Core(), gapped.toStdU16String(), orvelo::FormatLapNumber(2));
    orvelo::ToggleOverlayLap(h.Core(), other.toStdU16String(), orvelo::FormatLapNumber(3));
    ASSERT_TRUE(h.Core().ResolveLap(h.Core().SelectedLaps[1].lap)->positions.empty());
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    CLapOverviewDlg* laps = h.OpenLapOverview();
    ASSERT_TRUE(laps);
    h.Frame().OnLoggingTime();
    Drain();
    PlaceCursor(*laps);

    // Each group names the three laps in their colours; lap 2 alone has no value.
    const auto expectNamed = [&](const std::vector<CPropGridPropExt*>& rows, const char* group) {
        ASSERT_EQ(rows.size(), 3u) << group;
        const int numbers[] = {1, 2, 3};
        for (std::size_t row = 0; row < 3; ++row) {
            EXPECT_EQ(rows[row]->Name(), properties::LapNumberName(numbers[row])) << group << row;
            EXPECT_EQ(rows[row]->NameTextColor(), h.Core().SelectedLaps[row].colour) << group << row;
            EXPECT_EQ(rows[row]->Value().isEmpty(), row == 1) << group << row;
        }
    };
    expectNamed(Pane().LapTimeRows(), "Lap time");
    expectNamed(Pane().ChannelRows(1), "RPM");
    expectNamed(Pane().ChannelRows(2), "Speed");
    // The logging-time window names it too, without a time of day.
    const CListViewLogTime& list = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow())->List();
    ASSERT_EQ(list.topLevelItemCount(), 3);
    EXPECT_EQ(list.topLevelItem(1)->text(0), QStringLiteral("2"));
    EXPECT_EQ(list.topLevelItem(1)->text(1), QString());
    for (int row : {0, 2}) {
        EXPECT_FALSE(list.topLevelItem(row)->text(1).isEmpty()) << row;
        EXPECT_NE(list.topLevelItem(row)->text(1), CListViewLogTime::ClockText(0)) << row;  // the cursor's time
    }

    // Over time the distance rows do the same.
    laps->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    PlaceCursor(*laps);
    expectNamed(Pane().DistanceRows(), "Distance");
}

}  // namespace

// Restarted with a Distance overview in the work area shown and a Time one restored after it in
// another, the pane's lap group is the shown window's, with no tab clicked.
TEST_F(ComparedLapRowsTest, ARestartGivesThePaneTheAxisOfTheWorkAreaShown) {
    ProgramHarness again(SavedDistanceAndTimeOverviews());
    ASSERT_TRUE(again.Start());
    Drain();
    ASSERT_EQ(again.Frame().ActiveWorkArea(), again.WorkArea(1));
    CompareTwoLaps(again);
    EXPECT_EQ(Pane(again).XAxisMode(), 0);
    EXPECT_TRUE(Pane(again).LapTimeGroup().IsVisible());
    EXPECT_FALSE(Pane(again).DistanceGroup().IsVisible());
}
