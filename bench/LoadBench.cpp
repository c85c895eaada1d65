// Loading generated log files into the lap data core, against merely reading their bytes, and the
// memory a load holds at its peak for sessions and for files made to hold the most for each byte
// (as log files and as course-map files, at 64 KB, 1 MB and 10 MB). Sessions are generated once
// into a temporary folder; peak memory is measured in a child process that loads through the
// program's load path (read list, LoadPendingLogFiles / LoadPendingMapFiles: courses and statistics
// included).
#include "bench/BenchSessions.h"
#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LogFileReader.h"
#include "core/Utf8Text.h"
#include "tools/SampleSession.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct FileSetToLoad {
    std::vector<fs::path> files;
    std::size_t bytes = 0;
    bool mapFiles = false;
};

fs::path WriteSession(const fs::path& folder, const std::string& name, const samplegen::SessionOptions& options)
{
    return benchsessions::WriteFile(folder, name, samplegen::GenerateSession(options).bytes).file;
}

// One hour at rate mode 3 with 400 samples a second.
FileSetToLoad MakeHourSession(const fs::path& folder)
{
    const samplegen::SessionOptions options = samplegen::HourAtFullRateOptions();
    FileSetToLoad set;
    set.files.push_back(WriteSession(folder, "hour", options));
    set.bytes = fs::file_size(set.files.back());
    return set;
}

// Sessions of every rate mode until at least 100 MB are written.
FileSetToLoad MakeSessionSet(const fs::path& folder)
{
    FileSetToLoad set;
    for (int k = 0; set.bytes < (std::size_t{100} << 20); ++k) {
        samplegen::SessionOptions options;
        options.seed = 100 + static_cast<std::uint64_t>(k);
        options.rateMode = k % 4;
        options.samplesPerSecond = options.rateMode == 3 ? 400 : 0;
        options.durationSeconds = options.rateMode == 3 ? 900.0 : 1800.0;
        options.circuit = static_cast<samplegen::CircuitShape>(k % 3);
        set.files.push_back(WriteSession(folder, "set" + std::to_string(k), options));
        set.bytes += fs::file_size(set.files.back());
    }
    return set;
}

// Files of each hostile shape at 64 KB, 1 MB and 10 MB, as log files and as course-map files.
std::vector<std::pair<std::string, FileSetToLoad>> MakeHostileSets(const fs::path& folder)
{
    std::vector<std::pair<std::string, FileSetToLoad>> sets;
    for (const samplegen::HostileShape shape : samplegen::AllHostileShapes()) {
        for (const auto& [sizeName, bytes] : {std::pair{"64KB", std::size_t{64} << 10},
                                              std::pair{"1MB", std::size_t{1} << 20},
                                              std::pair{"10MB", std::size_t{10} << 20}}) {
            const std::string name = std::string(samplegen::HostileShapeName(shape)) + "/" + sizeName;
            const auto file = benchsessions::WriteFile(
                folder, std::string(samplegen::HostileShapeName(shape)) + sizeName,
                samplegen::GenerateHostileRecords(shape, bytes / orvelo::kRecordSize));
            for (const bool map : {false, true})
                sets.emplace_back((map ? "Map/" : "Log/") + name, FileSetToLoad{{file.file}, file.bytes, map});
        }
    }
    return sets;
}

// Bytes the loaded model holds in its containers (elements only, no container overhead).
std::size_t ModelBytes(const orvelo::LapDataCore& core)
{
    std::size_t bytes = 0;
    for (const orvelo::LogFile& file : core.LogFiles) {
        for (const auto* laps : {&file.laps, &file.trailingLaps}) {
            for (const orvelo::Lap& lap : *laps) {
                bytes += sizeof(orvelo::Lap) + lap.records.size() * sizeof(orvelo::LogRecord) +
                         lap.samples.size() * sizeof(orvelo::SampleRec) +
                         lap.positions.size() * sizeof(orvelo::PositionRec);
            }
        }
    }
    return bytes;
}

struct FreshLoad {
    double peakBytes = -1.0; // resident memory the load added at its peak
    double seconds = -1.0;   // including the page faults of memory the process never had
};

constexpr const char* kFreshLoadOption = "--fresh-load";
constexpr const char* kFreshMapLoadOption = "--fresh-map-load";

// Every file of the set listed and loaded as the file selection dialog's OK does; the files that
// failed. Hostile files may fail (a log file in which no lap is closed); what matters of them is what
// the load held.
int LoadThroughTheProgram(orvelo::LapDataCore& core, const FileSetToLoad& set)
{
    for (const fs::path& file : set.files) {
        orvelo::FileListEntry entry;
        entry.fullPath = orvelo::FromUtf8(file.string());
        set.mapFiles ? orvelo::EditMapFileList(core, orvelo::kFileListAdd, entry)
                     : orvelo::EditLogFileList(core, orvelo::kFileListAdd, entry);
    }
    return set.mapFiles ? orvelo::LoadPendingMapFiles(core, orvelo::kMapDrawOffsetOff)
                        : orvelo::LoadPendingLogFiles(core, orvelo::kMapDrawOffsetOff);
}

