// Switching between work areas in the program as its main builds it (the main frame at 1920 x 1080
// with its panes docked): three work areas, each with a lap overview of eight rows filling it (argument
// 0) or maximised in it (1), nine compared laps of a generated session of about 6,700 positions a lap.
// Timed: the compared laps changed (the ninth lap swapped for another) in the third work area, then
// the first, the second and the third shown, each until painted; and the same switches with nothing
// changed. Counted per round: the paints of the overviews' rows, and the work areas shown whose
// overview draws the ninth lap compared now.
#include "bench/BenchSessions.h"
#include "bench/ComparedLaps.h"
#include "bench/ProgramUnderBench.h"
#include "bench/QtBenchmarkMain.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CLapOverviewDlg.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloView.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/UserMessages.h"
#include "tools/SampleSession.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

using benchprogram::ProgramUnderBench;

constexpr int kWorkAreas = 3;
constexpr int kComparedLaps = 9;
constexpr QSize kScreen(1920, 1080);

// Eleven laps of 10.25 km in rate mode 3 (a position every 1/20 s): laps 1 to 8 and 11 compared at
// first; laps 9 and 10 then take turns as the ninth, so a window that missed a change draws neither.
samplegen::SessionOptions Laps() {
    return {.seed = 31, .laps = kComparedLaps + 2, .rateMode = 3, .samplesPerSecond = 20, .circuitLength = 10250.0};
}

// The session, written once into a temporary folder of its own.
const benchsessions::SessionFile& SessionFile() {
    static const benchsessions::TempFolder folder("orvelo-workareaswitchbench");
    static const benchsessions::SessionFile file =
        benchsessions::WriteFile(folder.Path(), "laps", samplegen::GenerateSession(Laps()).bytes);
    return file;
}

void Settle() { ProgramUnderBench::Settle(); }

// The program with the session loaded, laps 1 to 8 and 11 compared (lap 1 the base lap, on the small map)
// and three work areas, each with a lap overview of eight rows filling it or maximised; the third is
// active.
struct ThreeWorkAreas {
    explicit ThreeWorkAreas(bool maximised) {
        if (!program.StartWithComparedLaps(kScreen, SessionFile().file.string(), kComparedLaps - 1))
            return;
        orvelo::ToggleOverlayLap(program.Core(), program.Core().LogFiles[0].fullPath, LapText(ninth));
        CLapOverviewDlg* first = program.OpenMaximisedLapOverview(benchlap::kEightChannels, 8);
        if (!first)
            return;
        windows.push_back(first);
        for (int area = 1; area < kWorkAreas; ++area) {
            program.App().OnFileNew();
            Settle();
            CLapOverviewDlg* window = ProgramUnderBench::OpenMaximisedLapOverview(
                *program.App().WorkAreaWindowList().back()->View(), benchlap::kEightChannels, 8);
            if (!window)
                return;
            windows.push_back(window);
        }
        const QRect whole(QPoint(0, 0), windows.back()->size());  // maximised in the active work area
        for (CLapOverviewDlg* window : windows) {
            if (!maximised) {
                window->showNormal();
                window->setGeometry(whole);
            }
        }
        Settle();
        for (CLapOverviewDlg* window : windows)
            for (int row = 0; row < window->RowCount(); ++row)
                window->RowAt(row).graph->installEventFilter(&rowPaints);
    }
    std::u16string LapText(int index) {
        return orvelo::FormatLapNumber(program.Core().LogFiles[0].laps[static_cast<std::size_t>(index)].lapNumber);
    }
    const char* Fault() const {
        if (windows.size() != kWorkAreas)
            return "no three lap overviews";
        for (CLapOverviewDlg* window : windows)
            if (window->RowCount() != 8 || window->RowAt(0).graph->LapsDrawn() != kComparedLaps)
                return "an overview does not show eight rows of nine laps";
        return nullptr;
    }
    // The work area shown, until painted; counted when its overview draws the ninth lap compared now.
    void Show(int area) {
        program.Frame().ActivateWorkArea(program.App().WorkAreaWindowList()[static_cast<std::size_t>(area)]);
        ProgramUnderBench::Drain();
        const std::uint32_t number = program.Core().LogFiles[0].laps[static_cast<std::size_t>(ninth)].lapNumber;
        const auto& laps = windows[static_cast<std::size_t>(area)]->RowAt(0).graph->Data().Laps();
        shownWithNinth += std::any_of(laps.begin(), laps.end(), [&](const auto& entry) {
            const orvelo::Lap* lap = program.Core().ResolveLap(entry.lap);
            return lap && lap->lapNumber == number;
        }) ? 1 : 0;
    }
    // The ninth compared lap swapped for lap 9 or 10 of the session, as "Over" ticks do.
    void SwapNinthLap() {
        const std::u16string& path = program.Core().LogFiles[0].fullPath;
        const int next = ninth == kComparedLaps - 1 ? kComparedLaps : kComparedLaps - 1;
        orvelo::ToggleOverlayLap(program.Core(), path, LapText(ninth));
        orvelo::ToggleOverlayLap(program.Core(), path, LapText(next));
        ninth = next;
        platform::PostMessage(program.Frame().Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
        ProgramUnderBench::Drain();
    }
    void Count(benchmark::State& state) {
        std::size_t fewest = SIZE_MAX;
        for (const orvelo::Lap& lap : program.Core().LogFiles[0].laps)
            if (lap.lapNumber != 0)
                fewest = std::min(fewest, lap.positions.size());
        state.counters["positions"] = static_cast<double>(fewest);
        state.counters["row paints"] = benchmark::Counter(rowPaints.paints, benchmark::Counter::kAvgIterations);
        state.counters["shown with the ninth lap"] =
            benchmark::Counter(shownWithNinth, benchmark::Counter::kAvgIterations);
    }

    ProgramUnderBench program;
    std::vector<CLapOverviewDlg*> windows;
    benchprogram::PaintCounter rowPaints;
    int ninth = kComparedLaps + 1;  // the index in the file of the ninth compared lap
    int shownWithNinth = 0;
};

// Work areas 1, 2 and 3 shown in turn, each until painted; with lapsChanged, after the compared laps
// changed in the third.
void SwitchWorkAreas(benchmark::State& state, bool lapsChanged) {
    ThreeWorkAreas setup(state.range(0) != 0);
    if (const char* fault = setup.Fault()) {
        state.SkipWithError(fault);
        return;
    }
    for (int area = 0; area < kWorkAreas; ++area)
        setup.Show(area);
    Settle();
    setup.rowPaints.paints = 0;
    setup.shownWithNinth = 0;
    for (auto _ : state) {
        if (lapsChanged)
            setup.SwapNinthLap();
        for (int area = 0; area < kWorkAreas; ++area)
            setup.Show(area);
    }
    setup.Count(state);
}

void BenchSwitchAfterLapsChanged(benchmark::State& state) { SwitchWorkAreas(state, true); }

void BenchSwitchUnchanged(benchmark::State& state) { SwitchWorkAreas(state, false); }

}  // namespace

BENCHMARK(BenchSwitchAfterLapsChanged)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BenchSwitchUnchanged)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
