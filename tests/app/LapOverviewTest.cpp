// The lap overview window in the program: opened in a work area over a
// generated session (a base lap and two overlays), its picture, a cursor drag
// whose values and discs reach the properties pane, the channel list, its
// colours, and its layout saved and restored, damaged records included.
#include "ProgramHarness.h"

#include "shell/LapListTestSupport.h"

#include "graphs/CChannel_Ctl_Dlg.h"
#include "graphs/CDlgGrafView.h"
#include "graphs/CLScaleView.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/CSegSplitterWnd.h"
#include "graphs/CSegView.h"
#include "graphs/CxSplitterWnd.h"
#include "graphs/GraphRecords.h"
#include "coursemap/CMapView.h"
#include "properties/CPropertiesWnd.h"
#include "shell/CChannel_ColorPropDlg.h"
#include "shell/CLapOverView_WndProp.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "core/LapStatistics.h"
#include "platform/ControlId.h"
#include "platform/MessageSpy.h"
#include "platform/ModalDialog.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"

#include <QCheckBox>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <set>

#include <gtest/gtest.h>

namespace {

using namespace platform;

// A cursor drag from a quarter to half the pane's width, at half its height.
void DragHalfway(QWidget& pane) {
    const int y = pane.height() / 2;
    QTest::mousePress(&pane, Qt::LeftButton, {}, QPoint(pane.width() / 4, y));
    Drain();
    QTest::mouseMove(&pane, QPoint(pane.width() / 2, y));
    Drain();
    QTest::mouseRelease(&pane, Qt::LeftButton, {}, QPoint(pane.width() / 2, y));
    Drain();
}

class LapOverviewTest : public ::testing::Test {
protected:
    // A session of three laps: lap 1 the base lap, laps 2 and 3 overlays, lap 1 on the small map.
    void LoadComparedLaps() { LoadComparedLaps(h); }
    void LoadComparedLaps(ProgramHarness& h) {
        ASSERT_EQ(testsupport::LoadLogs(h.Core(), {files.Write(QStringLiteral("session.dat"), 3, 4)}), 0);
        SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
        const orvelo::LogFile& file = h.Core().LogFiles[0];
        const std::u16string first = orvelo::FormatLapNumber(file.laps[0].lapNumber);
        CourseBlock course;
        MapInfoBlock::Put(course.info.path.data(), MapInfoBlock::kPathChars, file.fullPath);
        MapInfoBlock::Put(course.info.shortText.data(), MapInfoBlock::kShortTextChars, first);
        course.lap = {orvelo::FileSet::Log, file.fileId, 0};
        PostMessage(h.Frame().Handle(),
                    MessageWithBlock(UM_DRAW_MAP_ON_VIEW, orvelo::SetCurrentLap(h.Core(), first, file.fullPath), course));
        orvelo::SetBaseLap(h.Core(), file.fullPath, first);
        for (std::size_t lap : {1u, 2u})
            orvelo::ToggleOverlayLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[lap].lapNumber));
        PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
        Drain();
    }
    COrveloView& View() { return View(h); }
    static COrveloView& View(ProgramHarness& h) { return *h.WorkAreas().front()->View(); }
    CLapOverviewDlg* Open() { return Open(h); }
    static CLapOverviewDlg* Open(ProgramHarness& h) {
        View(h).OnLapOverviewGraph();
        Drain();
        return dynamic_cast<CLapOverviewDlg*>(View(h).GraphWindows().back().window);
    }
    // The main frame at size with the compared laps and a maximised lap overview.
    CLapOverviewDlg* Maximised(ProgramHarness& on, QSize size) {
        QCoreApplication::processEvents();  // the frame is exposed: its paints reach the screen
        on.Frame().resize(size);
        Drain();
        LoadComparedLaps(on);
        CLapOverviewDlg* window = Open(on);
        if (window) {
            window->showMaximized();
            Drain();
        }
        return window;
    }
    CPropertiesWnd& Properties() { return dynamic_cast<CPropertiesWnd&>(*h.Frame().Properties()); }
    static QRect InClient(const CLapOverviewDlg& window, const QWidget& pane) {
        return QRect(pane.mapTo(window.Client(), QPoint(0, 0)), pane.size());
    }

    testsupport::SessionDir files;
    ProgramHarness h;
    MessageSpy spy;
};