// Run inside a new process (this program started again with kFreshLoadOption or kFreshMapLoadOption):
// one load, reported on the standard output as seconds and peak bytes.
int RunFreshLoad(bool mapFiles, int fileCount, char** files)
{
    FileSetToLoad set;
    set.mapFiles = mapFiles;
    for (int k = 0; k < fileCount; ++k)
        set.files.emplace_back(files[k]);
    {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5"; // restart the high-water mark at the current size
    }
    const long before = benchsessions::StatusKilobytes("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    orvelo::LapDataCore core;
    LoadThroughTheProgram(core, set);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double peak = double(benchsessions::StatusKilobytes("VmHWM") - before) * 1024.0;
    std::printf("%.6f %.0f\n", seconds, peak);
    return 0;
}

// One load in a new process, so that nothing this process allocated before (or keeps in its
// heap) hides or inflates the peak or the time.
FreshLoad MeasureFreshLoad(const FileSetToLoad& set)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return FreshLoad{};
    std::vector<std::string> arguments = {"/proc/self/exe", set.mapFiles ? kFreshMapLoadOption : kFreshLoadOption};
    for (const fs::path& file : set.files)
        arguments.push_back(file.string());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(channel[1], STDOUT_FILENO);
        ::close(channel[0]);
        ::close(channel[1]);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(channel[1]);
    char text[128] = {};
    std::size_t filled = 0;
    for (ssize_t got = 0; filled + 1 < sizeof text; filled += static_cast<std::size_t>(got)) {
        got = ::read(channel[0], text + filled, sizeof text - 1 - filled);
        if (got <= 0)
            break;
    }
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    FreshLoad load;
    if (std::sscanf(text, "%lf %lf", &load.seconds, &load.peakBytes) != 2)
        return FreshLoad{};
    return load;
}

void BenchLoad(benchmark::State& state, const FileSetToLoad& set)
{
    std::size_t modelBytes = 0;
    for (auto _ : state) {
        orvelo::LapDataCore core;
        if (LoadThroughTheProgram(core, set) != 0) {
            state.SkipWithError("a file did not load");
            break;
        }
        state.PauseTiming();
        modelBytes = ModelBytes(core);
        core = orvelo::LapDataCore(); // freeing the model is not part of the load
        state.ResumeTiming();
    }
    benchsessions::CountMegabytesPerSecond(state, double(set.bytes));
    const FreshLoad fresh = MeasureFreshLoad(set);
    state.counters["file_MB"] = double(set.bytes) / 1e6;
    state.counters["files"] = double(set.files.size());
    state.counters["fresh_MB/s"] = double(set.bytes) / 1e6 / fresh.seconds;
    state.counters["peak_MB"] = fresh.peakBytes / 1e6;
    state.counters["peak_x_file"] = fresh.peakBytes / double(set.bytes);
    state.counters["model_x_file"] = double(modelBytes) / double(set.bytes);
}

// Reading the same bytes in large blocks into one buffer, allocated and touched before the timing
// (a load's own buffers are warm after its first run too), with no decoding.
void BenchReadBytes(benchmark::State& state, const FileSetToLoad& set)
{
    std::size_t largest = 0;
    for (const fs::path& file : set.files)
        largest = std::max<std::size_t>(largest, fs::file_size(file));
    std::vector<std::uint8_t> bytes(largest);
    for (auto _ : state) {
        for (const fs::path& file : set.files) {
            const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            const std::size_t size = fs::file_size(file);
            std::size_t filled = 0;
            while (filled < size) {
                const ssize_t got = ::read(fd, bytes.data() + filled, std::min<std::size_t>(size - filled, 4 << 20));
                if (got <= 0)
                    break;
                filled += static_cast<std::size_t>(got);
            }
            ::close(fd);
            benchmark::DoNotOptimize(bytes.data());
        }
    }
    benchsessions::CountMegabytesPerSecond(state, double(set.bytes));
}

// One load of a hostile file in a fresh process: its time and the memory it held at its peak.
void BenchPeakMemory(benchmark::State& state, const FileSetToLoad& set)
{
    FreshLoad fresh;
    for (auto _ : state) {
        fresh = MeasureFreshLoad(set);
        state.SetIterationTime(fresh.seconds);
    }
    benchsessions::CountMegabytesPerSecond(state, double(set.bytes));
    state.counters["file_MB"] = double(set.bytes) / 1e6;
    state.counters["peak_MB"] = fresh.peakBytes / 1e6;
    state.counters["peak_x_file"] = fresh.peakBytes / double(set.bytes);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (std::string(argv[1]) == kFreshLoadOption || std::string(argv[1]) == kFreshMapLoadOption))
        return RunFreshLoad(std::string(argv[1]) == kFreshMapLoadOption, argc - 2, argv + 2);
    benchmark::Initialize(&argc, argv);
    const benchsessions::TempFolder temp("orvelo-loadbench");
    const fs::path& folder = temp.Path();
    const FileSetToLoad hour = MakeHourSession(folder);
    const FileSetToLoad sessionSet = MakeSessionSet(folder);
    const auto hostile = MakeHostileSets(folder);

    benchmark::RegisterBenchmark("LoadHourSession", BenchLoad, hour)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("ReadBytesHourSession", BenchReadBytes, hour)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("LoadSessionSet", BenchLoad, sessionSet)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("ReadBytesSessionSet", BenchReadBytes, sessionSet)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    for (const auto& [name, set] : hostile) {
        benchmark::RegisterBenchmark(("PeakMemory/" + name).c_str(), BenchPeakMemory, set)
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
