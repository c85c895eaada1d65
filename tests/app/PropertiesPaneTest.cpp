// The properties pane and the segment list in the program: read laps listed with their segment
// times, compared laps shown in rows with a cursor's values and discs, and the segment list's
// menu without a group for the shown course.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "coursemap/CMapView.h"
#include "coursemap/CSegListPane.h"
#include "coursemap/SegmentListModel.h"
#include "properties/CPropertiesWnd.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "core/LapTimeText.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QContextMenuEvent>
#include <QDockWidget>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

using namespace platform;

TEST(PropertiesPaneTest, ReadLapsListTheirSegmentTimesAndACursorMoveShowsEachComparedLapsSampleAndDisc) {
    ProgramHarness h;
    ASSERT_TRUE(h.Start());
    testsupport::SessionDir files;
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), {files.Write(QStringLiteral("session.dat"), 3, 4)}), 0);
    SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
    Drain();
    auto* pane = dynamic_cast<CPropertiesWnd*>(h.Frame().Properties());
    auto* segments = dynamic_cast<CSegListPane*>(h.Frame().SegmentList());
    ASSERT_TRUE(pane && segments);
    EXPECT_FALSE(h.Frame().PropertiesDock()->features().testFlag(QDockWidget::DockWidgetClosable));
    const orvelo::LogFile& file = h.Core().LogFiles[0];
    const SegmentListModel& list = segments->View().Model();
    ASSERT_EQ(list.RowCount(), static_cast<int>(file.laps.size()));
    // Highest lap number first (the lap of the records after the last lap line is lap 0).
    for (int row = 0; row < list.RowCount(); ++row) {
        const orvelo::Lap& lap = *std::find_if(file.laps.begin(), file.laps.end(), [&](const orvelo::Lap& l) {
            return static_cast<int>(l.lapNumber) == list.Cell(row, 0).toInt();
        });
        EXPECT_EQ(list.Cell(row, 0).toInt(), 3 - row);
        std::u16string second;
        if (lap.samples.size() > 1)
            orvelo::FormatLapTimeW(lap.samples[1].timeStep, second);
        EXPECT_EQ(list.Cell(row, 2), QString::fromStdU16String(second));
    }

    // Lap 1 is drawn on the map and compared with lap 2; the lap overview shows RPM and Speed.
    const std::u16string number1 = orvelo::FormatLapNumber(file.laps[0].lapNumber);
    CourseBlock course;
    MapInfoBlock::Put(course.info.path.data(), MapInfoBlock::kPathChars, file.fullPath);
    MapInfoBlock::Put(course.info.shortText.data(), MapInfoBlock::kShortTextChars, number1);
    course.lap = {orvelo::FileSet::Log, file.fileId, 0};
    PostMessage(h.Frame().Handle(), MessageWithBlock(UM_DRAW_MAP_ON_VIEW,
                                                     orvelo::SetCurrentLap(h.Core(), number1, file.fullPath), course));
    orvelo::SetBaseLap(h.Core(), file.fullPath, number1);
    orvelo::ToggleOverlayLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[1].lapNumber));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    SendMessage(pane->Handle(), UM_RESET_PROPERTY_CHANNEL_LIST, 2, 0x3);
    ASSERT_EQ(pane->LapTimeRows().size(), 2u);
    ASSERT_TRUE(pane->Map().CourseDrawn());

    // The cursor's pick in each lap, as a graph pane posts it: the sample at 30 % and 70 % of the lap.
    std::vector<std::uint32_t> distances;
    for (int row : {0, 1}) {
        const orvelo::Lap& lap = file.laps[static_cast<std::size_t>(row)];
        const orvelo::PositionRec& pick = lap.positions[lap.positions.size() * (3 + 4 * row) / 10];
        const LParam lapAndRow = MakeLong(lap.lapNumber, static_cast<std::uint32_t>(row));
        PostMessage(pane->Handle(), UM_SET_RPM_DATA_VALUE, pick.rpm, lapAndRow);
        PostMessage(pane->Handle(), UM_SET_SPEED_DATA_VALUE, pick.speed, lapAndRow);
        PostMessage(pane->Handle(), UM_SET_DISTANCE_VALUE, pick.runningDistance, lapAndRow);
        PostMessage(pane->Handle(), UM_SET_LAP_TIME_VALUE, pick.time, lapAndRow);
        Drain();
        EXPECT_EQ(pane->ChannelRows(1)[static_cast<std::size_t>(row)]->Value(), QString::asprintf("%4u", pick.rpm));
        EXPECT_EQ(pane->ChannelRows(2)[static_cast<std::size_t>(row)]->Value(), QString::asprintf("%4u", pick.speed));
        char time[16]{};
        orvelo::FormatLapTimeA(pick.time, time);
        EXPECT_EQ(pane->LapTimeRows()[static_cast<std::size_t>(row)]->Value(), QLatin1String(time));
        distances.push_back(pick.runningDistance);
    }
    // Both laps' discs have moved: the map shows them. Over time the distance moves them too.
    const auto discAt = [&](std::uint32_t distance, std::size_t row) {
        QPoint disc;
        EXPECT_TRUE(pane->Map().Drawing().PointAtDistance(static_cast<int>(distance), disc));
        return pane->Map().grab().toImage().pixel(disc) == ToQColor(h.Core().SelectedLaps[row].colour).rgb();
    };
    EXPECT_TRUE(discAt(distances[0], 0));
    EXPECT_TRUE(discAt(distances[1], 1));
    PostMessage(pane->Handle(), UM_CURSOR_PRESS_NOTIFY, 1, 0);  // a press in a window over time
    for (std::uint32_t row : {0u, 1u})
        PostMessage(pane->Handle(), UM_SET_DISTANCE_VALUE, distances[1 - row] - 100, MakeLong(file.laps[row].lapNumber, row));
    Drain();
    EXPECT_TRUE(discAt(distances[0], 0));  // until the base lap's time says the press placed its cursor
    PostMessage(pane->Handle(), UM_SET_LAP_TIME_VALUE, 100, MakeLong(file.laps[0].lapNumber, 0));
    Drain();
    EXPECT_TRUE(discAt(distances[1] - 100, 0));
    EXPECT_TRUE(discAt(distances[0] - 100, 1));
    EXPECT_EQ(pane->DistanceRows()[0]->Value(), QString::asprintf("%5u", distances[1] - 100));

    // The course shown is a log file's lap, which has no segment group: the main frame warns.
    PopupMenuScript script;
    script.QueueChoice(QStringLiteral("Map Segment info"));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QCoreApplication::sendEvent(segments->View().viewport(), &click);
    Drain();
    EXPECT_EQ(segments->View().Mode(), CSeglistview::kLoggerTimes);
    ASSERT_EQ(h.Boxes().Shown().size(), 1u);
    EXPECT_EQ(h.Boxes().Shown()[0].text, QStringLiteral("Warning , Nothing segment info"));
}

}  // namespace
