// The small course map driven as the properties pane and the main frame drive it: notices, what it
// tells the main frame per drawing, the drawing mode, its stored properties, its menu and the
// answer of the segment editor.
#include "MapViewHarness.h"

#include "core/CourseBuilder.h"
#include "core/SegmentGroupCodec.h"
#include "platform/PopupMenu.h"

#include <QContextMenuEvent>

#include <gtest/gtest.h>

#include <tuple>

namespace {

using namespace testmap;
using platform::Message;

QString Notice(CMapView& view) { return view.Drawing().MessageText(); }

void PostToView(CMapView& view, std::uint32_t id, platform::WParam w, platform::LParam l) {
    platform::PostMessage(view.Handle(), id, w, l);
    MapViewHarness::Drain();
}

class CMapViewTest : public ::testing::Test {
protected:
    MapViewHarness h;
};

TEST_F(CMapViewTest, WithoutACourseTheMapSaysWhyAndItsMenuOffersOnlyTheProperties) {
    CMapView& view = h.Make();
    EXPECT_EQ(Notice(view), QStringLiteral("Warn. No map selected, select on laplist"));
    ASSERT_EQ(view.ContextMenuItems().size(), 1u);

    view.SetCourse(1, nullptr);  // a course was asked for and there is none
    MapViewHarness::Drain();
    EXPECT_EQ(Notice(view), QStringLiteral("Error, Cannot create course-map, Nothing data"));
    PostToView(view, platform::UM_LAP_COLOR_PROPERTY, 0, 1);  // the request is answered once
    EXPECT_EQ(Notice(view), QStringLiteral("Warn. No map selected, select on laplist"));

    // A current lap without a course, and a course-map file without laps, count as no course.
    h.Load("log.dat", SessionOf(3, samplegen::Variant::ZeroSpeedLap));
    ASSERT_NE(h.core.LogFiles[0].laps[1].noAnalysisFlag, 0);
    h.ShowLap(0, 1);
    EXPECT_EQ(Notice(view), QStringLiteral("Error, Cannot create course-map, Nothing data"));
    EXPECT_FALSE(view.CourseDrawn());
    h.core.MapFiles.emplace_back();
    h.core.MapFiles.back().fullPath = u"/maps/empty.dat";
    view.OnMenuCommand(CMapView::kFirstMapFileCommand);
    MapViewHarness::Drain();
    EXPECT_EQ(Notice(view), QStringLiteral("Warn. No map selected, select on laplist"));
    EXPECT_TRUE(h.boxes.Shown().empty());

    view.OnMenuCommand(1, false);
    MapViewHarness::Drain();
    const auto asked = h.frame.Of(platform::UM_MAP_PROPERTY);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].wParam, view.Handle());
}

TEST_F(CMapViewTest, EachDrawingReportsItsModeAndACourseMapFileChosenIsReportedOnce) {
    CMapView& view = h.Make();
    h.Load("log.dat", SessionOf(2));
    h.ShowLap(0, 0);
    EXPECT_TRUE(view.CourseDrawn());
    EXPECT_EQ(view.ShownMapPath(), h.core.LogFiles[0].fullPath);
    auto modes = h.frame.Of(platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE);
    ASSERT_EQ(modes.size(), 1u);
    EXPECT_EQ(std::make_pair(modes[0].wParam, modes[0].lParam), std::make_pair(platform::WParam{6}, platform::LParam{3}));

    h.Load("map.dat", SessionOf(1), true);
    testsupport::RecordingWindow lapList;
    view.ShowReadMapFile(lapList.Handle());
    MapViewHarness::Drain();
    ASSERT_EQ(lapList.Of(platform::UM_VIEW_READ_MAP_FILE).size(), 1u);
    const Message told = lapList.Of(platform::UM_VIEW_READ_MAP_FILE)[0];
    EXPECT_EQ(told.wParam, 1u);
    EXPECT_EQ(platform::BlockIn<platform::MapInfoBlock>(told, told.lParam)->Path(), h.core.MapFiles[0].fullPath);
    EXPECT_EQ(view.Mode(), CMapView::kMapFileMode);
    EXPECT_EQ(h.core.MapFiles[0].currentCourseFlag, 1);
    PostToView(view, platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 5, 0);  // drawn again

    const auto read = h.frame.Of(platform::UM_VIEW_READ_MAP_FILE);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(platform::BlockIn<platform::MapInfoBlock>(read[0], read[0].wParam)->Path(), h.core.MapFiles[0].fullPath);
    EXPECT_EQ(read[0].lParam, 1);
    EXPECT_EQ(h.frame.Of(platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE).size(), 3u);

    view.ShowReadMapFile(lapList.Handle());  // already showing a course-map file: only answered
    EXPECT_EQ(lapList.Of(platform::UM_VIEW_READ_MAP_FILE).back().lParam, 0);
}

