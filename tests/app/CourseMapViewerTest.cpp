// The course map viewer in the program: opened from the small map on a course-map file, the
// course cut into segments of 400 m, saved and taken with OK; the small map then draws the
// segments, the segment list's "Map Segment info" times add up to each lap's time, and the lap
// overview's strip shows the segments of the base lap. A group saved and then closed with Cancel
// reaches the same views.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "coursemap/CCourseMapViewerDlg.h"
#include "coursemap/CInputSegLenDlg.h"
#include "coursemap/CMapSegEditView.h"
#include "coursemap/CMapView.h"
#include "coursemap/CSegListPane.h"
#include "coursemap/SegmentListModel.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/CSegInfoPlotView.h"
#include "graphs/CSegSplitterWnd.h"
#include "graphs/CSegView.h"
#include "properties/CPropertiesWnd.h"

#include "core/FileLists.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "core/LapStatistics.h"
#include "platform/ControlId.h"
#include "platform/ModalDialog.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "settings/ParseLapTimeText.h"
#include "tools/SampleSession.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QLineEdit>

#include <map>

#include <gtest/gtest.h>

namespace {

void RightClick(QWidget* target, const QString& choice) {
    platform::PopupMenuScript script;
    script.QueueChoice(choice);
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), target->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(target, &click);
    Drain();
}

// A session of three laps on a 1500 m circuit in the lap list and a course-map file of it on the
// small map; null when the map does not draw it.
CMapView* ShowSessionAndMapFile(ProgramHarness& h, testsupport::SessionDir& files) {
    const auto write = [&files](const QString& name, int laps) {
        samplegen::SessionOptions options;
        options.laps = laps;
        options.circuitLength = 1500.0;
        return files.WriteBytes(name, samplegen::GenerateSession(options).bytes);
    };
    if (testsupport::LoadLogs(h.Core(), {write(QStringLiteral("session.dat"), 3)}) != 0)
        return nullptr;
    platform::SendMessage(h.Frame().Handle(), platform::UM_LAP_LIST_ALL_VIEW, 0, 0);
    orvelo::FileListEntry entry;
    entry.fullPath = write(QStringLiteral("track.dat"), 1).toStdU16String();
    orvelo::EditMapFileList(h.Core(), orvelo::kFileListAdd, entry);
    if (orvelo::LoadPendingMapFiles(h.Core(), 3) != 0)
        return nullptr;
    platform::SendMessage(h.Frame().Handle(), platform::UM_VIEW_READ_MAP_FILE, 0, 1);
    CMapView& map = dynamic_cast<CPropertiesWnd&>(*h.Frame().Properties()).Map();
    map.resize(400, 300);
    Drain();
    return map.Mode() == CMapView::kMapFileMode && map.CourseDrawn() ? &map : nullptr;
}

// "Map Segment Edit..." on the small map: the course cut into segments of the length typed, saved
// when asked, and the viewer closed with the button named; false when the dialogs did not all show.
bool EditSegments(CMapView& map, const QString& length, bool save, int closeButton) {
    platform::ModalDialogScript dialogs;
    dialogs.Queue([=](QDialog& shown) {
        auto& viewer = dynamic_cast<CCourseMapViewerDlg&>(shown);
        viewer.show();
        Drain();
        platform::PostMessage(viewer.Handle(), platform::UM_INPUT_SEGMENT_LENGTH_DIALOG, 8,
                              static_cast<platform::LParam>(viewer.EditView().Handle()));
        Drain();
        if (save)
            platform::FindControl<QAbstractButton>(viewer, CCourseMapViewerDlg::kSave)->click();
        platform::FindControl<QAbstractButton>(viewer, closeButton)->click();
        return viewer.result();
    });
    dialogs.Queue([=](QDialog& dialog) {
        platform::FindControl<QLineEdit>(dialog, CInputSegLenDlg::kLengthEdit)->setText(length);
        platform::FindControl<QAbstractButton>(dialog, CInputSegLenDlg::kOk)->click();
        return dialog.result();
    });
    RightClick(&map, QStringLiteral("Map Segment Edit..."));
    Drain();
    return dialogs.Shown().size() == 2u;
}

