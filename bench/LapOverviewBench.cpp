// A lap overview window of eight channel rows over seven compared laps of
// 12,000 samples each, 1920 x 1080 in its work area, with its segment strip:
// one mouse move in a row drained through the message queue and painted,
// with a properties pane that takes the values and does nothing, with the
// real properties pane and its small course map, and with those and a file
// overview and the logging-time window open as well (the main frame passing
// the cursor list on to it). MainFrameRedrawBench times the zoom step, the full
// repaint and the resize in the program.
#include "graphs/CDlgGrafView.h"
#include "graphs/CFileOverviewGlaphDlg.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/GraphHost.h"
#include "properties/CPropertiesWnd.h"
#include "shell/CClockTimeDlg.h"
#include "shell/CListViewLogTime.h"

#include "coursemap/CMapView.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "platform/RegistryMemoryBackend.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"

#include "bench/LongLap.h"
#include "bench/QtBenchmarkMain.h"
#include "bench/ShownPropertiesPane.h"

#include <QMdiArea>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

constexpr int kComparedLaps = 7;
constexpr std::uint32_t kEightChannels = 0x1 | 0x2 | 0x4 | 0x8 | 0x40 | 0x80 | 0x200 | 0x800;

class BenchHost : public GraphHost {
public:
    explicit BenchHost(AppSettings& settings, orvelo::LapDataCore& core) : m_settings(settings), m_core(core) {
        m_frame.OnAny([](const platform::Message&) { return platform::LResult{0}; });
        // The cursor list goes on record by record to the logging-time window, as the main frame passes it.
        m_frame.On(platform::UM_PUT_LOGGING_TIME, [this](const platform::Message& m) {
            if (const auto* points = platform::BlockIn<std::vector<platform::GraphPoint>>(m, m.lParam)) {
                for (const platform::GraphPoint& point : *points)
                    platform::SendMessage(m_clock, platform::UM_PUT_LOGGING_TIME, 0,
                                          reinterpret_cast<platform::LParam>(&point));
            }
            return platform::LResult{1};
        });
        m_paneStandIn.OnAny([](const platform::Message&) { return platform::LResult{0}; });
    }
    orvelo::LapDataCore& Core() override { return m_core; }
    AppSettings& Settings() override { return m_settings; }
    platform::WindowHandle MainFrame() const override { return m_frame.Handle(); }
    platform::WindowHandle PropertiesPane() const override { return m_pane ? m_pane->Handle() : m_paneStandIn.Handle(); }
    bool ZoomMode() const override { return false; }
    void UsePane(CPropertiesWnd* pane) { m_pane = pane; }
    void UseLoggingTime(platform::WindowHandle clock) { m_clock = clock; }

private:
    AppSettings& m_settings;
    orvelo::LapDataCore& m_core;
    platform::MessageWindow m_frame;
    platform::MessageWindow m_paneStandIn;
    CPropertiesWnd* m_pane = nullptr;
    platform::WindowHandle m_clock = platform::kNoWindow;
};

// Seven laps of 12,000 samples, 1/100 s and a quarter metre apart, each on the
// same 3-km course with its own swing of the channels; lap 1 the base lap, the
// others overlays; a lap overview of eight rows over them in a 1920 x 1080 work area.
void LoadComparedLaps(orvelo::LapDataCore& core) {
    orvelo::LogFile file;
    file.fileId = core.TakeNextFileId();
    file.fullPath = u"/bench/session.log";
    const orvelo::LapAnalysisItem course = benchlap::LongLap();
    for (int l = 0; l < kComparedLaps; ++l) {
        orvelo::Lap lap;
        lap.lapNumber = static_cast<std::uint32_t>(l + 1);
        for (int k = 0; k < benchlap::kPoints; ++k) {
            orvelo::PositionRec at;
            at.time = static_cast<std::uint32_t>(k + l * k / 100);
            at.runningDistance = static_cast<std::uint32_t>(k / 4);
            const double phase = k / 400.0 + 0.3 * l;
            at.rpm = static_cast<std::uint32_t>(9000 + 5000 * std::sin(phase));
            at.speed = static_cast<std::uint32_t>(110 + 70 * std::cos(phase));
            at.gHorizRaw = static_cast<std::int32_t>(25 * std::sin(phase * 3));
            at.gVertRaw = static_cast<std::int32_t>(10 * std::cos(phase * 2));
            at.temp1 = static_cast<std::uint32_t>(500 + 50 * std::sin(phase / 4));
            at.temp2 = at.temp1 + 20;
            at.accel = static_cast<std::uint32_t>(50 + 45 * std::sin(phase));
            at.gear = static_cast<std::uint32_t>(3 + 2 * std::sin(phase));
            lap.positions.push_back(at);
        }
        lap.lapTime = lap.positions.back().time;
        lap.distance = lap.positions.back().runningDistance;
        lap.analysisItems.push_back(course);
        file.laps.push_back(std::move(lap));
    }
    core.LogFiles.push_back(std::move(file));
    const orvelo::LogFile& loaded = core.LogFiles.back();
    orvelo::SetBaseLap(core, loaded.fullPath, u"1");
    for (int l = 2; l <= kComparedLaps; ++l)
        orvelo::ToggleOverlayLap(core, loaded.fullPath, orvelo::FormatLapNumber(l));
}

