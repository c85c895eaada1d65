// What the lap overview tests share: a generated session compared in the program, the window
// opened in the first work area, drags in its rows and what the screen shows.
#pragma once

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

#include <algorithm>
#include <array>
#include <set>

#include <gtest/gtest.h>

namespace lapoverview {

using namespace platform;

// A cursor drag from a quarter to half the pane's width, at half its height.
inline void DragHalfway(QWidget& pane) {
    const int y = pane.height() / 2;
    QTest::mousePress(&pane, Qt::LeftButton, {}, QPoint(pane.width() / 4, y));
    Drain();
    QTest::mouseMove(&pane, QPoint(pane.width() / 2, y));
    Drain();
    QTest::mouseRelease(&pane, Qt::LeftButton, {}, QPoint(pane.width() / 2, y));
    Drain();
}

// What the main frame shows on screen, as its paints left it.
inline QImage OnScreen(QWidget& frame, const QWidget& part) {
    const QImage shown = frame.screen()->grabWindow(frame.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    return shown.copy(QRect(part.mapTo(&frame, QPoint(0, 0)), part.size()));
}

// A press, moves and a release in a row, each drained.
inline void Drag(CDlgGrafView& row, std::initializer_list<int> xs) {
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

// Zoom clicks near the right end of the rows, each in the view the one before left, then the view
// scrolled right (Ctrl+Right) until it starts past `from`.
inline void ZoomPast(CLapOverviewDlg& window, int from) {
    for (int i = 0; i < 5; ++i) {
        const graphs::LapOverviewZoom& zoom = window.Zoom();
        const int span = zoom.Zoomed() ? zoom.Span() : window.FullSpan();
        PostMessage(window.Handle(), UM_ZOOM_CONTROL, static_cast<WParam>(zoom.Offset() + span * 19 / 20), 0);
        Drain();
    }
    CDlgGrafView& rpm = *window.RowAt(0).graph;
    for (int i = 0; i < 50 && window.Zoom().Offset() <= from; ++i) {
        rpm.grab();
        QTest::keyClick(&rpm, Qt::Key_Right, Qt::ControlModifier);
        Drain();
    }
}

class Fixture : public ::testing::Test {
protected:
    enum class Base { First, Shortest, Longest };

    // A session of three laps: by default lap 1 the base lap, laps 2 and 3 overlays; lap 1 on the
    // small map.
    void LoadComparedLaps(Base base = Base::First) { LoadComparedLaps(h, base); }
    void LoadComparedLaps(ProgramHarness& h, Base base = Base::First) {
        ASSERT_EQ(testsupport::LoadLogs(h.Core(), {files.Write(QStringLiteral("session.dat"), 3, 4)}), 0);
        SendMessage(h.Frame().Handle(), UM_LAP_LIST_ALL_VIEW, 0, 0);
        const orvelo::LogFile& file = h.Core().LogFiles[0];
        std::size_t baseLap = 0;
        for (std::size_t lap : {1u, 2u}) {
            const std::uint32_t time = file.laps[lap].lapTime;
            if ((base == Base::Shortest && time < file.laps[baseLap].lapTime) ||
                (base == Base::Longest && time > file.laps[baseLap].lapTime))
                baseLap = lap;
        }
        const std::u16string first = orvelo::FormatLapNumber(file.laps[0].lapNumber);
        CourseBlock course;
        MapInfoBlock::Put(course.info.path.data(), MapInfoBlock::kPathChars, file.fullPath);
        MapInfoBlock::Put(course.info.shortText.data(), MapInfoBlock::kShortTextChars, first);
        course.lap = {orvelo::FileSet::Log, file.fileId, 0};
        PostMessage(h.Frame().Handle(),
                    MessageWithBlock(UM_DRAW_MAP_ON_VIEW, orvelo::SetCurrentLap(h.Core(), first, file.fullPath), course));
        orvelo::SetBaseLap(h.Core(), file.fullPath, orvelo::FormatLapNumber(file.laps[baseLap].lapNumber));
        for (std::size_t lap : {0u, 1u, 2u})
            if (lap != baseLap)
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
    // The time at which every compared lap but the longest has ended (after LoadComparedLaps).
    std::uint32_t ShorterLapsEnd() {
        std::array<std::uint32_t, 3> times{};
        for (std::size_t lap = 0; lap < times.size(); ++lap)
            times[lap] = h.Core().LogFiles[0].laps[lap].lapTime;
        std::sort(times.begin(), times.end());
        return times[1];
    }
    CPropertiesWnd& Properties() { return dynamic_cast<CPropertiesWnd&>(*h.Frame().Properties()); }
    static QRect InClient(const CLapOverviewDlg& window, const QWidget& pane) {
        return QRect(pane.mapTo(window.Client(), QPoint(0, 0)), pane.size());
    }

    testsupport::SessionDir files;
    ProgramHarness h;
    MessageSpy spy;
};

}  // namespace lapoverview