TEST_F(LapOverviewTest, ShowsTheComparedLapsOverScalesAndACursorDragReachesEveryRowThePropertiesAndTheMap) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    EXPECT_EQ(std::make_tuple(window->windowTitle(), window->mdiArea(), window->geometry()),
              std::make_tuple(QString("Lap overview"), View().GraphArea(), graphs::FirstPlacement(View().width(), 1)));
    ASSERT_EQ(window->RowCount(), 2);
    EXPECT_EQ(std::make_pair(window->RowAt(0).channel, window->RowAt(1).channel), std::make_pair(1, 2));

    // The X scale starts and ends where the graph column does, and its ticks are drawn.
    const QRect graph0 = InClient(*window, *window->RowAt(0).graph);
    const QRect xScale = InClient(*window, *window->XScale());
    EXPECT_EQ(std::make_pair(xScale.left(), xScale.width()), std::make_pair(graph0.left(), graph0.width()));
    EXPECT_EQ(window->XScale()->XSpan(), static_cast<int>(orvelo::FindLongestMarkedLap(h.Core(), 0)));

    // The work area's picture: each lap of each row in its colour, the scales beside and below.
    const QImage shot = View().grab().toImage();
    for (int row = 0; row < 2; ++row) {
        CDlgGrafView& pane = *window->RowAt(row).graph;
        const QRect inView(pane.mapTo(&View(), QPoint(0, 0)), pane.size());
        for (std::size_t lap = 0; lap < 3; ++lap) {
            const QRgb color = ToQColor(h.Settings().Colors().ChannelLapColor(h.Core(), row + 1, lap)).rgb();
            int found = 0;
            for (int y = inView.top(); y <= inView.bottom(); ++y)
                for (int x = inView.left(); x <= inView.right(); ++x)
                    found += shot.pixel(x, y) == color ? 1 : 0;
            EXPECT_GT(found, 20) << "row " << row << " lap " << lap;
        }
        const CLScaleView& scale = *window->RowAt(row).scale;
        ASSERT_FALSE(scale.YTicks().empty());
        const QPoint tick = scale.mapTo(&View(), QPoint(scale.width() - 1, scale.YTicks().back().y));
        EXPECT_EQ(shot.pixel(tick), 0xFF000000u) << row;
    }
    const QPoint axis = window->XScale()->mapTo(&View(), QPoint(0, 0));
    EXPECT_EQ(shot.pixel(axis), 0xFF000000u);

    // A drag in the RPM row: the cross-hair in both rows, each compared lap's values in the
    // properties pane and its disc on the small map; the other row echoes nothing.
    spy.Clear();
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    CDlgGrafView& speed = *window->RowAt(1).graph;
    DragHalfway(rpm);
    EXPECT_EQ(rpm.Data().Plot().CursorPoint().x(), speed.Data().Plot().CursorPoint().x());
    EXPECT_GT(rpm.Data().Plot().CursorPoint().x(), 0);
    const auto delivered = [&](WindowHandle to, std::uint32_t id) {
        return spy.Of(SpiedMessage::Kind::Delivered, to, id).size();
    };
    EXPECT_EQ(delivered(window->Handle(), UM_CURSOR_MOVE), 1u);
    EXPECT_EQ(delivered(rpm.Handle(), UM_CURSOR_MOVE), 0u);
    EXPECT_EQ(delivered(speed.Handle(), UM_CURSOR_MOVE), 1u);
    EXPECT_GE(delivered(h.Frame().Handle(), UM_ANALYSIS_LINE), 1u);
    EXPECT_GE(delivered(h.Frame().Handle(), UM_PUT_LOGGING_TIME), 1u);
    CPropertiesWnd& properties = Properties();
    // Each posting of the cursor: both rows' value of each of the three laps, and each lap's distance and time.
    const std::size_t values = delivered(properties.Handle(), UM_SET_RPM_DATA_VALUE);
    EXPECT_TRUE(values > 0 && values % 3 == 0);
    for (std::uint32_t id : {UM_SET_SPEED_DATA_VALUE, UM_SET_DISTANCE_VALUE, UM_SET_LAP_TIME_VALUE})
        EXPECT_EQ(delivered(properties.Handle(), id), values) << id;
    ASSERT_EQ(rpm.Data().CursorList().size(), 3u);
    ASSERT_EQ(speed.Data().CursorList().size(), 3u);
    ASSERT_EQ(properties.ChannelRows(1).size(), 3u);
    std::set<QRgb> lapColors;
    for (std::size_t lap = 0; lap < 3; ++lap) {
        const GraphPoint& rpmPoint = rpm.Data().CursorList()[lap];
        const GraphPoint& speedPoint = speed.Data().CursorList()[lap];
        EXPECT_EQ(properties.ChannelRows(1)[lap]->Value(), QString::asprintf("%4u", rpmPoint.words[graphs::kPointValue]));
        EXPECT_EQ(properties.ChannelRows(2)[lap]->Value(),
                  QString::asprintf("%4u", speedPoint.words[graphs::kPointValue]));
        lapColors.insert(ToQColor(h.Core().SelectedLaps[lap].colour).rgb());
    }
    // Over distance the laps' discs meet at the cursor's distance, the last drawn on top.
    QPoint disc;
    ASSERT_TRUE(properties.Map().Drawing().PointAtDistance(rpm.Data().CursorList()[0].words[graphs::kPointDistance], disc));
    EXPECT_EQ(lapColors.count(properties.Map().grab().toImage().pixel(disc)), 1u);
}

