// A lap overview's cursor, shown by the other lap overviews of the work area, the
// properties pane and its small map, goes from all of them when it is dropped.
#include "LapCursorSupport.h"

#include "shell/CClockTimeDlg.h"
#include "shell/CListViewLogTime.h"

#include <functional>

namespace {

using namespace lapoverview;

class DroppedCursorTest : public Fixture {
protected:
    CursorShown Cursor(CLapOverviewDlg& window) {
        auto* strip = dynamic_cast<CSegSplitterWnd*>(window.SegmentStrip());
        EXPECT_TRUE(strip);
        return CursorShown{window, Properties(), strip->Top(), &h};
    }
    // A drag in the first row to eighths of its width; a click first, which a redraw may swallow.
    static void DragIn(CLapOverviewDlg& window, int eighths) {
        CDlgGrafView& rpm = *window.RowAt(0).graph;
        QTest::mouseClick(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 8, rpm.height() / 2));
        Drain();
        Drag(rpm, {rpm.width() / 8, rpm.width() * eighths / 8});
    }
};

// The back window and the logging-time window show the front one's cursor until the front one
// drops it, by the other axis, a row border let go or new rows of another choice of channels; a
// cursor the back window placed itself since stays.
TEST_F(DroppedCursorTest, AWindowShowingAnotherOnesCursorDropsItWithIt) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* back = Open();
    CLapOverviewDlg* front = Open();
    ASSERT_TRUE(back && front && back != front);
    const CursorShown backCursor = Cursor(*back);
    const CursorShown frontCursor = Cursor(*front);
    h.Frame().OnLoggingTime();
    auto* clock = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow());
    ASSERT_TRUE(clock);
    // How many rows show a time of day (all show 00:00:00 before any cursor).
    const auto timesShown = [clock] {
        int shown = 0;
        for (int row = 0; row < clock->List().topLevelItemCount(); ++row)
            shown += clock->List().topLevelItem(row)->text(1) != QStringLiteral("00:00:00") ? 1 : 0;
        return shown;
    };

    const std::vector<std::pair<const char*, std::function<void()>>> drops{
        {"the other axis", [&] { front->OnCommand(CLapOverviewDlg::kCmdTime); }},
        {"a row border let go", [&] { PostMessage(front->Handle(), UM_STOP_TRACKING_PLOT, 2, 0); }},
        {"Channel select, All check, OK", [&] {
             ModalDialogScript dialogs;
             dialogs.Queue([](QDialog& dialog) {
                 FindControl<QPushButton>(dialog, CChannel_Ctl_Dlg::kAllCheck)->click();
                 FindControl<QPushButton>(dialog, CChannel_Ctl_Dlg::kOk)->click();
                 return dialog.result();
             });
             front->OnCommand(CLapOverviewDlg::kCmdChannelSelect);
         }},
    };
    for (const auto& [name, drop] : drops) {
        front->OnCommand(CLapOverviewDlg::kCmdDistance);
        Drain();
        DragIn(*front, 5);
        ASSERT_TRUE(frontCursor.Agree(true)) << name;
        ASSERT_TRUE(back->RowAt(1).graph->Data().Plot().CursorState() == CPlotLineCtrl::kCursorShown) << name;
        ASSERT_EQ(timesShown(), 3) << name;
        drop();
        Drain();
        EXPECT_TRUE(frontCursor.Agree(false)) << name;
        EXPECT_TRUE(backCursor.Agree(false)) << name;
        EXPECT_TRUE(QTest::qWaitFor([&] { return timesShown() == 0; })) << name;  // at its next paint
    }

    // The back window's own cursor placed after the front one's: the front one's drop leaves it.
    front->OnCommand(CLapOverviewDlg::kCmdDistance);
    Drain();
    DragIn(*front, 5);
    DragIn(*back, 3);
    front->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    EXPECT_TRUE(backCursor.Agree(true));
}

// As many compared laps as before, in another order: the small map's marks of the old order go,
// so the next drag shows one mark per lap.
TEST_F(DroppedCursorTest, OtherComparedLapsTakeTheOldMarksOffTheMap) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    const CursorShown cursor = Cursor(*window);
    DragIn(*window, 5);
    ASSERT_TRUE(cursor.Agree(true));

    // The first overlay taken off and put back: it becomes the last.
    const orvelo::LogFile& file = h.Core().LogFiles[0];
    for (int i = 0; i < 2; ++i)
        orvelo::ToggleOverlayLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[1].lapNumber));
    ASSERT_EQ(h.Core().SelectedLaps[2].lapNumber, file.laps[1].lapNumber);
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    EXPECT_TRUE(cursor.Agree(false));
    DragIn(*window, 3);
    EXPECT_TRUE(cursor.Agree(true));
}

// A window closed with its close box, or with its work area, drops its cursor: the window that
// showed it, the pane, its map and the logging-time window show none, and the main frame has no
// cursor owner, so the remaining window's axis switch reaches the pane.
TEST_F(DroppedCursorTest, AClosedWindowDropsItsCursorWithEverythingThatShowsIt) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* back = Open();
    ASSERT_TRUE(back);
    const CursorShown backCursor = Cursor(*back);
    h.Frame().OnLoggingTime();
    const CListViewLogTime& list = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow())->List();
    const auto noTimes = [&list] {
        for (int row = 0; row < list.topLevelItemCount(); ++row)
            if (list.topLevelItem(row)->text(1) != QStringLiteral("00:00:00"))
                return false;
        return true;
    };
    h.App().OnFileNew();
    Drain();
    COrveloView& second = *h.WorkArea(2)->View();
    const std::vector<std::pair<const char*, std::function<void(CLapOverviewDlg&)>>> closes{
        {"its close box", [](CLapOverviewDlg& window) { window.close(); }},
        {"its work area closed", [&](CLapOverviewDlg&) { h.WorkArea(2)->close(); }},
    };
    for (const auto& [name, close] : closes) {
        second.OnLapOverviewGraph();
        Drain();
        auto* front = dynamic_cast<CLapOverviewDlg*>(second.GraphWindows().back().window);
        ASSERT_TRUE(front && front != back) << name;
        front->OnCommand(CLapOverviewDlg::kCmdTime);
        Drain();
        DragIn(*front, 5);
        ASSERT_EQ(h.Frame().CursorOwner(), front->Handle()) << name;
        ASSERT_FALSE(noTimes()) << name;
        close(*front);
        Drain();
        EXPECT_EQ(h.Frame().CursorOwner(), kNoWindow) << name;
        EXPECT_TRUE(backCursor.Agree(false)) << name;
        EXPECT_TRUE(QTest::qWaitFor(noTimes)) << name;  // at its next paint
        back->OnCommand(CLapOverviewDlg::kCmdTime);
        Drain();
        EXPECT_TRUE(Properties().DistanceGroup().IsVisible()) << name;
        back->OnCommand(CLapOverviewDlg::kCmdDistance);
        Drain();
    }
}

} // namespace
