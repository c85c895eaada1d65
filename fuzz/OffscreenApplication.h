// The application of the fuzz targets that run the program's windows: offscreen, quiet but for
// what is worse than a warning, kept for the whole run as a program's application lives until its end.
#pragma once

#include <QApplication>

#include <cstdio>

namespace orvelo::fuzzing {

inline void StartOffscreenApplication(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform warns of every window it cannot place; only worse is worth a line.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    new QApplication(*argc, *argv);
}

} // namespace orvelo::fuzzing
