// Loading a generated one-hour session with its courses and lap statistics, as the load driver does,
// against reading alone and against course building and statistics alone.
#include "core/CourseBuilder.h"
#include "core/LapDataCore.h"
#include "core/LapStatistics.h"
#include "core/LogFileReader.h"
#include "core/Utf8Text.h"
#include "tools/SampleSession.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct HourSession {
    fs::path file;
    std::size_t bytes = 0;
};

// One hour at rate mode 3 with 400 samples a second, GPS on every position record.
HourSession WriteHourSession(const fs::path& folder)
{
    const samplegen::SessionOptions options = samplegen::HourAtFullRateOptions();
    const samplegen::Session session = samplegen::GenerateSession(options);
    HourSession hour{folder / "hour.dat", session.bytes.size()};
    if (session.bytes.empty() || !samplegen::WriteBytes(hour.file.string(), session.bytes)) {
        std::fprintf(stderr, "cannot write %s\n", hour.file.c_str());
        std::exit(1);
    }
    return hour;
}

void Read(orvelo::LapDataCore& core, const HourSession& hour)
{
    if (orvelo::ReadLogFile(core, orvelo::FromUtf8(hour.file.string())) != 0) {
        std::fprintf(stderr, "cannot load %s\n", hour.file.c_str());
        std::exit(1);
    }
}

void CourseAndStatistics(orvelo::LapDataCore& core, int mapDrawMode)
{
    orvelo::LogFile& file = core.LogFiles.back();
    benchmark::DoNotOptimize(orvelo::BuildLapAnalysis(core, file, mapDrawMode));
    orvelo::ComputeLapStatistics(file);
}

// Read, courses and statistics: what loading one log file costs.
void BenchLoadWithCourses(benchmark::State& state, const HourSession& hour, int mapDrawMode)
{
    for (auto _ : state) {
        orvelo::LapDataCore core;
        Read(core, hour);
        CourseAndStatistics(core, mapDrawMode);
        state.PauseTiming();
        core = orvelo::LapDataCore(); // freeing the model is not part of the load
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * hour.bytes));
    state.counters["file_MB"] = double(hour.bytes) / 1e6;
}

// Courses and statistics alone, on a file read once.
void BenchCoursesOnly(benchmark::State& state, const HourSession& hour, int mapDrawMode)
{
    orvelo::LapDataCore core;
    Read(core, hour);
    for (auto _ : state)
        CourseAndStatistics(core, mapDrawMode);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * hour.bytes));
    int courses = 0;
    int withStatistics = 0;
    std::size_t samples = 0;
    std::size_t positions = 0;
    for (const orvelo::Lap& lap : core.LogFiles.back().laps) {
        courses += lap.analysisItems.empty() ? 0 : 1;
        withStatistics += lap.sampleTimeSum > 0 ? 1 : 0;
        samples += lap.samples.size();
        positions += lap.positions.size();
    }
    state.counters["laps"] = double(core.LogFiles.back().laps.size());
    state.counters["courses"] = courses;
    state.counters["laps_with_statistics"] = withStatistics;
    state.counters["samples"] = double(samples);
    state.counters["positions"] = double(positions);
}

// At 400 samples a second most time steps are 0, so most laps end their sample time sum at once
// and get no extremes: this takes the extremes and peaks of every lap, the most statistics can cost.
void BenchEveryLapExtremes(benchmark::State& state, const HourSession& hour)
{
    orvelo::LapDataCore core;
    Read(core, hour);
    for (auto _ : state) {
        for (orvelo::Lap& lap : core.LogFiles.back().laps) {
            benchmark::DoNotOptimize(orvelo::RecomputeSampleTimes(lap));
            orvelo::ComputeChannelExtremes(lap);
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * hour.bytes));
}

void BenchReadOnly(benchmark::State& state, const HourSession& hour)
{
    for (auto _ : state) {
        orvelo::LapDataCore core;
        Read(core, hour);
        state.PauseTiming();
        core = orvelo::LapDataCore();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * hour.bytes));
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    std::string pattern = (fs::temp_directory_path() / "orvelo-coursebench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return 1;
    const fs::path folder = pattern;
    const HourSession hour = WriteHourSession(folder);

    for (const auto& [name, mode] : {std::pair{"Gps", orvelo::kMapDrawGps},
                                     std::pair{"OffsetOn", orvelo::kMapDrawOffsetOn}}) {
        const std::string suffix = std::string("/") + name;
        benchmark::RegisterBenchmark(("LoadHourWithCourses" + suffix).c_str(), BenchLoadWithCourses, hour, mode)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark(("CoursesAndStatisticsHour" + suffix).c_str(), BenchCoursesOnly, hour, mode)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("EveryLapExtremesHour", BenchEveryLapExtremes, hour)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("ReadHour", BenchReadOnly, hour)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