// New limits for one row and new window colours redraw the rows with the cursor where it was,
// in the new cursor colour, and the strip goes on naming the lap at it.
TEST_F(LapOverviewTest, TheCursorStaysThroughNewLimitsOfARowAndNewWindowColours) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    auto* strip = dynamic_cast<CSegSplitterWnd*>(window->SegmentStrip());
    ASSERT_TRUE(strip);
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    const QPoint at(rpm.width() / 3, rpm.height() / 2);
    QTest::mousePress(&rpm, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&rpm, Qt::LeftButton, {}, at);
    Drain();
    const QStringList header = strip->Top().Labels();
    ASSERT_FALSE(header.isEmpty());
    std::vector<int> xs;
    for (int row = 0; row < window->RowCount(); ++row)
        xs.push_back(window->RowAt(row).graph->Data().Plot().CursorPoint().x());
    ASSERT_GT(xs[0], 0);
    // The cursor's column in the pane's picture, in the colour given.
    const auto expectCursor = [&](QRgb colour, const char* after) {
        for (int row = 0; row < window->RowCount(); ++row) {
            CDlgGrafView& pane = *window->RowAt(row).graph;
            const QImage shot = pane.grab().toImage();
            EXPECT_EQ(pane.Data().Plot().CursorPoint().x(), xs[static_cast<std::size_t>(row)]) << after << row;
            int shown = 0;
            for (int y = 0; y < shot.height(); ++y)
                shown += shot.pixel(xs[static_cast<std::size_t>(row)], y) == colour ? 1 : 0;
            EXPECT_GT(shown, shot.height() * 9 / 10) << after << row;
        }
        EXPECT_EQ(strip->Top().Labels(), header) << after;
    };
    expectCursor(ToQColor(window->Colors().analysisLine).rgb(), "drag, row ");

    ChannelValueRec& limits = h.Settings().Channels().ChannelValueTable()[0];
    limits.currentMax = limits.currentMin + (limits.currentMax - limits.currentMin) / 2;
    PostMessage(window->Handle(), UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 1, 0);
    Drain();
    expectCursor(ToQColor(window->Colors().analysisLine).rgb(), "new limits, row ");

    OverviewWindowColors colours = window->Colors();
    colours.analysisLine = 0x0000C0;
    SendMessage(window->Handle(), MessageWithBlockInWParam(UM_COLOR_SELECTED, colours, 0));
    Drain();
    expectCursor(ToQColor(0x0000C0).rgb(), "new colours, row ");
}

TEST_F(LapOverviewTest, ChannelListRebuildsTheRowsAndAClickActivationTellsThePropertiesPaneAndTheFrame) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    const QPoint left = window->geometry().topLeft();
    ModalDialogScript dialogs;
    bool checksDiffer = false;
    dialogs.Queue([&](QDialog& dialog) {
        // The picture: RPM's row checked, Press.1's not.
        auto* list = FindControl<QListWidget>(dialog, 1011);
        dialog.show();
        const QImage shot = list->viewport()->grab().toImage();
        const QRect rpm = list->visualItemRect(list->item(0));
        const QRect press = list->visualItemRect(list->item(4));
        checksDiffer = shot.copy(0, rpm.top(), rpm.height(), rpm.height()) !=
                       shot.copy(0, press.top(), press.height(), press.height());
        FindControl<QPushButton>(dialog, 1005)->click();
        FindControl<QPushButton>(dialog, 1013)->click();
        return dialog.result();
    });
    PopupMenuScript menus;
    menus.QueueChoice(QStringLiteral("Channel select"));
    window->ShowContextMenu(window->mapToGlobal(QPoint(5, 40)), window->Client());
    Drain();
    EXPECT_EQ(dialogs.Shown().at(0).title, "Channel list");
    EXPECT_TRUE(checksDiffer);
    EXPECT_EQ(menus.Shown().at(0),
              (QStringList{"Distance", "Time", "Channel select", "window property", "Close window(X)"}));
    // "All check": 18 rows, the window nearly the whole view at (left, left).
    ASSERT_EQ(window->RowCount(), 18);
    EXPECT_EQ(window->ChannelMask(), 0x3FFFFu);
    const QSize view = View().size();
    EXPECT_EQ(window->geometry(), QRect(left.x(), left.x(), view.width() / 25 * 24, view.height() / 25 * 24));
    const auto resets = spy.Of(SpiedMessage::Kind::Sent, h.Frame().Properties()->Handle(), UM_RESET_PROPERTY_CHANNEL_LIST);
    ASSERT_FALSE(resets.empty());
    EXPECT_EQ(std::make_pair(resets.back().wParam, resets.back().lParam), std::make_pair(WParam{3}, LParam{0x3FFFF}));

    // A second window takes the activation; a click on the first brings it back with its news.
    CLapOverviewDlg* second = Open();
    ASSERT_TRUE(second && second != window);
    for (CLapOverviewDlg* active : {second, window, second}) // not by a click: nothing is told
        View().GraphArea()->setActiveSubWindow(active);
    Drain();
    EXPECT_TRUE(spy.Of(SpiedMessage::Kind::Delivered, h.Frame().Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW).empty());
    spy.Clear();
    QTest::mouseClick(window->XScale(), Qt::LeftButton, {}, QPoint(2, 2));
    Drain();
    EXPECT_EQ(View().GraphArea()->activeSubWindow(), window);
    const auto activated = spy.Of(SpiedMessage::Kind::Delivered, h.Frame().Handle(), UM_ACTIVATE_LAP_OVERVIEW_WINDOW);
    ASSERT_EQ(activated.size(), 1u);
    EXPECT_EQ(activated[0].wParam, window->Handle());
    const WindowHandle properties = h.Frame().Properties()->Handle();
    const auto xScale = spy.Of(SpiedMessage::Kind::Sent, properties, UM_RESET_X_SCALE_VARIABLE);
    ASSERT_EQ(xScale.size(), 1u);
    EXPECT_EQ(xScale[0].lParam, static_cast<LParam>(orvelo::FindLongestMarkedLap(h.Core(), 0)));
    EXPECT_EQ(spy.Of(SpiedMessage::Kind::Sent, properties, UM_RESET_PROPERTY_CHANNEL_LIST).size(), 1u);
    second->OnCommand(CLapOverviewDlg::kCmdCloseWindow);
    Drain();
    EXPECT_EQ(GraphKinds(View()), "20");
}