TEST_F(CMapViewTest, GpsForALapWithoutFixesWarnsOnceAndKeepsTheMode) {
    CMapView& view = h.Make();
    h.Load("nogps.dat", SessionOf(2, samplegen::Variant::NoGps));
    h.ShowLap(0, 0);
    ASSERT_TRUE(view.CourseDrawn());
    PostToView(view, platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 0, 1);  // offset ON
    EXPECT_TRUE(view.ContextMenuItems()[0].checked);

    EXPECT_EQ(platform::SendMessage(view.Handle(), platform::UM_REDRAW_MAP_BY_OFFSET_MODE, 1, 0), 1);
    ASSERT_EQ(h.boxes.Shown().size(), 1u);
    EXPECT_EQ(h.boxes.Shown()[0].text, QStringLiteral("Warning , Cannot draw Map , Nothing GPS data"));
    EXPECT_EQ(h.boxes.Shown()[0].caption, QStringLiteral("OK"));
    EXPECT_EQ(std::make_tuple(h.Item(0, 0).offsetFlag, h.Item(0, 0).mapDrawMode, h.Item(0, 0).gpsDrawFlag),
              std::make_tuple(1, 2, 0));
}

TEST_F(CMapViewTest, MapPropertiesStartFromTheDefaultsAndAreKeptForTheRunWhenTheyCannotBeStored) {
    CMapView& view = h.Make();
    MapViewProperty defaults;
    h.store.Settings().Colors().SetDefaultMapViewProp(&defaults);
    EXPECT_EQ(view.Property(), defaults);
    EXPECT_EQ(view.Property().words[6], SettingsTestStore::kButtonFace);
    const auto copies = h.frame.Of(platform::UM_RESET_SEGMENT_COLOR);
    ASSERT_EQ(copies.size(), 1u);  // the main frame's copy
    EXPECT_EQ(*platform::BlockIn<MapViewProperty>(copies[0], copies[0].lParam), defaults);

    MapViewProperty edited = defaults;
    edited.words[6] = 0x102030;
    h.store.Backend().SetFailSaves(true);
    EXPECT_EQ(platform::SendMessage(view.Handle(), platform::UM_MAP_PROPERTY, reinterpret_cast<platform::WParam>(&edited), 1), 0);
    ASSERT_EQ(h.boxes.Shown().size(), 1u);
    EXPECT_EQ(h.boxes.Shown()[0].text, QStringLiteral("ERROR , failed regist map propertyy."));
    EXPECT_EQ(view.Property(), edited);
    MapViewHarness::Drain();
    EXPECT_EQ(view.Drawing().Presented().pixel(1, 1), platform::ToQColor(0x102030).rgb());
    EXPECT_EQ(h.frame.Of(platform::UM_RESET_SEGMENT_COLOR).size(), 1u);

    h.store.Backend().SetFailSaves(false);
    edited.words[0] = 0x0000FF;
    platform::PostMessage(view.Handle(), platform::MessageWithBlockInWParam(platform::UM_MAP_PROPERTY, edited, 1));
    MapViewHarness::Drain();
    EXPECT_EQ(h.store.Get(settings::kItemColorInfo, settings::kMapViewProp).left(6), QByteArray("\xFF\0\0\0\0\x40", 6));
    const auto told = h.frame.Of(platform::UM_RESET_SEGMENT_COLOR);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(*platform::BlockIn<MapViewProperty>(told[1], told[1].lParam), edited);

}

TEST_F(CMapViewTest, TheMenuOffersTheDrawingModesAndEveryCourseMapFileWithTheActiveOneChecked) {
    CMapView& view = h.Make();
    h.Load("log.dat", SessionOf(1));
    for (const char* name : {"north.dat", "south.dat", "west.dat"})
        h.Load(QString::fromLatin1(name), SessionOf(1), true);
    h.ShowLap(0, 0);
    const std::vector<MapMenuItem> items = view.ContextMenuItems();
    ASSERT_EQ(items.size(), 12u);
    EXPECT_EQ(items[2].text, QStringLiteral("   GPS    "));
    EXPECT_TRUE(items[2].checked);  // a GPS lap in the global GPS mode
    EXPECT_TRUE(items[0].inModeMenu && items[1].inModeMenu && items[2].inModeMenu);
    EXPECT_EQ(items[4].text, QStringLiteral("Map Segment Edit..."));
    EXPECT_EQ(items[7].text, QStringLiteral("Register course..."));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(items[static_cast<std::size_t>(9 + i)].id, 7 + i);
    EXPECT_EQ(items[10].text, QStringLiteral("south"));
    EXPECT_FALSE(items[10].checked);

    platform::PopupMenuScript script;
    script.QueueChoice(QStringLiteral("south"));
    script.QueueChoice(QStringLiteral("offset OFF"));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QCoreApplication::sendEvent(&view, &click);
    MapViewHarness::Drain();
    EXPECT_EQ(view.Mode(), CMapView::kMapFileMode);
    EXPECT_EQ(view.ShownMapPath(), h.core.MapFiles[1].fullPath);
    EXPECT_TRUE(view.ContextMenuItems()[10].checked);
    const auto chosen = h.frame.Of(platform::UM_VIEW_READ_MAP_FILE);
    ASSERT_EQ(chosen.size(), 2u);  // sent at the choice, posted again after drawing
    EXPECT_TRUE(chosen[0].sent);
    EXPECT_FALSE(chosen[1].sent);

    QCoreApplication::sendEvent(&view, &click);
    MapViewHarness::Drain();
    EXPECT_EQ(h.core.MapFiles[1].laps[0].analysisItems.front().mapDrawMode, 1);
    EXPECT_EQ(script.Shown().size(), 2u);
}

