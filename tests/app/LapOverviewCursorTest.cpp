// The lap overview's cursor in the program: where its line, the strip, the properties pane and
// the small map show it through new limits, colours, resizes, maximising and changes of laps.
#include "LapCursorSupport.h"

#include "shell/CClockTimeDlg.h"
#include "shell/CListViewLogTime.h"
#include "shell/CommandIds.h"

#include <QTabBar>

namespace {

using namespace lapoverview;

class LapOverviewCursorTest : public Fixture {};

// New limits for one row and new window colours redraw the rows with the cursor where it was,
// in the new cursor colour, and the strip goes on naming the lap at it.
TEST_F(LapOverviewCursorTest, TheCursorStaysThroughNewLimitsOfARowAndNewWindowColours) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    auto* strip = dynamic_cast<CSegSplitterWnd*>(window->SegmentStrip());
    ASSERT_TRUE(strip);
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    const QPoint at(rpm.width() / 3, rpm.height() / 2);
    QTest::mousePress(&rpm, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&rpm, Qt::LeftButton, {}, at);
    Drain();
    const QStringList header = strip->Top().Labels();
    ASSERT_FALSE(header.isEmpty());
    std::vector<int> xs;
    for (int row = 0; row < window->RowCount(); ++row)
        xs.push_back(window->RowAt(row).graph->Data().Plot().CursorPoint().x());
    ASSERT_GT(xs[0], 0);
    // The cursor's column in the pane's picture, in the colour given.
    const auto expectCursor = [&](QRgb colour, const char* after) {
        for (int row = 0; row < window->RowCount(); ++row) {
            CDlgGrafView& pane = *window->RowAt(row).graph;
            const QImage shot = pane.grab().toImage();
            EXPECT_EQ(pane.Data().Plot().CursorPoint().x(), xs[static_cast<std::size_t>(row)]) << after << row;
            int shown = 0;
            for (int y = 0; y < shot.height(); ++y)
                shown += shot.pixel(xs[static_cast<std::size_t>(row)], y) == colour ? 1 : 0;
            EXPECT_GT(shown, shot.height() * 9 / 10) << after << row;
        }
        EXPECT_EQ(strip->Top().Labels(), header) << after;
    };
    expectCursor(ToQColor(window->Colors().analysisLine).rgb(), "drag, row ");

    ChannelValueRec& limits = h.Settings().Channels().ChannelValueTable()[0];
    limits.currentMax = limits.currentMin + (limits.currentMax - limits.currentMin) / 2;
    PostMessage(window->Handle(), UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 1, 0);
    Drain();
    expectCursor(ToQColor(window->Colors().analysisLine).rgb(), "new limits, row ");

    OverviewWindowColors colours = window->Colors();
    colours.analysisLine = 0x0000C0;
    SendMessage(window->Handle(), MessageWithBlockInWParam(UM_COLOR_SELECTED, colours, 0));
    Drain();
    expectCursor(ToQColor(0x0000C0).rgb(), "new colours, row ");
}

