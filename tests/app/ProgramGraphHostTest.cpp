// A graph pane on the program's own host: its cursor values reach the
// properties pane, and the cursor record and the logging-time request go
// through the main frame to the work area's lap overview with its panes and
// the logging-time window, read there after the pane is gone.
#include "ProgramHarness.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/GraphPaneData.h"
#include "graphs/GraphTestHost.h"
#include "graphs/GraphRecords.h"

#include "core/FileLists.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/MessageSpy.h"
#include "platform/UserMessages.h"
#include "shell/CClockTimeDlg.h"
#include "shell/CListViewLogTime.h"
#include "tools/SampleSession.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace platform;

// Loads a generated session of three laps as a log file; its full path.
std::u16string LoadSession(orvelo::LapDataCore& core, const QTemporaryDir& dir) {
    samplegen::SessionOptions options;
    options.laps = 3;
    options.circuitLength = 400.0;
    const std::string path = dir.filePath(QStringLiteral("run.log")).toStdString();
    samplegen::WriteBytes(path, samplegen::GenerateSession(options).bytes);
    orvelo::FileListEntry entry;
    entry.fullPath = QString::fromStdString(path).toStdU16String();
    orvelo::EditLogFileList(core, orvelo::kFileListAdd, entry);
    orvelo::LoadPendingLogFiles(core, 3);
    return entry.fullPath;
}

TEST(ProgramGraphHostTest, CursorValuesTravelToThePropertiesPaneTheWorkAreaAndTheLoggingTime) {
    ProgramHarness program;
    ASSERT_TRUE(program.Start());
    GraphHost& host = dynamic_cast<ProgramWindowFactory&>(program.App().Factory()).Graphs();
    CMainFrame& frame = program.Frame();
    EXPECT_EQ(host.MainFrame(), frame.Handle());
    EXPECT_EQ(host.PropertiesPane(), frame.Properties()->Handle());
    SendMessage(frame.Handle(), UM_GET_OVERLAP_GRAPH_STATUS, 1, 0); // a lap overview with laps
    frame.OnZoomMode();
    EXPECT_TRUE(host.ZoomMode());

    QTemporaryDir dir;
    const std::u16string path = LoadSession(program.Core(), dir);
    orvelo::SetBaseLap(program.Core(), path, u"2");
    orvelo::ToggleOverlayLap(program.Core(), path, u"3");
    frame.OnLoggingTime();
    COrveloView& view = *program.WorkAreas().front()->View();
    view.OnLapOverviewGraph();
    ShellHarness::Drain();
    auto* lapOverview = dynamic_cast<CLapOverviewDlg*>(view.GraphWindows().front().window);
    auto* loggingTime = dynamic_cast<CClockTimeDlg*>(frame.LoggingTimeWindow());
    ASSERT_TRUE(lapOverview && loggingTime);

    MessageSpy spy;
    std::vector<GraphPoint> picked;
    {
        const auto pane = graphtest::LapOverlayPane(host, 2, 600, 150);
        pane->Pick(300, 0);
        pane->PostCursorValues();
        picked = pane->CursorList();
    }
    ShellHarness::Drain();

    ASSERT_EQ(picked.size(), 2u);
    for (std::uint32_t id : {UM_SET_SPEED_DATA_VALUE, UM_SET_DISTANCE_VALUE, UM_SET_LAP_TIME_VALUE})
        EXPECT_EQ(spy.Of(SpiedMessage::Kind::Delivered, frame.Properties()->Handle(), id).size(), 2u) << id;
    // The cursor record reaches the lap overview and, through it, each of its panes.
    for (WindowHandle to : {lapOverview->Handle(), lapOverview->RowAt(0).graph->Handle(),
                            lapOverview->RowAt(1).graph->Handle()})
        EXPECT_EQ(spy.Of(SpiedMessage::Kind::Delivered, to, UM_ANALYSIS_LINE).size(), 1u);
    // Each compared lap's row shows the clock of its record.
    CListViewLogTime& rows = loggingTime->List();
    ASSERT_EQ(rows.topLevelItemCount(), 2);
    for (int row = 0; row < 2; ++row) {
        EXPECT_EQ(rows.topLevelItem(row)->text(0).toInt(), picked[row].words[graphs::kPointLapNumber]);
        EXPECT_EQ(rows.topLevelItem(row)->text(1), CListViewLogTime::ClockText(picked[row].words[graphs::kPointLongWord]));
    }
    EXPECT_NE(picked[0].words[graphs::kPointLongWord], 0);
}

} // namespace
