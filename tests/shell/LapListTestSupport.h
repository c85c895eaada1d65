// Shared pieces of the lap list and file dialog tests: sample sessions written into a temporary
// folder and read into a fresh data core, and a window that records what it receives.
#pragma once

#include "ShellTestText.h"

#include "shell/LapListModel.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "platform/RecordingWindow.h"
#include "tools/SampleSession.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <vector>

namespace testsupport {

// Log files of generated sessions in a temporary folder.
class SessionDir {
public:
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    QString Root() const { return m_dir.path(); }

    QString WriteBytes(const QString& relative, const std::vector<std::uint8_t>& bytes) {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }

    QString Write(const QString& relative, int laps = 3, std::uint64_t seed = 1, int firstLap = 1,
                  samplegen::Variant variant = samplegen::Variant::Standard) {
        samplegen::SessionOptions options;
        options.laps = laps;
        options.seed = seed;
        options.firstLapNumber = firstLap;
        options.variant = variant;
        options.circuitLength = 400.0;
        return WriteBytes(relative, samplegen::GenerateSession(options).bytes);
    }

private:
    QTemporaryDir m_dir;
};

// Whether line y of `focused`, up to `width`, is `plain` with every pixel of even x + y inverted
// and the others as they were: the edge of a focus rectangle.
inline bool DottedEdge(const QImage& focused, const QImage& plain, int y, int width) {
    for (int x = 0; x < std::min({width, focused.width(), plain.width()}); ++x) {
        const QRgb expected = (x + y) % 2 == 0 ? ~plain.pixel(x, y) : plain.pixel(x, y);
        if ((focused.pixel(x, y) & 0xFFFFFF) != (expected & 0xFFFFFF))
            return false;
    }
    return width > 0;
}

// Gives the widget the keyboard focus, as a click in the active window does.
inline bool Focus(QWidget& widget) {
    widget.window()->activateWindow();
    widget.setFocus();
    return QTest::qWaitFor([&widget] { return widget.hasFocus(); }, 2000);
}

// Picks and reads log files as the file selection dialog does; the number that failed.
inline int LoadLogs(orvelo::LapDataCore& core, const QStringList& paths) {
    for (const QString& path : paths) {
        orvelo::FileListEntry entry;
        entry.fullPath = path.toStdU16String();
        entry.listText = QFileInfo(path).path().toStdU16String();
        entry.removalKey = QFileInfo(path).fileName().toStdU16String();
        orvelo::EditLogFileList(core, orvelo::kFileListAdd, entry);
    }
    return orvelo::LoadPendingLogFiles(core, 3);
}

// A data core as start-up leaves it.
struct FreshCore {
    FreshCore() { orvelo::InitDataCore(core); }
    orvelo::LapDataCore core;
};

inline void DeliverPosted() { platform::TheMessageBus().ProcessPosted(); }

// The files the list shows rows of, sorted.
inline QStringList ListedPaths(const LapListModel& model) {
    QStringList paths;
    for (int r = 0; r < model.RowCount(); ++r)
        paths << model.Path(r);
    paths.removeDuplicates();
    paths.sort();
    return paths;
}

}  // namespace testsupport
