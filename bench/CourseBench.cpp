// Courses and lap statistics of a read log file at every sampling-rate mode, against reading alone and
// against reading with them. Each pass counts the bytes of the records it went through: a course goes
// through the position records of its lap, the statistics through the sample records of the laps that
// get them (at 400 samples a second that is almost none: a lap's first time step is 0 there, and the
// sample time sum stops at the first zero step), the extremes of every lap through every sample record.
#include "bench/BenchSessions.h"
#include "core/CourseBuilder.h"
#include "core/LapDataCore.h"
#include "core/LapStatistics.h"
#include "core/LogFileReader.h"
#include "core/Utf8Text.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using benchsessions::SessionFile;

constexpr std::size_t kFileBytes = std::size_t{10} << 20;

void Read(orvelo::LapDataCore& core, const SessionFile& session)
{
    if (orvelo::ReadLogFile(core, orvelo::FromUtf8(session.file.string())) != 0) {
        std::fprintf(stderr, "cannot load %s\n", session.file.c_str());
        std::exit(1);
    }
}

void CourseAndStatistics(orvelo::LapDataCore& core, int mapDrawMode)
{
    orvelo::LogFile& file = core.LogFiles.back();
    benchmark::DoNotOptimize(orvelo::BuildLapAnalysis(core, file, mapDrawMode));
    orvelo::ComputeLapStatistics(file);
}

// Read, courses and statistics: what loading one log file costs; every byte of the file is read.
void BenchLoadWithCourses(benchmark::State& state, const SessionFile& session, int mapDrawMode)
{
    for (auto _ : state) {
        orvelo::LapDataCore core;
        Read(core, session);
        CourseAndStatistics(core, mapDrawMode);
        state.PauseTiming();
        core = orvelo::LapDataCore(); // freeing the model is not part of the load
        state.ResumeTiming();
    }
    benchsessions::CountMegabytesPerSecond(state, double(session.bytes));
}

// Courses and statistics alone, on a file read once.
void BenchCoursesOnly(benchmark::State& state, const SessionFile& session, int mapDrawMode)
{
    orvelo::LapDataCore core;
    Read(core, session);
    for (auto _ : state)
        CourseAndStatistics(core, mapDrawMode);
    int courses = 0;
    int withStatistics = 0;
    std::size_t recordsGoneThrough = 0;
    for (const orvelo::Lap& lap : core.LogFiles.back().laps) {
        if (!lap.analysisItems.empty()) {
            ++courses;
            recordsGoneThrough += lap.positions.size();
        }
        if (!lap.samples.empty()) { // a lap without a sample time sum still has its extremes
            ++withStatistics;
            recordsGoneThrough += lap.samples.size();
        }
    }
    benchsessions::CountMegabytesPerSecond(state, double(recordsGoneThrough * orvelo::kRecordSize));
    state.counters["laps"] = double(core.LogFiles.back().laps.size());
    state.counters["courses"] = courses;
    state.counters["with_statistics"] = withStatistics;
}

// The extremes and peaks of every lap, whatever its time steps: the most statistics can cost.
void BenchEveryLapExtremes(benchmark::State& state, const SessionFile& session)
{
    orvelo::LapDataCore core;
    Read(core, session);
    std::size_t samples = 0;
    for (const orvelo::Lap& lap : core.LogFiles.back().laps)
        samples += lap.samples.size();
    for (auto _ : state) {
        for (orvelo::Lap& lap : core.LogFiles.back().laps) {
            benchmark::DoNotOptimize(orvelo::RecomputeSampleTimes(lap));
            orvelo::ComputeChannelExtremes(lap);
        }
    }
    benchsessions::CountMegabytesPerSecond(state, double(samples * orvelo::kRecordSize));
}

void BenchReadOnly(benchmark::State& state, const SessionFile& session)
{
    for (auto _ : state) {
        orvelo::LapDataCore core;
        Read(core, session);
        state.PauseTiming();
        core = orvelo::LapDataCore();
        state.ResumeTiming();
    }
    benchsessions::CountMegabytesPerSecond(state, double(session.bytes));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const benchsessions::TempFolder folder("orvelo-coursebench");
    std::vector<SessionFile> sessions;
    for (const benchsessions::Rate& rate : benchsessions::kEveryRateMode) {
        sessions.push_back(benchsessions::WriteRateSession(folder.Path(), rate, kFileBytes));
        sessions.back().name = benchsessions::RateName(rate);
    }
    const auto add = [](const std::string& name, auto&&... arguments) {
        benchmark::RegisterBenchmark(name.c_str(), arguments...)->Unit(benchmark::kMillisecond)->UseRealTime();
    };
    for (const SessionFile& session : sessions) {
        for (const auto& [modeName, mode] : {std::pair{"Gps", orvelo::kMapDrawGps},
                                             std::pair{"OffsetOn", orvelo::kMapDrawOffsetOn}}) {
            const std::string suffix = "/" + session.name + "/" + modeName;
            add("LoadWithCourses" + suffix, BenchLoadWithCourses, session, mode);
            add("CoursesAndStatistics" + suffix, BenchCoursesOnly, session, mode);
        }
        add("EveryLapExtremes/" + session.name, BenchEveryLapExtremes, session);
        add("Read/" + session.name, BenchReadOnly, session);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
