// The small course map: drawing a long lap with a segment group into a 400 x 300 map, and one
// cursor move of seven compared laps (the position at the distance for each, their marks moved and
// put on the map once).
#include "coursemap/CDrawCorseCtrl.h"

#include "core/LapDataCore.h"

#include "bench/LongLap.h"
#include "bench/QtBenchmarkMain.h"

#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int kComparedLaps = 7;

using benchlap::LongLap;
using benchlap::Colours;
using benchlap::Segments;

// A drawing object prepared as the small map prepares it.
struct Map {
    explicit Map(const orvelo::LapDataCore& core) : ctrl(core) {
        window.resize(400, 300);
        ctrl.SetWindow(&window);
        ctrl.UpdateClientSize();
        ctrl.SetValueRange(50, 50);
        ctrl.SetCourseColorCount(3);
        ctrl.ApplyMapProperty(Colours());
        ctrl.CreateLayers();
    }
    void Draw(const orvelo::LapAnalysisItem& item, const orvelo::SegmentGroup& group) {
        ctrl.CreateLayers();
        ctrl.SetDivisor(300);
        ctrl.FitCourse(static_cast<int>(item.coursePoints.size()), item);
        ctrl.SetSegmentGroup(&group);
        const int drawn = ctrl.DrawCourse(item);
        ctrl.DrawPositionMark(drawn - 2, item);
        ctrl.ComposeLayers();
    }
    QWidget window;
    CDrawCorseCtrl ctrl;
};

void BenchDrawLongLap(benchmark::State& state) {
    const orvelo::LapDataCore core;
    const orvelo::LapAnalysisItem item = LongLap();
    const orvelo::SegmentGroup group = Segments(item);
    Map map(core);
    for (auto _ : state) {
        map.Draw(item, group);
        benchmark::DoNotOptimize(map.ctrl.Presented().constBits());
    }
    state.counters["records"] = static_cast<double>(map.ctrl.Table().Used());
}

void BenchCursorMove(benchmark::State& state) {
    orvelo::LapDataCore core;
    core.SelectedLaps.resize(18);
    for (int lap = 0; lap < kComparedLaps; ++lap)
        core.SelectedLaps[static_cast<std::size_t>(lap)] = {{}, 0x0000FFu << (lap % 3) * 8, 1, lap + 1, u"/a"};
    const orvelo::LapAnalysisItem item = LongLap();
    Map map(core);
    map.Draw(item, Segments(item));
    map.ctrl.SetOverlapLayers(kComparedLaps);
    const int length = item.projectedPoints.back().runningDistance;
    int cursor = 0;
    for (auto _ : state) {
        cursor = (cursor + 7) % length;
        for (int lap = 0; lap < kComparedLaps; ++lap) {
            QPoint point;
            if (map.ctrl.PointAtDistance((cursor + 40 * lap) % length, point))
                map.ctrl.MoveLapMark(lap + 1, lap, point.x(), point.y());
        }
    }
}

// The walk that the bisection stands in for, on the same table.
void BenchPointAtDistanceByScan(benchmark::State& state) {
    const orvelo::LapDataCore core;
    const orvelo::LapAnalysisItem item = LongLap();
    Map map(core);
    map.Draw(item, Segments(item));
    const int length = item.projectedPoints.back().runningDistance;
    int cursor = 0;
    for (auto _ : state) {
        cursor = (cursor + 7) % length;
        benchmark::DoNotOptimize(map.ctrl.Table().RecordAtDistanceByScan(cursor));
    }
}

}  // namespace

BENCHMARK(BenchDrawLongLap)->Unit(benchmark::kMillisecond);
BENCHMARK(BenchCursorMove)->Unit(benchmark::kMicrosecond);
BENCHMARK(BenchPointAtDistanceByScan)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
