// The compared laps' colours across the program's windows: after an overlay lap's file is closed,
// after the lap colours are changed and with more than seven laps compared, the lap list, the lap
// overview's rows, the properties pane, the logging-time window and the small map's marks show each
// compared lap in one colour.
#include "LapOverviewFixture.h"

#include "shell/LapListTestSupport.h"

#include "coursemap/CMapView.h"
#include "graphs/CDlgGrafView.h"
#include "graphs/CLapOverviewDlg.h"
#include "properties/CPropGridPropExt.h"
#include "properties/CPropertiesWnd.h"
#include "shell/CClassView.h"
#include "shell/CClockTimeDlg.h"
#include "shell/CCustomDrawListCtrlDlg.h"
#include "shell/CListCtrlCustomDrawEx.h"
#include "shell/CListViewLogTime.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/ModalDialog.h"
#include "platform/UserMessages.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace platform;

class LapColoursTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(h.Start());
        paths = {files.Write(QStringLiteral("stadium.dat"), 4, 7), files.Write(QStringLiteral("kart-midday.dat"), 3, 8),
                 files.Write(QStringLiteral("kart-morning.dat"), 3, 9)};
        ASSERT_EQ(testsupport::LoadLogs(h.Core(), paths), 0);
        SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
        // Stadium lap 4 on the small map and as the base lap.
        const orvelo::LogFile& stadium = h.Core().LogFiles[0];
        const orvelo::LapRef lap4 = orvelo::FindLogLap(h.Core(), stadium.fullPath, 4);
        CourseBlock course;
        MapInfoBlock::Put(course.info.path.data(), MapInfoBlock::kPathChars, stadium.fullPath);
        MapInfoBlock::Put(course.info.shortText.data(), MapInfoBlock::kShortTextChars, orvelo::FormatLapNumber(4));
        course.lap = lap4;
        PostMessage(h.Frame().Handle(),
                    MessageWithBlock(UM_DRAW_MAP_ON_VIEW,
                                     orvelo::SetCurrentLap(h.Core(), orvelo::FormatLapNumber(4), stadium.fullPath),
                                     course));
        orvelo::SetBaseLap(h.Core(), stadium.fullPath, orvelo::FormatLapNumber(4));
    }
    void Compare(const QString& path, int lap) {
        ASSERT_EQ(orvelo::ToggleOverlayLap(h.Core(), path.toStdU16String(), orvelo::FormatLapNumber(lap)), 0);
    }
    // The compared laps changed, a lap overview is open and its cursor dragged over the RPM row.
    void OpenAndDrag() {
        PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
        Drain();
        window = h.OpenLapOverview();
        ASSERT_TRUE(window);
        Drag();
    }
    // Presses until the graph takes a press (it takes none right after it was redrawn for its
    // owner), then drags its cursor.
    void Drag() {
        CDlgGrafView& rpm = *window->RowAt(0).graph;
        const int y = rpm.height() / 2;
        for (int i = 0; i < 3; ++i) {
            QTest::mousePress(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 4, y));
            Drain();
            if (!rpm.Data().CursorList().empty())
                break;
            QTest::mouseRelease(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 4, y));
            Drain();
        }
        QTest::mouseMove(&rpm, QPoint(rpm.width() / 3, y));
        Drain();
        QTest::mouseRelease(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 3, y));
        Drain();
    }
    CPropertiesWnd& Pane() { return dynamic_cast<CPropertiesWnd&>(*h.Frame().Properties()); }

    // The colour of the lap's square in the lap list's column.
    QColor ListSquare(const QString& path, int lap, int column) {
        CListViewEx& list = dynamic_cast<CClassView&>(*h.Frame().LapList()).View();
        const LapListModel& model = list.Model();
        for (int row = 0; row < model.RowCount(); ++row) {
            if (model.Path(row) != path || model.Text(row, laplist::kLapNumberColumn).toInt() != lap)
                continue;
            const QModelIndex index = model.IndexOfRow(row, column);
            list.scrollTo(index);
            // The lap's colour fills the cell around its button.
            const QRect cell = list.visualRect(index);
            return list.viewport()->grab().toImage().pixelColor(cell.center().x(), cell.top() + 1);
        }
        return {};
    }
    // The colour of the small map at the centre of the mark of the compared lap in that row.
    QColor MapMark(std::size_t row) {
        const auto& layers = Pane().Map().Drawing().Marks().Layers();
        if (row >= layers.size() || !layers[row].placed)
            return {};
        const QPoint centre = layers[row].position + QPoint(MapLayerItem::kMarkHalf, MapLayerItem::kMarkHalf);
        return Pane().Map().grab().toImage().pixelColor(centre);
    }
    // How many pixels of the picture are in that colour, each of red, green and blue within
    // `tolerance` (only those in `part` when given).
    static int Pixels(const QImage& picture, QColor colour, QRect part = {}, int tolerance = 0) {
        part = part.isNull() ? picture.rect() : part & picture.rect();
        const auto near = [&](QColor pixel) {
            return std::abs(pixel.red() - colour.red()) <= tolerance &&
                   std::abs(pixel.green() - colour.green()) <= tolerance &&
                   std::abs(pixel.blue() - colour.blue()) <= tolerance;
        };
        int count = 0;
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                count += near(picture.pixelColor(x, y)) ? 1 : 0;
        return count;
    }
    // How many pixels of the RPM row (or another row) are in that colour.
    int RpmPixels(QColor colour) { return RowPixels(0, colour); }
    int RowPixels(int row, QColor colour) { return Pixels(window->RowAt(row).graph->grab().toImage(), colour); }

    testsupport::SessionDir files;
    QStringList paths;
    ProgramHarness h;
    CLapOverviewDlg* window = nullptr;
};

