// Files closed while another work area is active: the graph windows of the
// work area that was not redrawn then neither pick nor show the closed laps
// once they are looked at again; they look as windows opened with nothing
// compared look.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "graphs/CAxisSplitterWnd.h"
#include "graphs/CDlgGrafView.h"
#include "graphs/CFileOverviewGlaphDlg.h"
#include "graphs/CLScaleView.h"
#include "graphs/CLapOverviewDlg.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"

#include <QMdiArea>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace {

using namespace platform;

class ClosedLapsTest : public ::testing::Test {
protected:
    // The generator's "kart-no-gps" session (five laps without position fixes), lap 3 the base lap.
    void LoadNoGpsSession() {
        samplegen::SessionOptions options;
        options.seed = 14;
        options.rateMode = 1;
        options.variant = samplegen::Variant::NoGps;
        const QString path =
            files.WriteBytes(QStringLiteral("kart-no-gps.dat"), samplegen::GenerateSession(options).bytes);
        ASSERT_EQ(testsupport::LoadLogs(h.Core(), {path}), 0);
        SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
        orvelo::SetBaseLap(h.Core(), path.toStdU16String(), orvelo::FormatLapNumber(3));
        PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
        Drain();
    }
    COrveloView& View(int workArea) { return *h.WorkArea(workArea)->View(); }
    template <class Window>
    Window* Open(int workArea, int kind) {
        kind == GraphWindow::kLapOverview ? View(workArea).OnLapOverviewGraph() : View(workArea).OnFileOverviewGraph();
        Drain();
        return dynamic_cast<Window*>(View(workArea).GraphWindows().back().window);
    }
    static QImage WithoutXScale(CLapOverviewDlg& window) {
        QImage picture = window.Client()->grab().toImage();
        QPainter(&picture).fillRect(window.AxisSplitter()->geometry(), Qt::magenta);
        return picture;
    }

    testsupport::SessionDir files;
    ProgramHarness h;
};

TEST_F(ClosedLapsTest, WindowsOfAWorkAreaNotRedrawnAtACloseNeitherPickNorShowTheClosedLaps) {
    ASSERT_TRUE(h.Start());
    LoadNoGpsSession();
    auto* laps = Open<CLapOverviewDlg>(1, GraphWindow::kLapOverview);
    ASSERT_TRUE(laps);
    laps->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    auto* file = Open<CFileOverviewGlaphDlg>(1, GraphWindow::kFileOverview);
    ASSERT_TRUE(file);
    View(1).grab();
    CDlgGrafView& rpm = *laps->RowAt(0).graph;
    ASSERT_EQ(rpm.LapsDrawn(), 1);
    ASSERT_EQ(file->FileName(), "kart-no-gps");
    const int at20s = static_cast<int>(200 * rpm.Data().XPixelsPerUnit());
    ASSERT_GT(at20s, 0);
    ASSERT_LT(at20s, rpm.width());

    // A second work area with a lap overview of laps 3 and 2; the files are closed from there.
    h.App().OnFileNew();
    Drain();
    ASSERT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(2));
    ASSERT_TRUE(Open<CLapOverviewDlg>(2, GraphWindow::kLapOverview));
    orvelo::ToggleOverlayLap(h.Core(), h.Core().LogFiles.front().fullPath, orvelo::FormatLapNumber(2));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    h.CloseAllLogFiles();
    ASSERT_TRUE(h.Core().LogFiles.empty());

    // Back in work area 1, a click in the RPM row at about 20 s finds no lap: no value, distance
    // (which moves the map's marks) or time to the properties pane, no cursor record or
    // logging-time request to the main frame, nothing to the segment strip.
    auto* tabs = h.Frame().MdiArea()->findChild<QTabBar*>();
    ASSERT_TRUE(tabs);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    Drain();
    ASSERT_EQ(h.Frame().ActiveWorkArea(), h.WorkArea(1));
    MessageSpy spy;
    const QPoint click(at20s, rpm.height() / 2);
    QTest::mousePress(&rpm, Qt::LeftButton, {}, click);
    Drain();
    QTest::mouseRelease(&rpm, Qt::LeftButton, {}, click);
    Drain();
    std::set<std::uint32_t> told;
    for (const SpiedMessage& m : spy.Entries())
        told.insert(m.id);
    for (std::uint32_t id : {UM_SET_RPM_DATA_VALUE, UM_SET_SPEED_DATA_VALUE, UM_SET_DISTANCE_VALUE,
                             UM_SET_LAP_TIME_VALUE, UM_ANALYSIS_LINE, UM_PUT_LOGGING_TIME, UM_PUT_SEGMENT_INFO,
                             UM_MOVE_SEGMENT_INFO})
        EXPECT_EQ(told.count(id), 0u) << id;
    for (int row = 0; row < laps->RowCount(); ++row) {
        GraphPaneData& data = laps->RowAt(row).graph->Data();
        EXPECT_TRUE(data.CursorList().empty()) << row;
        EXPECT_TRUE(data.Plot().CursorPoint().isNull()) << row;
        EXPECT_EQ(data.LapsDrawn(), 0) << row;
    }

    // Shown, each window has the picture of one of its kind and size opened with nothing compared,
    // but for the X scale's ticks: with no lap left the scale keeps its steps, as the redrawn
    // work area's window does.
    const QImage lapsShown = WithoutXScale(*laps);
    const QImage fileShown = file->widget()->grab().toImage();
    auto* freshLaps = Open<CLapOverviewDlg>(1, GraphWindow::kLapOverview);
    ASSERT_TRUE(freshLaps);
    freshLaps->OnCommand(CLapOverviewDlg::kCmdTime);
    freshLaps->setGeometry(laps->geometry());
    auto* freshFile = Open<CFileOverviewGlaphDlg>(1, GraphWindow::kFileOverview);
    ASSERT_TRUE(freshFile);
    freshFile->setGeometry(file->geometry());
    Drain();
    EXPECT_EQ(lapsShown, WithoutXScale(*freshLaps));
    EXPECT_EQ(laps->XScale()->XSpan(), 0);
    EXPECT_EQ(fileShown, freshFile->widget()->grab().toImage());
    EXPECT_TRUE(file->FileName().isEmpty());
}

}  // namespace
