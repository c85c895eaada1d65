// The program started and closed on a large settings file (one binary value of 16 MiB, about 50 MB
// of text): the start reads and parses it, the close writes it back once. Both through the real file
// backend in a temporary folder and the program's own windows. And files of deep key paths read and
// written back.
#include "app/ProgramWindowFactory.h"
#include "platform/MessageBus.h"
#include "platform/RegFileFormat.h"
#include "platform/RegistryFileBackend.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"

#include "core/LapDataCore.h"

#include "bench/QtBenchmarkMain.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <utility>

#include <sys/stat.h>

namespace {

constexpr qsizetype kValueBytes = 16 * 1024 * 1024;

// The file as the registry editor lays it out: 25 hex bytes a line.
QByteArray LargeSettingsText() {
    static const char kDigits[] = "0123456789abcdef";
    QByteArray text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\";
    text += QString(settings::SubKeyPath(settings::kMapSegInfo)).toUtf8();
    text += "]\n\"Blob\"=hex:";
    text.reserve(text.size() + kValueBytes * 3 + kValueBytes / 6);
    for (qsizetype i = 0; i < kValueBytes; ++i) {
        const auto byte = static_cast<unsigned char>(i * 7 + i / 251);
        if (i > 0 && i % 25 == 0)
            text += "\\\n  ";
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
        if (i + 1 < kValueBytes)
            text += ',';
    }
    return text + "\n";
}

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void StartAndClose(benchmark::State& state) {
    const QByteArray text = LargeSettingsText();
    double startSeconds = 0.0;
    double closeSeconds = 0.0;
    qint64 savedBytes = 0;
    for (auto _ : state) {
        QTemporaryDir folder;
        QFile file(folder.path() + QStringLiteral("/user.reg"));
        if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write the settings file\n");
            std::exit(1);
        }
        file.close();
        auto started = std::chrono::steady_clock::now();
        AppSettings settings(std::make_unique<platform::RegistryFileBackend>(folder.path()));
        orvelo::LapDataCore core;
        ProgramWindowFactory factory(settings, core);
        COrveloApp app(settings, core, factory);
        if (!app.InitInstance(nullptr) || !settings.UserRegistry().QueryValue(
                                               settings::SubKeyPath(settings::kMapSegInfo), QStringLiteral("Blob"))) {
            state.SkipWithError("the program did not start on the file");
            return;
        }
        platform::TheMessageBus().ProcessPosted();
        startSeconds += Since(started);
        started = std::chrono::steady_clock::now();
        app.MainFrame()->close();
        platform::TheMessageBus().ProcessPosted();
        closeSeconds += Since(started);
        savedBytes = QFileInfo(file.fileName()).size();
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["start s"] = startSeconds / runs;
    state.counters["close s"] = closeSeconds / runs;
    state.counters["file MB"] = static_cast<double>(text.size()) / 1e6;
    state.counters["saved MB"] = static_cast<double>(savedBytes) / 1e6;
}

BENCHMARK(StartAndClose)->Unit(benchmark::kSecond)->Iterations(1);

// The file's identity and last change: equal when nothing wrote it.
std::pair<qint64, qint64> Stamp(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {-1, -1};
    return {static_cast<qint64>(info.st_ino), info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec};
}

// Starts the program on the settings in the folder until its main frame is shown, then closes it;
// the seconds the start took, negative when it failed. shown is called before the close.
double StartShownClose(const QString& folder, const std::function<void()>& shown = {}) {
    const auto started = std::chrono::steady_clock::now();
    AppSettings settings(std::make_unique<platform::RegistryFileBackend>(folder));
    orvelo::LapDataCore core;
    ProgramWindowFactory factory(settings, core);
    COrveloApp app(settings, core, factory);
    if (!app.InitInstance(nullptr))
        return -1.0;
    platform::TheMessageBus().ProcessPosted();
    QCoreApplication::sendPostedEvents();
    const double seconds = Since(started);
    if (shown)
        shown();
    app.MainFrame()->close();
    platform::TheMessageBus().ProcessPosted();
    return seconds;
}

// The same file as a later run finds it, once a first run has added what a start adds: the start
// until the main frame is shown, and whether the start wrote the file.
void StartUnchanged(benchmark::State& state) {
    QTemporaryDir folder;
    QFile file(folder.path() + QStringLiteral("/user.reg"));
    const QByteArray text = LargeSettingsText();
    if (!folder.isValid() || !file.open(QIODevice::WriteOnly) || file.write(text) != text.size() ||
        (file.close(), StartShownClose(folder.path()) < 0)) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    double startSeconds = 0.0;
    int written = 0;
    for (auto _ : state) {
        const std::pair<qint64, qint64> before = Stamp(file.fileName());
        startSeconds += StartShownClose(folder.path(), [&] { written += Stamp(file.fileName()) != before ? 1 : 0; });
    }
    state.counters["start s"] = startSeconds / static_cast<double>(state.iterations());
    state.counters["file MB"] = static_cast<double>(QFileInfo(file.fileName()).size()) / 1e6;
    state.counters["written"] = written;
}

BENCHMARK(StartUnchanged)->Unit(benchmark::kSecond)->Iterations(1);

// Files of one deep key path: the 80 KB of "\\a" components of the reliability run (refused), and the
// deepest and longest path the registry allows with values under it (read, then written back).
QByteArray DeepPathText(const QByteArray& component, int depth, int values) {
    QByteArray text = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER" +
                      ("\\" + component).repeated(depth) + "]\n";
    for (int i = 0; i < values; ++i)
        text += "\"v" + QByteArray::number(i) + "\"=dword:1\n";
    return text;
}

void ReadAndWriteDeepPath(benchmark::State& state, const QByteArray& text) {
    qsizetype written = 0;
    for (auto _ : state) {
        platform::RegistryTree tree;
        QString error;
        if (platform::RegFileFormat::Parse(text, &tree, &error))
            written = platform::RegFileFormat::Write(tree).size();
    }
    state.counters["file KB"] = static_cast<double>(text.size()) / 1e3;
    state.counters["written KB"] = static_cast<double>(written) / 1e3;
}

BENCHMARK_CAPTURE(ReadAndWriteDeepPath, TooDeep80KB, DeepPathText("a", 40000, 0))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadAndWriteDeepPath, Deepest1000Values, DeepPathText(QByteArray(255, 'k'), 512, 1000))
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunQtBenchmarks(argc, argv); }
