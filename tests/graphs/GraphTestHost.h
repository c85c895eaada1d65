// A GraphHost for the graph tests: settings on an in-memory registry, a data
// core as start-up leaves it, a main frame and a properties pane that accept
// every message, and generated log files loaded from a temporary folder.
#pragma once

#include "graphs/GraphHost.h"
#include "graphs/GraphPaneData.h"

#include "core/FileLists.h"
#include "core/LapDataCore.h"
#include "core/LapSelection.h"
#include "platform/MessageBus.h"
#include "platform/MessageWindow.h"
#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"
#include "tools/SampleSession.h"

#include <QTemporaryDir>

#include <memory>

namespace graphtest {

class TestGraphHost : public GraphHost {
public:
    TestGraphHost()
        : m_settings(std::make_unique<platform::RegistryMemoryBackend>(), [] { return platform::ColorRef{0xF0F0F0}; }) {
        m_core.nowSeconds = [] { return std::int64_t{500000000}; };
        m_core.randomNumber = [] { return 7; };
        orvelo::InitDataCore(m_core);
        m_settings.Colors().InitChannelColorTables();
        for (platform::MessageWindow* window : {&mainFrame, &properties})
            window->OnAny([](const platform::Message&) { return platform::LResult{1}; });
    }
    ~TestGraphHost() override { platform::TheMessageBus().ProcessPosted(); }

    orvelo::LapDataCore& Core() override { return m_core; }
    AppSettings& Settings() override { return m_settings; }
    platform::WindowHandle MainFrame() const override { return mainFrame.Handle(); }
    platform::WindowHandle PropertiesPane() const override { return properties.Handle(); }
    bool ZoomMode() const override { return zoomMode; }

    // Writes a generated session of the laps as a log file and loads it; its full path.
    std::u16string Load(const QString& name, int laps, std::uint64_t seed,
                        samplegen::Variant variant = samplegen::Variant::Standard) {
        samplegen::SessionOptions options;
        options.laps = laps;
        options.seed = seed;
        options.variant = variant;
        options.circuitLength = 400.0;
        orvelo::FileListEntry entry;
        entry.fullPath = m_dir.filePath(name).toStdU16String();
        samplegen::WriteBytes(m_dir.filePath(name).toStdString(), samplegen::GenerateSession(options).bytes);
        orvelo::EditLogFileList(m_core, orvelo::kFileListAdd, entry);
        orvelo::LoadPendingLogFiles(m_core, 3);
        return entry.fullPath;
    }
    void SetBase(const std::u16string& path, int lap) { orvelo::SetBaseLap(m_core, path, Number(lap)); }
    void AddOverlay(const std::u16string& path, int lap) { orvelo::ToggleOverlayLap(m_core, path, Number(lap)); }
    orvelo::Lap& LapOf(const std::u16string& path, int lap) {
        return *m_core.ResolveLap(orvelo::FindLogLap(m_core, path, lap));
    }

    platform::MessageWindow mainFrame;
    platform::MessageWindow properties;
    bool zoomMode = false;

private:
    static std::u16string Number(int lap) { return QString::number(lap).toStdU16String(); }

    QTemporaryDir m_dir;
    AppSettings m_settings;
    orvelo::LapDataCore m_core;
};

// A lap-overlay pane of one channel, scaled and built for its client size.
inline std::unique_ptr<GraphPaneData> LapOverlayPane(GraphHost& host, int channel, int width, int height,
                                                     platform::WindowHandle pane = 0x7001,
                                                     platform::WindowHandle owner = 0x7002) {
    auto data = std::make_unique<GraphPaneData>(host, GraphPaneData::kLapOverlay);
    data->SetHandles(pane, owner);
    data->SetChannelMask(1u << (channel - 1));
    data->SetClientSize(width, height);
    data->SetChannelRange({0, 0, 0, channel, 0, 0, 0, 0.0f});
    data->Rebuild(nullptr);
    return data;
}

} // namespace graphtest