TEST_F(CMapViewTest, CancelledSegmentEditingRestoresTheAngleAndTheShownLapEvenNumberedAboveThreeDigits) {
    CMapView& view = h.Make();
    h.Load("log.dat", SessionOf(2, samplegen::Variant::Standard, 1000));
    h.ShowLap(0, 1);
    ASSERT_TRUE(view.CourseDrawn());
    EXPECT_TRUE(view.Course().info.ShortText().empty());  // "1001" does not fit the block
    view.OnMenuCommand(6);
    MapViewHarness::Drain();
    const auto popup = h.frame.Of(platform::UM_SEGMENT_EDIT_DIALOG_POPUP);
    ASSERT_EQ(popup.size(), 1u);
    const auto* sent = platform::TypedBlockIn<CourseBlock>(popup[0], popup[0].lParam);
    ASSERT_NE(sent, nullptr);
    EXPECT_EQ(sent->lap.lapIndex, 1);

    // The viewer turned the lap and made another current; Cancel puts both back.
    orvelo::Lap& lap = h.core.LogFiles[0].laps[1];
    const auto unturned = lap.analysisItems.front().projectedPoints;
    lap.analysisItems.front().rotation = 45;
    orvelo::RebuildCoursePoints(lap);
    ASSERT_NE(lap.analysisItems.front().projectedPoints[5].x, unturned[5].x);
    lap.currentLapMark = 0;
    h.core.LogFiles[0].laps[0].currentLapMark = 1;
    EXPECT_EQ(platform::SendMessage(view.Handle(), platform::UM_SEGMENT_EDIT_REPLACE, 45, 0), 1);
    EXPECT_EQ(lap.analysisItems.front().rotation, 0);
    EXPECT_EQ(lap.analysisItems.front().projectedPoints[5].x, unturned[5].x);
    EXPECT_EQ(lap.currentLapMark, 1);
    EXPECT_EQ(h.core.LogFiles[0].laps[0].currentLapMark, 0);

    // OK without a group for the course keeps the new angle for the next cancel.
    platform::SendMessage(view.Handle(), platform::UM_SEGMENT_EDIT_REPLACE, static_cast<platform::WParam>(-30), 2);
    EXPECT_EQ(view.SavedAngle(), -30);
    EXPECT_EQ(lap.analysisItems.front().rotation, 0);
}

TEST_F(CMapViewTest, ACourseMapFileIsDrawnWithTheFirstGroupStoredForItsExactPath) {
    CMapView& view = h.Make();
    h.Load("map.dat", SessionOf(1), true);
    const std::u16string path = h.core.MapFiles[0].fullPath;
    orvelo::SegmentGroup other;
    other.mapPath = path.substr(0, path.size() - 3) + u"DAT";
    other.segmentCount = 1;
    other.pairs = {{100, 10}};
    orvelo::SegmentGroup group;
    group.mapPath = path;
    group.segmentCount = 2;
    group.pairs = {{300, 30}, {600, 60}};
    h.store.Settings().SegmentGroups() = {other, group};
    view.OnMenuCommand(CMapView::kFirstMapFileCommand);
    MapViewHarness::Drain();
    EXPECT_TRUE(view.CourseDrawn());
    EXPECT_TRUE(view.HasSegmentGroup());

    h.store.Settings().SegmentGroups() = {other};
    PostToView(view, platform::UM_CHANGED_GLOBAL_MAP_DRAW_MODE, 6, 0);
    EXPECT_FALSE(view.HasSegmentGroup());

    // A lap of a log file has no group; once its file is closed the course-map file comes back.
    h.Load("log.dat", SessionOf(1));
    h.ShowLap(0, 0);
    EXPECT_EQ(view.Mode(), CMapView::kLapMode);
    EXPECT_EQ(h.core.MapFiles[0].currentCourseFlag, 0);
    orvelo::EraseLogFileByPath(h.core, h.core.LogFiles[0].fullPath);
    view.ResetCourse(CMapView::kLapMode);
    EXPECT_EQ(view.Mode(), CMapView::kMapFileMode);
    EXPECT_TRUE(view.ShownMapPath().empty());
    MapViewHarness::Drain();
    EXPECT_TRUE(view.CourseDrawn());
    EXPECT_EQ(view.ShownMapPath(), path);
}

}  // namespace
