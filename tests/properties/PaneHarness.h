// A properties pane on its own for tests: settings on a memory registry with the channel colours
// loaded as the main frame loads them, a data core that reads generated sessions, a window
// standing for the main frame that keeps what it gets, message boxes recorded.
#pragma once

#include "coursemap/MapViewHarness.h"

#include "properties/CLapPropertyGridCtrl.h"
#include "properties/CPropertiesWnd.h"
#include "properties/CViewSplitWnd.h"

#include <QStringList>

#include <memory>

namespace testprops {

class PaneHarness {
public:
    PaneHarness() {
        orvelo::InitDataCore(core);
        store.Settings().Colors().InitChannelColorTables();
    }
    ~PaneHarness() {
        pane.reset();
        platform::TheMessageBus().ProcessPosted();
    }

    CPropertiesWnd& Make(int width = 240, int height = 400) {
        pane = std::make_unique<CPropertiesWnd>(nullptr, core, store.Settings(), frame.Handle());
        pane->resize(width, height);
        pane->show();
        Drain();
        return *pane;
    }
    static void Drain() { testmap::MapViewHarness::Drain(); }

    void Post(std::uint32_t id, platform::WParam w, platform::LParam l) {
        platform::PostMessage(pane->Handle(), id, w, l);
        Drain();
    }
    platform::LResult Send(std::uint32_t id, platform::WParam w, platform::LParam l) {
        const platform::LResult result = platform::SendMessage(pane->Handle(), id, w, l);
        Drain();
        return result;
    }
    // A value at the cursor for the lap in that row, as a graph pane posts it.
    void Cursor(std::uint32_t id, std::int32_t value, int lapNumber, int row) {
        Post(id, static_cast<std::uint32_t>(value),
             platform::MakeLong(static_cast<std::uint32_t>(lapNumber), static_cast<std::uint32_t>(row)));
    }
    static QStringList Values(const std::vector<CPropGridPropExt*>& rows) {
        QStringList values;
        for (const CPropGridPropExt* row : rows)
            values << row->Value();
        return values;
    }

    SettingsTestStore store;
    orvelo::LapDataCore core;
    testsupport::RecordingWindow frame;
    platform::MessageBoxRecorder boxes;
    std::unique_ptr<CPropertiesWnd> pane;
};

}  // namespace testprops
