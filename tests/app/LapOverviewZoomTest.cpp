// The lap overview's zoom in the program: every row, the X scale and the segment strip zoom and
// come back together, also when the channels change on a zoomed window.
#include "LapOverviewFixture.h"

namespace {

using namespace lapoverview;

class LapOverviewZoomTest : public Fixture {};

TEST_F(LapOverviewZoomTest, AZoomClickZoomsEveryRowAndTheXScaleAndResetZoomReturnsToTheFullView) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    SendMessage(h.Frame().Handle(), UM_GET_OVERLAP_GRAPH_STATUS, 1, 0);
    h.Frame().OnZoomMode();
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    View().grab(); // the panes have drawn their traces, as on screen before a click
    spy.Clear();
    QTest::mouseClick(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 2, rpm.height() / 2));
    Drain();
    const graphs::LapOverviewZoom& zoom = window->Zoom();
    ASSERT_EQ(zoom.Level(), 2);
    EXPECT_EQ(zoom.Span(), window->FullSpan() - window->FullSpan() / 2);
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(window->RowAt(row).graph->Data().ZoomSpan(), static_cast<std::uint32_t>(zoom.Span())) << row;
    EXPECT_EQ(window->XScale()->ZoomOffset(), zoom.Offset());
    const auto toFrame = spy.Of(SpiedMessage::Kind::Delivered, h.Frame().Handle(), UM_ZOOM_CONTROL);
    ASSERT_EQ(toFrame.size(), 1u);
    EXPECT_EQ(std::make_pair(toFrame[0].wParam, toFrame[0].lParam),
              std::make_pair(static_cast<WParam>(zoom.Span()), static_cast<LParam>(zoom.Offset())));

    h.Frame().OnResetZoom();
    Drain();
    EXPECT_FALSE(window->Zoom().Zoomed());
    EXPECT_FALSE(window->RowAt(0).graph->Data().Zoomed());
    EXPECT_FALSE(window->XScale()->Zoomed());
    // A base lap of another file also returns every pane to the full view.
    PostMessage(window->Handle(), UM_ZOOM_CONTROL, static_cast<WParam>(window->FullSpan() / 2), 0);
    Drain();
    ASSERT_TRUE(window->RowAt(1).graph->Data().Zoomed());
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), {files.Write(QStringLiteral("other.dat"), 2, 5)}), 0);
    const orvelo::LogFile& file = h.Core().LogFiles[1];
    orvelo::SetBaseLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[0].lapNumber));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    EXPECT_FALSE(window->Zoom().Zoomed() || window->RowAt(1).graph->Data().Zoomed() || window->XScale()->Zoomed());
}

// The channel list on a zoomed window returns it to the full view: the X scale and the strip then
// read what the new rows draw, as those of a window of that size that was never zoomed.
TEST_F(LapOverviewZoomTest, AChannelChoiceOnAZoomedWindowLeavesTheScaleAndStripOfAnUnzoomedOne) {
    constexpr std::uint32_t kChosen = 0x1 | 0x2 | 0x4 | 0x800; // RPM, Speed, G Horiz., Gear
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    window->OnCommand(CLapOverviewDlg::kCmdTime);
    SendMessage(h.Frame().Handle(), UM_GET_OVERLAP_GRAPH_STATUS, 1, 0);
    h.Frame().OnZoomMode();
    Drain();
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    View().grab();
    QTest::mouseClick(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() * 2 / 5, rpm.height() / 2));
    Drain();
    ASSERT_TRUE(window->Zoom().Zoomed());
    ASSERT_GT(window->Zoom().Offset(), 0);
    for (int i = 0; i < 100 && window->Zoom().Offset() > 0; ++i) {
        View().grab();
        QTest::keyClick(&rpm, Qt::Key_Left, Qt::ControlModifier);
        Drain();
    }
    ASSERT_EQ(window->Zoom().Offset(), 0);
    ASSERT_TRUE(window->XScale()->Zoomed());
    ModalDialogScript dialogs;
    dialogs.Queue([](QDialog& dialog) {
        auto* list = FindControl<QListWidget>(dialog, CChannel_Ctl_Dlg::kList);
        for (int row : {2, 11})
            list->item(row)->setCheckState(Qt::Checked);
        FindControl<QPushButton>(dialog, CChannel_Ctl_Dlg::kOk)->click();
        return dialog.result();
    });
    window->OnCommand(CLapOverviewDlg::kCmdChannelSelect);
    Drain();
    ASSERT_EQ(window->ChannelMask(), kChosen);
    EXPECT_FALSE(window->Zoom().Zoomed());

    CLapOverviewDlg* fresh = Open();
    ASSERT_TRUE(fresh);
    fresh->OnCommand(CLapOverviewDlg::kCmdTime);
    PostMessage(fresh->Handle(), UM_RESET_CHANNEL_VIEW, 4, kChosen);
    fresh->resize(window->size());
    Drain();
    View().grab();
    const CLScaleView& scale = *window->XScale();
    const CLScaleView& unzoomed = *fresh->XScale();
    EXPECT_FALSE(scale.Zoomed());
    EXPECT_EQ(std::make_tuple(scale.XSpan(), scale.XRange().step, scale.XRange().pixelsPerUnit),
              std::make_tuple(unzoomed.XSpan(), unzoomed.XRange().step, unzoomed.XRange().pixelsPerUnit));
    EXPECT_TRUE(scale.Picture() == unzoomed.Picture()) << "the X scale still shows the zoomed span";
    const auto* bands = dynamic_cast<const CSegView*>(dynamic_cast<CSegSplitterWnd&>(*window->SegmentStrip()).Left());
    const auto* freshBands = dynamic_cast<const CSegView*>(dynamic_cast<CSegSplitterWnd&>(*fresh->SegmentStrip()).Left());
    ASSERT_TRUE(bands && freshBands);
    EXPECT_EQ(bands->BandPositions(), freshBands->BandPositions());
    EXPECT_TRUE(bands->Picture() == freshBands->Picture()) << "the strip still shows the zoomed span";
}

