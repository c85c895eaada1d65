// Opening one 10 MB log file through the program's own load path (the read list and LoadPendingLogFiles:
// reading, courses and lap statistics) at each sampling rate, first in a bare process and then again
// once a QGuiApplication exists, as inside the running program; and what one cosine of the maths
// library costs in each, as the process finds it and after the upper halves of the vector registers
// are cleared.
#include "bench/BenchSessions.h"
#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/Utf8Text.h"
#include "core/VectorState.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using benchsessions::SessionFile;

constexpr std::size_t kFileBytes = std::size_t{10} << 20;

// What the file selection dialog's OK does with one picked file.
void BenchProgramLoad(benchmark::State& state, const SessionFile& session, int mapDrawMode)
{
    const std::u16string path = orvelo::FromUtf8(session.file.string());
    for (auto _ : state) {
        state.PauseTiming();
        auto core = std::make_unique<orvelo::LapDataCore>();
        orvelo::FileListEntry entry;
        entry.fullPath = path;
        orvelo::EditLogFileList(*core, orvelo::kFileListAdd, entry);
        state.ResumeTiming();
        if (orvelo::LoadPendingLogFiles(*core, mapDrawMode) != 0) {
            state.SkipWithError("the file did not load");
            break;
        }
        state.PauseTiming();
        core.reset(); // freeing the model is not part of the load
        state.ResumeTiming();
    }
    benchsessions::CountMegabytesPerSecond(state, double(session.bytes));
}

// A thousand cosines in the state the process is in (cleared first when asked).
void BenchCosines(benchmark::State& state, bool clearFirst)
{
    if (clearFirst)
        orvelo::ClearUpperVectorState();
    double angle = 0.1;
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            benchmark::DoNotOptimize(std::cos(angle));
            angle += 1e-6;
        }
    }
    // Seconds per iteration over 10^-6: nanoseconds for each of the thousand cosines.
    state.counters["ns_per_cos"] =
        benchmark::Counter(1e-6, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The cosines first: each load clears the state they measure.
void Register(const std::vector<SessionFile>& sessions, const std::string& process)
{
    benchmark::RegisterBenchmark(("Cosines/" + process + "/AsFound").c_str(), BenchCosines, false);
    benchmark::RegisterBenchmark(("Cosines/" + process + "/Cleared").c_str(), BenchCosines, true);
    for (const SessionFile& session : sessions) {
        for (const auto& [modeName, mode] : {std::pair{"OffsetOff", orvelo::kMapDrawOffsetOff},
                                             std::pair{"Gps", orvelo::kMapDrawGps}}) {
            const std::string name = "ProgramLoad/" + session.name + "/" + modeName + "/" + process;
            benchmark::RegisterBenchmark(name.c_str(), BenchProgramLoad, session, mode)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const benchsessions::TempFolder folder("orvelo-programloadbench");
    std::vector<SessionFile> sessions;
    for (const benchsessions::Rate& rate : benchsessions::kLoadRates) {
        sessions.push_back(benchsessions::WriteRateSession(folder.Path(), rate, kFileBytes));
        sessions.back().name = std::to_string(rate.samplesPerSecond) + "Hz";
    }

    // One reporter for both runs: the library's default one does not survive its first run.
    benchmark::ConsoleReporter reporter;
    Register(sessions, "Bare");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::ClearRegisteredBenchmarks();
    {
        // From here on the process is in the state the running program is in.
        int appArgc = 1;
        QGuiApplication application(appArgc, argv);
        Register(sessions, "QGuiApplication");
        benchmark::RunSpecifiedBenchmarks(&reporter);
    }
    benchmark::Shutdown();
    return 0;
}
