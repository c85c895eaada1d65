// The program as app/main.cpp builds it, for benchmarks of what the user
// waits for: the settings on their file in a scratch configuration folder,
// a data core, the real window factory, the application object and its main
// frame with the panes, shown. No instance lock (benchmarks run side by side).
#pragma once

#include "app/ProgramWindowFactory.h"
#include "settings/AppSettings.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"

#include "core/LapDataCore.h"
#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/RegistryFileBackend.h"

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

namespace benchprogram {

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
