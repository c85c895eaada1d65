// Reading a settings file the way the program does: loaded through the file backend (a file that
// does not parse is kept aside), every setting read through the store's loaders, saved back and
// loaded again. Shared by the fuzz target and the tests that replay what it found.
#pragma once

#include "platform/MessageBox.h"
#include "platform/RegFileFormat.h"
#include "platform/RegistryFileBackend.h"
#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace orvelo::fuzzing {

[[noreturn]] inline void SettingsFault(const char* what)
{
    std::fprintf(stderr, "settings: %s\n", what);
    std::abort();
}

// A parsed hive written back and parsed again is the same hive, and written again the same text:
// every change the program saves rewrites the whole file, so anything lost here would be lost from
// the user's settings. The text never grows past what a start reads, nor (for a hive read from a
// file) by more than a constant factor of that file: a key is written once, not once for each
// parent. The largest factor is a string that "..." cannot carry (a carriage return in it): each
// character read as one byte is written as two bytes in hex, "0d,00," and line breaks.
inline void CheckRoundTrip(const platform::RegistryTree& tree, qsizetype readFromBytes = -1)
{
    const QByteArray written = platform::RegFileFormat::Write(tree);
    if (written.size() > platform::RegFileFormat::kMaxTextBytes)
        SettingsFault("written hive is larger than a start reads");
    constexpr qsizetype kGrowth = 7;
    constexpr qsizetype kHeaderBytes = 64;
    if (readFromBytes >= 0 && written.size() > kGrowth * readFromBytes + kHeaderBytes)
        SettingsFault("written hive is much larger than the file it was read from");
    platform::RegistryTree again;
    QString error;
    if (!platform::RegFileFormat::Parse(written, &again, &error))
        SettingsFault(qPrintable(QStringLiteral("written hive does not parse: ") + error));
    if (!(again == tree))
        SettingsFault("written hive parses into another hive");
    if (platform::RegFileFormat::Write(again) != written)
        SettingsFault("written hive is written again differently");
}

// Every value of every key through the store's generic readers. The program's keys are short; a
// long path costs its length on every read, so only keys of a usable length are read value by value.
inline void ReadEveryValue(AppSettings& settings)
{
    constexpr qsizetype kLongestReadPath = 256;
    SettingsStore& store = settings.Store();
    std::array<std::uint8_t, 2 * SettingsStore::kStringBufferChars> buffer{};
    settings.UserRegistry().Tree().ForEachKey(
        [&](const QString& key, const platform::RegistryTree::ValueMap& values, bool) {
            if (values.empty() || key.size() > kLongestReadPath)
                return;
            std::uint32_t count = 0;
            store.RegCountValues(key, &count);
            for (const auto& [name, value] : values) {
                std::uint32_t byteCount = 0;
                store.RegReadValue(key, name, buffer.data(), static_cast<std::uint32_t>(buffer.size()), &byteCount);
                if (byteCount > buffer.size())
                    SettingsFault("a read reported more bytes than the buffer holds");
                QString text;
                if (store.RegReadString(key, name, &text) == 0 && text.size() > SettingsStore::kMaxStringChars)
                    SettingsFault("a string read longer than the store allows");
            }
        });
}

