// The segment renderer: a long lap with 30 segments drawn whole into an 800 x 600 edit view (the
// course fitted a little differently each time, so that every segment is drawn again), the same
// repaint after an edit that changed one segment, one step of dragging a segment end, and one
// 125 x 100 thumbnail of the lap.
#include "coursemap/CDrawMapSegCtrl.h"

#include "bench/LongLap.h"
#include "bench/QtBenchmarkMain.h"

#include <QWidget>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

// A renderer prepared as the segment edit view prepares it, with the lap's segments laid.
struct EditView {
    explicit EditView(const orvelo::LapAnalysisItem& lap) : item(lap) {
        window.resize(800, 600);
        ctrl.SetWindow(&window);
        ctrl.UpdateClientSize();
        ctrl.ApplyMapProperty(benchlap::Colours());
        ctrl.SetDrawMode(CDrawMapSegCtrl::kSegmentMode);
        ctrl.SetMargins(200, 150);
        ctrl.SetDivisor(600);
        Draw();
        std::vector<int> distances;
        std::vector<int> indices;
        for (const orvelo::SegmentPair& pair : benchlap::Segments(item).pairs) {
            distances.push_back(pair.cumulativeDistance);
            indices.push_back(pair.endPointIndex);
        }
        ctrl.BuildSegments(distances, indices, item);
        Draw();
    }
    void Draw(int divisor = 600) {
        ctrl.SetDivisor(divisor);
        ctrl.CreateLayers();
        ctrl.FitCourse(item);
        ctrl.DrawCourse(item);
        ctrl.DrawPositionMark(item);
        ctrl.RefreshBoundaries(item);
        ctrl.RedrawDirtySegments();
        ctrl.Present();
    }
    QPoint Where(int index) const {
        const DrawnPointTable::Record& record = *ctrl.Drawn().At(static_cast<std::size_t>(index));
        return QPoint(record.x, record.y);
    }
    const orvelo::LapAnalysisItem& item;
    QWidget window;
    CDrawMapSegCtrl ctrl;
};

void BenchDrawSegmentedLap(benchmark::State& state) {
    const orvelo::LapAnalysisItem item = benchlap::LongLap();
    EditView view(item);
    int divisor = 600;
    for (auto _ : state) {
        divisor = divisor == 599 ? 598 : 599;  // the fit comes to 599 from above
        view.Draw(divisor);
        benchmark::DoNotOptimize(view.ctrl.Presented().constBits());
    }
}

// The 15th segment's end moved by 20 m and back: the repaint draws that segment and the next again.
void BenchRepaintAfterAnEdit(benchmark::State& state) {
    const orvelo::LapAnalysisItem item = benchlap::LongLap();
    EditView view(item);
    std::vector<int> distances;
    for (const MapLayerItem& segment : view.ctrl.Segments().Segments())
        distances.push_back(segment.endDistance);
    std::vector<int> moved = distances;
    moved[14] -= 20;
    int step = 0;
    for (auto _ : state) {
        view.ctrl.SetEndDistances(step++ % 2 == 0 ? moved : distances, item);
        view.Draw();
        benchmark::DoNotOptimize(view.ctrl.Presented().constBits());
    }
}

// The end of the 10th segment dragged back and forth by 30 course points, one step per iteration.
void BenchDragStep(benchmark::State& state) {
    const orvelo::LapAnalysisItem item = benchlap::LongLap();
    EditView view(item);
    const int end = view.ctrl.Segments().Segments()[9].endIndex;
    view.ctrl.SelectSegmentAt(end - 1);
    view.ctrl.Present();
    const QPoint targets[] = {view.Where(end - 30), view.Where(end)};
    int step = 0;
    for (auto _ : state) {
        if (view.ctrl.DragBoundary(targets[step++ % 2], item) == 0)
            state.SkipWithError("the drag was refused");
        view.ctrl.Present();
    }
}

void BenchThumbnail(benchmark::State& state) {
    const orvelo::LapAnalysisItem item = benchlap::LongLap();
    CDrawMapSegCtrl thumbnails;
    thumbnails.ApplyMapProperty(benchlap::Colours());
    thumbnails.SetDivisor(93);
    thumbnails.SetMargins(33, 33);
    for (auto _ : state) {
        thumbnails.CreateThumbnailLayer();
        thumbnails.FitThumbnail(item);
        thumbnails.DrawThumbnailCourse(item);
        benchmark::DoNotOptimize(thumbnails.Thumbnail().constBits());
    }
}

}  // namespace

BENCHMARK(BenchDrawSegmentedLap)->Unit(benchmark::kMillisecond);
BENCHMARK(BenchRepaintAfterAnEdit)->Unit(benchmark::kMillisecond);
BENCHMARK(BenchDragStep)->Unit(benchmark::kMicrosecond);
BENCHMARK(BenchThumbnail)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
