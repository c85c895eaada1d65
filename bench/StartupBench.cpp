// Start to first picture: the program started as main() does, on the settings file a previous run
// left in a scratch folder, until the main frame's first paint event has been delivered; side by
// side with a bare QMainWindow with a menu and a status bar of the same size, each iteration one of
// each, so that the ratio of their medians holds on a loaded machine. FreshProcess starts each in a
// process of its own, timed from the launch to the child's word that it has painted, as a user
// waits; InProcess starts them again in this process (fonts, styles and plugins already loaded).
#include "bench/ProgramUnderBench.h"
#include "bench/QtBenchmarkMain.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

constexpr const char* kChildFlag = "--start-child";

// Sets the flag when the watched window's first paint event arrives.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* window) { window->installEventFilter(this); }
    bool Painted() const { return m_painted; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            m_painted = true;
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_painted = false;
};

// Runs the event loop until the paint seen by the filter has been delivered in full.
void WaitForPaint(const FirstPaint& paint) {
    while (!paint.Painted())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

double BareWindowMs() {
    QElapsedTimer timer;
    timer.start();
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("File(&F)"))->addAction(QStringLiteral("Open(&O)..."));
    window.menuBar()->addMenu(QStringLiteral("View(&V)"))->addAction(QStringLiteral("Logging time"));
    window.menuBar()->addMenu(QStringLiteral("Help(&H)"))->addAction(QStringLiteral("About"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.resize(1200, 800);
    const FirstPaint paint(&window);
    window.show();
    WaitForPaint(paint);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// From reading the settings file to the main frame's first paint; painted is told then. The close
// afterwards saves the settings of the run, as when the user leaves.
double ProgramMs(const QString& configFolder, const std::function<void()>& painted = {}) {
    QElapsedTimer timer;
    timer.start();
    benchprogram::ProgramUnderBench program(configFolder);
    if (!program.App().InitInstance(nullptr))
        return -1.0;
    const FirstPaint paint(&program.Frame());
    WaitForPaint(paint);
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (painted)
        painted();
    program.Frame().close();
    benchprogram::ProgramUnderBench::Drain();
    return ms;
}

void SayPainted() {
    std::puts("painted");
    std::fflush(stdout);
}

// The child's part: the application object as main() makes it, one start, a line on the standard
// output once painted.
int RunChild(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnek Orvelo"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    if (std::strcmp(argv[2], "bare") == 0) {
        BareWindowMs();
        SayPainted();
        return 0;
    }
    return argc > 3 && ProgramMs(QString::fromLocal8Bit(argv[3]), SayPainted) >= 0 ? 0 : 1;
}

// Milliseconds from launching the child to its word that the first picture is painted.
double FreshProcessMs(const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer timer;
    timer.start();
    child.start(QCoreApplication::applicationFilePath(), QStringList{QLatin1String(kChildFlag)} + arguments);
    while (!child.canReadLine()) {
        if (!child.waitForReadyRead(10000))
            return -1.0;
    }
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    child.waitForFinished(10000);
    return child.exitCode() == 0 ? ms : -1.0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <class StartBare, class StartProgram>
void SideBySide(benchmark::State& state, StartBare startBare, StartProgram startProgram) {
    // The first run of the folder writes the settings every later start finds.
    if (startProgram() < 0 || startBare() < 0) {
        state.SkipWithError("the program did not start");
        return;
    }
    std::vector<double> bare;
    std::vector<double> program;
    for (auto _ : state) {
        bare.push_back(startBare());
        program.push_back(startProgram());
        if (program.back() < 0 || bare.back() < 0) {
            state.SkipWithError("the program did not start");
            return;
        }
        state.SetIterationTime(program.back() / 1e3);
    }
    state.counters["bare ms"] = Median(bare);
    state.counters["program ms"] = Median(program);
    state.counters["ratio"] = Median(program) / Median(bare);
}

void FreshProcess(benchmark::State& state) {
    const QTemporaryDir config;
    SideBySide(
        state, [] { return FreshProcessMs({QStringLiteral("bare")}); },
        [&] { return FreshProcessMs({QStringLiteral("program"), config.path()}); });
}

void InProcess(benchmark::State& state) {
    const QTemporaryDir config;
    SideBySide(state, BareWindowMs, [&] { return ProgramMs(config.path()); });
}

BENCHMARK(FreshProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(15);
BENCHMARK(InProcess)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(21);

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], kChildFlag) == 0)
        return RunChild(argc, argv);
    return RunQtBenchmarks(argc, argv);
}
