// Shared pieces of the lap list and file dialog tests: sample sessions written into a temporary
// folder and read into a fresh data core, a window that records what it receives, and a segment
// list that records what the lap list tells it.
#pragma once

#include "ShellTestText.h"

#include "shell/LapListModel.h"
#include "shell/SegmentListFeed.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "tools/SampleSession.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <vector>

namespace testsupport {

// Receives every message and keeps it with its payload.
class RecordingWindow {
public:
    RecordingWindow() {
        m_window.OnAny([this](const platform::Message& m) {
            m_received.push_back(m);
            return platform::LResult{1};
        });
    }
    platform::WindowHandle Handle() const { return m_window.Handle(); }
    std::vector<platform::Message> Of(std::uint32_t id) const {
        std::vector<platform::Message> found;
        for (const platform::Message& m : m_received) {
            if (m.id == id)
                found.push_back(m);
        }
        return found;
    }
    void Clear() { m_received.clear(); }

private:
    platform::MessageWindow m_window;
    std::vector<platform::Message> m_received;
};

class RecordingSegmentFeed : public SegmentListFeed {
public:
    void ResetList() override { calls.push_back(QStringLiteral("ResetList")); }
    void InsertLapRow(int, const QString& number, const QString& title, const QString& path) override {
        calls.push_back(QStringLiteral("InsertLapRow %1|%2|%3").arg(number, title, path));
    }
    void DeleteExtraColumns() override { calls.push_back(QStringLiteral("DeleteExtraColumns")); }
    void GrowSortFlags() override { calls.push_back(QStringLiteral("GrowSortFlags")); }
    void NumberRows() override { calls.push_back(QStringLiteral("NumberRows")); }
    void RemoveAllRows() override { calls.push_back(QStringLiteral("RemoveAllRows")); }
    void SetRedraw(bool) override {}
    void RemoveGroups() override { calls.push_back(QStringLiteral("RemoveGroups")); }
    void EnableGroupView() override { calls.push_back(QStringLiteral("EnableGroupView")); }
    void InsertGroup(const QString& header, int id) override {
        calls.push_back(QStringLiteral("InsertGroup %1|%2").arg(header).arg(id));
    }
    int AssignRowsToGroup(int mode, int id, const QString& key) override {
        calls.push_back(QStringLiteral("AssignRowsToGroup %1|%2|%3").arg(mode).arg(id).arg(key));
        return 1;
    }
    int Count(const QString& prefix) const {
        return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const QString& c) { return c.startsWith(prefix); }));
    }
    QStringList calls;
};

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
        paths << model.Row(r).texts[laplist::kPathColumn];
    paths.removeDuplicates();
    paths.sort();
    return paths;
}

}  // namespace testsupport