TEST_F(LapOverviewCursorTest, AMaximisedOverviewResizedAndDraggedOverShowsWhatAFreshOneDrawsAtThatSizeAndCursor) {
    constexpr std::uint32_t kEightChannels = 0x1 | 0x2 | 0x4 | 0x8 | 0x40 | 0x80 | 0x200 | 0x800;
    const auto maximised = [this](ProgramHarness& on, QSize size) {
        CLapOverviewDlg* window = Maximised(on, size);
        if (window) {
            PostMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 8, kEightChannels);
            Drain();
        }
        return window;
    };
    ASSERT_TRUE(h.Start());
    CLapOverviewDlg* window = maximised(h, QSize(1100, 800));
    ASSERT_TRUE(window);
    ASSERT_EQ(window->RowCount(), 8);
    Drag(*window->RowAt(2).graph, {200, 230, 260});
    const QImage before = OnScreen(h.Frame(), *window);
    h.Frame().resize(1000, 700);
    Drain();
    h.Frame().resize(1280, 900);
    Drain();
    CDlgGrafView& row = *window->RowAt(5).graph;
    const int x = row.width() * 3 / 5;
    Drag(row, {x - 90, x - 40, x});
    const QImage after = OnScreen(h.Frame(), *window);
    ASSERT_NE(before.size(), after.size());
    const QRgb base = ToQColor(h.Settings().Colors().ChannelLapColor(h.Core(), 1, 0)).rgb();
    int baseLapPixels = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            baseLapPixels += after.pixel(x, y) == base ? 1 : 0;
    EXPECT_GT(baseLapPixels, 100) << "the traces are on screen";

    ProgramHarness fresh;
    ASSERT_TRUE(fresh.Start());
    CLapOverviewDlg* drawn = maximised(fresh, QSize(1280, 900));
    ASSERT_TRUE(drawn);
    ASSERT_EQ(drawn->size(), window->size());
    Drag(*drawn->RowAt(5).graph, {x - 90, x - 40, x});  // the same way: between two samples the direction picks one
    EXPECT_EQ(window->RowAt(0).graph->Data().Plot().CursorPoint(), drawn->RowAt(0).graph->Data().Plot().CursorPoint());
    EXPECT_TRUE(after == OnScreen(fresh.Frame(), *drawn)) << "the resized and dragged overview differs from a fresh one";
}

TEST_F(LapOverviewCursorTest, APropertiesPaneDraggedOverShowsWhatOneMoveToTheSamePlaceShows) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    CPropertiesWnd& properties = Properties();
    const int y = rpm.height() / 2;
    const int end = rpm.width() * 3 / 4;
    const auto shown = [&] {
        QStringList texts;
        for (int channel : {1, 2})
            for (const CPropGridPropExt* row : properties.ChannelRows(channel))
                texts << row->Name() << row->Value();
        for (const CPropGridPropExt* row : properties.LapTimeRows())
            texts << row->Name() << row->Value();
        return texts;
    };
    const auto drag = [&](int from, int step) {
        QTest::mousePress(&rpm, Qt::LeftButton, {}, QPoint(from, y));
        Drain();
        // Moves come faster than the queue is emptied, as input does.
        for (int x = from, n = 1; x < end; ++n) {
            x = std::min(x + step, end);
            QTest::mouseMove(&rpm, QPoint(x, y));
            if (n % 4 == 0)
                Drain();
        }
        Drain();
        QTest::mouseRelease(&rpm, Qt::LeftButton, {}, QPoint(end, y));
        Drain();
    };

    drag(rpm.width() / 8, 3);
    const QStringList afterDrag = shown();
    ASSERT_EQ(afterDrag.size(), 18);
    EXPECT_FALSE(afterDrag[1].trimmed().isEmpty());
    drag(end - 1, 1);
    EXPECT_EQ(shown(), afterDrag);
}

TEST_F(LapOverviewCursorTest, TheCursorIsShownByEveryRowTheStripThePaneAndTheMapOrByNoneAfterEachChange) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    auto* strip = window ? dynamic_cast<CSegSplitterWnd*>(window->SegmentStrip()) : nullptr;
    ASSERT_TRUE(strip);
    const CursorShown cursor{*window, Properties(), strip->Top(), &h};
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    const auto drag = [&](int x) {
        QTest::mouseClick(&rpm, Qt::LeftButton, {}, QPoint(x, rpm.height() / 2)); // taken only when no redraw swallows it
        Drain();
        Drag(rpm, {rpm.width() / 5, x});
        return cursor.Agree(true);
    };
    ASSERT_TRUE(drag(rpm.width() / 2));
    EXPECT_TRUE(cursor.Agree(true));

    // An overlay lap taken off (a click on its square): the cursor goes everywhere; the next drag
    // shows one disc per lap.
    const orvelo::LogFile& file = h.Core().LogFiles[0];
    orvelo::ToggleOverlayLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[2].lapNumber));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    EXPECT_TRUE(cursor.Agree(false)) << "after the overlay change";
    EXPECT_TRUE(drag(rpm.width() / 3)) << "the drag after it";

    // A row border let go.
    PostMessage(window->Handle(), UM_STOP_TRACKING_PLOT, 2, 0);
    Drain();
    EXPECT_TRUE(cursor.Agree(false)) << "after a row border moved";

    // The other axis: the place meant a distance, so the cursor goes.
    ASSERT_TRUE(drag(rpm.width() * 2 / 3));
    window->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    EXPECT_TRUE(cursor.Agree(false)) << "after the axis switch";
    window->OnCommand(CLapOverviewDlg::kCmdDistance);
    Drain();
    EXPECT_TRUE(drag(rpm.width() / 2)) << "over distance again";

    // New limits of one row and of all: every row keeps the base lap's point.
    const int x = rpm.Data().Plot().CursorPoint().x();
    PostMessage(window->Handle(), UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 2, 0);
    PostMessage(window->Handle(), UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 0, 0);
    Drain();
    EXPECT_TRUE(cursor.Agree(true)) << "after new limits";
    EXPECT_EQ(rpm.Data().Plot().CursorPoint().x(), x);
}