TEST_F(LapColoursTest, AfterAnOverlaysFileIsClosedEveryWindowShowsTheLapsLeftInTheColoursOfTheirSlots) {
    Compare(paths[1], 2);  // kart-midday lap 2: slot 1, green
    Compare(paths[2], 2);  // kart-morning lap 2: slot 2, dark red
    OpenAndDrag();
    h.Frame().OnLoggingTime();
    Drain();

    // File > Close log file..., kart-midday ticked, OK.
    ModalDialogScript script;
    script.Queue([this](QDialog& dialog) {
        auto& closing = dynamic_cast<CCustomDrawListCtrlDlg&>(dialog);
        for (int row = 0; row < closing.List().rowCount(); ++row)
            closing.List().SetChecked(row, closing.List().item(row, 0)->data(CCustomDrawListCtrlDlg::kPathRole) == paths[1]);
        closing.OkButton().click();
        return dialog.result();
    });
    h.App().OnCloseLogFile();
    Drain();
    ASSERT_EQ(h.Core().LogFiles.size(), 2u);
    Drag();

    // Kart-morning lap 2 is the second compared lap now, in slot 1's colour wherever it is shown.
    const QColor slot1 = ToQColor(h.Settings().Colors().LapColorTable()[1]);
    const QColor red = ToQColor(h.Settings().Colors().LapColorTable()[0]);
    ASSERT_NE(slot1, ToQColor(h.Settings().Colors().LapColorTable()[2]));
    EXPECT_EQ(ListSquare(paths[2], 2, laplist::kOverColumn), slot1);
    EXPECT_EQ(ListSquare(paths[0], 4, laplist::kBaseColumn), red);
    EXPECT_GT(RpmPixels(slot1), 0);
    ASSERT_EQ(Pane().LapTimeRows().size(), 2u);
    EXPECT_EQ(Pane().LapTimeRows()[1]->NamedLap(), 2);
    EXPECT_EQ(Pane().LapTimeRows()[1]->NameTextColor(), h.Settings().Colors().LapColorTable()[1]);
    const CListViewLogTime& clock = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow())->List();
    ASSERT_EQ(clock.topLevelItemCount(), 2);
    EXPECT_EQ(clock.topLevelItem(1)->text(3), paths[2]);
    EXPECT_EQ(clock.topLevelItem(1)->foreground(0).color(), slot1);
    EXPECT_EQ(MapMark(1), slot1);  // drawn last, over the base lap's mark where they meet
    EXPECT_EQ(Pane().Map().Drawing().Marks().Layers()[0].colour, h.Settings().Colors().LapColorTable()[0]);
}

