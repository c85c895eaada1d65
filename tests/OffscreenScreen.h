// Test programs that run on one offscreen screen of a known size: the offscreen platform takes its
// screens only from a file named when it starts.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

// Points the offscreen platform at one screen of that size; false when the file could not be written.
inline bool UseOffscreenScreen(const QTemporaryDir& dir, int width, int height) {
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral(R"({"screens": [{"name": "Screen", "x": 0, "y": 0, "width": %1, "height": %2,
                   "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                   .arg(width)
                   .arg(height)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    return true;
}