// A second window in the work area shows the first one's cursor; new limits there keep every row
// of it on that point, not on the one it picked itself before.
TEST_F(LapOverviewCursorTest, AWindowShowingAnotherOnesCursorKeepsItInEveryRowThroughNewLimits) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* back = Open();
    CLapOverviewDlg* front = Open();
    ASSERT_TRUE(back && front && back != front);
    CDlgGrafView& backRpm = *back->RowAt(0).graph;
    Drag(backRpm, {backRpm.width() * 3 / 4});
    CDlgGrafView& frontRpm = *front->RowAt(0).graph;
    Drag(frontRpm, {frontRpm.width() / 4});
    const int shown = backRpm.Data().Plot().CursorPoint().x();
    ASSERT_EQ(back->RowAt(1).graph->Data().Plot().CursorPoint().x(), shown);
    ASSERT_LT(shown, backRpm.width() / 2) << "the back window shows the front one's cursor";
    PostMessage(back->Handle(), UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 2, 0);
    PostMessage(back->Handle(), UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 0, 0);
    Drain();
    for (int row = 0; row < back->RowCount(); ++row) {
        GraphPaneData& pane = back->RowAt(row).graph->Data();
        EXPECT_EQ(pane.Plot().CursorPoint().x(), shown) << row;
        ASSERT_FALSE(pane.CursorList().empty());
        EXPECT_EQ(pane.CursorList()[0].words[graphs::kPointDistance],
                  frontRpm.Data().CursorList()[0].words[graphs::kPointDistance]) << row;
    }
}

// A second window opened from the menu has no cursor of its own: the first one's stays shown
// everywhere, the properties pane included.
TEST_F(LapOverviewCursorTest, ASecondWindowOpenedLeavesTheFirstOnesCursorShownEverywhere) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* first = Open();
    auto* strip = first ? dynamic_cast<CSegSplitterWnd*>(first->SegmentStrip()) : nullptr;
    ASSERT_TRUE(strip);
    const CursorShown cursor{*first, Properties(), strip->Top(), &h};
    DragHalfway(*first->RowAt(0).graph);
    ASSERT_TRUE(cursor.Agree(true));
    QAction* open = h.Frame().Action(command::kLapOverviewGraph);
    ASSERT_TRUE(open && open->isEnabled());
    open->trigger();
    Drain();
    ASSERT_EQ(View().GraphWindows().size(), 2u);
    EXPECT_TRUE(cursor.Agree(true));
    const std::vector<CPropGridPropExt*> times = Properties().LapTimeRows();
    ASSERT_EQ(times.size(), 3u);
    for (const CPropGridPropExt* row : times)
        EXPECT_FALSE(row->Value().isEmpty());

    // The first one's channels chosen again (the same two): its new rows have no cursor, nor has anything else.
    PostMessage(first->Handle(), UM_RESET_CHANNEL_VIEW, 2, first->ChannelMask());
    Drain();
    EXPECT_TRUE(cursor.Agree(false));
}