TEST_F(LapOverviewTest, PlaceChannelsRowHeightsAndAxisComeBackAndDamagedRecordsStartSane) {
    ASSERT_TRUE(h.Start());
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    PostMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 3, 0x13); // RPM, Speed, Press.1
    Drain();
    window->OnCommand(CLapOverviewDlg::kCmdTime);
    window->setGeometry(30, 40, 450, 380);  // inside the work area
    Drain();
    window->ChannelSplitter()->SetRowHeights(0, 5, {60, 150, 90});
    const std::vector<int> heights = window->ChannelSplitter()->RowHeights();
    h.Close();

    const platform::RegistryTree saved = h.Saved();
    const auto reopen = [](const platform::RegistryTree& tree, const std::function<void(SettingsStore&)>& damage) {
        auto program = std::make_unique<ProgramHarness>(tree);
        if (damage)
            damage(program->Settings().Store());
        EXPECT_TRUE(program->Start());
        Drain();
        EXPECT_EQ(GraphKinds(*program->WorkAreas().front()->View()), "2");
        return program;
    };
    {
        auto program = reopen(saved, {});
        auto* restored = dynamic_cast<CLapOverviewDlg*>(program->WorkAreas().front()->View()->GraphWindows()[0].window);
        ASSERT_TRUE(restored);
        EXPECT_EQ(std::make_tuple(restored->geometry(), restored->ChannelMask(), restored->RowCount(),
                                  restored->RowAt(2).channel, restored->XAxisMode()),
                  std::make_tuple(QRect(30, 40, 450, 380), 0x13u, 3, 5, 1));
        EXPECT_EQ(restored->ChannelSplitter()->RowHeights(), heights);
    }
    // Damaged: rows 0 or 30, no mask; the rows follow the mask (the heights' own checks are pure).
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    const QString name = settings::NumberedName(settings::kWorkAreaWindowProp, 1, 1);
    for (auto [rows, mask] : std::vector<std::pair<std::int32_t, std::uint32_t>>{{0, 0x13}, {30, 0x13}, {2, 0}}) {
        auto program = reopen(saved, [&](SettingsStore& store) {
            WorkAreaWindowProp record;
            ASSERT_EQ(store.ReadRecord(key, name, &record), 0);
            record.rows = rows;
            record.channelMask = mask;
            store.WriteRecord(key, name, record);
        });
        auto* restored = dynamic_cast<CLapOverviewDlg*>(program->WorkAreas().front()->View()->GraphWindows()[0].window);
        ASSERT_TRUE(restored);
        EXPECT_EQ(restored->ChannelMask(), mask == 0 ? 0x3u : mask);
        EXPECT_EQ(restored->RowCount(), mask == 0 ? 2 : 3) << rows;
        for (int row = 0; row < restored->RowCount(); ++row)
            EXPECT_NE(restored->RowAt(row).channel, 0);
    }
}

// A lap overview restored at start, before any file is open, gives the properties pane its channels
// once laps are compared, as one opened over compared laps does.
TEST_F(LapOverviewTest, RestoredWindowGivesThePropertiesPaneItsChannelsWhenLapsAreCompared) {
    constexpr std::uint32_t kSixChannels = 0x3F;
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    PostMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 6, kSixChannels);
    Drain();
    h.Close();

    ProgramHarness again(h.Saved());
    ASSERT_TRUE(again.Start());
    Drain();
    auto* restored = dynamic_cast<CLapOverviewDlg*>(again.WorkAreas().front()->View()->GraphWindows().at(0).window);
    ASSERT_TRUE(restored);
    ASSERT_EQ(restored->ChannelMask(), kSixChannels);
    LoadComparedLaps(again);
    again.WorkAreas().front()->View()->grab(); // painted, as on screen
    CDlgGrafView& rpm = *restored->RowAt(0).graph;
    QTest::mouseClick(&rpm, Qt::LeftButton, {}, QPoint(rpm.width() / 4, rpm.height() / 2)); // the first after a redraw
    Drain();
    DragHalfway(rpm);
    auto& properties = dynamic_cast<CPropertiesWnd&>(*again.Frame().Properties());
    for (int channel = 1; channel <= 6; ++channel) {
        const std::vector<CPropGridPropExt*> rows = properties.ChannelRows(channel);
        ASSERT_EQ(rows.size(), 3u) << "channel " << channel;
        EXPECT_FALSE(rows[0]->Value().isEmpty()) << "channel " << channel;
    }
    EXPECT_TRUE(properties.ChannelRows(7).empty());
}

