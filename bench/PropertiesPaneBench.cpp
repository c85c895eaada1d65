// The properties pane: one cursor move of seven compared laps, as the graph pane posts it (for each
// lap a channel value, the distance with its disc on the small map, the lap time; the map composed
// once all discs moved), with and without the grids and the map painting what changed.
#include "properties/CPropertiesWnd.h"

#include "coursemap/CMapView.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/RegistryMemoryBackend.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"
#include "tools/SampleSession.h"

#include "bench/QtBenchmarkMain.h"
#include "bench/ShownPropertiesPane.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kComparedLaps = 7;

// A session of eight laps, lap 1 drawn on the map and compared with laps 2 to 7, in a shown pane
// whose lap overview shows RPM.
struct Setup {
    Setup() : settings(std::make_unique<platform::RegistryMemoryBackend>()) {
        settings.Store().CreateSettingsKeys();
        settings.Colors().InitChannelColorTables();
        orvelo::InitDataCore(core);
        samplegen::SessionOptions options;
        options.laps = 8;
        options.circuitLength = 1200.0;
        const QString path = dir.filePath(QStringLiteral("session.dat"));
        samplegen::WriteBytes(path.toStdString(), samplegen::GenerateSession(options).bytes);
        orvelo::FileListEntry entry;
        entry.fullPath = path.toStdU16String();
        orvelo::EditLogFileList(core, orvelo::kFileListAdd, entry);
        orvelo::LoadPendingLogFiles(core, 3);
        const orvelo::LogFile& file = core.LogFiles[0];
        orvelo::SetBaseLap(core, file.fullPath, orvelo::FormatLapNumber(file.laps[0].lapNumber));
        for (int lap = 1; lap < kComparedLaps; ++lap)
            orvelo::ToggleOverlayLap(core, file.fullPath, orvelo::FormatLapNumber(file.laps[static_cast<std::size_t>(lap)].lapNumber));

        pane = benchpane::ShownPane(core, settings, 700, kComparedLaps);
        platform::SendMessage(pane->Handle(), platform::UM_RESET_PROPERTY_CHANNEL_LIST, kComparedLaps, 0x1);
        Settle();
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            platform::TheMessageBus().ProcessPosted();
        }
    }
    // One cursor move: each lap's values at its position some way into the lap.
    void PostCursorMove(std::size_t step) {
        const orvelo::LogFile& file = core.LogFiles[0];
        for (int lap = 0; lap < kComparedLaps; ++lap) {
            const orvelo::Lap& l = file.laps[static_cast<std::size_t>(lap)];
            const orvelo::PositionRec& at = l.positions[step % l.positions.size()];
            const platform::LParam lapAndRow = platform::MakeLong(l.lapNumber, static_cast<std::uint32_t>(lap));
            platform::PostMessage(pane->Handle(), platform::UM_SET_RPM_DATA_VALUE, at.rpm, lapAndRow);
            platform::PostMessage(pane->Handle(), platform::UM_SET_DISTANCE_VALUE, at.runningDistance, lapAndRow);
            platform::PostMessage(pane->Handle(), platform::UM_SET_LAP_TIME_VALUE, at.time, lapAndRow);
        }
    }

    QTemporaryDir dir;
    AppSettings settings;
    orvelo::LapDataCore core;
    std::unique_ptr<CPropertiesWnd> pane;
};

void BenchCursorMoveMessages(benchmark::State& state) {
    Setup setup;
    std::size_t step = 0;
    for (auto _ : state) {
        setup.PostCursorMove(step += 7);
        platform::TheMessageBus().ProcessPosted();
    }
    state.counters["marks"] = static_cast<double>(setup.pane->Map().Drawing().Marks().Layers().size());
}

void BenchCursorMoveWithPaint(benchmark::State& state) {
    Setup setup;
    std::size_t step = 0;
    for (auto _ : state) {
        setup.PostCursorMove(step += 7);
        platform::TheMessageBus().ProcessPosted();
        QCoreApplication::processEvents();
    }
}

}  // namespace

BENCHMARK(BenchCursorMoveMessages)->Unit(benchmark::kMicrosecond);
BENCHMARK(BenchCursorMoveWithPaint)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
