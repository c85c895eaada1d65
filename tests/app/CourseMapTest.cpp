// The small course map in the program: a double-clicked lap drawn under the properties pane with
// its marks, registered as a course-map file, opened again as one and drawn in the colours of the
// segment group stored for it; the segment list and the status bar follow the course chosen on it.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "coursemap/CMapView.h"
#include "coursemap/CSegListPane.h"
#include "coursemap/SegmentListModel.h"
#include "settings/SegmentGroupStore.h"
#include "properties/CPropertiesWnd.h"

#include "platform/ColorPickButton.h"
#include "platform/ControlId.h"
#include "platform/ModalDialog.h"
#include "settings/SettingsDefaults.h"
#include "shell/CCSMapPropertyDlg.h"

#include "core/FileLists.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/PopupMenu.h"
#include "platform/SaveFileDialog.h"
#include "platform/UserMessages.h"
#include "settings/ParseLapTimeText.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using platform::ToQColor;

QRgb Rgb(platform::ColorRef color) { return ToQColor(color).rgb(); }

// Messages, and the map's drawing that they ask for (a queued event).
class CourseMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        log = files.Write(QStringLiteral("session.dat"), 3, 4, 1000);
        ASSERT_EQ(testsupport::LoadLogs(h.Core(), {log}), 0);
        auto* pane = dynamic_cast<CPropertiesWnd*>(h.Frame().Properties());
        ASSERT_NE(pane, nullptr);
        map = &pane->Map();
        map->resize(400, 300);
        Drain();
    }
    // What a double click on a lap of the log file sends.
    void DoubleClick(std::int32_t lapIndex) {
        const orvelo::LogFile& file = h.Core().LogFiles[0];
        const std::u16string number = orvelo::FormatLapNumber(file.laps[static_cast<std::size_t>(lapIndex)].lapNumber);
        CourseBlock course;
        platform::MapInfoBlock::Put(course.info.path.data(), platform::MapInfoBlock::kPathChars, file.fullPath);
        platform::MapInfoBlock::Put(course.info.shortText.data(), platform::MapInfoBlock::kShortTextChars, number);
        course.lap = {orvelo::FileSet::Log, file.fileId, lapIndex};
        const int result = orvelo::SetCurrentLap(h.Core(), number, file.fullPath);
        platform::PostMessage(h.Frame().Handle(),
                              platform::MessageWithBlock(platform::UM_DRAW_MAP_ON_VIEW, result, course));
        Drain();
    }
    QImage Screen() { return map->grab().toImage().convertToFormat(QImage::Format_RGB32); }
    void RightClick(const QString& choice, QWidget* target = nullptr) {
        platform::PopupMenuScript script;
        script.QueueChoice(choice);
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
        QCoreApplication::sendEvent(target ? target : map, &click);
        Drain();
    }
    // Course-map files of the session's circuit, one per title, opened from the File menu.
    void OpenCourseMaps(const QStringList& titles) {
        for (const QString& title : titles) {
            orvelo::FileListEntry entry;
            entry.fullPath = files.Write(QStringLiteral("maps/%1.dat").arg(title), 1, 4).toStdU16String();
            orvelo::EditMapFileList(h.Core(), orvelo::kFileListAdd, entry);
        }
        ASSERT_EQ(orvelo::LoadPendingMapFiles(h.Core(), 3), 0);
        platform::SendMessage(h.Frame().Handle(), platform::UM_VIEW_READ_MAP_FILE, 0, 1);
        Drain();
    }
    // For each course-map file in order, a group of that many segments of equal length (none for 0),
    // stored as the course map viewer saves them.
    void StoreGroups(const std::vector<std::int32_t>& segmentsByMap) {
        std::deque<orvelo::SegmentGroup> groups;
        for (std::size_t i = 0; i < segmentsByMap.size(); ++i) {
            const std::int32_t segments = segmentsByMap[i];
            if (segments == 0)
                continue;
            const orvelo::LogFile& file = h.Core().MapFiles.at(i);
            const auto& course = file.laps.at(0).analysisItems.front().coursePoints;
            const auto count = static_cast<std::int32_t>(course.size());
            orvelo::SegmentGroup group;
            group.groupId = 60 + static_cast<std::int32_t>(i);
            group.mapPath = file.fullPath;
            group.groupName = u"Default Info.1";
            group.segmentCount = segments;
            for (std::int32_t k = 1; k <= segments; ++k) {
                const std::int32_t end = k == segments ? count - 1 : k * count / 4;
                group.pairs.push_back({course[static_cast<std::size_t>(end)].cumulativeDistance, end});
            }
            groups.push_back(group);
        }
        ASSERT_EQ(SegmentGroupStore(h.Settings().Store()).Save(groups, groups.front()), 0);
        platform::PostMessage(h.Frame().Handle(), platform::UM_SAVE_SEGMENT_GROUP_INFO, 0, 0);
        Drain();
    }
    // The share of the drawn records from..to-1 whose pixel has the colour.
    double ShareOf(const QImage& screen, std::size_t from, std::size_t to, platform::ColorRef color) {
        const DrawnPointTable& table = map->Drawing().Table();
        int drawn = 0;
        int coloured = 0;
        for (std::size_t i = from; i < to; ++i) {
            const DrawnPointTable::Record& record = *table.At(i);
            if (record.noPosition)
                continue;
            ++drawn;
            coloured += screen.pixel(record.x, record.y) == Rgb(color) ? 1 : 0;
        }
        return drawn > 0 ? double(coloured) / drawn : 0.0;
    }

    ProgramHarness h;
    testsupport::SessionDir files;
    QString log;
    CMapView* map = nullptr;
};

