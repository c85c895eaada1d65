// The properties pane driven by its messages: the values at the cursor, the rows as the compared
// laps and the lap overview's channels change, the colours, names and the layout of its rows.
#include "PaneHarness.h"

#include "core/LapSelection.h"
#include "platform/SystemColors.h"
#include "settings/SettingsDefaults.h"

#include <QComboBox>
#include <QFocusEvent>

#include <gtest/gtest.h>

namespace {

using namespace platform;
using testprops::PaneHarness;

constexpr std::uint32_t kAllChannels = 0x3FFFF;

QRgb Rgb(ColorRef color) { return ToQColor(color).rgb(); }

class CPropertiesWndTest : public ::testing::Test {
protected:
    PaneHarness h;
};

TEST_F(CPropertiesWndTest, EachCursorMessageWritesItsChannelsRowInItsFormatAndTheLapsNumber) {
    CPropertiesWnd& pane = h.Make();
    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 3, kAllChannels);
    struct Case {
        std::uint32_t id;
        std::int32_t value;
        int channel;
        const char* text;
    };
    const Case cases[] = {
        {UM_SET_G_HORIZ_DATA_VALUE, 15, 3, "1.5"},   {UM_SET_G_HORIZ_DATA_VALUE, -7, 3, "-0.7"},
        {UM_SET_VOLT_DATA_VALUE, 125, 11, "12.5"},   {UM_SET_HANDLE_DATA_VALUE, 100, 9, "   0"},
        {UM_SET_HANDLE_DATA_VALUE, 40, 9, " -60"},   {UM_SET_RPM_DATA_VALUE, 123456, 1, "123456"},
        {UM_SET_TEMP1_DATA_VALUE, 55, 7, "  55"},    {UM_SET_PRESS1_DATA_VALUE, 66, 5, "  66"},
        {UM_SET_GEAR_DATA_VALUE, 4, 12, "   4"},     {UM_SET_ANALOG5_VALUE, 9, 18, "   9"},
    };
    for (const Case& c : cases) {
        h.Cursor(c.id, c.value, 12, 1);
        const auto rows = pane.ChannelRows(c.channel);
        ASSERT_EQ(rows.size(), 3u);
        EXPECT_EQ(rows[1]->Value(), QLatin1String(c.text)) << c.id << " " << c.value;
        EXPECT_EQ(rows[1]->Name(), QStringLiteral(" 12"));
        EXPECT_EQ(rows[0]->Value(), QString());
    }
    h.Cursor(UM_SET_LAP_TIME_VALUE, 6520, 1005, 0);
    h.Cursor(UM_SET_LAP_TIME_VALUE, 60000, 7, 2);
    h.Cursor(UM_SET_RPM_DATA_VALUE, 1, 7, 3);  // no fourth lap: nothing
    EXPECT_EQ(PaneHarness::Values(pane.LapTimeRows()),
              (QStringList{QStringLiteral("1:05.20"), QString(), QStringLiteral("ea60")}));
    EXPECT_EQ(pane.LapTimeRows()[0]->Name(), QStringLiteral("1005"));
    EXPECT_EQ(pane.ChannelRows(1)[1]->Value(), QStringLiteral("123456"));
    h.Cursor(UM_SET_DISTANCE_VALUE, 42, 7, 0);  // over distance the distance row stays empty
    EXPECT_EQ(PaneHarness::Values(pane.DistanceRows()), QStringList(3, QString()));

    // Over time the distance rows stand in for the lap-time rows (the cursor's window dropped it first).
    h.Send(UM_STOP_TRACKING_PLOT, 0, 0);
    h.Send(UM_RESET_X_SCALE_VARIABLE, 1, 0);
    EXPECT_FALSE(pane.LapTimeGroup().IsVisible());
    EXPECT_TRUE(pane.DistanceGroup().IsVisible());
    h.Cursor(UM_SET_LAP_TIME_VALUE, 100, 7, 1);
    h.Cursor(UM_SET_DISTANCE_VALUE, 42, 7, 1);
    EXPECT_EQ(pane.LapTimeRows()[1]->Value(), QString());
    EXPECT_EQ(pane.DistanceRows()[1]->Value(), QStringLiteral("   42"));
}

