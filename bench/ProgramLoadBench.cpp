// Opening one 10 MB log file through the program's own load path (the read list and LoadPendingLogFiles:
// reading, courses and lap statistics) at each sampling rate, first in a bare process and then again
// once a QGuiApplication exists, as inside the running program, there also with the upper halves of
// the vector registers left in use before each load, as the GUI libraries can leave them; and what one
// cosine of the maths library costs as the process finds it, with the upper halves in use, and after
// they are cleared.
#include "bench/BenchSessions.h"
#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/Utf8Text.h"
#include "core/VectorState.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <chrono>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using benchsessions::SessionFile;

constexpr std::size_t kFileBytes = std::size_t{10} << 20;

// What libraries built for AVX can leave behind: the upper half of a vector register in use.
void LeaveUpperHalvesInUse()
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (__builtin_cpu_supports("avx"))
        __asm__ volatile("vpcmpeqd %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
#endif
}

enum class VectorState { AsFound, UpperHalvesInUse, Cleared };

// What the file selection dialog's OK does with one picked file.
void BenchProgramLoad(benchmark::State& state, const SessionFile& session, int mapDrawMode, VectorState before)
{
    const std::u16string path = orvelo::FromUtf8(session.file.string());
    for (auto _ : state) {
        state.PauseTiming();
        auto core = std::make_unique<orvelo::LapDataCore>();
        orvelo::FileListEntry entry;
        entry.fullPath = path;
        orvelo::EditLogFileList(*core, orvelo::kFileListAdd, entry);
        if (before == VectorState::UpperHalvesInUse)
            LeaveUpperHalvesInUse();
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

// A thousand cosines at a time in the vector state asked for.
void BenchCosines(benchmark::State& state, VectorState vectors)
{
    if (vectors != VectorState::AsFound)
        LeaveUpperHalvesInUse();
    if (vectors == VectorState::Cleared)
        orvelo::ClearUpperVectorState();
    double angle = 0.1;
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            benchmark::DoNotOptimize(std::cos(angle));
            angle += 1e-6;
        }
    }
    const std::chrono::duration<double, std::nano> took = std::chrono::steady_clock::now() - start;
    state.counters["ns_per_cos"] = took.count() / (double(state.iterations()) * 1000.0);
}

// The cosines first: each load clears the state they find.
void Register(const std::vector<SessionFile>& sessions, const std::string& process, bool withUpperHalvesInUse)
{
    for (const auto& [name, vectors] : {std::pair{"AsFound", VectorState::AsFound},
                                        std::pair{"UpperHalvesInUse", VectorState::UpperHalvesInUse},
                                        std::pair{"Cleared", VectorState::Cleared}})
        benchmark::RegisterBenchmark(("Cosines/" + process + "/" + name).c_str(), BenchCosines, vectors);
    for (const SessionFile& session : sessions) {
        for (const auto& [modeName, mode] : {std::pair{"OffsetOff", orvelo::kMapDrawOffsetOff},
                                             std::pair{"Gps", orvelo::kMapDrawGps}}) {
            const std::string name = "ProgramLoad/" + session.name + "/" + modeName + "/" + process;
            benchmark::RegisterBenchmark(name.c_str(), BenchProgramLoad, session, mode, VectorState::AsFound)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            if (withUpperHalvesInUse) {
                benchmark::RegisterBenchmark((name + "/UpperHalvesInUse").c_str(), BenchProgramLoad, session, mode,
                                             VectorState::UpperHalvesInUse)
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
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
    Register(sessions, "Bare", false);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::ClearRegisteredBenchmarks();
    {
        // From here on the process is in the state the running program is in.
        int appArgc = 1;
        QGuiApplication application(appArgc, argv);
        Register(sessions, "QGuiApplication", true);
        benchmark::RunSpecifiedBenchmarks(&reporter);
    }
    benchmark::Shutdown();
    return 0;
}
