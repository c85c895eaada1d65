// The segment strip, the Y-scale dialog, the file overview and the
// logging-time window in the program: the strip names the lap at the cursor,
// a Y scale's menu opens "Y AXIS" whose ruler rescales the channel at once,
// and the windows come back after a restart.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CFileOverviewGlaphDlg.h"
#include "graphs/CLScaleView.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/CRuler_SliderCtrl.h"
#include "graphs/CSegInfoPlotView.h"
#include "graphs/CSegSplitterWnd.h"
#include "graphs/CSegView.h"
#include "graphs/CYScaleControllableDlg.h"
#include "shell/CClockTimeDlg.h"
#include "shell/CListViewLogTime.h"
#include "settings/SegmentGroupStore.h"

#include "core/FileLists.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace {

using namespace platform;

class GraphWindowsTest : public ::testing::Test {
protected:
    // A session of three laps: lap 2 the base lap, lap 3 an overlay.
    void LoadComparedLaps(ProgramHarness& program) {
        ASSERT_EQ(testsupport::LoadLogs(program.Core(), {files.Write(QStringLiteral("session.dat"), 3, 4)}), 0);
        const orvelo::LogFile& file = program.Core().LogFiles[0];
        orvelo::SetBaseLap(program.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[1].lapNumber));
        orvelo::ToggleOverlayLap(program.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[2].lapNumber));
        PostMessage(program.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
        Drain();
    }
    static COrveloView& View(ProgramHarness& program) { return *program.WorkAreas().front()->View(); }
    template <class Window>
    Window* Opened(int kind) {
        kind == GraphWindow::kLapOverview ? View(h).OnLapOverviewGraph() : View(h).OnFileOverviewGraph();
        Drain();
        return dynamic_cast<Window*>(View(h).GraphWindows().back().window);
    }

    // Work Area > item, clicked in the menu bar and its menu as a user picks it; the window it opened.
    template <class Window>
    Window* FromWorkAreaMenu(const QString& item) {
        QMenuBar& bar = *h.Frame().menuBar();
        QAction* workArea = nullptr;
        for (QAction* action : bar.actions())
            workArea = action->text() == QStringLiteral("Work Area(&W)") ? action : workArea;
        if (!workArea)
            return nullptr;
        QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(workArea).center());
        QMenu* menu = workArea->menu();
        if (!menu->isVisible())
            return nullptr;
        for (QAction* action : menu->actions())
            if (action->text() == item)
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        Drain();
        return dynamic_cast<Window*>(View(h).GraphWindows().back().window);
    }

    // A group of that many segments stored for the session's course map, as the viewer saves one.
    static void StoreGroup(ProgramHarness& program, std::int32_t segments) {
        const orvelo::LogFile& map = program.Core().MapFiles.at(0);
        const auto& course = map.laps.at(0).analysisItems.front().coursePoints;
        const auto count = static_cast<std::int32_t>(course.size());
        orvelo::SegmentGroup group;
        group.groupId = 41;
        group.mapPath = map.fullPath;
        group.segmentCount = segments;
        for (std::int32_t k = 1; k <= segments; ++k) {
            const std::int32_t end = k == segments ? count - 1 : k * count / (segments + 1);
            group.pairs.push_back({course[static_cast<std::size_t>(end)].cumulativeDistance, end});
        }
        std::deque<orvelo::SegmentGroup> groups = {group};
        ASSERT_EQ(SegmentGroupStore(program.Settings().Store()).Save(groups, group), 0);
        PostMessage(program.Frame().Handle(), UM_SAVE_SEGMENT_GROUP_INFO, 0, 0);
        Drain();
    }
    // File > Map Open on the session's file.
    static void OpenMap(ProgramHarness& program) {
        orvelo::FileListEntry entry;
        entry.fullPath = program.Core().LogFiles[0].fullPath;
        orvelo::EditMapFileList(program.Core(), orvelo::kFileListAdd, entry);
        ASSERT_EQ(orvelo::LoadPendingMapFiles(program.Core(), 3), 0);
    }
    static void ShowMap(ProgramHarness& program) {
        SendMessage(program.Frame().Handle(), UM_VIEW_READ_MAP_FILE, 0, 1);
        Drain();
    }
    static void SetBase(ProgramHarness& program, std::size_t lap) {
        const orvelo::LogFile& file = program.Core().LogFiles[0];
        orvelo::SetBaseLap(program.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[lap].lapNumber));
        PostMessage(program.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
        Drain();
    }
    // The segment colours on the band row's last line, and the top pane's boundary count.
    static std::pair<std::size_t, std::size_t> Segments(CLapOverviewDlg& window) {
        auto* strip = dynamic_cast<CSegSplitterWnd*>(window.SegmentStrip());
        CSegInfoPlotView* bands = strip ? strip->LeftSegmentPane() : nullptr;
        if (!bands)
            return {0, 0};
        bands->grab();  // painted, as on screen
        std::set<QRgb> shown;
        for (int x = 0; x < bands->Picture().width(); ++x)
            shown.insert(bands->Picture().pixel(x, bands->Picture().height() - 1));
        std::size_t colours = 0;
        for (int k = 0; k < bands->SegmentCount(); ++k)
            colours += shown.erase(ToQColor(bands->SegmentColor(k)).rgb());
        return {colours, strip->Top().Boundaries().distances.size()};
    }

    testsupport::SessionDir files;
    ProgramHarness h;
};