// The base lap's lap overview, opened in the first work area.
CLapOverviewDlg* OpenBaseLapOverview(ProgramHarness& h, int lap) {
    const orvelo::LogFile& file = h.Core().LogFiles[0];
    orvelo::SetBaseLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[static_cast<std::size_t>(lap)].lapNumber));
    platform::PostMessage(h.Frame().Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    return h.OpenLapOverview();
}

TEST(CourseMapViewerTest, SegmentsCutSavedAndTakenWithOkAreDrawnOnTheSmallMapAndTimeEveryLap) {
    ProgramHarness h;
    ASSERT_TRUE(h.Start());
    testsupport::SessionDir files;
    CMapView* shown = ShowSessionAndMapFile(h, files);
    ASSERT_TRUE(shown);
    CMapView& map = *shown;

    ASSERT_TRUE(EditSegments(map, QStringLiteral("400"), true, CCourseMapViewerDlg::kOk));
    ASSERT_FALSE(h.Boxes().Shown().empty());
    EXPECT_EQ(h.Boxes().Shown().back().text, QStringLiteral("OK , Save segment info data"));

    // The small map has the group saved for its course and draws its segments in turn.
    const orvelo::SegmentGroup& group = h.Frame().SegmentGroupCopy();
    ASSERT_TRUE(h.Frame().Properties()->MapHasSegmentGroup());
    ASSERT_EQ(group.segmentCount, 4);  // ends past 400, 800 and 1200 m, then the course end
    const QImage screen = map.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const platform::ColorRef colours[] = {0x787878, 0xFF4000, 0x8A8A8A};
    for (std::size_t k = 0, from = 0; k < 3; from = static_cast<std::size_t>(group.pairs[k++].endPointIndex)) {
        const auto& middle = *map.Drawing().Table().At((from + static_cast<std::size_t>(group.pairs[k].endPointIndex)) / 2);
        EXPECT_EQ(screen.pixel(middle.x, middle.y), platform::ToQColor(colours[k]).rgb()) << k;
    }

    // Each lap's segment times by the map add up to its lap time.
    CSeglistview& list = dynamic_cast<CSegListPane&>(*h.Frame().SegmentList()).View();
    RightClick(list.viewport(), QStringLiteral("Map Segment info"));
    std::map<int, std::int32_t> sums;
    for (int row = 0; row < list.Model().RowCount(); ++row)
        for (int column = 1; column <= 4; ++column)
            sums[list.Model().Cell(row, 0).toInt()] += ParseLapTimeText(list.Model().Cell(row, column));
    for (const orvelo::Lap& lap : h.Core().LogFiles[0].laps)  // lap 0: the records after the last lap line
        EXPECT_TRUE(lap.lapNumber == 0 || sums[static_cast<int>(lap.lapNumber)] == static_cast<std::int32_t>(lap.lapTime))
            << lap.lapNumber << ": " << sums[static_cast<int>(lap.lapNumber)] << " " << lap.lapTime;

    // A lap overview of lap 2 runs its strip over the group's segments: bands at the segment ends,
    // and the segment and lap under the cursor named above the rows.
    const orvelo::LogFile& file = h.Core().LogFiles[0];
    CLapOverviewDlg* window = OpenBaseLapOverview(h, 1);
    ASSERT_TRUE(window);
    auto* strip = dynamic_cast<CSegSplitterWnd*>(window->SegmentStrip());
    ASSERT_TRUE(strip && strip->SegmentMode() && strip->LeftSegmentPane());
    EXPECT_EQ(strip->LeftSegmentPane()->SegmentCount(), group.segmentCount);
    EXPECT_EQ(strip->LeftSegmentPane()->grab().toImage().pixel(2, 2),
              platform::ToQColor(strip->LeftSegmentPane()->SegmentColor(0)).rgb());
    platform::PostMessage(window->Handle(), platform::UM_MOVE_SEGMENT_INFO, 900, 0);
    Drain();
    const QStringList labels = strip->Top().Labels();  // the segment with the distance into it, then the lap
    ASSERT_EQ(labels.size(), 2);
    EXPECT_TRUE(labels[0].startsWith(QStringLiteral("S.3 : "))) << labels[0].toStdString();
    EXPECT_EQ(labels[1], QStringLiteral("L.%1 : 900").arg(file.laps[1].lapNumber));

    // Zoomed, with the other laps compared too: the bands take the new full spans for the full view.
    platform::PostMessage(window->Handle(), platform::UM_ZOOM_CONTROL, static_cast<platform::WParam>(window->FullSpan() / 2), 0);
    Drain();
    ASSERT_TRUE(window->Zoom().Zoomed());
    const int timeSpan = strip->LeftSegmentPane()->TimeSpan();
    for (std::size_t lap : {0u, 2u})
        orvelo::ToggleOverlayLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[lap].lapNumber));
    platform::PostMessage(h.Frame().Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    ASSERT_TRUE(window->Zoom().Zoomed());
    ASSERT_NE(timeSpan, static_cast<int>(orvelo::FindLongestMarkedLap(h.Core(), 1)));
    EXPECT_EQ(strip->LeftSegmentPane()->TimeSpan(), static_cast<int>(orvelo::FindLongestMarkedLap(h.Core(), 1)));
    EXPECT_EQ(strip->LeftSegmentPane()->DistanceSpan(), static_cast<int>(orvelo::FindLongestMarkedLap(h.Core(), 0)));
}

