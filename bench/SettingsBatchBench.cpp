// Writing then deleting n settings values on the real settings file in a temporary folder: each
// of the two steps as one batch (one save each), against one save per value.
#include "platform/RegistryFileBackend.h"
#include "settings/AppSettings.h"
#include "settings/SettingsBatch.h"
#include "settings/SettingsDefaults.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace {

// A graph window's stored record is 40 bytes.
constexpr std::array<char, 40> kRecord{"layout of one graph window record"};

void WriteThenDelete(benchmark::State& state, bool batched) {
    QTemporaryDir folder;
    AppSettings settings(std::make_unique<platform::RegistryFileBackend>(folder.path()));
    SettingsStore& store = settings.Store();
    if (!folder.isValid() || store.CreateSettingsKeys() != 0) {
        std::fprintf(stderr, "cannot write settings in a temporary folder\n");
        std::exit(1);
    }
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    std::vector<QString> names;
    for (int i = 0; i < state.range(0); ++i)
        names.push_back(QStringLiteral("WorkArea_Window_Prop_%1_%2").arg(i / 10 + 1).arg(i % 10 + 1));
    int failures = 0;
    for (auto _ : state) {
        std::optional<SettingsBatch> batch;
        if (batched)
            batch.emplace(store);
        for (const QString& name : names)
            failures += store.RegWriteBinary(key, name, kRecord.data(), kRecord.size());
        if (batch) {
            failures += batch->End();
            batch.reset();
            batch.emplace(store);
        }
        for (const QString& name : names)
            failures += store.RegDeleteValues(key, name);
        if (batch)
            failures += batch->End();
    }
    if (failures != 0)
        state.SkipWithError("a settings write failed");
    state.counters["per value"] =
        benchmark::Counter(static_cast<double>(names.size()), benchmark::Counter::kIsIterationInvariantRate |
                                                                 benchmark::Counter::kInvert);
}

void InOneBatch(benchmark::State& state) { WriteThenDelete(state, true); }
void OneAtATime(benchmark::State& state) { WriteThenDelete(state, false); }

BENCHMARK(InOneBatch)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(OneAtATime)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
