// What the benchmarks share: generated sessions in a temporary folder, one per sampling rate, and the
// throughput counter in MB/s (10^6 bytes) of the bytes a timed pass really went through.
#pragma once

#include "core/LogRecord.h"
#include "tools/SampleSession.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace benchsessions {

namespace fs = std::filesystem;

// A folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    explicit TempFolder(const std::string& name)
    {
        std::string pattern = (fs::temp_directory_path() / (name + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

struct SessionFile {
    std::string name;
    fs::path file;
    std::size_t bytes = 0;
};

inline SessionFile WriteFile(const fs::path& folder, const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    SessionFile written{name, folder / (name + ".dat"), bytes.size()};
    if (bytes.empty() || !samplegen::WriteBytes(written.file.string(), bytes)) {
        std::fprintf(stderr, "cannot write %s\n", written.file.c_str());
        std::exit(1);
    }
    return written;
}

// Samples a second with their rate mode.
struct Rate {
    int samplesPerSecond;
    int rateMode;
};

// The rates the program's load is measured at: 4 Hz is the most position-heavy file, 400 Hz the least.
inline const std::vector<Rate> kLoadRates = {{4, 2}, {25, 1}, {100, 0}, {400, 3}};

// One session per rate mode at its usual sample rate (every time step at least 1/100 s, so that every
// lap gets statistics), and rate mode 3 at 400 samples a second as well: three time steps in four are
// 0 there, and the statistics stop at a lap's first zero step, which is its first sample.
inline const std::vector<Rate> kEveryRateMode = {{100, 0}, {25, 1}, {4, 2}, {100, 3}, {400, 3}};

inline std::string RateName(const Rate& rate)
{
    return std::to_string(rate.samplesPerSecond) + "Hz/mode" + std::to_string(rate.rateMode);
}

// About `bytes` of GPS laps at the rate: records a second are the samples and 10 fixes (20 in mode 3).
inline SessionFile WriteRateSession(const fs::path& folder, const Rate& rate, std::size_t bytes)
{
    samplegen::SessionOptions options;
    options.seed = 40 + static_cast<std::uint64_t>(rate.samplesPerSecond + rate.rateMode);
    options.rateMode = rate.rateMode;
    options.samplesPerSecond = rate.samplesPerSecond;
    const double recordsPerSecond = rate.samplesPerSecond + (rate.rateMode == 3 ? 20.0 : 10.0);
    options.durationSeconds = double(bytes) / (recordsPerSecond * double(orvelo::kRecordSize));
    const std::string name = "rate" + std::to_string(rate.samplesPerSecond) + "mode" + std::to_string(rate.rateMode);
    return WriteFile(folder, name, samplegen::GenerateSession(options).bytes);
}

// A field of /proc/self/status in kB (VmRSS, VmHWM); -1 when it is not there.
inline long StatusKilobytes(const char* field)
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

// Throughput in MB/s (10^6 bytes a second) of the bytes one iteration went through.
inline void CountMegabytesPerSecond(benchmark::State& state, double bytesPerIteration)
{
    state.counters["MB/s"] =
        benchmark::Counter(bytesPerIteration / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace benchsessions