TEST_F(LapOverviewTest, ChannelColoursAreFilledWrittenUnderTheirTagAndAppliedByTheOtherWindows) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    CLapOverviewDlg* other = Open();
    ASSERT_TRUE(window && other);
    for (CLapOverviewDlg* w : {window, other})
        PostMessage(w->Handle(), UM_RESET_CHANNEL_VIEW, 2, 0x11); // RPM and Press.1
    Drain();
    CDlgGrafView& pressure = *window->RowAt(1).graph;
    ASSERT_EQ(window->RowAt(1).channel, 5);
    ModalDialogScript dialogs;
    ChannelColorProperty shown;
    dialogs.Queue([&](QDialog& dialog) {
        shown = dynamic_cast<CChannel_ColorPropDlg&>(dialog).EditedBlock();
        FindControl<QCheckBox>(dialog, CChannel_ColorPropDlg::kEnableCheck)->click();
        FindControl<QPushButton>(dialog, CChannel_ColorPropDlg::kOk)->click();
        return dialog.result();
    });
    PostMessage(window->Handle(), UM_CHANNEL_PROPERTY_MENU, pressure.Handle(), 0);
    Drain();
    EXPECT_EQ(dialogs.Shown().at(0).title, "Press.1 Channel Color property");
    // Never saved: the compared laps' colours and the window's own.
    for (std::size_t lap = 0; lap < 3; ++lap)
        EXPECT_EQ(shown.lapColors[lap], h.Core().SelectedLaps[lap].colour);
    EXPECT_EQ(std::make_tuple(shown.background, shown.text, shown.analysisLine, shown.channelNumber, shown.readFlag),
              std::make_tuple(0xFFFFFFu, 0x808080u, 0x0u, 5, 0));
    ChannelColorProperty stored;
    ASSERT_EQ(h.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kItemColorInfo),
                                              QStringLiteral("Channel_Color_Prop_Press1"), &stored),
              0);
    EXPECT_EQ(std::make_tuple(stored.checkFlag, stored.channelNumber, other->RowAt(1).graph->ColorBlock(5).checkFlag),
              std::make_tuple(1, 5, 1));
    // The window's own colours: the grid switched off, written and passed on through the frame.
    dialogs.Queue([](QDialog& dialog) {
        FindControl<QCheckBox>(dialog, CLapOverView_WndProp::kGridCheck)->click();
        FindControl<QPushButton>(dialog, CLapOverView_WndProp::kOk)->click();
        return dialog.result();
    });
    window->OnCommand(CLapOverviewDlg::kCmdWindowProperty);
    Drain();
    OverviewWindowColors colors;
    ASSERT_EQ(h.Settings().Store().ReadRecord(settings::SubKeyPath(settings::kItemColorInfo),
                                              settings::kLapOverViewWndProp, &colors), 0);
    EXPECT_EQ(std::make_pair(colors.gridEnabled, other->Colors().gridEnabled), std::make_pair(0, 0));
    // Only the asking window tells the frame; the others' copies came unwritten and go no further.
    const auto toFrame = spy.Of(SpiedMessage::Kind::Sent, h.Frame().Handle(), UM_COLOR_PROPERTY_SELECTED);
    ASSERT_EQ(toFrame.size(), 1u);
    EXPECT_EQ(static_cast<WindowHandle>(toFrame[0].lParam), window->Handle());
}

