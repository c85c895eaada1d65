// Entry point of platform_tests: one QApplication for every case, headless.
// Started with ORVELO_INSTANCE_CHILD=<folder> it plays a later instance of
// the program instead (see SingleInstanceTest).
#include "platform/SingleInstance.h"

#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

namespace {

// Exit code 3: lock taken and the running instance confirmed the request;
// 4: lock taken, no confirmation; 5: this process got the lock.
int RunAsLaterInstance(const QString& folder) {
    platform::SingleInstance instance(QStringLiteral("Varnek Orvelo"), folder);
    if (instance.TryAcquire())
        return 5;
    return instance.AskRunningToActivate(5000) ? 3 : 4;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString childFolder = qEnvironmentVariable("ORVELO_INSTANCE_CHILD");
    if (!childFolder.isEmpty())
        return RunAsLaterInstance(childFolder);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
