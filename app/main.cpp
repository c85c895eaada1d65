// The orvelo executable: one instance per user, the settings, the data core
// and the application object, then the event loop.
// With ORVELO_PRINT_MESSAGE_BOXES set, message boxes are printed on the
// standard output at the end instead of being shown (for scripted runs).
#include "app/ProgramWindowFactory.h"
#include "settings/AppSettings.h"
#include "shell/COrveloApp.h"

#include "core/LapDataCore.h"
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"

#include <QApplication>

#include <cstdio>
#include <memory>

namespace {

void PrintShown(const platform::MessageBoxRecorder* recorder) {
    if (!recorder)
        return;
    for (const platform::ShownMessage& shown : recorder->Shown())
        std::printf("%s|%s\n", qPrintable(shown.caption), qPrintable(shown.text));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varnek Orvelo"));
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    std::unique_ptr<platform::MessageBoxRecorder> recorder;
    if (!qEnvironmentVariableIsEmpty("ORVELO_PRINT_MESSAGE_BOXES"))
        recorder = std::make_unique<platform::MessageBoxRecorder>();

    platform::SingleInstance instance(QStringLiteral("Varnek Orvelo"));
    if (!COrveloApp::CheckSingleInstance(instance)) {
        PrintShown(recorder.get());
        return 0;
    }
    ProgramWindowFactory factory(ApplicationSettings(), orvelo::TheLapDataCore());
    COrveloApp app(ApplicationSettings(), orvelo::TheLapDataCore(), factory);
    if (!app.InitInstance(&instance)) {
        PrintShown(recorder.get());
        return 0;
    }
    const int result = QApplication::exec();
    PrintShown(recorder.get());
    return result;
}
