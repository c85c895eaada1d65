// The course map viewer: automatic segmentation of a 12,000-point lap of about 3 km into lengths of
// 100 m in its 800 x 600 edit view (the walk and the renderer's segments from the end points)
// together with the viewer's grid rows for the segments that come of it, without the repaint that
// follows; MainFrameRedrawBench times that repaint, labels included, in the program.
#include "coursemap/CCourseMapViewerDlg.h"
#include "coursemap/CMapSegEditView.h"
#include "coursemap/CPropertyGridCtrlSegEx.h"

#include "bench/LongLap.h"
#include "bench/QtBenchmarkMain.h"

#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"
#include "settings/WindowRoles.h"

#include <benchmark/benchmark.h>

namespace {

struct NoRegistry : CourseRegistry {
    std::u16string RegisteredMapPath() const override { return {}; }
};

// The viewer on a course-map file of the long lap, its course drawn.
struct Viewer {
    Viewer() : settings(std::make_unique<platform::RegistryMemoryBackend>(), [] { return 0xF0F0F0u; }) {
        orvelo::LogFile& file = core.MapFiles.emplace_back();
        file.fullPath = u"/maps/long.dat";
        file.fileId = core.TakeNextFileId();
        orvelo::Lap& lap = file.laps.emplace_back();
        lap.lapNumber = 1;
        lap.analysisItems.push_back(benchlap::LongLap());
        lap.distance = static_cast<std::uint32_t>(lap.analysisItems.front().coursePoints.back().cumulativeDistance);
        CourseBlock course;
        platform::MapInfoBlock::Put(course.info.path.data(), platform::MapInfoBlock::kPathChars, file.fullPath);
        dialog = std::make_unique<CCourseMapViewerDlg>(core, settings, platform::kNoWindow, registry,
                                                       CCourseMapViewerDlg::kListMapLaps, course);
        dialog->show();
        dialog->EditView().resize(800, 600);
        Drain();
    }
    static void Drain() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            platform::TheMessageBus().ProcessPosted();
        }
    }
    CMapSegEditView& View() { return dialog->EditView(); }

    orvelo::LapDataCore core;
    AppSettings settings;
    NoRegistry registry;
    std::unique_ptr<CCourseMapViewerDlg> dialog;
};

void BenchGenerateSegments(benchmark::State& state) {
    Viewer viewer;
    if (!viewer.View().CourseDrawn())
        state.SkipWithError("the course was not drawn");
    for (auto _ : state) {
        viewer.View().GenerateSegments(CMapSegEditView::kCmdInputSegmentLength, 100);
        platform::TheMessageBus().ProcessPosted();  // the viewer's grid rows
    }
    state.counters["segments"] = viewer.View().SegmentCount();
    state.counters["rows"] = viewer.dialog->Grid().Property(0)->SubItemCount();
}

}  // namespace

BENCHMARK(BenchGenerateSegments)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
