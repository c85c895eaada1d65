// Redraws the user waits for in the program as its main builds it (the main frame at 1920 x 1080
// with its properties pane and segment list docked), over a generated session of seven laps of at
// least 12,000 positions, all compared: the lap overview of eight rows maximised in its work area
// repainted whole, the main window resized (one size a paint, and a drag of several sizes before
// the paint), a zoom step; and the course map viewer's edit view at 800 x 600 with 30 segments and
// their number labels, redrawn whole and after automatic segmentation. Each is timed until painted,
// and counts the paints of the overview's rows.
#include "bench/BenchSessions.h"
#include "bench/ComparedLaps.h"
#include "bench/ProgramUnderBench.h"
#include "bench/QtBenchmarkMain.h"

#include "coursemap/CCourseMapViewerDlg.h"
#include "coursemap/CMapSegEditView.h"
#include "coursemap/CMapView.h"
#include "graphs/CDlgGrafView.h"
#include "graphs/CLapOverviewDlg.h"
#include "properties/CPropertiesWnd.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloView.h"

#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "core/Utf8Text.h"
#include "platform/MessageRecords.h"
#include "platform/ModalDialog.h"
#include "platform/PopupMenu.h"
#include "platform/UserMessages.h"
#include "settings/CourseBlock.h"
#include "tools/SampleSession.h"

#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

using benchprogram::ProgramUnderBench;

constexpr int kComparedLaps = 7;
using benchlap::kEightChannels;
constexpr QSize kScreen(1920, 1080);

// Seven laps of 18.4 km in rate mode 3 (a position every 1/20 s): at least 12,000 positions each.
samplegen::SessionOptions LongLaps() {
    return {.seed = 27, .laps = kComparedLaps, .rateMode = 3, .samplesPerSecond = 20, .circuitLength = 18400.0};
}

const benchsessions::TempFolder& Folder() {
    static const benchsessions::TempFolder folder("orvelo-mainframeredrawbench");
    return folder;
}

const benchsessions::SessionFile& SessionFile() {
    static const benchsessions::SessionFile file =
        benchsessions::WriteFile(Folder().Path(), "long", samplegen::GenerateSession(LongLaps()).bytes);
    return file;
}

const benchsessions::SessionFile& CourseFile() {
    static const benchsessions::SessionFile file =
        benchsessions::WriteFile(Folder().Path(), "course", samplegen::GenerateMapFile(LongLaps(), 2, false).bytes);
    return file;
}

void Settle() { ProgramUnderBench::Settle(); }

// The program with the session loaded, its laps compared (lap 1 the base lap, on the small map)
// and a lap overview of eight rows maximised in the first work area.
struct ProgramWithOverview {
    ProgramWithOverview() {
        if (!program.StartWithComparedLaps(kScreen, SessionFile().file.string(), kComparedLaps))
            return;
        window = program.OpenMaximisedLapOverview(kEightChannels, 8);
        if (!window)
            return;
        for (int row = 0; row < window->RowCount(); ++row)
            window->RowAt(row).graph->installEventFilter(&rowPaints);
    }
    // Why the benchmark cannot run, or empty.
    const char* Fault() const {
        if (!window)
            return "no lap overview";
        if (window->RowCount() != 8 || window->RowAt(0).graph->LapsDrawn() != kComparedLaps)
            return "the overview does not show eight rows of seven laps";
        return nullptr;
    }
    void Count(benchmark::State& state) {
        state.counters["rows"] = window->RowCount();
        state.counters["positions"] = static_cast<double>(ShortestLap());
        state.counters["row width"] = window->RowAt(0).graph->width();
        state.counters["row paints"] = benchmark::Counter(rowPaints.paints, benchmark::Counter::kAvgIterations);
    }
    std::size_t ShortestLap() {
        std::size_t fewest = SIZE_MAX;
        for (const orvelo::Lap& lap : program.Core().LogFiles[0].laps)
            if (lap.lapNumber != 0)
                fewest = std::min(fewest, lap.positions.size());
        return fewest;
    }

    ProgramUnderBench program;
    CLapOverviewDlg* window = nullptr;
    benchprogram::PaintCounter rowPaints;
};

