// The graph panes of a lap overview with eight channel rows over seven
// compared laps of 12,000 samples, 1000 x 110 pixels (about the rows of a
// maximised overview beside the docked panes): a cursor pick in every
// pane with its messages queued (the pane under the mouse posts the per-lap
// values too), and rebuilding the points of all 56 traces without drawing,
// again (zoom, scroll, colours) and the first time after the laps changed;
// the pane windows redrawing their pictures side by side as their lap
// overview has them drawn, traces included (a floor of the window's full
// repaint, which MainFrameRedrawBench times), and one pane repainting what a
// cursor move changed.
#include "graphs/CDlgGrafView.h"
#include "graphs/GraphHost.h"
#include "graphs/GraphPaneData.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"

#include "bench/QtBenchmarkMain.h"

#include <QCoreApplication>
#include <QPainter>
#include <QRegion>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <vector>

namespace {

constexpr int kPanes = 8;
constexpr int kLaps = 7;
constexpr int kSamples = 12000;
constexpr int kWidth = 1000;
constexpr int kHeight = 110;

class BenchHost : public GraphHost {
public:
    BenchHost() {
        m_settings = std::make_unique<AppSettings>(std::make_unique<platform::RegistryMemoryBackend>(),
                                                   [] { return platform::ColorRef{0xF0F0F0}; });
        orvelo::InitDataCore(m_core);
        m_settings->Colors().InitChannelColorTables();
        for (platform::MessageWindow* window : {&m_frame, &m_properties})
            window->OnAny([](const platform::Message&) { return platform::LResult{0}; });
    }
    orvelo::LapDataCore& Core() override { return m_core; }
    AppSettings& Settings() override { return *m_settings; }
    platform::WindowHandle MainFrame() const override { return m_frame.Handle(); }
    platform::WindowHandle PropertiesPane() const override { return m_properties.Handle(); }
    bool ZoomMode() const override { return false; }

private:
    std::unique_ptr<AppSettings> m_settings;
    orvelo::LapDataCore m_core;
    platform::MessageWindow m_frame;
    platform::MessageWindow m_properties;
};

// One log file of seven laps, samples every 1/10 s and about 0.4 m apart,
// each lap a little longer than the one before, all compared.
void LoadComparedLaps(orvelo::LapDataCore& core) {
    orvelo::LogFile file;
    file.fileId = core.TakeNextFileId();
    file.fullPath = u"/bench/session.log";
    for (int l = 0; l < kLaps; ++l) {
        orvelo::Lap lap;
        lap.lapNumber = static_cast<std::uint32_t>(l + 1);
        for (int k = 0; k < kSamples; ++k) {
            orvelo::PositionRec sample;
            sample.time = static_cast<std::uint32_t>(10 * k);
            sample.runningDistance = static_cast<std::uint32_t>(k * (0.4 + 0.01 * l));
            sample.rpm = static_cast<std::uint32_t>(9000 + 6000 * std::sin(k / 300.0 + l));
            sample.speed = static_cast<std::uint32_t>(120 + 80 * std::sin(k / 250.0 + l));
            sample.gHorizRaw = static_cast<std::int32_t>(20 * std::sin(k / 90.0));
            sample.temp1 = 600;
            sample.lapEndMark = k == kSamples - 1 ? orvelo::kLapEndMark : 0;
            lap.positions.push_back(sample);
        }
        lap.lapTime = lap.positions.back().time;
        lap.distance = lap.positions.back().runningDistance;
        file.laps.push_back(std::move(lap));
    }
    core.LogFiles.push_back(std::move(file));
    const orvelo::LogFile& loaded = core.LogFiles.back();
    for (int l = 0; l < kLaps; ++l) {
        orvelo::SelectedLap& slot = core.SelectedLaps[static_cast<std::size_t>(l)];
        slot.lap = orvelo::LapRef{orvelo::FileSet::Log, loaded.fileId, l};
        slot.activeFlag = 1;
        slot.lapNumber = l + 1;
        slot.fullPath = loaded.fullPath;
    }
}

struct Overview {
    Overview() {
        LoadComparedLaps(host.Core());
        MakePanes();
        for (const auto& pane : panes)
            pane->Rebuild(nullptr);
        owner.OnAny([](const platform::Message&) { return platform::LResult{0}; });
    }
    // New panes, which have not read the laps yet.
    void MakePanes() {
        panes.clear();
        const int channels[kPanes] = {1, 2, 3, 4, 7, 8, 10, 12};
        for (int channel : channels) {
            auto pane = std::make_unique<GraphPaneData>(host, GraphPaneData::kLapOverlay);
            pane->SetHandles(paneWindows[panes.size()].Handle(), owner.Handle());
            pane->SetChannelMask(1u << (channel - 1));
            pane->SetClientSize(kWidth, kHeight);
            pane->SetChannelRange({0, 0, 0, channel, 0, 0, 0, 0.0f});
            panes.push_back(std::move(pane));
        }
    }
    static void Drain() {
        platform::TheMessageBus().ProcessPosted();
        QCoreApplication::sendPostedEvents();
    }

