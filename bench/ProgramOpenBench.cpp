// File > Open in the program as its main builds it, offscreen: what the file dialog's OK does with the
// picked file (the read list, LoadPendingLogFiles, then 2000 to the main frame, which fills the lap list
// and the segment list) until the lists are painted. Sessions of every rate at 6, 24 and 96 MB, one hour
// at 400 Hz, and the hostile shapes at 1 and 10 MB. Warm: one program opens and closes the file again
// and again. Fresh: a new process starts the program and opens the file once; it reports the time and
// the memory the open added at its peak (a child that runs past its time limit is ended).
#include "bench/BenchSessions.h"
#include "bench/ProgramUnderBench.h"

#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/Utf8Text.h"
#include "platform/UserMessages.h"
#include "tools/SampleSession.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using benchsessions::SessionFile;

constexpr const char* kFreshOpenOption = "--fresh-open";
constexpr int kFreshSecondsLimit = 60;

// The OK path of the file dialog for one picked log file, then the pictures of the lists.
void OpenAsOkDoes(benchprogram::ProgramUnderBench& program, const fs::path& file)
{
    orvelo::FileListEntry entry;
    entry.fullPath = orvelo::FromUtf8(file.string());
    orvelo::EditLogFileList(program.Core(), orvelo::kFileListAdd, entry);
    orvelo::LoadPendingLogFiles(program.Core(), orvelo::kMapDrawOffsetOff);
    platform::SendMessage(program.Frame().Handle(), platform::UM_LAP_LIST_ALL_VIEW, 0, 0);
    benchprogram::ProgramUnderBench::Drain();
}

// What closing every file in the close dialog does: the core lets them go and the lists are emptied.
void CloseEverything(benchprogram::ProgramUnderBench& program)
{
    for (orvelo::FileListEntry& entry : program.Core().ReadLogFileList)
        entry.closeMark = 1;
    orvelo::CloseMarkedLogFiles(program.Core());
    orvelo::DiscardUnloadedLogFiles(program.Core());
    platform::SendMessage(program.Frame().Handle(), platform::UM_RESET_LAP_LIST, 1, 0);
    benchprogram::ProgramUnderBench::Drain();
}

// In the child: start the program, open the file once, print seconds and peak bytes added.
int RunFreshOpen(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchprogram::ProgramUnderBench program;
    if (!program.Start())
        return 1;
    {
        std::ofstream reset("/proc/self/clear_refs");
        reset << "5";  // the high-water mark starts again at the current size
    }
    const long before = benchsessions::StatusKilobytes("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    OpenAsOkDoes(program, argv[2]);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double peak = double(benchsessions::StatusKilobytes("VmHWM") - before) * 1024.0;
    std::printf("%.6f %.0f\n", seconds, peak);
    std::fflush(stdout);
    std::_Exit(0);  // tearing the program down is not part of the open
}

struct FreshOpen {
    double seconds = -1.0;
    double peakBytes = -1.0;
};

FreshOpen MeasureFreshOpen(const fs::path& file)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {};
    std::string self = "/proc/self/exe";
    std::string option = kFreshOpenOption;
    std::string path = file.string();
    char* argv[] = {self.data(), option.data(), path.data(), nullptr};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(channel[1], STDOUT_FILENO);
        ::close(channel[0]);
        ::close(channel[1]);
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    ::close(channel[1]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kFreshSecondsLimit);
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            ::close(channel[0]);
            return {};
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    char text[128] = {};
    const ssize_t got = ::read(channel[0], text, sizeof text - 1);
    ::close(channel[0]);
    FreshOpen open;
    if (got <= 0 || std::sscanf(text, "%lf %lf", &open.seconds, &open.peakBytes) != 2)
        return {};
    return open;
}

// A file the benchmarks open, written when a benchmark first needs it (a filter runs only some).
struct Input {
    std::string name;
    std::function<SessionFile()> write;
    std::optional<SessionFile> file;
    const SessionFile& File()
    {
        if (!file)
            file = write();
        return *file;
    }
};

