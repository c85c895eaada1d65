// A lap overview window of eight channel rows over seven compared laps of
// 12,000 samples each, 1920 x 1080 in its work area, with its segment strip:
// one mouse move sent straight to a row, drained through the message queue
// and painted, with a properties pane that takes the values and does nothing
// (a floor under the cursor drag the program gets, which ProgramCursorBench
// measures). MainFrameRedrawBench times the zoom step in the program.
#include "graphs/CDlgGrafView.h"
#include "graphs/CLapOverviewDlg.h"
#include "graphs/GraphHost.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "platform/RegistryMemoryBackend.h"
#include "platform/UserMessages.h"
#include "settings/AppSettings.h"

#include "bench/ComparedLaps.h"
#include "bench/QtBenchmarkMain.h"

#include <QMdiArea>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using benchlap::kEightChannels;

class BenchHost : public GraphHost {
public:
    explicit BenchHost(AppSettings& settings, orvelo::LapDataCore& core) : m_settings(settings), m_core(core) {
        m_frame.OnAny([](const platform::Message&) { return platform::LResult{0}; });
        m_paneStandIn.OnAny([](const platform::Message&) { return platform::LResult{0}; });
    }
    orvelo::LapDataCore& Core() override { return m_core; }
    AppSettings& Settings() override { return m_settings; }
    platform::WindowHandle MainFrame() const override { return m_frame.Handle(); }
    platform::WindowHandle PropertiesPane() const override { return m_paneStandIn.Handle(); }
    bool ZoomMode() const override { return false; }

private:
    AppSettings& m_settings;
    orvelo::LapDataCore& m_core;
    platform::MessageWindow m_frame;
    platform::MessageWindow m_paneStandIn;
};

struct Setup {
    Setup()
        : settings(std::make_unique<platform::RegistryMemoryBackend>()), host(settings, core) {
        settings.Store().CreateSettingsKeys();
        settings.Colors().InitChannelColorTables();
        orvelo::InitDataCore(core);
        benchlap::LoadComparedLaps(core);
        view.resize(1920, 1080);
        auto* area = new QMdiArea(&view);
        area->resize(view.size());
        window = new CLapOverviewDlg(host, &view, platform::kNoWindow, 1, 1, false);
        const QRect place = window->geometry();
        area->addSubWindow(window);
        window->setGeometry(QRect(place.topLeft(), QSize(1900, 1060)));
        view.show();
        platform::PostMessage(window->Handle(), platform::UM_RESET_CHANNEL_VIEW, 8, kEightChannels);
        Settle();
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
    QWidget view;
    CLapOverviewDlg* window = nullptr;
};

// Back and forth over the middle of the row, one pixel a move, each drained and painted.
void BenchCursorMoveStandInPane(benchmark::State& state) {
    Setup setup;
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
}

}  // namespace

BENCHMARK(BenchCursorMoveStandInPane)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
