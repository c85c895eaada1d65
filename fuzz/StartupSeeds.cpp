#include "fuzz/StartupSeeds.h"

#include "fuzz/StartupHarness.h"
#include "shell/CChildFrame.h"
#include "shell/COrveloView.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <cstdlib>

namespace orvelo::fuzzing {

QByteArray SavedAfterSession(int workAreas, bool loggingTime)
{
    platform::MessageBoxRecorder boxes;
    auto backend = std::make_unique<platform::RegistryMemoryBackend>();
    platform::RegistryMemoryBackend& store = *backend;
    AppSettings settings(std::move(backend), ButtonFace());
    LapDataCore core;
    ProgramWindowFactory factory(settings, core);
    {
        COrveloApp app(settings, core, factory);
        if (!app.InitInstance(nullptr)) {
            std::fputs("the program does not start\n", stderr);
            std::exit(1);
        }
        for (int i = 1; i < workAreas; ++i)
            app.OnFileNew();
        for (CChildFrame* frame : app.WorkAreaWindowList()) {
            frame->View()->OnLapOverviewGraph();
            frame->View()->OnFileOverviewGraph();
        }
        if (loggingTime)
            app.MainFrame()->OnLoggingTime();
        RunPostedWork();
        app.MainFrame()->close();
        RunPostedWork();
    }
    RunPostedWork();
    return platform::RegFileFormat::Write(store.Saved());
}

int WriteStartupSeeds(const std::string& dir)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "orvelo-fuzz-seeds";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    int index = 0;
    for (const auto& [workAreas, loggingTime] : {std::pair{1, false}, std::pair{2, true}, std::pair{3, false}}) {
        const QByteArray text = SavedAfterSession(workAreas, loggingTime);
        QFile file(QString::fromStdString(dir) + QStringLiteral("/startup-%1.reg").arg(index++));
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
            std::exit(1);
        }
    }
    return index;
}

} // namespace orvelo::fuzzing