TEST_F(LapColoursTest, LapsPastTheSeventhAreDrawnInTheColoursTheListShowsThem) {
    // Nine compared laps: the base lap and every other lap but kart-morning lap 3.
    for (int lap : {1, 2, 3})
        Compare(paths[0], lap);
    for (int lap : {1, 2, 3})
        Compare(paths[1], lap);
    for (int lap : {1, 2})
        Compare(paths[2], lap);
    OpenAndDrag();
    ASSERT_EQ(window->RowAt(0).graph->LapsDrawn(), 9);

    // Kart-morning laps 1 and 2 are the 8th and 9th: every row draws them in their list squares' colours.
    const QColor eighth = ListSquare(paths[2], 1, laplist::kOverColumn);
    const QColor ninth = ListSquare(paths[2], 2, laplist::kOverColumn);
    ASSERT_EQ(eighth, ToQColor(h.Core().SelectedLaps[7].colour));
    ASSERT_EQ(ninth, ToQColor(h.Core().SelectedLaps[8].colour));
    for (int row = 0; row < window->RowCount(); ++row) {
        EXPECT_GT(RowPixels(row, eighth), 0) << "row " << row;
        EXPECT_GT(RowPixels(row, ninth), 0) << "row " << row;
    }

    // The other axis, the cursor placed again: the pane's value cells in their lap numbers' colours.
    window->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    Drag();
    const std::vector<CPropGridPropExt*> rpm = Pane().ChannelRows(window->RowAt(0).channel);
    ASSERT_EQ(rpm.size(), 9u);
    for (std::size_t lap : {7u, 8u})
        EXPECT_EQ(rpm[lap]->ValueTextColor(), rpm[lap]->NameTextColor()) << "lap " << lap + 1;
}

TEST_F(LapColoursTest, ANewBaseColourReachesTheSmallMapsMarkWithTheListAndThePane) {
    OpenAndDrag();
    const QColor red = ToQColor(h.Settings().Colors().LapColorTable()[0]);
    ASSERT_EQ(MapMark(0), red);

    // Lap color property... over "Base": the base lap blue, OK; then a drag in the lap overview.
    constexpr ColorRef kBlue = 0xFF0000;
    ModalDialogScript dialogs;
    h.PickLapColour(dialogs, 0, kBlue);
    ASSERT_EQ(dialogs.Shown().size(), 1u);
    Drag();

    EXPECT_EQ(ListSquare(paths[0], 4, laplist::kBaseColumn), ToQColor(kBlue));
    EXPECT_EQ(Pane().LapTimeRows()[0]->NameTextColor(), kBlue);
    EXPECT_EQ(MapMark(0), ToQColor(kBlue));
}

TEST_F(LapColoursTest, TheLoggingTimeWindowPaintsItsLapNumbersInTheirNewColours) {
    Compare(paths[1], 2);  // kart-midday lap 2: slot 1
    OpenAndDrag();
    h.Frame().OnLoggingTime();
    Drain();
    auto& dialog = dynamic_cast<CClockTimeDlg&>(*h.Frame().LoggingTimeWindow());
    CListViewLogTime& clock = dialog.List();
    ASSERT_EQ(clock.topLevelItemCount(), 2);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // The pixels of the row's lap number in about that colour (the current row's highlight tints
    // it), as the window's last paint left them on screen.
    const auto lapNumberPixels = [&](int row, ColorRef colour) {
        const QRect item = clock.visualItemRect(clock.topLevelItem(row));
        const QRect number = item.adjusted(0, 0, clock.columnWidth(0) - item.width(), 0);
        return Pixels(lapoverview::OnScreen(dialog, *clock.viewport()), ToQColor(colour), number, 40);
    };
    ASSERT_GT(lapNumberPixels(0, h.Settings().Colors().LapColorTable()[0]), 0);

    // Lap color property...: the base lap blue, then overlay lap 1 yellow; the compared laps stay.
    constexpr ColorRef kBlue = 0xFF0000;
    constexpr ColorRef kYellow = 0x00FFFF;
    ModalDialogScript dialogs;
    h.PickLapColour(dialogs, 0, kBlue);
    h.PickLapColour(dialogs, 1, kYellow);
    ASSERT_EQ(dialogs.Shown().size(), 2u);

    EXPECT_GT(lapNumberPixels(0, kBlue), 0);
    EXPECT_GT(lapNumberPixels(1, kYellow), 0);
}

}  // namespace
