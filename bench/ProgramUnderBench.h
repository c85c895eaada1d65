// The program as app/main.cpp builds it, for benchmarks of what the user
// waits for: the settings on their file in a scratch configuration folder,
// a data core, the real window factory, the application object and its main
// frame with the panes, shown. No instance lock (benchmarks run side by side).
#pragma once

#include "app/ProgramWindowFactory.h"
#include "graphs/CLapOverviewDlg.h"
#include "settings/AppSettings.h"
#include "settings/CourseBlock.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"
#include "shell/COrveloView.h"

#include "core/CourseBuilder.h"
#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapNumberText.h"
#include "core/LapSelection.h"
#include "core/Utf8Text.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/MessageRecords.h"
#include "platform/RegistryFileBackend.h"
#include "platform/UserMessages.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>
#include <string>

namespace benchprogram {

// Counts the paints of the widgets it watches.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

class ProgramUnderBench {
public:
    // configFolder: where user.reg lives; empty for a fresh scratch folder.
    explicit ProgramUnderBench(const QString& configFolder = {}) {
        const QString folder = configFolder.isEmpty() ? m_scratch.path() : configFolder;
        m_settings = std::make_unique<AppSettings>(std::make_unique<platform::RegistryFileBackend>(folder));
        m_factory = std::make_unique<ProgramWindowFactory>(*m_settings, m_core);
        m_app = std::make_unique<COrveloApp>(*m_settings, m_core, *m_factory);
    }
    ~ProgramUnderBench() {
        m_app.reset();
        Drain();
    }
    ProgramUnderBench(const ProgramUnderBench&) = delete;
    ProgramUnderBench& operator=(const ProgramUnderBench&) = delete;

    // Starts as main() does and lets the first picture be painted.
    bool Start() {
        const bool started = m_app->InitInstance(nullptr);
        m_app->SetDesktopFolder(m_scratch.path());  // never the user's own
        Drain();
        return started;
    }
    // Everything queued so far: Qt's posted events (paints included) and the window messages.
    static void Drain() {
        QCoreApplication::sendPostedEvents();
        platform::TheMessageBus().ProcessPosted();
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
    }

    // Drains until the messages that drains post have run too.
    static void Settle() {
        for (int i = 0; i < 3; ++i)
            Drain();
    }

    // The log file read as the file dialog reads it, its laps listed, its first lap the base lap and
    // the next ones overlays up to `compared` laps. False when it could not be read.
    bool LoadComparedLaps(const std::string& path, int compared) {
        orvelo::FileListEntry entry;
        entry.fullPath = orvelo::FromUtf8(path);
        orvelo::EditLogFileList(m_core, orvelo::kFileListAdd, entry);
        if (orvelo::LoadPendingLogFiles(m_core, orvelo::kMapDrawGps) != 0)
            return false;
        platform::SendMessage(Frame().Handle(), platform::UM_LAP_LIST_ALL_VIEW, 0, 0);
        const orvelo::LogFile& file = m_core.LogFiles[0];
        orvelo::SetBaseLap(m_core, file.fullPath, orvelo::FormatLapNumber(file.laps[0].lapNumber));
        for (int lap = 1; lap < compared; ++lap)
            orvelo::ToggleOverlayLap(m_core, file.fullPath,
                                     orvelo::FormatLapNumber(file.laps[static_cast<std::size_t>(lap)].lapNumber));
        return true;
    }

    // Started, the main window resized, and the log file's laps compared as LoadComparedLaps does.
    bool StartWithComparedLaps(const QSize& size, const std::string& path, int compared) {
        if (!Start())
            return false;
        Frame().resize(size);
        Settle();
        return LoadComparedLaps(path, compared);
    }

    // A lap overview of the given channels opened in the work area's view and maximised; null when
    // none could be opened.
    static CLapOverviewDlg* OpenMaximisedLapOverview(COrveloView& view, std::uint32_t channelMask, int channelCount) {
        view.OnLapOverviewGraph();
        Settle();
        auto* window = dynamic_cast<CLapOverviewDlg*>(view.GraphWindows().back().window);
        if (!window)
            return nullptr;
        window->showMaximized();
        platform::PostMessage(window->Handle(), platform::UM_RESET_CHANNEL_VIEW,
                              static_cast<platform::WParam>(channelCount), channelMask);
        Settle();
        return window;
    }

    // With the laps already compared: the first lap of the first log file on the small map, the
    // compared laps redrawn, then a lap overview of the given channels opened in the first work
    // area and maximised. Null when no overview could be opened.
    CLapOverviewDlg* OpenMaximisedLapOverview(std::uint32_t channelMask, int channelCount) {
        const orvelo::LogFile& file = m_core.LogFiles[0];
        const std::u16string first = orvelo::FormatLapNumber(file.laps[0].lapNumber);
        CourseBlock course;
        platform::MapInfoBlock::Put(course.info.path.data(), platform::MapInfoBlock::kPathChars, file.fullPath);
        platform::MapInfoBlock::Put(course.info.shortText.data(), platform::MapInfoBlock::kShortTextChars, first);
        course.lap = {orvelo::FileSet::Log, file.fileId, 0};
        platform::PostMessage(Frame().Handle(),
                              platform::MessageWithBlock(platform::UM_DRAW_MAP_ON_VIEW,
                                                         orvelo::SetCurrentLap(m_core, first, file.fullPath), course));
        platform::PostMessage(Frame().Handle(), platform::UM_REDRAW_LAP_GRAPH, 0, 0);
        Settle();
        return OpenMaximisedLapOverview(*m_app->WorkAreaWindowList().front()->View(), channelMask, channelCount);
    }

    COrveloApp& App() { return *m_app; }
    CMainFrame& Frame() { return *m_app->MainFrame(); }
    AppSettings& Settings() { return *m_settings; }
    orvelo::LapDataCore& Core() { return m_core; }
    platform::MessageBoxRecorder& Boxes() { return m_boxes; }

private:
    QTemporaryDir m_scratch;
    platform::MessageBoxRecorder m_boxes;  // a box never waits for a hand
    std::unique_ptr<AppSettings> m_settings;
    orvelo::LapDataCore m_core;
    std::unique_ptr<ProgramWindowFactory> m_factory;
    std::unique_ptr<COrveloApp> m_app;
};

}  // namespace benchprogram