TEST_F(GraphWindowsTest, TheStripNamesTheLapAtTheCursorAndAYScaleMenuOpensTheDialog) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps(h);
    auto* window = Opened<CLapOverviewDlg>(GraphWindow::kLapOverview);
    ASSERT_TRUE(window);
    auto* strip = dynamic_cast<CSegSplitterWnd*>(window->SegmentStrip());
    ASSERT_TRUE(strip && strip->LeftLapPane());
    EXPECT_EQ(strip->geometry(), window->Areas().segments);
    EXPECT_GE(strip->LeftLapPane()->BandCount(), 2);  // the file's first lap ends within the longest compared lap
    PostMessage(window->Handle(), UM_MOVE_SEGMENT_INFO, 123, 4567);
    Drain();
    const int base = static_cast<int>(h.Core().LogFiles[0].laps[1].lapNumber);
    EXPECT_EQ(strip->Top().Labels(), QStringList{QStringLiteral("L.%1 : 123").arg(base)});

    // "Y Scale Variable : RPM" on row 0's scale opens "Y AXIS" for RPM.
    window->RowAt(0).graph->Picture();  // drawn: its laps count for the menu
    CLScaleView& scale = *window->RowAt(0).scale;
    PopupMenuScript menus;
    menus.QueueChoice(QStringLiteral("Y Scale Variable : RPM"));
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), scale.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&scale, &menuEvent);
    Drain();
    auto* dialog = dynamic_cast<CYScaleControllableDlg*>(h.Frame().YScaleDialog());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(std::make_pair(dialog->Channel(), dialog->Combo().count()), std::make_pair(1, window->RowCount()));
    const ChannelValueRec before = h.Settings().Channels().ChannelValueTable()[0];

    // A thumb drag rescales the channel at once; the table keeps maximum over minimum.
    CRuler_SliderCtrl& ruler = dialog->Ruler();
    const QPoint from(ruler.width() - 4, ruler.HighPosition());
    const QPoint to(from.x(), ruler.PositionOf(12345));
    QTest::mousePress(&ruler, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, ruler.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(&ruler, &move);
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, to);
    Drain();
    const ChannelValueRec& rpm = h.Settings().Channels().ChannelValueTable()[0];
    EXPECT_EQ(rpm.currentMax, ruler.High());
    EXPECT_LT(rpm.currentMin, rpm.currentMax);
    EXPECT_LT(rpm.currentMax, before.currentMax);
    EXPECT_EQ(window->RowAt(0).graph->Data().Scale().CurrentMax(), rpm.currentMax);

    // Closed unsaved: the limits come back and the dialog goes.
    QTest::keyClick(dialog, Qt::Key_Escape);
    Drain();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(h.Frame().YScaleDialog(), nullptr);
    EXPECT_EQ(h.Settings().Channels().ChannelValueTable()[0], before);
}