// The maximised overview with its cursor, made smaller and maximised again: each time the cursor
// stands on the same point of the base lap, as a fresh window of that size shows it.
TEST_F(LapOverviewCursorTest, AResizedOverviewShowsItsCursorOnTheSameBaseLapPointAsAFreshOneOfThatSize) {
    ASSERT_TRUE(h.Start());
    CLapOverviewDlg* window = Maximised(h, QSize(1600, 1000));
    ASSERT_TRUE(window);
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    Drag(rpm, {rpm.width() * 3 / 4});
    const QImage large = OnScreen(h.Frame(), *window);
    const GraphPoint placed = rpm.Data().CursorList().at(0);
    const int sample = rpm.Data().Traces(0).front().At(placed.words[graphs::kPointIndex]).sample;

    h.Frame().resize(1400, 900);
    Drain();
    ProgramHarness fresh;
    ASSERT_TRUE(fresh.Start());
    CLapOverviewDlg* drawn = Maximised(fresh, QSize(1400, 900));
    ASSERT_TRUE(drawn);
    ASSERT_EQ(drawn->size(), window->size());
    // The fresh window's cursor on the same sample of the base lap.
    drawn->RowAt(0).graph->grab();
    const std::vector<GraphTrace>& traces = drawn->RowAt(0).graph->Data().PrimaryTraces();
    ASSERT_FALSE(traces.empty());
    GraphPoint record{};
    for (int i = 0; i < traces.front().Size(); ++i)
        if (traces.front().At(i).sample == sample)
            record.words[graphs::kPointIndex] = i;
    for (int row = 0; row < drawn->RowCount(); ++row)
        PostMessage(drawn->RowAt(row).graph->Handle(), MessageWithBlock(UM_ANALYSIS_LINE, 1, record));
    Drain();
    for (int row = 0; row < window->RowCount(); ++row) {
        const QPoint at = window->RowAt(row).graph->Data().Plot().CursorPoint();
        EXPECT_EQ(at, drawn->RowAt(row).graph->Data().Plot().CursorPoint()) << row;
        EXPECT_EQ(window->RowAt(row).graph->Data().CursorList().at(0).words[graphs::kPointValue],
                  drawn->RowAt(row).graph->Data().CursorList().at(0).words[graphs::kPointValue]) << row;
    }
    EXPECT_TRUE(OnScreen(h.Frame(), *window) == OnScreen(fresh.Frame(), *drawn)) << "made smaller";

    h.Frame().resize(1600, 1000);
    Drain();
    EXPECT_EQ(rpm.Data().Plot().CursorPoint(), QPoint(placed.words[graphs::kPointX], placed.words[graphs::kPointY]));
    EXPECT_TRUE(OnScreen(h.Frame(), *window) == large) << "maximised again";
}

// A cursor placed in another work area is shown there as soon as that one is shown again: its line
// in every row and the strip's text stand on the same point of the base lap.
TEST_F(LapOverviewCursorTest, ACursorFromAnotherWorkAreaIsShownByTheRowsAndTheStripAlike) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    const auto openIn = [this](int number) {
        h.WorkArea(number)->View()->OnLapOverviewGraph();
        Drain();
        return dynamic_cast<CLapOverviewDlg*>(h.WorkArea(number)->View()->GraphWindows().back().window);
    };
    h.App().OnFileNew();
    h.App().OnFileNew();
    Drain();
    CLapOverviewDlg* third = openIn(3);
    ASSERT_TRUE(third);
    CDlgGrafView& thirdRpm = *third->RowAt(0).graph;
    Drag(thirdRpm, {thirdRpm.width() / 4});
    auto* tabs = h.Frame().MdiArea()->findChild<QTabBar*>();
    ASSERT_TRUE(tabs);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    Drain();
    ASSERT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(2));
    CLapOverviewDlg* second = openIn(2);
    ASSERT_TRUE(second);
    CDlgGrafView& secondRpm = *second->RowAt(0).graph;
    Drag(secondRpm, {secondRpm.width() * 3 / 4});
    const std::int32_t placed = secondRpm.Data().CursorList().at(0).words[graphs::kPointDistance];

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    Drain();
    ASSERT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(3));
    third->grab();
    Drain();
    const int x = thirdRpm.Data().Plot().CursorPoint().x();
    for (int row = 0; row < third->RowCount(); ++row)
        EXPECT_EQ(third->RowAt(row).graph->Data().Plot().CursorPoint().x(), x) << row;
    ASSERT_FALSE(thirdRpm.Data().CursorList().empty());
    EXPECT_EQ(thirdRpm.Data().CursorList()[0].words[graphs::kPointDistance], placed);
    auto* strip = dynamic_cast<CSegSplitterWnd*>(third->SegmentStrip());
    ASSERT_TRUE(strip && !strip->Top().Labels().isEmpty());
    EXPECT_EQ(strip->Top().Labels().back(),
              QStringLiteral("L.%1 : %2").arg(h.Core().SelectedLaps[0].lapNumber).arg(placed));
}