// What start-up, the main frame and the work areas read from the settings.
inline void ReadEverySetting(AppSettings& settings)
{
    ChannelSettings& channels = settings.Channels();
    channels.LoadMapDrawMode();
    if (channels.MapDrawMode() < settings::kMapDrawModeOffsetOff || channels.MapDrawMode() > settings::kMapDrawModeGps)
        SettingsFault("map drawing mode out of range");
    channels.LoadChannelValueTable();
    channels.LoadChannelNameTable();
    for (int channel = 1; channel <= settings::kNamedChannelCount; ++channel)
        channels.ChannelNameSetting(0, channel);
    for (const ChannelNameRec& rec : channels.ChannelNameTable()) {
        ChannelNameRec::Text(rec.defaultName);
        ChannelNameRec::Text(rec.currentName);
    }

    ColorSettings& colors = settings.Colors();
    std::array<platform::ColorRef, settings::kLapColorCount> lapColors{};
    colors.LapColorSetting(0, lapColors.data());
    OverviewWindowColors overview;
    colors.LoadLapOverviewWndProp(&overview);
    for (int channel = 1; channel <= settings::kValueChannelCount; ++channel) {
        ChannelColorProperty block;
        colors.LoadChannelColorRecord(channel, &block);
    }
    colors.InitChannelColorTables();
    MapViewProperty mapView;
    colors.SetDefaultMapViewProp(&mapView);

    SettingsStore& store = settings.Store();
    const QString colorKey = settings::SubKeyPath(settings::kItemColorInfo);
    store.ReadRecord(colorKey, settings::kMapViewProp, &mapView);

    const QString windowKey = settings::SubKeyPath(settings::kWindowViewInfo);
    WindowPlacementRec placement;
    settings.LoadScaleControlWndPlace(&placement);
    store.ReadRecord(windowKey, settings::kLogTimeWndPlace, &placement);
    std::uint32_t word = 0;
    store.ReadExact(windowKey, settings::kWorkAreaNum, platform::kRegDword, &word, sizeof word);
    store.ReadExact(windowKey, settings::kWorkAreaIdMax, platform::kRegDword, &word, sizeof word);
    store.ReadExact(windowKey, settings::kLogTimeWndView, platform::kRegDword, &word, sizeof word);
    QString workAreaStat;
    store.RegReadString(windowKey, settings::kWorkAreaStat, &workAreaStat);

    FrameworkProfile& profile = settings.Profile();
    profile.GetProfileString(settings::kLogFileSection, settings::kLogFileEntry, settings::kNothingPath);
    profile.GetProfileString(settings::kMapFileSection, settings::kMapFileEntry, settings::kNothingPath);
    profile.GetProfileInt(settings::kWorkspaceSection, settings::kApplicationLookEntry,
                          settings::kApplicationLookDefault);

    ReadEveryValue(settings);
}

inline ColorSettings::ColorSource ButtonFace()
{
    return [] { return platform::ColorRef{0xF0F0F0}; };
}

// The bytes as the user's settings file in a folder of its own: loaded as a start loads it, every
// setting read, saved back (without syncing, which only slows the fuzzer) and loaded again.
class SettingsFileCycle {
public:
    SettingsFileCycle() : m_folder(QDir::tempPath() + QStringLiteral("/orvelo-fuzz-settings-XXXXXX")) {}

    void Run(const QByteArray& bytes)
    {
        if (!m_folder.isValid())
            SettingsFault("no scratch folder");
        const QString folder = m_folder.path();
        QDir scratch(folder);
        for (const QString& entry : scratch.entryList(QDir::Files | QDir::Hidden))
            scratch.remove(entry);
        QFile file(folder + QChar('/') + QLatin1String(platform::RegistryFileBackend::kFileName));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            SettingsFault("cannot write the settings file");
        file.close();

        platform::MessageBoxRecorder boxes;
        platform::RegistryTree loaded;
        {
            auto backend = Backend();
            platform::RegistryFileBackend& saver = *backend;
            AppSettings settings(std::move(backend), ButtonFace());
            loaded = settings.UserRegistry().Tree();
            if (boxes.Shown().empty())
                CheckRoundTrip(loaded, bytes.size());
            else if (file.exists())
                SettingsFault("a file that does not load is not kept aside");
            ReadEverySetting(settings);
            if (!(settings.UserRegistry().Tree() == loaded))
                SettingsFault("reading the settings changed them");
            if (!saver.Save(loaded))
                SettingsFault(qPrintable(QStringLiteral("a hive read from a file is not saved: ") + saver.SaveError()));
        }
        const std::size_t shown = boxes.Shown().size();
        if (!(Backend()->Load() == loaded) || boxes.Shown().size() != shown)
            SettingsFault("a saved file loads into another hive");
    }

private:
    std::unique_ptr<platform::RegistryFileBackend> Backend() const
    {
        auto backend = std::make_unique<platform::RegistryFileBackend>(m_folder.path());
        backend->SetSync([](int) { return 0; });
        return backend;
    }

    QTemporaryDir m_folder;
};

} // namespace orvelo::fuzzing
