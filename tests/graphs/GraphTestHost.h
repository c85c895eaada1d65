// A GraphHost for the graph tests: settings on an in-memory registry, a data
// core as start-up leaves it, a main frame and a properties pane that keep
// every message they receive (with its block), and generated log files
// loaded from a temporary folder.
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

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>
#include <string>
#include <vector>

namespace graphtest {

// Keeps every message it receives, with its block.
class RecordingWindow {
public:
    RecordingWindow() {
        m_window.OnAny([this](const platform::Message& m) {
            received.push_back(m);
            return platform::LResult{1};
        });
    }
    platform::WindowHandle Handle() const { return m_window.Handle(); }
    std::vector<platform::Message> Of(std::uint32_t id) const {
        std::vector<platform::Message> found;
        for (const platform::Message& m : received) {
            if (m.id == id)
                found.push_back(m);
        }
        return found;
    }
    std::vector<platform::Message> received;

private:
    platform::MessageWindow m_window;
};

class TestGraphHost : public GraphHost {
public:
    TestGraphHost() {
        m_settings = std::make_unique<AppSettings>(std::make_unique<platform::RegistryMemoryBackend>(),
                                                   [] { return platform::ColorRef{0xF0F0F0}; });
        m_core.nowSeconds = [] { return std::int64_t{500000000}; };
        m_core.randomNumber = [] { return 7; };
        orvelo::InitDataCore(m_core);
        m_settings->Colors().InitChannelColorTables();
    }
    ~TestGraphHost() override { platform::TheMessageBus().ProcessPosted(); }

    orvelo::LapDataCore& Core() override { return m_core; }
    AppSettings& Settings() override { return *m_settings; }
    platform::WindowHandle MainFrame() const override { return mainFrame.Handle(); }
    platform::WindowHandle PropertiesPane() const override { return properties.Handle(); }
    bool ZoomMode() const override { return zoomMode; }

    // Writes a generated session as a log file and loads it; its full path.
    std::u16string Load(const QString& name, int laps, std::uint64_t seed, int firstLap = 1) {
        samplegen::SessionOptions options;
        options.laps = laps;
        options.seed = seed;
        options.firstLapNumber = firstLap;
        options.circuitLength = 400.0;
        const std::vector<std::uint8_t> bytes = samplegen::GenerateSession(options).bytes;
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        file.close();
        orvelo::FileListEntry entry;
        entry.fullPath = path.toStdU16String();
        orvelo::EditLogFileList(m_core, orvelo::kFileListAdd, entry);
        orvelo::LoadPendingLogFiles(m_core, 3);
        return entry.fullPath;
    }
    void SetBase(const std::u16string& path, int lapNumber) {
        orvelo::SetBaseLap(m_core, path, std::u16string(u"  ") + QString::number(lapNumber).toStdU16String());
    }
    void AddOverlay(const std::u16string& path, int lapNumber) {
        orvelo::ToggleOverlayLap(m_core, path, QString::number(lapNumber).toStdU16String());
    }
    const orvelo::Lap& LapOf(const std::u16string& path, int lapNumber) {
        return *m_core.ResolveLap(orvelo::FindLogLap(m_core, path, lapNumber));
    }

    RecordingWindow mainFrame;
    RecordingWindow properties;
    bool zoomMode = false;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppSettings> m_settings;
    orvelo::LapDataCore m_core;
};

// A lap-overlay pane of one channel, scaled and drawn for its client size.
inline std::unique_ptr<GraphPaneData> LapOverlayPane(GraphHost& host, int channel, int width, int height,
                                                     platform::WindowHandle pane, platform::WindowHandle owner) {
    auto data = std::make_unique<GraphPaneData>(host, GraphPaneData::kLapOverlay);
    data->SetHandles(pane, owner);
    data->SetChannelMask(1u << (channel - 1));
    data->SetClientSize(width, height);
    data->SetChannelRange({0, 0, 0, channel, 0, 0, 0, 0.0f});
    data->Rebuild(nullptr);
    return data;
}

} // namespace graphtest