TEST_F(LapOverviewTest, AZoomClickZoomsEveryRowAndTheXScaleAndResetZoomReturnsToTheFullView) {
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
TEST_F(LapOverviewTest, AChannelChoiceOnAZoomedWindowLeavesTheScaleAndStripOfAnUnzoomedOne) {
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

// What the main frame shows on screen, as its paints left it.
QImage OnScreen(QWidget& frame, const QWidget& part) {
    const QImage shown = frame.screen()->grabWindow(frame.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    return shown.copy(QRect(part.mapTo(&frame, QPoint(0, 0)), part.size()));
}

// A press, moves and a release in a row, each drained.
void Drag(CDlgGrafView& row, std::initializer_list<int> xs) {
    const int y = row.height() / 2;
    QTest::mousePress(&row, Qt::LeftButton, {}, QPoint(*xs.begin(), y));
    Drain();
    for (int x : xs) {
        QTest::mouseMove(&row, QPoint(x, y));
        Drain();
    }
    QTest::mouseRelease(&row, Qt::LeftButton, {}, QPoint(*(xs.end() - 1), y));
    Drain();
}

TEST_F(LapOverviewTest, AMaximisedOverviewResizedAndDraggedOverShowsWhatAFreshOneDrawsAtThatSizeAndCursor) {
    constexpr std::uint32_t kEightChannels = 0x1 | 0x2 | 0x4 | 0x8 | 0x40 | 0x80 | 0x200 | 0x800;
    const auto maximised = [this](ProgramHarness& on, QSize size) {
        CLapOverviewDlg* window = Maximised(on, size);
        if (window) {
            PostMessage(window->Handle(), UM_RESET_CHANNEL_VIEW, 8, kEightChannels);
            Drain();
        }
        return window;
    };
    ASSERT_TRUE(h.Start());
    CLapOverviewDlg* window = maximised(h, QSize(1100, 800));
    ASSERT_TRUE(window);
    ASSERT_EQ(window->RowCount(), 8);
    Drag(*window->RowAt(2).graph, {200, 230, 260});
    const QImage before = OnScreen(h.Frame(), *window);
    h.Frame().resize(1000, 700);
    Drain();
    h.Frame().resize(1280, 900);
    Drain();
    CDlgGrafView& row = *window->RowAt(5).graph;
    const int x = row.width() * 3 / 5;
    Drag(row, {x - 90, x - 40, x});
    const QImage after = OnScreen(h.Frame(), *window);
    ASSERT_NE(before.size(), after.size());
    const QRgb base = ToQColor(h.Settings().Colors().ChannelLapColor(h.Core(), 1, 0)).rgb();
    int baseLapPixels = 0;
    for (int y = 0; y < after.height(); ++y)
        for (int x = 0; x < after.width(); ++x)
            baseLapPixels += after.pixel(x, y) == base ? 1 : 0;
    EXPECT_GT(baseLapPixels, 100) << "the traces are on screen";

    ProgramHarness fresh;
    ASSERT_TRUE(fresh.Start());
    CLapOverviewDlg* drawn = maximised(fresh, QSize(1280, 900));
    ASSERT_TRUE(drawn);
    ASSERT_EQ(drawn->size(), window->size());
    Drag(*drawn->RowAt(5).graph, {x});
    EXPECT_EQ(window->RowAt(0).graph->Data().Plot().CursorPoint(), drawn->RowAt(0).graph->Data().Plot().CursorPoint());
    EXPECT_TRUE(after == OnScreen(fresh.Frame(), *drawn)) << "the resized and dragged overview differs from a fresh one";
}

TEST_F(LapOverviewTest, APropertiesPaneDraggedOverShowsWhatOneMoveToTheSamePlaceShows) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    ASSERT_TRUE(window);
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    CPropertiesWnd& properties = Properties();
    const int y = rpm.height() / 2;
    const int end = rpm.width() * 3 / 4;
    const auto shown = [&] {
        QStringList texts;
        for (int channel : {1, 2})
            for (const CPropGridPropExt* row : properties.ChannelRows(channel))
                texts << row->Name() << row->Value();
        for (const CPropGridPropExt* row : properties.LapTimeRows())
            texts << row->Name() << row->Value();
        return texts;
    };
    const auto drag = [&](int from, int step) {
        QTest::mousePress(&rpm, Qt::LeftButton, {}, QPoint(from, y));
        Drain();
        // Moves come faster than the queue is emptied, as input does.
        for (int x = from, n = 1; x < end; ++n) {
            x = std::min(x + step, end);
            QTest::mouseMove(&rpm, QPoint(x, y));
            if (n % 4 == 0)
                Drain();
        }
        Drain();
        QTest::mouseRelease(&rpm, Qt::LeftButton, {}, QPoint(end, y));
        Drain();
    };

    drag(rpm.width() / 8, 3);
    const QStringList afterDrag = shown();
    ASSERT_EQ(afterDrag.size(), 18);
    EXPECT_FALSE(afterDrag[1].trimmed().isEmpty());
    drag(end - 1, 1);
    EXPECT_EQ(shown(), afterDrag);
}

// What shows a window's cursor: the line in each row, the strip's "L.n : v", each compared lap's
// RPM value in the properties pane and its disc on the small map. They agree when all show the
// base lap's point under the line, or when none shows anything.
struct CursorShown {
    CLapOverviewDlg& window;
    CPropertiesWnd& properties;
    CSegView& top;

    ::testing::AssertionResult Agree(bool shown) const {
        CDlgGrafView& rpm = *window.RowAt(0).graph;
        for (int row = 0; row < window.RowCount(); ++row) {
            const CPlotLineCtrl& line = window.RowAt(row).graph->Data().Plot();
            if ((line.CursorState() == CPlotLineCtrl::kCursorShown) != shown)
                return ::testing::AssertionFailure() << "the line of row " << row;
            if (shown && line.CursorPoint().x() != rpm.Data().Plot().CursorPoint().x())
                return ::testing::AssertionFailure() << "row " << row << " has its line elsewhere";
        }
        const std::vector<GraphPoint>& points = rpm.Data().CursorList();
        if (shown && (points.empty() || points[0].words[graphs::kPointX] != rpm.Data().Plot().CursorPoint().x()))
            return ::testing::AssertionFailure() << "no base-lap point under the line";
        const QString lap = QStringLiteral("L.%1").arg(h().Core().SelectedLaps[0].lapNumber);
        const QString label = top.Labels().isEmpty() ? QString() : top.Labels().back();
        if (label != (shown ? lap + QStringLiteral(" : %1").arg(points[0].words[graphs::kPointDistance]) : lap))
            return ::testing::AssertionFailure() << "the strip says " << label.toStdString();
        const std::vector<CPropGridPropExt*> values = properties.ChannelRows(1);
        const CDrawCorseCtrl& map = properties.Map().Drawing();
        int marks = 0;
        for (const MapLayerItem& layer : map.Marks().Layers())
            marks += layer.shownAt ? 1 : 0;
        if (!shown) {
            for (const CPropGridPropExt* value : values)
                if (!value->Value().trimmed().isEmpty())
                    return ::testing::AssertionFailure() << "the pane shows " << value->Value().toStdString();
            if (marks != 0 || !(map.Presented() == map.Layers().Composed()))
                return ::testing::AssertionFailure() << "the map shows marks";
            return ::testing::AssertionSuccess();
        }
        if (values.size() < points.size() || static_cast<int>(points.size()) != marks)
            return ::testing::AssertionFailure() << points.size() << " laps, " << marks << " marks";
        // Each lap's value and disc where its point lies; the picture differs from the map only under them.
        QRegion discs;
        for (std::size_t lap = 0; lap < points.size(); ++lap) {
            const QString value = QString::asprintf("%4u", points[lap].words[graphs::kPointValue]);
            if (values[lap]->Value() != value)
                return ::testing::AssertionFailure() << "lap " << lap << ": " << values[lap]->Value().toStdString();
            QPoint centre;
            const MapLayerItem& layer = map.Marks().Layers()[lap];
            if (!map.PointAtDistance(points[lap].words[graphs::kPointDistance], centre) ||
                layer.shownAt != centre - QPoint(MapLayerItem::kMarkHalf, MapLayerItem::kMarkHalf))
                return ::testing::AssertionFailure() << "the disc of lap " << lap;
            discs += layer.MarkRect(*layer.shownAt);
        }
        const QImage& presented = map.Presented();
        for (int y = 0; y < presented.height(); ++y)
            for (int x = 0; x < presented.width(); ++x)
                if (!discs.contains(QPoint(x, y)) && presented.pixel(x, y) != map.Layers().Composed().pixel(x, y))
                    return ::testing::AssertionFailure() << "a mark left at " << x << "," << y;
        return ::testing::AssertionSuccess();
    }
    ProgramHarness& h() const { return *harness; }
    ProgramHarness* harness;
};

TEST_F(LapOverviewTest, TheCursorIsShownByEveryRowTheStripThePaneAndTheMapOrByNoneAfterEachChange) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* window = Open();
    auto* strip = window ? dynamic_cast<CSegSplitterWnd*>(window->SegmentStrip()) : nullptr;
    ASSERT_TRUE(strip);
    const CursorShown cursor{*window, Properties(), strip->Top(), &h};
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    const auto drag = [&](int x) {
        QTest::mouseClick(&rpm, Qt::LeftButton, {}, QPoint(x, rpm.height() / 2)); // taken only when no redraw swallows it
        Drain();
        Drag(rpm, {rpm.width() / 5, x});
        return cursor.Agree(true);
    };
    ASSERT_TRUE(drag(rpm.width() / 2));
    EXPECT_TRUE(cursor.Agree(true));

    // An overlay lap taken off (a click on its square): the cursor goes everywhere; the next drag
    // shows one disc per lap.
    const orvelo::LogFile& file = h.Core().LogFiles[0];
    orvelo::ToggleOverlayLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[2].lapNumber));
    PostMessage(h.Frame().Handle(), UM_REDRAW_LAP_GRAPH, 0, 0);
    Drain();
    EXPECT_TRUE(cursor.Agree(false)) << "after the overlay change";
    EXPECT_TRUE(drag(rpm.width() / 3)) << "the drag after it";

    // A row border let go.
    PostMessage(window->Handle(), UM_STOP_TRACKING_PLOT, 2, 0);
    Drain();
    EXPECT_TRUE(cursor.Agree(false)) << "after a row border moved";

    // The other axis: the place meant a distance, so the cursor goes.
    ASSERT_TRUE(drag(rpm.width() * 2 / 3));
    window->OnCommand(CLapOverviewDlg::kCmdTime);
    Drain();
    EXPECT_TRUE(cursor.Agree(false)) << "after the axis switch";
    window->OnCommand(CLapOverviewDlg::kCmdDistance);
    Drain();
    EXPECT_TRUE(drag(rpm.width() / 2)) << "over distance again";

    // New limits of one row and of all: every row keeps the base lap's point.
    const int x = rpm.Data().Plot().CursorPoint().x();
    PostMessage(window->Handle(), UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 2, 0);
    PostMessage(window->Handle(), UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 0, 0);
    Drain();
    EXPECT_TRUE(cursor.Agree(true)) << "after new limits";
    EXPECT_EQ(rpm.Data().Plot().CursorPoint().x(), x);
}

