// A cursor drag over the lap overview as the user makes it: the program built
// as its main does (main frame, properties pane and segment list docked, the
// logging-time window open), seven compared laps of 12,000 samples, a lap
// overview of eight channel rows maximised in its work area at 1920 x 1080,
// and the mouse pressed and moved over a row through the main window, as the
// window system delivers input. Each motion is drained and painted. Counted per
// motion: paints (all, and the most any one widget got), the X server's replies
// waited for (under xcb), the main thread's CPU time; the label names the
// platform the figures came from.
#include "bench/ComparedLaps.h"
#include "bench/ProgramUnderBench.h"
#include "bench/QtBenchmarkMain.h"

#include "graphs/CDlgGrafView.h"
#include "graphs/CLapOverviewDlg.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloView.h"

#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/MessageRecords.h"
#include "platform/UserMessages.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMdiArea>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <dlfcn.h>
#include <execinfo.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>

// The input path of the window system: what QTest uses to send a window real mouse input.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers mods, int timestamp);

// Every reply from the X server that the program waits for passes here (the executable's
// symbol comes before the library's); counted, then handed on.
namespace {
unsigned long g_xReplies = 0;
bool g_traceReplies = false;
}
extern "C" void* xcb_wait_for_reply(void* connection, unsigned int request, void** error) {
    using Real = void* (*)(void*, unsigned int, void**);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "xcb_wait_for_reply"));
    ++g_xReplies;
    if (g_traceReplies) {
        void* frames[24];
        backtrace_symbols_fd(frames, backtrace(frames, 24), 2);
        std::fputs("----\n", stderr);
    }
    return real(connection, request, error);
}
extern "C" void* xcb_wait_for_reply64(void* connection, std::uint64_t request, void** error) {
    using Real = void* (*)(void*, std::uint64_t, void**);
    static const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "xcb_wait_for_reply64"));
    ++g_xReplies;
    return real(connection, request, error);
}

namespace {

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Paint events per widget class and object name, and the most one widget got since the last reset.
class PaintCounter : public QObject {
public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    void StartMotion() { m_thisMotion.clear(); }
    int MostForOneWidget() {
        int most = 0;
        for (const auto& [widget, count] : m_thisMotion) {
            most = std::max(most, count);
            if (count > 1)
                ++m_repeated[NameOf(widget)];
        }
        return most;
    }
    const std::map<std::string, long>& Repeated() const { return m_repeated; }
    long Total() const { return m_total; }
    const std::map<std::string, long>& ByName() const { return m_byName; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            ++m_total;
            ++m_thisMotion[watched];
            ++m_byName[NameOf(watched)];
        }
        return false;
    }

private:
    static std::string NameOf(const QObject* object) {
        const QObject* parent = object->parent();
        return std::string(object->metaObject()->className()) + " " + object->objectName().toStdString() + " in " +
               (parent ? parent->metaObject()->className() : "-");
    }
    std::map<std::string, long> m_repeated;
    long m_total = 0;
    std::map<QObject*, int> m_thisMotion;
    std::map<std::string, long> m_byName;
};