TEST_F(GraphWindowsTest, BothGraphWindowsAndTheLoggingTimeWindowComeBackAfterARestart) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps(h);
    ASSERT_TRUE(Opened<CLapOverviewDlg>(GraphWindow::kLapOverview));
    auto* overview = Opened<CFileOverviewGlaphDlg>(GraphWindow::kFileOverview);
    ASSERT_TRUE(overview);
    EXPECT_EQ(overview->geometry(), CFileOverviewGlaphDlg::StartPlacement(View(h).size(), 2));
    EXPECT_EQ(overview->FileName(), "session");
    PostMessage(overview->Handle(), UM_RESET_CHANNEL_VIEW, 2, 0x3);
    Drain();
    overview->setGeometry(15, 25, 500, 150);
    h.Frame().OnLoggingTime();
    h.Frame().LoggingTimeWindow()->Widget()->move(33, 44);
    h.Close();

    ProgramHarness again(h.Saved());
    ASSERT_TRUE(again.Start());
    Drain();
    EXPECT_EQ(GraphKinds(View(again)), "21");
    auto* restored = dynamic_cast<CFileOverviewGlaphDlg*>(View(again).GraphWindows()[1].window);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->geometry(), QRect(15, 25, 500, 150));
    EXPECT_EQ(std::make_pair(restored->ChannelMask(), restored->ChannelCount()), std::make_pair(0x3u, 2));
    ASSERT_TRUE(again.Frame().LoggingTimeShown());
    EXPECT_EQ(again.Frame().LoggingTimeWindow()->Widget()->pos(), QPoint(33, 44));
}

// The file overview has no caption: nothing on it restores or raises it. It opens in front, a click
// anywhere in it brings it there, and it neither takes nor clears a lap overview's maximised state.
TEST_F(GraphWindowsTest, TheCaptionlessFileOverviewOpensInFrontAndNeverTakesTheMaximisedState) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps(h);
    QMdiArea& area = *View(h).GraphArea();
    const auto front = [&area] { return area.subWindowList(QMdiArea::StackingOrder).last(); };
    auto* lap = Opened<CLapOverviewDlg>(GraphWindow::kLapOverview);
    ASSERT_TRUE(lap);
    lap->showMaximized();  // its own button
    Drain();
    auto* overview = Opened<CFileOverviewGlaphDlg>(GraphWindow::kFileOverview);
    ASSERT_TRUE(overview);
    EXPECT_TRUE(lap->isMaximized());
    EXPECT_FALSE(overview->isMaximized());
    EXPECT_EQ(overview->geometry(), CFileOverviewGlaphDlg::StartPlacement(View(h).size(), 2));
    EXPECT_EQ(area.activeSubWindow(), overview);
    EXPECT_EQ(front(), overview);
    overview->OnCommand(CFileOverviewGlaphDlg::kCloseWindow);
    Drain();
    EXPECT_EQ(GraphKinds(View(h)), "20");
    EXPECT_TRUE(lap->isMaximized());

    // Both normal: the lap overview clicked comes to the front, then a click on the file overview's
    // client area, or on its graph, brings that back.
    lap->showNormal();
    overview = Opened<CFileOverviewGlaphDlg>(GraphWindow::kFileOverview);
    ASSERT_TRUE(overview);
    EXPECT_EQ(front(), overview);
    for (QWidget* part : {overview->widget(), static_cast<QWidget*>(overview->UpperPane())}) {
        QTest::mouseClick(lap->RowAt(0).graph, Qt::LeftButton, {}, QPoint(5, 5));
        Drain();
        ASSERT_EQ(front(), lap);
        QTest::mouseClick(part, Qt::LeftButton, {}, QPoint(part->width() / 2, 5));
        Drain();
        const bool pane = part != overview->widget();
        EXPECT_EQ(area.activeSubWindow(), overview) << pane;
        EXPECT_EQ(front(), overview) << pane;
    }
}

// Opened through the Work Area menu while a lap overview has the focus, the file overview comes in
// front; an activation of it that ends with no change of state leaves later lap overviews taking
// the maximised state of the window they follow.
TEST_F(GraphWindowsTest, TheFileOverviewOpensInFrontFromTheMenuAndLeavesTheAreaAsItFoundIt) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps(h);
    QMdiArea& area = *View(h).GraphArea();
    auto* lap = FromWorkAreaMenu<CLapOverviewDlg>(QStringLiteral("Lap Over view Graph(O)"));
    ASSERT_TRUE(lap);
    QTest::mouseClick(lap->RowAt(0).graph, Qt::LeftButton, {}, QPoint(5, 5));
    Drain();
    auto* overview = FromWorkAreaMenu<CFileOverviewGlaphDlg>(QStringLiteral("File Overview Graph(F)"));
    ASSERT_TRUE(overview);
    EXPECT_EQ(area.activeSubWindow(), overview);
    EXPECT_EQ(area.subWindowList(QMdiArea::StackingOrder).last(), overview);

    auto* next = FromWorkAreaMenu<CLapOverviewDlg>(QStringLiteral("Lap Over view Graph(O)"));
    ASSERT_TRUE(next);
    emit overview->aboutToActivate();  // and nothing after it
    Drain();
    EXPECT_FALSE(area.testOption(QMdiArea::DontMaximizeSubWindowOnActivation));
    QTest::mouseClick(lap->RowAt(0).graph, Qt::LeftButton, {}, QPoint(5, 5));
    lap->showMaximized();  // its own button
    Drain();
    area.setActiveSubWindow(next);
    Drain();
    EXPECT_TRUE(next->isMaximized());
    EXPECT_FALSE(lap->isMaximized());
}

