// Loading generated log files into the lap data core, against merely reading their bytes.
// Sessions are generated once into a temporary folder; peak memory is measured in a child process.
#include "core/LapDataCore.h"
#include "core/LogFileReader.h"
#include "core/Utf8Text.h"
#include "tools/SampleSession.h"

#include <benchmark/benchmark.h>

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
};

fs::path WriteSession(const fs::path& folder, const std::string& name, const samplegen::SessionOptions& options)
{
    const samplegen::Session session = samplegen::GenerateSession(options);
    const fs::path path = folder / name;
    if (session.bytes.empty() || !samplegen::WriteBytes(path.string(), session.bytes)) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

// One hour at rate mode 3 with 400 samples a second.
FileSetToLoad MakeHourSession(const fs::path& folder)
{
    const samplegen::SessionOptions options = samplegen::HourAtFullRateOptions();
    FileSetToLoad set;
    set.files.push_back(WriteSession(folder, "hour.dat", options));
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
        set.files.push_back(WriteSession(folder, "set" + std::to_string(k) + ".dat", options));
        set.bytes += fs::file_size(set.files.back());
    }
    return set;
}

void LoadAll(orvelo::LapDataCore& core, const FileSetToLoad& set)
{
    for (const fs::path& file : set.files) {
        if (orvelo::ReadLogFile(core, orvelo::FromUtf8(file.string())) != 0) {
            std::fprintf(stderr, "cannot load %s\n", file.c_str());
            std::exit(1);
        }
    }
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

long StatusKilobytes(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.rfind(prefix, 0) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    }
    return -1;
}

struct FreshLoad {
    double peakBytes = -1.0; // resident memory the load added at its peak
    double seconds = -1.0;   // including the page faults of memory the process never had
};

constexpr const char* kFreshLoadOption = "--fresh-load";

// Run inside a new process (this program started again with kFreshLoadOption): one load, reported
// on the standard output as seconds and peak bytes.
int RunFreshLoad(int fileCount, char** files)
{
    FileSetToLoad set;
    for (int k = 0; k < fileCount; ++k)
        set.files.emplace_back(files[k]);
    {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5"; // restart the high-water mark at the current size
    }
    const long before = StatusKilobytes("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    orvelo::LapDataCore core;
    LoadAll(core, set);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double peak = double(StatusKilobytes("VmHWM") - before) * 1024.0;
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
    std::vector<std::string> arguments = {"/proc/self/exe", kFreshLoadOption};
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
        LoadAll(core, set);
        benchmark::DoNotOptimize(core.LogFiles.back().laps.size());
        state.PauseTiming();
        modelBytes = ModelBytes(core);
        core = orvelo::LapDataCore(); // freeing the model is not part of the load
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * set.bytes));
    const FreshLoad fresh = MeasureFreshLoad(set);
    state.counters["file_MB"] = double(set.bytes) / 1e6;
    state.counters["files"] = double(set.files.size());
    state.counters["fresh_MB/s"] = double(set.bytes) / 1e6 / fresh.seconds;
    state.counters["peak_MB"] = fresh.peakBytes / 1e6;
    state.counters["peak_x_file"] = fresh.peakBytes / double(set.bytes);
    state.counters["model_x_file"] = double(modelBytes) / double(set.bytes);
}

// Reading the same bytes into memory in large blocks, with no decoding.
void BenchReadBytes(benchmark::State& state, const FileSetToLoad& set)
{
    for (auto _ : state) {
        for (const fs::path& file : set.files) {
            const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
            std::vector<std::uint8_t> bytes(fs::file_size(file));
            std::size_t filled = 0;
            while (filled < bytes.size()) {
                const ssize_t got =
                    ::read(fd, bytes.data() + filled, std::min<std::size_t>(bytes.size() - filled, 4 << 20));
                if (got <= 0)
                    break;
                filled += static_cast<std::size_t>(got);
            }
            ::close(fd);
            benchmark::DoNotOptimize(bytes.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * set.bytes));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::string(argv[1]) == kFreshLoadOption)
        return RunFreshLoad(argc - 2, argv + 2);
    benchmark::Initialize(&argc, argv);
    std::string pattern = (fs::temp_directory_path() / "orvelo-loadbench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        return 1;
    const fs::path folder = pattern;
    const FileSetToLoad hour = MakeHourSession(folder);
    const FileSetToLoad sessionSet = MakeSessionSet(folder);

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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