// Two windows of one work area, one zoomed: a cursor placed in either stands in the other on the same
// sample of the base lap where that one draws it, and nowhere (its strip naming no place) where not.
TEST_F(LapOverviewZoomTest, AZoomedWindowAndAnotherShowEachOthersCursorOnTheSameSampleOrNone) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* zoomed = Open();
    CLapOverviewDlg* other = Open();
    ASSERT_TRUE(zoomed && other);
    other->OnCommand(CLapOverviewDlg::kCmdTime);
    for (int step = 0; step < 2; ++step) {
        PostMessage(zoomed->Handle(), UM_ZOOM_CONTROL, static_cast<WParam>(zoomed->FullSpan() * 3 / 5), 0);
        Drain();
    }
    CDlgGrafView& zoomedRpm = *zoomed->RowAt(0).graph;
    CDlgGrafView& otherRpm = *other->RowAt(0).graph;
    zoomed->grab();
    other->grab();
    ASSERT_EQ(zoomed->Zoom().Level(), 3);
    ASSERT_GT(zoomedRpm.Data().XStart(), 0u);
    auto* strip = dynamic_cast<CSegSplitterWnd*>(zoomed->SegmentStrip());
    ASSERT_TRUE(strip);
    const QString lap = QStringLiteral("L.%1").arg(h.Core().SelectedLaps[0].lapNumber);
    // The x in a row of the base lap's first point at or past a distance.
    const auto xAt = [](CDlgGrafView& row, std::uint32_t distance) {
        const GraphTrace& base = row.Data().PrimaryTraces().front();
        GraphPoint point;
        for (int i = 0; i < base.Size(); ++i) {
            base.FillPoint(i, point);
            if (static_cast<std::uint32_t>(point.words[graphs::kPointDistance]) >= distance)
                return base.At(i).x;
        }
        return -1;
    };
    // A drag in one window to x: the other's rows show its base-lap sample, or no line, and so its strip.
    const auto dragIn = [&](CDlgGrafView& from, CDlgGrafView& to, CLapOverviewDlg& shower, int x) {
        QTest::mouseClick(&from, Qt::LeftButton, {}, QPoint(x, from.height() / 2)); // a redraw may swallow it
        Drain();
        Drag(from, {x});
        const GraphPoint placed = from.Data().CursorList().at(0);
        const int index = to.Data().PrimaryTraces().front().PointOfSample(placed.words[graphs::kPointIndex]);
        const bool drawn = index >= 0 && to.Data().PrimaryTraces().front().At(index).x <= to.width();
        for (int row = 0; row < shower.RowCount(); ++row) {
            GraphPaneData& pane = shower.RowAt(row).graph->Data();
            EXPECT_EQ(pane.Plot().CursorState() == CPlotLineCtrl::kCursorShown, drawn) << x << " row " << row;
            if (drawn && !pane.CursorList().empty()) {
                EXPECT_EQ(pane.CursorList()[0].words[graphs::kPointDistance], placed.words[graphs::kPointDistance])
                    << x << " row " << row;
            }
        }
        if (drawn) {
            EXPECT_EQ(to.Data().Plot().CursorPoint().x(), to.Data().PrimaryTraces().front().At(index).x) << x;
        }
        return drawn;
    };
    const std::uint32_t start = zoomedRpm.Data().XStart();
    const std::uint32_t middle = start + zoomedRpm.Data().ZoomSpan() / 2;
    EXPECT_TRUE(dragIn(otherRpm, zoomedRpm, *zoomed, xAt(otherRpm, middle)));
    EXPECT_EQ(strip->Top().Labels().back(),
              lap + QStringLiteral(" : %1").arg(otherRpm.Data().CursorList()[0].words[graphs::kPointDistance]));
    EXPECT_FALSE(dragIn(otherRpm, zoomedRpm, *zoomed, xAt(otherRpm, start / 2)));
    EXPECT_EQ(strip->Top().Labels().back(), lap);
    EXPECT_TRUE(dragIn(zoomedRpm, otherRpm, *other, zoomedRpm.width() / 3));
}

// A zoomed window whose laps are all closed: its X scale is the one an unzoomed window shows then.
TEST_F(LapOverviewZoomTest, AZoomedWindowWhoseLapsAreAllClosedShowsTheScaleOfAnUnzoomedOne) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* zoomed = Open();
    CLapOverviewDlg* unzoomed = Open();
    ASSERT_TRUE(zoomed && unzoomed);
    unzoomed->resize(zoomed->size());
    for (CLapOverviewDlg* window : {zoomed, unzoomed})
        window->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    for (int step = 0; step < 2; ++step) {
        PostMessage(zoomed->Handle(), UM_ZOOM_CONTROL, static_cast<WParam>(zoomed->FullSpan() * 3 / 5), 0);
        Drain();
    }
    ASSERT_TRUE(zoomed->XScale()->Zoomed());
    h.CloseAllLogFiles();
    const CLScaleView& scale = *zoomed->XScale();
    EXPECT_FALSE(scale.Zoomed());
    EXPECT_TRUE(scale.Picture() == unzoomed->XScale()->Picture()) << "the X scale keeps the zoomed labels";
}

}  // namespace