TEST_F(CPropertiesWndTest, RowsFollowTheComparedLapsAndTheChannelsShownAndValuesAreClearedWhenTheyStay) {
    CPropertiesWnd& pane = h.Make();
    EXPECT_TRUE(pane.ChannelGroup(1).IsVisible());
    EXPECT_FALSE(pane.ChannelGroup(2).IsVisible());
    EXPECT_EQ(pane.GridB().indexOfTopLevelItem(&pane.ChannelGroup(12)), 6);  // Gear stands after Accel
    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 3, 0x3);
    ASSERT_EQ(pane.ChannelRows(1).size(), 3u);
    EXPECT_TRUE(pane.ChannelGroup(2).IsVisible());
    EXPECT_FALSE(pane.ChannelGroup(3).IsVisible());
    h.Cursor(UM_SET_SPEED_DATA_VALUE, 88, 1, 0);
    h.Cursor(UM_SET_LAP_TIME_VALUE, 1000, 1, 0);

    const auto speedRows = pane.ChannelRows(2);
    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 3, 0x3);  // the same again: kept with their values
    EXPECT_EQ(pane.ChannelRows(2), speedRows);
    EXPECT_EQ(speedRows[0]->Value(), QStringLiteral("  88"));
    EXPECT_EQ(pane.LapTimeRows()[0]->Value(), QStringLiteral("0:10.00"));
    h.Send(UM_REDRAW_LAP_GRAPH, 3, 0);  // as many other laps: kept, but emptied
    EXPECT_EQ(pane.ChannelRows(2), speedRows);
    EXPECT_EQ(speedRows[0]->Value(), QString());
    EXPECT_EQ(pane.LapTimeRows()[0]->Value(), QString());

    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 3, 0x2);
    EXPECT_FALSE(pane.ChannelGroup(1).IsVisible());
    EXPECT_TRUE(pane.ChannelRows(1).empty());
    EXPECT_EQ(pane.ChannelGroup(1).SubItemCount(), 0);
    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 3, 0x3);
    EXPECT_TRUE(pane.ChannelGroup(1).IsVisible());
    EXPECT_EQ(pane.GridB().indexOfTopLevelItem(&pane.ChannelGroup(1)), 0);
    EXPECT_EQ(pane.ChannelRows(1).size(), 3u);

    h.Send(UM_REDRAW_LAP_GRAPH, 4, 0);
    EXPECT_EQ(pane.ChannelRows(2).size(), 4u);
    EXPECT_EQ(pane.LapTimeGroup().SubItemCount(), 4);

    h.Cursor(UM_SET_SPEED_DATA_VALUE, 88, 1, 3);
    EXPECT_EQ(h.Send(UM_RESET_LAP_LIST, 1, 1), 1);  // course-map files closed: values stay
    EXPECT_EQ(pane.ChannelRows(2)[3]->Value(), QStringLiteral("  88"));
    h.core.LogFiles.emplace_back().laps.emplace_back().baseLapMark = 1;  // a lap is still compared
    EXPECT_EQ(h.Send(UM_RESET_LAP_LIST, 1, 0), 1);
    EXPECT_EQ(pane.ChannelRows(2)[3]->Value(), QString());

    // Nine rows: the channel keeps its seven lap colours, and the rows past them take their slots'
    // colours, as their lap numbers do.
    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 9, 0x1);
    const auto rows = pane.ChannelRows(1);
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(h.store.Settings().Colors().ChannelColorRecords()[0].lapColors.size(), 7u);
    EXPECT_EQ(rows[8]->ValueTextColor(), h.core.SelectedLaps[8].colour);
    EXPECT_EQ(rows[8]->NameTextColor(), h.core.SelectedLaps[8].colour);
    // More laps than there are compared-lap slots get no rows of their own.
    h.Send(UM_REDRAW_LAP_GRAPH, 5000, 0);
    EXPECT_EQ(pane.ChannelRows(1).size(), h.core.SelectedLaps.size());
}

