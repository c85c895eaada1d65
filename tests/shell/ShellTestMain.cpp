// Entry point of shell_tests: one QApplication for every case, headless.
// Started with ORVELO_INSTANCE_CHILD=<folder> it plays a later start of the
// program instead: it prints the message boxes it would show and exits 0 when
// it found another instance running (see COrveloAppTest).
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"
#include "shell/COrveloApp.h"

#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

int RunAsLaterStart(const QString& folder) {
    platform::MessageBoxRecorder boxes;
    platform::SingleInstance instance(QStringLiteral("Varnek Orvelo"), folder);
    const bool only = COrveloApp::CheckSingleInstance(instance);
    for (const platform::ShownMessage& shown : boxes.Shown())
        std::printf("%s|%s\n", qPrintable(shown.caption), qPrintable(shown.text));
    std::fflush(stdout);
    return only ? 1 : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    const QString childFolder = qEnvironmentVariable("ORVELO_INSTANCE_CHILD");
    if (!childFolder.isEmpty())
        return RunAsLaterStart(childFolder);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