struct Setup {
    explicit Setup(bool realPane, bool otherWindows = false)
        : settings(std::make_unique<platform::RegistryMemoryBackend>()), host(settings, core) {
        settings.Store().CreateSettingsKeys();
        settings.Colors().InitChannelColorTables();
        orvelo::InitDataCore(core);
        LoadComparedLaps(core);
        if (realPane)
            MakePropertiesPane();
        view.resize(1920, 1080);
        auto* area = new QMdiArea(&view);
        area->resize(view.size());
        window = new CLapOverviewDlg(host, &view, platform::kNoWindow, 1, 1, false);
        const QRect place = window->geometry();
        area->addSubWindow(window);
        window->setGeometry(QRect(place.topLeft(), QSize(1900, 1060)));
        if (otherWindows) {
            auto* overview = new CFileOverviewGlaphDlg(host, &view, platform::kNoWindow, 1, 2, false);
            const QRect below = overview->geometry();
            area->addSubWindow(overview);
            overview->setGeometry(below);
            clock = std::make_unique<CClockTimeDlg>(nullptr, host.MainFrame(), core, settings.Store());
            clock->show();
            host.UseLoggingTime(clock->Handle());
        }
        view.show();
        platform::PostMessage(window->Handle(), platform::UM_RESET_CHANNEL_VIEW, 8, kEightChannels);
        Settle();
    }
    void MakePropertiesPane() {
        pane = benchpane::ShownPane(core, settings, 1000, kComparedLaps);
        host.UsePane(pane.get());
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
            platform::TheMessageBus().ProcessPosted();
        }
    }
    void Mouse(QEvent::Type type, int x) {
        CDlgGrafView& row = *window->RowAt(0).graph;
        const QPointF at(x, row.height() / 2);
        QMouseEvent event(type, at, row.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&row, &event);
    }

    AppSettings settings;
    orvelo::LapDataCore core;
    BenchHost host;
    std::unique_ptr<CPropertiesWnd> pane;
    std::unique_ptr<CClockTimeDlg> clock;
    QWidget view;
    CLapOverviewDlg* window = nullptr;
};

// Back and forth over the middle of the row, one pixel a move, each drained and painted.
void CursorMove(benchmark::State& state, bool realPane, bool otherWindows = false) {
    Setup setup(realPane, otherWindows);
    const int width = setup.window->RowAt(0).graph->width();
    setup.Mouse(QEvent::MouseButtonPress, width / 3);
    Setup::Settle();
    int x = width / 3;
    int step = 1;
    for (auto _ : state) {
        x += step;
        if (x > 2 * width / 3 || x < width / 3)
            step = -step;
        setup.Mouse(QEvent::MouseMove, x);
        platform::TheMessageBus().ProcessPosted();
        QCoreApplication::processEvents();
    }
    setup.Mouse(QEvent::MouseButtonRelease, x);
    state.counters["rows"] = setup.window->RowCount();
    state.counters["samples"] = static_cast<double>(setup.core.LogFiles[0].laps[0].positions.size());
    state.counters["cursor"] = setup.window->RowAt(1).graph->Data().Plot().CursorPoint().x();
    state.counters["map"] = setup.pane && setup.pane->Map().CourseDrawn() ? 1 : 0;
    state.counters["clock rows"] = setup.clock ? setup.clock->List().topLevelItemCount() : 0;
}

void BenchCursorMoveStandInPane(benchmark::State& state) { CursorMove(state, false); }
void BenchCursorMoveRealPaneAndMap(benchmark::State& state) { CursorMove(state, true); }
void BenchCursorMoveWithFileOverviewAndLoggingTime(benchmark::State& state) { CursorMove(state, true, true); }

}  // namespace

BENCHMARK(BenchCursorMoveStandInPane)->Unit(benchmark::kMicrosecond);
BENCHMARK(BenchCursorMoveRealPaneAndMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BenchCursorMoveWithFileOverviewAndLoggingTime)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
