// Entry point of app_tests: one QApplication for every case, headless, on a screen that holds the
// main window at its default size.
#include "OffscreenScreen.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    QTemporaryDir dir;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform.isEmpty() || platform == "offscreen") && !UseOffscreenScreen(dir, 1920, 1080))
        return 1;
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.0"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