// Everything the overview shows drawn again (compared laps, colours), until painted.
void BenchFullRepaint(benchmark::State& state) {
    ProgramWithOverview setup;
    if (const char* fault = setup.Fault()) {
        state.SkipWithError(fault);
        return;
    }
    setup.rowPaints.paints = 0;
    for (auto _ : state) {
        platform::PostMessage(setup.program.Frame().Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
        ProgramUnderBench::Drain();
    }
    setup.Count(state);
}

// The main window one size and then another, each painted; with steps > 1, a drag that delivers
// that many sizes before the paint.
void BenchResize(benchmark::State& state) {
    ProgramWithOverview setup;
    if (const char* fault = setup.Fault()) {
        state.SkipWithError(fault);
        return;
    }
    const int steps = static_cast<int>(state.range(0));
    setup.rowPaints.paints = 0;
    bool smaller = false;
    for (auto _ : state) {
        smaller = !smaller;
        for (int step = 1; step <= steps; ++step) {
            const int by = smaller ? 40 * step / steps : 40 - 40 * step / steps;
            setup.program.Frame().resize(kScreen - QSize(by, by / 2));
        }
        ProgramUnderBench::Drain();
    }
    setup.Count(state);
}

// In and out between the first two levels at the middle of the lap, until painted.
void BenchZoomStep(benchmark::State& state) {
    ProgramWithOverview setup;
    if (const char* fault = setup.Fault()) {
        state.SkipWithError(fault);
        return;
    }
    CLapOverviewDlg& window = *setup.window;
    const int middle = window.FullSpan() / 2;
    platform::SendMessage(window.Handle(), platform::UM_ZOOM_CONTROL, static_cast<platform::WParam>(middle), 0);
    Settle();
    setup.rowPaints.paints = 0;
    bool out = false;
    for (auto _ : state) {
        out = !out;
        platform::SendMessage(window.Handle(), platform::UM_ZOOM_CONTROL, static_cast<platform::WParam>(middle),
                              out ? 1 : 0);
        ProgramUnderBench::Drain();
    }
    setup.Count(state);
    state.counters["level"] = window.Zoom().Level();
}

// The course map viewer opened from the small map on a course-map file of one of the long laps,
// its edit view at 800 x 600 cut into 30 segments with their number labels up; the benchmark
// runs while the viewer is shown.
void InEditView(benchmark::State& state, const std::function<void(CMapSegEditView&, int)>& run) {
    ProgramUnderBench program;
    if (!program.Start()) {
        state.SkipWithError("the program did not start");
        return;
    }
    program.Frame().resize(kScreen);
    orvelo::FileListEntry entry;
    entry.fullPath = orvelo::FromUtf8(CourseFile().file.string());
    orvelo::EditMapFileList(program.Core(), orvelo::kFileListAdd, entry);
    if (orvelo::LoadPendingMapFiles(program.Core(), orvelo::kMapDrawGps) != 0) {
        state.SkipWithError("the course map did not load");
        return;
    }
    platform::SendMessage(program.Frame().Handle(), platform::UM_VIEW_READ_MAP_FILE, 0, 1);
    CMapView& map = dynamic_cast<CPropertiesWnd&>(*program.Frame().Properties()).Map();
    Settle();
    bool ran = false;
    platform::ModalDialogScript dialogs;
    dialogs.Queue([&](QDialog& shown) {
        auto& viewer = dynamic_cast<CCourseMapViewerDlg&>(shown);
        viewer.show();
        viewer.resize(viewer.size() + QSize(800, 600) - viewer.EditView().size());
        Settle();
        CMapSegEditView& view = viewer.EditView();
        view.resize(800, 600);  // the offscreen screen may be too small for the dialog around it
        Settle();
        const int length = view.CourseLength() / 30 + 1;
        view.GenerateSegments(CMapSegEditView::kCmdInputSegmentLength, length);
        Settle();
        const QPoint at(view.width() / 2, view.height() / 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, view.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, view.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &release);
        Settle();
        if (view.size() != QSize(800, 600) || view.SegmentCount() != 30 || view.NumberLabels().size() != 30) {
            state.SkipWithError("the edit view is not 800 x 600 with 30 labelled segments");
        } else {
            run(view, length);
            state.counters["segments"] = view.SegmentCount();
            state.counters["labels"] = static_cast<double>(view.NumberLabels().size());
            state.counters["course points"] =
                static_cast<double>(program.Core().MapFiles[0].laps[0].analysisItems[0].coursePoints.size());
        }
        ran = true;
        viewer.reject();
        return viewer.result();
    });
    platform::PopupMenuScript menu;
    menu.QueueChoice(QStringLiteral("Map Segment Edit..."));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), map.mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(&map, &click);
    Settle();
    if (!ran)
        state.SkipWithError("the viewer did not open");
}

// The whole map with its segments and labels drawn again (as after a resize), until painted.
void BenchEditViewRedraw(benchmark::State& state) {
    InEditView(state, [&state](CMapSegEditView& view, int) {
        for (auto _ : state) {
            view.resize(800, 600 - 1);
            view.resize(800, 600);
            ProgramUnderBench::Drain();
        }
    });
}

// Automatic segmentation into the same 30 lengths again, the viewer's grid rows and the repaint.
void BenchEditViewAfterSegmenting(benchmark::State& state) {
    InEditView(state, [&state](CMapSegEditView& view, int length) {
        for (auto _ : state) {
            view.GenerateSegments(CMapSegEditView::kCmdInputSegmentLength, length);
            ProgramUnderBench::Drain();
        }
    });
}

}  // namespace

BENCHMARK(BenchFullRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchResize)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchZoomStep)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchEditViewRedraw)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchEditViewAfterSegmenting)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