TEST_F(CourseMapTest, ADoubleClickedLapIsDrawnUnderThePropertiesPaneWithItsMarkAndTheComparedLapsDisc) {
    DoubleClick(1);
    ASSERT_TRUE(map->CourseDrawn());
    const QImage screen = Screen();
    ASSERT_EQ(screen.size(), QSize(400, 300));
    EXPECT_EQ(screen.pixel(2, 2), Rgb(0xF0F0F0));  // the background: the button face
    const DrawnPointTable& table = map->Drawing().Table();
    const std::size_t used = table.Used();
    EXPECT_GT(ShareOf(screen, 0, used - 3, 0x787878), 0.9);  // one segment: the first course colour
    const DrawnPointTable::Record& finish = *table.At(static_cast<std::size_t>(table.PositionedAtOrBefore(used - 2)));
    EXPECT_EQ(screen.pixel(finish.x, finish.y), Rgb(0x8000FF));  // the start and finish mark
    EXPECT_EQ(h.Frame().StatusPane(6)->text(), QStringLiteral(" GPS "));

    // The lap becomes the base lap; the cursor at 300 m puts its disc there.
    const orvelo::Lap& lap = h.Core().LogFiles[0].laps[1];
    orvelo::SetBaseLap(h.Core(), h.Core().LogFiles[0].fullPath, orvelo::FormatLapNumber(lap.lapNumber));
    platform::PostMessage(h.Frame().Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    ASSERT_EQ(map->Drawing().Marks().Layers().size(), 1u);
    platform::PostMessage(h.Frame().Properties()->Handle(), platform::UM_SET_DISTANCE_VALUE, 300,
                          platform::MakeLong(lap.lapNumber, 0));
    Drain();
    QPoint disc;
    ASSERT_TRUE(map->Drawing().PointAtDistance(300, disc));
    const QImage marked = Screen();
    EXPECT_EQ(marked.pixel(disc), Rgb(h.Settings().Colors().LapColorTable()[0]));
    EXPECT_EQ(marked.pixel(2, 2), Rgb(0xF0F0F0));
    EXPECT_TRUE(h.Boxes().Shown().empty());
}

TEST_F(CourseMapTest, TheMapPropertyDialogsAnswerRecoloursTheMapKeepingTheCursorsDiscAndIsStored) {
    DoubleClick(1);
    const orvelo::Lap& lap = h.Core().LogFiles[0].laps[1];
    orvelo::SetBaseLap(h.Core(), h.Core().LogFiles[0].fullPath, orvelo::FormatLapNumber(lap.lapNumber));
    platform::PostMessage(h.Frame().Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    platform::PostMessage(h.Frame().Properties()->Handle(), platform::UM_SET_DISTANCE_VALUE, 300,
                          platform::MakeLong(lap.lapNumber, 0));
    Drain();
    QPoint disc;
    ASSERT_TRUE(map->Drawing().PointAtDistance(300, disc));
    ASSERT_EQ(Screen().pixel(disc), Rgb(h.Settings().Colors().LapColorTable()[0]));
    platform::ModalDialogScript dialogs;
    dialogs.Queue([](QDialog& dialog) {
        dynamic_cast<CCSMapPropertyDlg&>(dialog).Button(3)->Pick(0x203040);  // the background
        platform::FindControl<QAbstractButton>(dialog, CCSMapPropertyDlg::kOk)->click();
        return dialog.result();
    });
    RightClick(QStringLiteral("Map property..."));
    Drain();
    EXPECT_EQ(Screen().pixel(2, 2), Rgb(0x203040));
    EXPECT_EQ(Screen().pixel(disc), Rgb(h.Settings().Colors().LapColorTable()[0]));
    MapViewProperty stored;
    ASSERT_EQ(h.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kItemColorInfo), settings::kMapViewProp,
                                              &stored),
              0);
    EXPECT_EQ(stored.words[6], 0x203040u);
    EXPECT_TRUE(h.Boxes().Shown().empty());
}