// A second window in the work area shows the first one's cursor; new limits there keep every row
// of it on that point, not on the one it picked itself before.
TEST_F(LapOverviewTest, AWindowShowingAnotherOnesCursorKeepsItInEveryRowThroughNewLimits) {
    ASSERT_TRUE(h.Start());
    LoadComparedLaps();
    CLapOverviewDlg* back = Open();
    CLapOverviewDlg* front = Open();
    ASSERT_TRUE(back && front && back != front);
    CDlgGrafView& backRpm = *back->RowAt(0).graph;
    Drag(backRpm, {backRpm.width() * 3 / 4});
    CDlgGrafView& frontRpm = *front->RowAt(0).graph;
    Drag(frontRpm, {frontRpm.width() / 4});
    const int shown = backRpm.Data().Plot().CursorPoint().x();
    ASSERT_EQ(back->RowAt(1).graph->Data().Plot().CursorPoint().x(), shown);
    ASSERT_LT(shown, backRpm.width() / 2) << "the back window shows the front one's cursor";
    PostMessage(back->Handle(), UM_SET_VARIABLE_SCALE_CONTROL_VALUE, 2, 0);
    PostMessage(back->Handle(), UM_REDRAW_Y_SCALE_AND_CHANNEL_NAME, 0, 0);
    Drain();
    for (int row = 0; row < back->RowCount(); ++row) {
        GraphPaneData& pane = back->RowAt(row).graph->Data();
        EXPECT_EQ(pane.Plot().CursorPoint().x(), shown) << row;
        ASSERT_FALSE(pane.CursorList().empty());
        EXPECT_EQ(pane.CursorList()[0].words[graphs::kPointDistance],
                  frontRpm.Data().CursorList()[0].words[graphs::kPointDistance]) << row;
    }
}