void BenchOpen(benchmark::State& state, benchprogram::ProgramUnderBench* program, Input* input)
{
    const SessionFile& session = input->File();
    for (auto _ : state) {
        OpenAsOkDoes(*program, session.file);
        state.PauseTiming();
        CloseEverything(*program);
        state.ResumeTiming();
    }
    benchsessions::CountMegabytesPerSecond(state, double(session.bytes));
    state.counters["file_MB"] = double(session.bytes) / 1e6;
    const FreshOpen fresh = MeasureFreshOpen(session.file);
    state.counters["fresh_MB/s"] = fresh.seconds > 0 ? double(session.bytes) / 1e6 / fresh.seconds : 0.0;
    state.counters["fresh_s"] = fresh.seconds;
    state.counters["peak_x_file"] = fresh.peakBytes / double(session.bytes);
}

// Only the fresh open, for files the warm runs would spend minutes on before they were fast.
void BenchFreshOnly(benchmark::State& state, Input* input)
{
    const SessionFile& session = input->File();
    FreshOpen fresh;
    for (auto _ : state) {
        fresh = MeasureFreshOpen(session.file);
        state.SetIterationTime(fresh.seconds > 0 ? fresh.seconds : kFreshSecondsLimit);
    }
    benchsessions::CountMegabytesPerSecond(state, double(session.bytes));
    state.counters["file_MB"] = double(session.bytes) / 1e6;
    state.counters["peak_x_file"] = fresh.peakBytes / double(session.bytes);
    if (fresh.seconds < 0)
        state.SkipWithError("did not finish within the time limit");
}

std::vector<Input> Sessions(const fs::path& folder)
{
    std::vector<Input> sessions;
    for (const benchsessions::Rate& rate : benchsessions::kLoadRates) {
        for (const std::size_t megabytes : {6, 24, 96}) {
            sessions.push_back({std::to_string(rate.samplesPerSecond) + "Hz/" + std::to_string(megabytes) + "MB",
                                [folder, rate, megabytes] {
                                    return benchsessions::WriteRateSession(folder, rate, megabytes << 20);
                                },
                                {}});
        }
    }
    sessions.push_back({"Hour400Hz",
                        [folder] {
                            return benchsessions::WriteFile(
                                folder, "hour", samplegen::GenerateSession(samplegen::HourAtFullRateOptions()).bytes);
                        },
                        {}});
    return sessions;
}

std::vector<Input> HostileFiles(const fs::path& folder)
{
    std::vector<Input> files;
    for (const samplegen::HostileShape shape : samplegen::AllHostileShapes()) {
        for (const std::size_t megabytes : {1, 10}) {
            const std::string shapeName(samplegen::HostileShapeName(shape));
            files.push_back({shapeName + "/" + std::to_string(megabytes) + "MB",
                             [folder, shape, shapeName, megabytes] {
                                 const std::size_t records = (megabytes << 20) / orvelo::kRecordSize;
                                 return benchsessions::WriteFile(folder, shapeName + "-" + std::to_string(megabytes),
                                                                 samplegen::GenerateHostileRecords(shape, records));
                             },
                             {}});
        }
    }
    return files;
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc >= 3 && std::string(argv[1]) == kFreshOpenOption)
        return RunFreshOpen(argc, argv);
    benchmark::Initialize(&argc, argv);
    const benchsessions::TempFolder temp("orvelo-programopenbench");
    std::vector<Input> sessions = Sessions(temp.Path());
    std::vector<Input> hostile = HostileFiles(temp.Path());
    int appArgc = 1;
    QApplication application(appArgc, argv);
    benchprogram::ProgramUnderBench program;
    if (!program.Start())
        return 1;
    for (Input& session : sessions) {
        benchmark::RegisterBenchmark(("Open/" + session.name).c_str(), BenchOpen, &program, &session)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    }
    for (Input& file : hostile) {
        benchmark::RegisterBenchmark(("Open/" + file.name).c_str(), BenchOpen, &program, &file)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
        benchmark::RegisterBenchmark(("FreshOpen/" + file.name).c_str(), BenchFreshOnly, &file)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(1);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