struct Program {
    Program() {
        program.Start();
        CMainFrame& frame = program.Frame();
        frame.showNormal();
        frame.setGeometry(0, 0, 1920, 1080);
        frame.showMaximized();
        frame.OnLoggingTime();
        orvelo::LapDataCore& core = program.Core();
        benchlap::LoadComparedLaps(core);
        platform::SendMessage(frame.Handle(), platform::UM_LAP_LIST_ALL_VIEW, 0, 0);
        const orvelo::LogFile& file = core.LogFiles[0];
        const std::u16string first = orvelo::FormatLapNumber(file.laps[0].lapNumber);
        CourseBlock course;
        platform::MapInfoBlock::Put(course.info.path.data(), platform::MapInfoBlock::kPathChars, file.fullPath);
        platform::MapInfoBlock::Put(course.info.shortText.data(), platform::MapInfoBlock::kShortTextChars, first);
        course.lap = {orvelo::FileSet::Log, file.fileId, 0};
        platform::PostMessage(frame.Handle(),
                              platform::MessageWithBlock(platform::UM_DRAW_MAP_ON_VIEW,
                                                         orvelo::SetCurrentLap(core, first, file.fullPath), course));
        platform::PostMessage(frame.Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
        Settle();
        COrveloView& view = *program.App().WorkAreaWindowList().front()->View();
        view.OnLapOverviewGraph();
        Settle();
        window = dynamic_cast<CLapOverviewDlg*>(view.GraphWindows().back().window);
        if (!window)
            return;
        window->showMaximized();
        platform::PostMessage(window->Handle(), platform::UM_RESET_CHANNEL_VIEW, 8, benchlap::kEightChannels);
        Settle();
    }
    static void Settle() {
        for (int i = 0; i < 3; ++i)
            benchprogram::ProgramUnderBench::Drain();
    }
    // The mouse at x in the middle of the first row, as the main window's input.
    void Mouse(QEvent::Type type, int x) {
        CDlgGrafView& row = *window->RowAt(0).graph;
        QWidget& top = *row.window();
        const QPointF local = row.mapTo(&top, QPointF(x, row.height() / 2.0));
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        qt_handleMouseEvent(top.windowHandle(), local, top.geometry().topLeft() + local, held, button, type,
                            Qt::NoModifier, ++timestamp);
    }

    benchprogram::ProgramUnderBench program;
    CLapOverviewDlg* window = nullptr;
    int timestamp = 0;
};

// One motion to x, drained and painted (apart, for a profiler to collect it alone).
long g_motions = 0;  // over every run, for a profiler's count per motion
[[gnu::noinline]] void Motion(Program& program, int x) {
    ++g_motions;
    program.Mouse(QEvent::MouseMove, x);
    benchprogram::ProgramUnderBench::Drain();
}

// Back and forth over the middle third of the row, one pixel a motion.
void BenchCursorDrag(benchmark::State& state) {
    Program program;
    if (!program.window || program.window->RowCount() != 8) {
        state.SkipWithError("no lap overview of eight rows");
        return;
    }
    const int width = program.window->RowAt(0).graph->width();
    program.Mouse(QEvent::MouseButtonPress, width / 3);
    Program::Settle();
    PaintCounter paints;
    int x = width / 3;
    int step = 1;
    long motions = 0;
    int mostForOneWidget = 0;
    const unsigned long repliesBefore = g_xReplies;
    g_traceReplies = qEnvironmentVariableIsSet("ORVELO_BENCH_XTRACE");
    const double cpuBefore = ThreadCpuSeconds();
    const auto wallBefore = std::chrono::steady_clock::now();
    for (auto _ : state) {
        x += step;
        if (x > 2 * width / 3 || x < width / 3)
            step = -step;
        paints.StartMotion();
        Motion(program, x);
        mostForOneWidget = std::max(mostForOneWidget, paints.MostForOneWidget());
        ++motions;
    }
    const double cpu = ThreadCpuSeconds() - cpuBefore;
    const std::chrono::duration<double, std::micro> wall = std::chrono::steady_clock::now() - wallBefore;
    const unsigned long replies = g_xReplies - repliesBefore;
    g_traceReplies = false;
    program.Mouse(QEvent::MouseButtonRelease, x);
    Program::Settle();
    const double n = static_cast<double>(std::max(motions, 1L));
    state.counters["cpu_us"] = cpu * 1e6 / n;
    state.counters["wall_us"] = wall.count() / n;
    state.counters["paints"] = static_cast<double>(paints.Total()) / n;
    state.counters["most_one_widget"] = mostForOneWidget;
    state.counters["x_replies"] = static_cast<double>(replies) / n;
    state.counters["cursor"] = program.window->RowAt(1).graph->Data().Plot().CursorPoint().x();
    state.counters["rows"] = program.window->RowCount();
    state.SetLabel(QGuiApplication::platformName().toStdString());
    if (qEnvironmentVariableIsSet("ORVELO_BENCH_PAINTS")) {
        std::fprintf(stderr, "motions so far: %ld\n", g_motions);
        for (const auto& [name, count] : paints.ByName())
            std::fprintf(stderr, "%8.3f  %s\n", static_cast<double>(count) / n, name.c_str());
        for (const auto& [name, count] : paints.Repeated())
            std::fprintf(stderr, "painted more than once in %ld motions: %s\n", count, name.c_str());
    }
}

}  // namespace

BENCHMARK(BenchCursorDrag)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime()->UseRealTime();

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