// Lap overviews opened before a course with a segment group, after it, or restored at start: each
// strip takes the group whenever the main frame hands it out.
TEST_F(GraphWindowsTest, EveryStripShowsTheSegmentsOfTheCourseOpenedWhateverItsWindowsAge) {
    const std::pair<std::size_t, std::size_t> threeSegments{3, 2};
    ASSERT_TRUE(h.Start());
    LoadComparedLaps(h);
    auto* before = Opened<CLapOverviewDlg>(GraphWindow::kLapOverview);
    ASSERT_TRUE(before);
    OpenMap(h);
    StoreGroup(h, 3);
    ShowMap(h);
    ASSERT_TRUE(h.Frame().Properties()->MapHasSegmentGroup());
    SetBase(h, 0);
    auto* after = Opened<CLapOverviewDlg>(GraphWindow::kLapOverview);
    ASSERT_TRUE(after);
    EXPECT_EQ(Segments(*before), threeSegments);
    EXPECT_EQ(Segments(*after), threeSegments);
    // The viewer's OK with the course's group in four segments: the segment at the cursor counts them.
    StoreGroup(h, 4);
    PostMessage(h.Frame().Handle(), UM_SEGMENT_EDIT_REPLACE, 0, 0);
    Drain();
    EXPECT_EQ(Segments(*before).second, 3u);
    EXPECT_EQ(Segments(*after).second, 3u);
    h.Close();

    ProgramHarness again(h.Saved());
    ASSERT_TRUE(again.Start());
    Drain();
    auto* restored = dynamic_cast<CLapOverviewDlg*>(View(again).GraphWindows().at(0).window);
    ASSERT_TRUE(restored);
    LoadComparedLaps(again);
    OpenMap(again);
    StoreGroup(again, 3);
    ShowMap(again);
    SetBase(again, 2);
    EXPECT_EQ(Segments(*restored), threeSegments);
}

}  // namespace

namespace {

// Laps of two files compared under one number, the logging-time window opened over them: each row
// shows the clock of its own lap under the cursor.
TEST_F(GraphWindowsTest, LoggingTimeRowsFollowTheComparedLapsNotTheirNumbers) {
    ASSERT_TRUE(h.Start());
    samplegen::SessionOptions later;
    later.laps = 3;
    later.circuitLength = 400.0;
    later.startClockSeconds = 16 * 3600;
    const QStringList paths = {files.Write(QStringLiteral("a.dat"), 3, 4),
                               files.WriteBytes(QStringLiteral("b.dat"), samplegen::GenerateSession(later).bytes)};
    ASSERT_EQ(testsupport::LoadLogs(h.Core(), paths), 0);
    const std::u16string number = orvelo::FormatLapNumber(h.Core().LogFiles[0].laps[1].lapNumber);
    orvelo::SetBaseLap(h.Core(), h.Core().LogFiles[0].fullPath, number);
    orvelo::ToggleOverlayLap(h.Core(), h.Core().LogFiles[1].fullPath, number);
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    auto* window = Opened<CLapOverviewDlg>(GraphWindow::kLapOverview);
    ASSERT_TRUE(window);
    h.Frame().OnLoggingTime();
    Drain();
    View(h).grab();
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    const int y = rpm.height() / 2;
    QTest::mousePress(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 3, y));
    Drain();
    QTest::mouseRelease(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 3, y));
    Drain();
    const std::vector<GraphPoint>& cursor = rpm.Data().CursorList();
    ASSERT_EQ(cursor.size(), 2u);
    ASSERT_NE(cursor[0].words[14], cursor[1].words[14]);  // the two laps were not driven at the same time
    const CListViewLogTime& list = dynamic_cast<CClockTimeDlg*>(h.Frame().LoggingTimeWindow())->List();
    ASSERT_EQ(list.topLevelItemCount(), 2);
    for (int row = 0; row < 2; ++row)
        EXPECT_EQ(list.topLevelItem(row)->text(1), CListViewLogTime::ClockText(cursor[static_cast<std::size_t>(row)].words[14]))
            << row;
}

}  // namespace
