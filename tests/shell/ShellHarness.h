// A whole application shell for tests: settings on an in-memory registry
// (optionally what an earlier run left), a fresh data core, stand-in windows
// and the test panes of PaneStandIns.h (or the windows a given factory
// makes), message boxes recorded, no instance lock.
#pragma once

#include "PaneStandIns.h"
#include "ShellTestText.h"

#include "platform/MessageBox.h"
#include "platform/MessageBus.h"
#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"
#include "shell/CChildFrame.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"
#include "shell/COrveloDoc.h"
#include "shell/COrveloView.h"
#include "settings/SettingsDefaults.h"

#include "core/LapDataCore.h"

#include <QCoreApplication>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>

// A work area's graph-window list as text: the kind per entry, '0' for a free one.
inline std::string GraphKinds(const COrveloView& view) {
    std::string text;
    for (const auto& entry : view.GraphWindows())
        text += entry.window ? char('0' + entry.kind) : '0';
    return text;
}

class ShellHarness {
public:
    using FactoryMaker = std::function<std::unique_ptr<ShellWindowFactory>(AppSettings&, orvelo::LapDataCore&)>;

    explicit ShellHarness(platform::RegistryTree saved = {}, const FactoryMaker& makeFactory = {}) {
        auto backend = std::make_unique<platform::RegistryMemoryBackend>(std::move(saved));
        m_backend = backend.get();
        m_settings = std::make_unique<AppSettings>(std::move(backend), [] { return platform::ColorRef{0xF0F0F0}; });
        m_core.nowSeconds = [] { return std::int64_t{500000000}; };
        m_core.randomNumber = [] { return 7; };
        m_factory = makeFactory ? makeFactory(*m_settings, m_core) : std::make_unique<testsupport::ShellTestWindowFactory>();
        m_app = std::make_unique<COrveloApp>(*m_settings, m_core, *m_factory);
    }
    ~ShellHarness() {
        m_app.reset();
        platform::TheMessageBus().ProcessPosted();
    }

    bool Start() {
        const bool started = m_app->InitInstance(nullptr);
        m_app->SetDesktopFolder(QStringLiteral("/nonexistent-desktop"));  // never the user's own
        Drain();
        return started;
    }
    static void Drain() {
        QCoreApplication::sendPostedEvents();
        platform::TheMessageBus().ProcessPosted();
    }
    // Closes the main frame as the close box does.
    void Close() {
        Frame().close();
        Drain();
    }

    COrveloApp& App() { return *m_app; }
    CMainFrame& Frame() { return *m_app->MainFrame(); }
    AppSettings& Settings() { return *m_settings; }
    orvelo::LapDataCore& Core() { return m_core; }
    platform::MessageBoxRecorder& Boxes() { return m_boxes; }
    platform::RegistryTree Saved() { return m_backend->Load(); }
    platform::RegistryMemoryBackend& Backend() { return *m_backend; }

    std::vector<CChildFrame*> WorkAreas() { return m_app->WorkAreaWindowList(); }
    QStringList WorkAreaTitles() {
        QStringList titles;
        for (CChildFrame* frame : m_app->WorkAreaWindowList())
            titles << frame->Document().Title();
        return titles;
    }
    CChildFrame* WorkArea(int number) {
        for (CChildFrame* frame : m_app->WorkAreaWindowList()) {
            if (frame->Document().Number() == number)
                return frame;
        }
        return nullptr;
    }

private:
    platform::MessageBoxRecorder m_boxes;
    platform::RegistryMemoryBackend* m_backend = nullptr;
    std::unique_ptr<AppSettings> m_settings;
    orvelo::LapDataCore m_core;
    std::unique_ptr<ShellWindowFactory> m_factory;
    std::unique_ptr<COrveloApp> m_app;
};
