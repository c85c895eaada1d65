// A lap overview window of eight channel rows over seven compared laps of
// 12,000 samples each, 1920 x 1080 in its work area, with its segment strip:
// one mouse move in a row drained through the message queue and painted,
// with a properties pane that takes the values and does nothing, with the
// real properties pane and its small course map, and with those and a file
// overview and the logging-time window open as well (the main frame passing
// the cursor list on to it); and one zoom step redrawing every pane and scale.
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

#include "bench/ComparedLaps.h"
#include "bench/QtBenchmarkMain.h"
#include "bench/ShownPropertiesPane.h"

#include <QMdiArea>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

namespace {

using benchlap::kComparedLaps;
using benchlap::kEightChannels;

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

struct Setup {
    explicit Setup(bool realPane, bool otherWindows = false)
        : settings(std::make_unique<platform::RegistryMemoryBackend>()), host(settings, core) {
        settings.Store().CreateSettingsKeys();
        settings.Colors().InitChannelColorTables();
        orvelo::InitDataCore(core);
        benchlap::LoadComparedLaps(core);
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

// In and out between the first two levels at the middle of the lap; every pane and scale redrawn.
void BenchZoomStep(benchmark::State& state) {
    Setup setup(false);
    const int middle = setup.window->FullSpan() / 2;
    bool out = false;
    platform::SendMessage(setup.window->Handle(), platform::UM_ZOOM_CONTROL, static_cast<platform::WParam>(middle), 0);
    Setup::Settle();
    for (auto _ : state) {
        out = !out;
        platform::SendMessage(setup.window->Handle(), platform::UM_ZOOM_CONTROL, static_cast<platform::WParam>(middle),
                              out ? 1 : 0);
        platform::TheMessageBus().ProcessPosted();
        QCoreApplication::processEvents();
    }
    state.counters["level"] = setup.window->Zoom().Level();
}

}  // namespace

BENCHMARK(BenchCursorMoveStandInPane)->Unit(benchmark::kMicrosecond);
BENCHMARK(BenchCursorMoveRealPaneAndMap)->Unit(benchmark::kMicrosecond);
BENCHMARK(BenchCursorMoveWithFileOverviewAndLoggingTime)->Unit(benchmark::kMicrosecond);
BENCHMARK(BenchZoomStep)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