TEST_F(CPropertiesWndTest, LapsInLightColoursAreGreyedAndTheColourDialogsAnswersRecolour) {
    orvelo::ApplyLapColors(h.core, settings::kLapColorDefaults);  // 0x00FF00 and 0xFFFF00 (aqua) in rows 1 and 3
    CPropertiesWnd& pane = h.Make(260, 700);
    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 4, 0x1);
    const auto shot = [](CLapPropertyGridCtrl& grid, CPropGridPropExt* row, int column) {
        const QImage image = grid.viewport()->grab().toImage();
        const int right = grid.columnWidth(0) + (column == 1 ? grid.columnWidth(1) : 0) - 3;
        return image.pixel(right, grid.visualItemRect(row).center().y());
    };
    const ColorRef highlight = SystemColor(kColorBtnHighlight);
    const auto lapRows = pane.LapTimeRows();
    const auto rpmRows = pane.ChannelRows(1);
    for (int column : {0, 1}) {
        EXPECT_EQ(shot(pane.GridA(), lapRows[0], column), Rgb(highlight));
        EXPECT_EQ(shot(pane.GridA(), lapRows[1], column), Rgb(0x808080));
        EXPECT_EQ(shot(pane.GridA(), lapRows[2], column), Rgb(highlight));
        EXPECT_EQ(shot(pane.GridA(), lapRows[3], column), Rgb(0x808080));
        EXPECT_EQ(shot(pane.GridB(), rpmRows[1], column), Rgb(0x808080));
        EXPECT_EQ(shot(pane.GridB(), rpmRows[2], column), Rgb(0xFFFFFF));
    }

    // A channel lap colour of aqua greys only the value side of its row.
    h.store.Settings().Colors().ChannelColorRecords()[0].lapColors[2] = 0xFFFF00;
    EXPECT_EQ(h.Send(UM_COLOR_PROPERTY_SELECTED, 0, 0), 1);
    EXPECT_EQ(shot(pane.GridB(), rpmRows[2], 0), Rgb(0xFFFFFF));
    EXPECT_EQ(shot(pane.GridB(), rpmRows[2], 1), Rgb(0x808080));

    // New window colours: the backgrounds follow the block, grey stays where the text needs it.
    OverviewWindowColors colors = settings::kOverviewWindowDefaults;
    colors.background = 0x203040;
    EXPECT_EQ(platform::SendMessage(pane.Handle(), UM_COLOR_SELECTED, reinterpret_cast<WParam>(&colors), 0), 1);
    EXPECT_EQ(shot(pane.GridB(), rpmRows[0], 0), Rgb(0x203040));
    EXPECT_EQ(shot(pane.GridB(), rpmRows[1], 0), Rgb(0x808080));
    EXPECT_EQ(pane.GridB().GetCustomColors().groupText, colors.text);

    // New lap colours: the lap's rows follow the compared laps.
    h.core.SelectedLaps[1].colour = 0x0000FF;
    EXPECT_EQ(h.Send(UM_LAP_COLOR_PROPERTY, 12345, 0), 1);  // wParam is never read
    EXPECT_EQ(shot(pane.GridA(), lapRows[1], 0), Rgb(highlight));
    EXPECT_EQ(shot(pane.GridB(), rpmRows[1], 0), Rgb(0x203040));
    EXPECT_EQ(rpmRows[1]->NameTextColor(), 0x0000FFu);

    ChannelNameRec::SetText(&h.store.Settings().Channels().ChannelNameTable()[0].currentName, QStringLiteral("Revs"));
    h.Post(UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 0, 0);
    EXPECT_EQ(pane.ChannelGroup(1).Name(), QStringLiteral("Revs"));
    EXPECT_TRUE(pane.ChannelGroup(1).IsExpanded());

    // The whole pane: the list on top, the grids, the map in its own background below.
    const QImage whole = pane.grab().toImage();
    EXPECT_EQ(pane.Combo().currentText(), QStringLiteral("Parallel Values"));
    const QPoint mapCorner = pane.Map().mapTo(&pane, QPoint(3, 3));
    EXPECT_GT(mapCorner.y(), pane.GridB().mapTo(&pane, QPoint(0, pane.GridB().height())).y());
    EXPECT_EQ(whole.pixel(mapCorner), Rgb(pane.Map().Property().words[6]));
}

TEST_F(CPropertiesWndTest, RowsAreLaidOutFromTheClientHeightAndFitTheLapGroupKeepingADraggedMapRow) {
    EXPECT_EQ(CPropertiesWnd::LapGroupHeight(3, 18), 95);
    EXPECT_EQ(CPropertiesWnd::LapGroupHeight(1, 20), 63);
    CPropertiesWnd& small = h.Make(240, 250);
    EXPECT_EQ(small.Splitter().RowInfo(1).ideal, 40);
    CPropertiesWnd& pane = h.Make(240, 400);
    CViewSplitWnd& splitter = pane.Splitter();
    EXPECT_EQ(splitter.RowInfo(0).ideal, 60);
    EXPECT_EQ(splitter.RowInfo(1).ideal, 160);
    EXPECT_EQ(splitter.RowInfo(2).ideal, 180);

    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 3, 0x1);
    const int rowHeight = pane.GridA().RowHeight();
    EXPECT_EQ(splitter.RowInfo(0).ideal, CPropertiesWnd::LapGroupHeight(3, rowHeight));
    EXPECT_EQ(splitter.RowInfo(0).min, rowHeight);

    // A cancelled drag changes nothing; one let go is kept, and a fit keeps the map row.
    const int barY = splitter.RowInfo(0).current + CViewSplitWnd::kBarSize + splitter.RowInfo(1).current;
    splitter.StartTracking(1);
    splitter.TrackTo(barY + 60);
    splitter.StopTracking(false);
    EXPECT_EQ(splitter.RowHeights(), std::vector<int>(3, 0));
    splitter.StartTracking(1);
    splitter.TrackTo(barY + 60);
    splitter.StopTracking(true);
    const int mapRow = splitter.RowInfo(2).current;
    EXPECT_EQ(splitter.RowHeights()[2], mapRow);
    h.Send(UM_RESET_PROPERTY_CHANNEL_LIST, 5, 0x1);
    EXPECT_EQ(splitter.RowInfo(0).current, CPropertiesWnd::LapGroupHeight(5, rowHeight));
    EXPECT_EQ(splitter.RowInfo(2).current, mapRow);
    EXPECT_GE(splitter.RowInfo(1).current, CPropertiesWnd::kMinGridRow);

    // Focused twice, the pane tells the main frame once; the sliding-panel messages are answered only.
    for (QWidget* target : {static_cast<QWidget*>(&pane), static_cast<QWidget*>(&pane.GridA())}) {
        QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
        QCoreApplication::sendEvent(target, &focus);
    }
    PaneHarness::Drain();
    const auto told = h.frame.Of(UM_DOCKING_PANEL_CREATED);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(static_cast<WindowHandle>(told[0].lParam), pane.Handle());
    EXPECT_EQ(h.Send(UM_CLOSE_SLIDING_PANEL, 0, 0), 1);
    EXPECT_EQ(h.Send(UM_OPEN_SLIDING_PANEL, 0, 0), 1);
}

}  // namespace