    BenchHost host;
    platform::MessageWindow owner;
    platform::MessageWindow paneWindows[kPanes];
    std::vector<std::unique_ptr<GraphPaneData>> panes;
};

// One mouse step: the pane under the mouse picks and posts everything, its
// siblings pick and post their channel values.
void BM_PickInEveryPane(benchmark::State& state) {
    Overview overview;
    int x = 1;
    int previous = 0;
    for (auto _ : state) {
        overview.panes[0]->Pick(x, previous);
        overview.panes[0]->PostCursorValues();
        for (int p = 1; p < kPanes; ++p)
            benchmark::DoNotOptimize(overview.panes[static_cast<std::size_t>(p)]->Pick(x, previous));
        previous = x;
        x = x % (kWidth - 1) + 1;
        state.PauseTiming();
        Overview::Drain();
        state.ResumeTiming();
    }
    state.counters["posts per move"] = static_cast<double>(kPanes * kLaps + 3 * kLaps + 4);
}

void BM_RebuildAllTraces(benchmark::State& state) {
    Overview overview;
    for (auto _ : state) {
        for (const auto& pane : overview.panes)
            pane->Rebuild(nullptr);
    }
    state.counters["points"] = static_cast<double>(kPanes * kLaps * (kSamples - 1));
}

// The first build after the compared laps changed: each pane reads its laps'
// position records once.
void BM_FirstBuildOfAllTraces(benchmark::State& state) {
    Overview overview;
    for (auto _ : state) {
        state.PauseTiming();
        overview.MakePanes();
        state.ResumeTiming();
        for (const auto& pane : overview.panes)
            pane->Rebuild(nullptr);
    }
}

// The lap overview's pane windows, shown, with the window's colours and the grid on.
struct PaneWindows {
    PaneWindows() {
        LoadComparedLaps(host.Core());
        const int channels[kPanes] = {1, 2, 3, 4, 7, 8, 10, 12};
        for (int row = 0; row < kPanes; ++row) {
            auto pane = std::make_unique<CDlgGrafView>(nullptr, host, GraphPaneData::kLapOverlay, row, channels[row],
                                                       owner.Handle());
            pane->resize(kWidth, kHeight);
            pane->show();
            pane->SetChannelRange({0, 0, 0, channels[row], 0, 0, 0, 0.0f});
            pane->SetOverviewColors({0xFFFFFF, 0x808080, 0x000000, 0xF0F0F0, 1, 1});
            pane->SetDataFlag(true);
            panes.push_back(std::move(pane));
        }
        owner.OnAny([](const platform::Message&) { return platform::LResult{0}; });
    }

    BenchHost host;
    platform::MessageWindow owner;
    std::vector<std::unique_ptr<CDlgGrafView>> panes;
};

// A zoom step, a colour change or 2023: every pane builds its traces and draws its picture again.
void BM_RedrawAllPanes(benchmark::State& state) {
    PaneWindows windows;
    std::vector<CDlgGrafView*> panes;
    for (const auto& pane : windows.panes)
        panes.push_back(pane.get());
    for (auto _ : state) {
        for (CDlgGrafView* pane : panes)
            pane->Redraw();
        CDlgGrafView::RenderAll(panes);
        for (CDlgGrafView* pane : panes)
            benchmark::DoNotOptimize(pane->Picture().constBits());
    }
    state.counters["points"] = static_cast<double>(kPanes * kLaps * (kSamples - 1));
}

// One cursor step in one pane: the cross-hair moves and the column and row
// it left and entered are painted again from the picture.
void BM_CursorMoveRepaint(benchmark::State& state) {
    PaneWindows windows;
    CDlgGrafView& pane = *windows.panes[0];
    pane.Picture();
    QImage screen(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&screen);
    int x = 1;
    for (auto _ : state) {
        const QPoint before = pane.Data().Plot().CursorPoint();
        const QPoint after(x, 20 + x % 80);
        pane.Data().Plot().MoveCursor(after);
        QRegion changed;
        for (const QPoint& p : {before, after})
            changed += QRegion(p.x(), 0, 1, kHeight) + QRegion(0, p.y(), kWidth, 1);
        pane.PaintRegion(painter, changed);
        x = x % (kWidth - 1) + 1;
    }
}

} // namespace

BENCHMARK(BM_RedrawAllPanes)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CursorMoveRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PickInEveryPane)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RebuildAllTraces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstBuildOfAllTraces)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