TEST_F(CourseMapTest, ALapAboveThreeDigitsIsRegisteredOpenedAsACourseMapAndDrawnInItsGroupsColours) {
    DoubleClick(2);
    ASSERT_TRUE(map->CourseDrawn());
    ASSERT_GE(h.Core().LogFiles[0].laps[2].lapNumber, 1000u);
    const QString target = files.WriteBytes(QStringLiteral("maps/track.dat"), {});
    platform::SaveFileScript chooser;
    chooser.QueuePath(target);
    RightClick(QStringLiteral("Register course..."));
    ASSERT_EQ(h.Boxes().Shown().size(), 1u);
    EXPECT_EQ(h.Boxes().Shown()[0].text, QStringLiteral("OK , finish write Map-file"));
    ASSERT_GT(QFileInfo(target).size(), 0);

    // Opened as a course-map file, as the file selection dialog does.
    orvelo::FileListEntry entry;
    entry.fullPath = target.toStdU16String();
    orvelo::EditMapFileList(h.Core(), orvelo::kFileListAdd, entry);
    ASSERT_EQ(orvelo::LoadPendingMapFiles(h.Core(), 3), 0);
    platform::SendMessage(h.Frame().Handle(), platform::UM_VIEW_READ_MAP_FILE, 0, 1);
    Drain();
    EXPECT_EQ(map->Mode(), CMapView::kMapFileMode);
    EXPECT_EQ(h.Frame().Properties()->ShownMapPath(), target.toStdU16String());
    EXPECT_FALSE(h.Frame().Properties()->MapHasSegmentGroup());

    // A group of three segments is stored for it, as the course map viewer saves one.
    const orvelo::LapAnalysisItem& item = h.Core().MapFiles[0].laps[0].analysisItems.front();
    const auto count = static_cast<std::int32_t>(item.coursePoints.size());
    orvelo::SegmentGroup group;
    group.groupId = 77;
    group.mapPath = target.toStdU16String();
    group.groupName = u"Default Info.1";
    group.segmentCount = 3;
    for (std::int32_t end : {count / 3, 2 * count / 3, count - 1})
        group.pairs.push_back({item.coursePoints[static_cast<std::size_t>(end)].cumulativeDistance, end});
    std::deque<orvelo::SegmentGroup> groups = {group};
    ASSERT_EQ(SegmentGroupStore(h.Settings().Store()).Save(groups, group), 0);
    platform::PostMessage(h.Frame().Handle(), platform::UM_SAVE_SEGMENT_GROUP_INFO, 0, 0);
    Drain();

    RightClick(QStringLiteral("track"));
    ASSERT_TRUE(map->CourseDrawn());
    EXPECT_TRUE(h.Frame().Properties()->MapHasSegmentGroup());
    EXPECT_EQ(h.Frame().SegmentGroupCopy().groupId, 77);
    const QImage screen = Screen();
    // Course point k is record k - 1 (no other kind of position in the file).
    const auto a = static_cast<std::size_t>(count / 3);
    const auto b = static_cast<std::size_t>(2 * count / 3);
    const std::size_t margin = 5;
    EXPECT_GT(ShareOf(screen, margin, a - margin, 0x787878), 0.8);
    EXPECT_GT(ShareOf(screen, a + margin, b - margin, 0xFF4000), 0.8);
    EXPECT_GT(ShareOf(screen, b + margin, static_cast<std::size_t>(count) - margin, 0x8A8A8A), 0.8);
}

