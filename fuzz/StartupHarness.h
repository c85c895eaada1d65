// The program started on a settings file and closed again, with its own windows: what the start-up
// reads of the stored work areas, their windows and placements, and what the close writes back.
// Shared by the fuzz target and the tests that replay what it found.
#pragma once

#include "fuzz/SettingsLoadHarness.h"

#include "app/ProgramWindowFactory.h"
#include "platform/MessageBus.h"
#include "shell/CMainFrame.h"
#include "shell/COrveloApp.h"

#include "core/LapDataCore.h"

#include <QCoreApplication>
#include <QEvent>

#include <functional>

namespace orvelo::fuzzing {

inline void RunPostedWork()
{
    QCoreApplication::sendPostedEvents();
    platform::TheMessageBus().ProcessPosted();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A text that does not parse starts the program on the built-in settings, as the file backend does;
// only a parsed text says anything more. Every box is answered with its default button. check sees
// the program once it has started.
inline void StartAndClose(const QByteArray& bytes, const std::function<void(COrveloApp&)>& check = {})
{
    platform::RegistryTree tree;
    QString error;
    if (!platform::RegFileFormat::Parse(bytes, &tree, &error))
        return;
    platform::MessageBoxRecorder boxes;
    auto backend = std::make_unique<platform::RegistryMemoryBackend>(tree);
    platform::RegistryMemoryBackend& store = *backend;
    AppSettings settings(std::move(backend), ButtonFace());
    LapDataCore core;
    core.nowSeconds = [] { return std::int64_t{500000000}; };
    core.randomNumber = [] { return 7; };
    ProgramWindowFactory factory(settings, core);
    {
        COrveloApp app(settings, core, factory);
        if (app.InitInstance(nullptr)) {
            RunPostedWork();
            if (check)
                check(app);
            app.MainFrame()->close();
            RunPostedWork();
        }
    }
    RunPostedWork();
    CheckRoundTrip(store.Saved());
}

} // namespace orvelo::fuzzing
