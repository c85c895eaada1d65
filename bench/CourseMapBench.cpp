// The small course map: drawing a long lap with a segment group into a 400 x 300 map, and one
// cursor move of seven compared laps (the position at the distance for each, their marks moved and
// put on the map once).
#include "coursemap/CDrawCorseCtrl.h"

#include "core/CoursePointLines.h"
#include "core/CourseProjection.h"
#include "core/LapDataCore.h"

#include "bench/QtBenchmarkMain.h"

#include <QWidget>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kPoints = 12000;
constexpr int kPairs = 30;
constexpr int kComparedLaps = 7;

// A closed, wavy lap of about 3 km, one point every quarter metre.
orvelo::LapAnalysisItem LongLap() {
    orvelo::LapAnalysisItem item;
    double distance = 0.0;
    double lastX = 0.0;
    double lastY = 0.0;
    for (int i = 0; i < kPoints; ++i) {
        const double t = 2.0 * M_PI * i / kPoints;
        const double r = 450.0 + 60.0 * std::sin(5.0 * t);
        const double x = r * std::cos(t);
        const double y = 0.6 * r * std::sin(t);
        if (i > 0)
            distance += std::hypot(x - lastX, y - lastY);
        lastX = x;
        lastY = y;
        item.projectedPoints.push_back({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y),
                                        i == kPoints - 1 ? -1 : 0, static_cast<std::int32_t>(distance) + 1});
    }
    orvelo::UpdateCourseBox(item);
    orvelo::BuildCoursePoints(item);
    return item;
}

orvelo::SegmentGroup Segments(const orvelo::LapAnalysisItem& item) {
    orvelo::SegmentGroup group;
    group.segmentCount = kPairs;
    const auto count = static_cast<std::int32_t>(item.coursePoints.size());
    for (std::int32_t k = 1; k <= kPairs; ++k) {
        const std::int32_t end = k == kPairs ? count - 1 : k * count / kPairs;
        group.pairs.push_back({item.coursePoints[static_cast<std::size_t>(end)].cumulativeDistance, end});
    }
    return group;
}

MapViewProperty Colours() {
    MapViewProperty property;
    property.words = {0x787878, 0xFF4000, 0x8A8A8A, 0, 0, 0, 0xF0F0F0, 0x566D34, 0x8000FF, 3, 0, 0, 1};
    return property;
}

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