// The viewer closed with Cancel: without a Save the views keep their group; after a Save the
// lap overview's strip, the segment list's times and a lap overview opened then all take the saved
// group, as after OK.
TEST(CourseMapViewerTest, AGroupSavedAndThenCancelledReachesEveryViewAsWithOk) {
    ProgramHarness h;
    ASSERT_TRUE(h.Start());
    testsupport::SessionDir files;
    CMapView* map = ShowSessionAndMapFile(h, files);
    ASSERT_TRUE(map);
    ASSERT_TRUE(EditSegments(*map, QStringLiteral("400"), true, CCourseMapViewerDlg::kOk));
    CLapOverviewDlg* window = OpenBaseLapOverview(h, 1);
    ASSERT_TRUE(window);
    auto* strip = dynamic_cast<CSegSplitterWnd*>(window->SegmentStrip());
    ASSERT_TRUE(strip && strip->SegmentMode() && strip->LeftSegmentPane());
    CSeglistview& list = dynamic_cast<CSegListPane&>(*h.Frame().SegmentList()).View();
    RightClick(list.viewport(), QStringLiteral("Map Segment info"));
    const auto shownCounts = [&] {
        return std::make_pair(strip->LeftSegmentPane()->SegmentCount(), list.SegmentColumnCount());
    };
    ASSERT_EQ(shownCounts(), std::make_pair(4, 4));

    ASSERT_TRUE(EditSegments(*map, QStringLiteral("300"), false, CCourseMapViewerDlg::kCancel));
    EXPECT_EQ(shownCounts(), std::make_pair(4, 4));
    EXPECT_EQ(h.Frame().SegmentGroupCopy().segmentCount, 4);

    ASSERT_TRUE(EditSegments(*map, QStringLiteral("300"), true, CCourseMapViewerDlg::kCancel));
    const orvelo::SegmentGroup& group = h.Frame().SegmentGroupCopy();
    ASSERT_EQ(group.segmentCount, 5);
    EXPECT_EQ(shownCounts(), std::make_pair(5, 5));
    std::map<int, std::int32_t> sums;
    for (int row = 0; row < list.Model().RowCount(); ++row)
        for (int column = 1; column <= 5; ++column)
            sums[list.Model().Cell(row, 0).toInt()] += ParseLapTimeText(list.Model().Cell(row, column));
    for (const orvelo::Lap& lap : h.Core().LogFiles[0].laps)
        EXPECT_TRUE(lap.lapNumber == 0 || sums[static_cast<int>(lap.lapNumber)] == static_cast<std::int32_t>(lap.lapTime))
            << lap.lapNumber;
    CLapOverviewDlg* later = h.OpenLapOverview();
    ASSERT_TRUE(later && later != window);
    auto* laterStrip = dynamic_cast<CSegSplitterWnd*>(later->SegmentStrip());
    ASSERT_TRUE(laterStrip && laterStrip->LeftSegmentPane());
    EXPECT_EQ(laterStrip->LeftSegmentPane()->SegmentCount(), 5);
}

}  // namespace
