// A small course map on its own for tests: settings on a memory registry, a
// data core that loads generated sessions as log or course-map files, a
// window standing for the main frame that keeps every message it gets, and
// message boxes recorded.
#pragma once

#include "settings/SettingsTestStore.h"

#include "coursemap/CMapView.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "platform/RecordingWindow.h"
#include "platform/UserMessages.h"
#include "tools/SampleSession.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace testmap {

inline samplegen::SessionOptions SessionOf(int laps, samplegen::Variant variant = samplegen::Variant::Standard,
                                           int firstLap = 1) {
    samplegen::SessionOptions options;
    options.laps = laps;
    options.variant = variant;
    options.firstLapNumber = firstLap;
    options.circuitLength = 600.0;
    return options;
}

class MapViewHarness {
public:
    MapViewHarness() { orvelo::InitDataCore(core); }
    ~MapViewHarness() {
        view.reset();
        platform::TheMessageBus().ProcessPosted();
    }

    // The view, shown at its size.
    CMapView& Make(int width = 400, int height = 300) {
        view = std::make_unique<CMapView>(nullptr, core, store.Settings(), store.Settings().SegmentGroups(),
                                          frame.Handle());
        view->resize(width, height);
        view->show();
        Drain();
        return *view;
    }
    static void Drain() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents();
            platform::TheMessageBus().ProcessPosted();
        }
    }

    QString Write(const QString& name, const samplegen::SessionOptions& options) {
        const QString path = m_dir.filePath(name);
        samplegen::WriteBytes(path.toStdString(), samplegen::GenerateSession(options).bytes);
        return path;
    }
    // Reads a generated session as a log file (or a course-map file); its position in the list.
    std::size_t Load(const QString& name, const samplegen::SessionOptions& options, bool asMap = false) {
        orvelo::FileListEntry entry;
        entry.fullPath = Write(name, options).toStdU16String();
        if (asMap) {
            orvelo::EditMapFileList(core, orvelo::kFileListAdd, entry);
            orvelo::LoadPendingMapFiles(core, 3);
            return core.MapFiles.size() - 1;
        }
        orvelo::EditLogFileList(core, orvelo::kFileListAdd, entry);
        orvelo::LoadPendingLogFiles(core, 3);
        return core.LogFiles.size() - 1;
    }
    // Makes a lap of a log file current and shows it, as a double click in the lap list does.
    void ShowLap(std::size_t file, std::int32_t lapIndex) {
        const orvelo::LogFile& log = core.LogFiles[file];
        const orvelo::Lap& lap = log.laps[static_cast<std::size_t>(lapIndex)];
        CourseBlock course;
        platform::MapInfoBlock::Put(course.info.path.data(), platform::MapInfoBlock::kPathChars, log.fullPath);
        const std::u16string number = orvelo::FormatLapNumber(lap.lapNumber);
        platform::MapInfoBlock::Put(course.info.shortText.data(), platform::MapInfoBlock::kShortTextChars, number);
        course.lap = {orvelo::FileSet::Log, log.fileId, lapIndex};
        const int result = orvelo::SetCurrentLap(core, number, log.fullPath);
        view->SetCourse(static_cast<platform::WParam>(result), &course);
        Drain();
    }
    orvelo::LapAnalysisItem& Item(std::size_t file, std::size_t lap) {
        return core.LogFiles[file].laps[lap].analysisItems.front();
    }

    SettingsTestStore store;
    orvelo::LapDataCore core;
    testsupport::RecordingWindow frame;
    platform::MessageBoxRecorder boxes;
    std::unique_ptr<CMapView> view;

private:
    QTemporaryDir m_dir;
};

}  // namespace testmap