// Over time, zoomed past the end of the shortest lap, the base lap: a press there finds no base-lap
// point and places no cursor, so the pane shows no value and takes the window's next axis.
TEST_F(LapOverviewCursorTest, APressThatPlacesNoCursorLeavesThePaneFreeForTheNextAxis) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps(Base::Shortest);
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    window->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    ZoomPast(*window, static_cast<int>(ShorterLapsEnd()));
    ASSERT_GT(window->Zoom().Offset(), static_cast<int>(ShorterLapsEnd()));
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    const QPoint end(rpm.width() / 4, rpm.height() / 2);
    for (int i = 0; i < 2; ++i) {  // the first press after a redraw may be swallowed
        QTest::mouseClick(&rpm, Qt::LeftButton, {}, end);
        Drain();
    }
    ASSERT_NE(rpm.Data().Plot().CursorState(), CPlotLineCtrl::kCursorShown);
    ASSERT_TRUE(Properties().DistanceGroup().IsVisible());
    for (const CPropGridPropExt* value : Properties().ChannelRows(1))
        EXPECT_TRUE(value->Value().trimmed().isEmpty()) << value->Value().toStdString();

    window->OnCommand(CLapOverviewDlg::kCmdDistance);
    Drain();
    EXPECT_TRUE(Properties().LapTimeGroup().IsVisible());
    EXPECT_FALSE(Properties().DistanceGroup().IsVisible());
}

// Over time, zoomed past the ends of the shorter laps: a drag there gives the base lap a time of
// day and the others, with no point under the cursor, none (they had one from a drag before).
TEST_F(LapOverviewCursorTest, ALapWithoutAPointUnderTheCursorShowsNoTimeOfDay) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps(Base::Longest);
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    h.Frame().OnLoggingTime();
    window->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    const CListViewLogTime& list = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow())->List();
    ASSERT_EQ(list.topLevelItemCount(), 3);
    const auto times = [&list] {
        QStringList shown;
        for (int row = 0; row < list.topLevelItemCount(); ++row)
            shown << list.topLevelItem(row)->text(1);
        return shown;
    };
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    const auto drag = [&](int x) {
        QTest::mouseClick(&rpm, Qt::LeftButton, {}, QPoint(x, rpm.height() / 2));
        Drain();
        Drag(rpm, {x - 4, x});
    };
    drag(rpm.width() / 2);
    ASSERT_FALSE(times().contains(QStringLiteral("00:00:00")));
    const QStringList midLap = times();

    ZoomPast(*window, static_cast<int>(ShorterLapsEnd()));
    ASSERT_GT(window->Zoom().Offset(), static_cast<int>(ShorterLapsEnd()));
    drag(rpm.width() / 4);
    ASSERT_EQ(rpm.Data().CursorList().size(), 1u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return times().mid(1) == QStringList(2, QStringLiteral("00:00:00")); }))
        << times().join(u' ').toStdString();
    EXPECT_NE(times()[0], midLap[0]);
}

}  // namespace