// The maximised overview with its cursor, made smaller and maximised again: each time the cursor
// stands on the same point of the base lap, as a fresh window of that size shows it.
TEST_F(LapOverviewTest, AResizedOverviewShowsItsCursorOnTheSameBaseLapPointAsAFreshOneOfThatSize) {
    ASSERT_TRUE(h.Start());
    CLapOverviewDlg* window = Maximised(h, QSize(1600, 1000));
    ASSERT_TRUE(window);
    CDlgGrafView& rpm = *window->RowAt(0).graph;
    Drag(rpm, {rpm.width() * 3 / 4});
    const QImage large = OnScreen(h.Frame(), *window);
    const GraphPoint placed = rpm.Data().CursorList().at(0);
    const int sample = rpm.Data().Traces(0).front().At(placed.words[graphs::kPointIndex]).sample;

    h.Frame().resize(1400, 900);
    Drain();
    ProgramHarness fresh;
    ASSERT_TRUE(fresh.Start());
    CLapOverviewDlg* drawn = Maximised(fresh, QSize(1400, 900));
    ASSERT_TRUE(drawn);
    ASSERT_EQ(drawn->size(), window->size());
    // The fresh window's cursor on the same sample of the base lap.
    drawn->RowAt(0).graph->grab();
    const std::vector<GraphTrace>& traces = drawn->RowAt(0).graph->Data().PrimaryTraces();
    ASSERT_FALSE(traces.empty());
    GraphPoint record{};
    for (int i = 0; i < traces.front().Size(); ++i)
        if (traces.front().At(i).sample == sample)
            record.words[graphs::kPointIndex] = i;
    for (int row = 0; row < drawn->RowCount(); ++row)
        PostMessage(drawn->RowAt(row).graph->Handle(), MessageWithBlock(UM_ANALYSIS_LINE, 1, record));
    Drain();
    for (int row = 0; row < window->RowCount(); ++row) {
        const QPoint at = window->RowAt(row).graph->Data().Plot().CursorPoint();
        EXPECT_EQ(at, drawn->RowAt(row).graph->Data().Plot().CursorPoint()) << row;
        EXPECT_EQ(window->RowAt(row).graph->Data().CursorList().at(0).words[graphs::kPointValue],
                  drawn->RowAt(row).graph->Data().CursorList().at(0).words[graphs::kPointValue]) << row;
    }
    EXPECT_TRUE(OnScreen(h.Frame(), *window) == OnScreen(fresh.Frame(), *drawn)) << "made smaller";

    h.Frame().resize(1600, 1000);
    Drain();
    EXPECT_EQ(rpm.Data().Plot().CursorPoint(), QPoint(placed.words[graphs::kPointX], placed.words[graphs::kPointY]));
    EXPECT_TRUE(OnScreen(h.Frame(), *window) == large) << "maximised again";
}

} // namespace