// Two courses with groups of four and three segments, the last two of the four making the third
// of the three, and one without a group: the segment list's map times follow the course chosen.
TEST_F(CourseMapTest, TheSegmentListsMapTimesFollowTheCourseChosenOnTheSmallMap) {
    platform::SendMessage(h.Frame().Handle(), platform::UM_LAP_LIST_ALL_VIEW, 0, 0);
    OpenCourseMaps({QStringLiteral("north"), QStringLiteral("south"), QStringLiteral("plain")});
    StoreGroups({4, 3, 0});
    CSeglistview& list = dynamic_cast<CSegListPane&>(*h.Frame().SegmentList()).View();
    const auto times = [&list] {
        std::vector<std::vector<std::int32_t>> rows(static_cast<std::size_t>(list.Model().RowCount()));
        for (std::size_t row = 0; row < rows.size(); ++row)
            for (int column = 1; column <= list.SegmentColumnCount(); ++column)
                rows[row].push_back(ParseLapTimeText(list.Model().Cell(static_cast<int>(row), column)));
        return rows;
    };
    RightClick(QStringLiteral("north"));
    RightClick(QStringLiteral("Map Segment info"), list.viewport());
    ASSERT_EQ(list.Mode(), CSeglistview::kMapTimes);
    ASSERT_EQ(list.SegmentColumnCount(), 4);
    const auto four = times();
    ASSERT_GE(four.size(), 3u);

    RightClick(QStringLiteral("south"));
    EXPECT_EQ(list.Mode(), CSeglistview::kMapTimes);
    ASSERT_EQ(list.SegmentColumnCount(), 3);
    const auto three = times();
    ASSERT_EQ(three.size(), four.size());
    for (std::size_t row = 0; row < four.size(); ++row) {
        const std::vector<std::int32_t> expected = {four[row][0], four[row][1], four[row][2] + four[row][3]};
        EXPECT_EQ(three[row], expected) << list.Model().Cell(static_cast<int>(row), 0).toStdString();
    }

    // A course without a group: the logger's own times, as when a group is taken away.
    RightClick(QStringLiteral("plain"));
    EXPECT_EQ(list.Mode(), CSeglistview::kLoggerTimes);
    EXPECT_TRUE(h.Boxes().Shown().empty());
}

// From lap mode, a course-map file with a segment group chosen on the small map: the status bar's
// map type says a map file is shown.
TEST_F(CourseMapTest, ACourseMapFileWithAGroupChosenFromLapModeIsNamedInTheStatusBar) {
    OpenCourseMaps({QStringLiteral("north")});
    StoreGroups({3});
    DoubleClick(1);
    ASSERT_EQ(h.Frame().StatusPane(4)->text(), QStringLiteral(" Log file"));
    RightClick(QStringLiteral("north"));
    ASSERT_TRUE(h.Frame().Properties()->MapHasSegmentGroup());
    EXPECT_EQ(h.Frame().StatusPane(4)->text(), QStringLiteral(" Map file"));
}

}  // namespace
