// Reading a settings file the way the program does: parsed as the file backend parses it, then every
// setting read through the store's loaders. Shared by the fuzz target and the tests that replay what
// it found.
#pragma once

#include "platform/RegFileFormat.h"
#include "platform/RegistryMemoryBackend.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"

#include <QByteArray>
#include <QString>

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

// A parsed hive written back and parsed again is the same hive: every change the program saves
// rewrites the whole file, so anything lost here would be lost from the user's settings.
inline void CheckRoundTrip(const platform::RegistryTree& tree)
{
    const QByteArray written = platform::RegFileFormat::Write(tree);
    platform::RegistryTree again;
    QString error;
    if (!platform::RegFileFormat::Parse(written, &again, &error))
        SettingsFault(qPrintable(QStringLiteral("written hive does not parse: ") + error));
    if (!(again == tree))
        SettingsFault("written hive parses into another hive");
}

// Every value of every key through the store's generic readers. The program's keys are short; a
// long path costs its length on every read, so only keys of a usable length are read value by value.
inline void ReadEveryValue(AppSettings& settings)
{
    constexpr qsizetype kLongestReadPath = 1024;
    SettingsStore& store = settings.Store();
    std::array<std::uint8_t, 2 * SettingsStore::kStringBufferChars> buffer{};
    settings.UserRegistry().Tree().ForEachKey(
        [&](const QString& key, const platform::RegistryTree::ValueMap& values, bool) {
            if (key.size() > kLongestReadPath)
                return;
            std::uint32_t count = 0;
            store.RegCountValues(key, &count);
            for (const platform::RegistryNamedValue& value : values) {
                std::uint32_t byteCount = 0;
                store.RegReadValue(key, value.name, buffer.data(), static_cast<std::uint32_t>(buffer.size()),
                                   &byteCount);
                if (byteCount > buffer.size())
                    SettingsFault("a read reported more bytes than the buffer holds");
                QString text;
                if (store.RegReadString(key, value.name, &text) == 0 && text.size() > SettingsStore::kMaxStringChars)
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

// A text that does not parse leaves the program on an empty hive, as the file backend does; the
// settings then hold nothing of the text, so only a parsed text is read on.
inline void LoadSettingsText(const QByteArray& bytes)
{
    platform::RegistryTree tree;
    QString error;
    if (!platform::RegFileFormat::Parse(bytes, &tree, &error))
        return;
    CheckRoundTrip(tree);
    AppSettings settings(std::make_unique<platform::RegistryMemoryBackend>(tree),
                         [] { return platform::ColorRef{0xF0F0F0}; });
    ReadEverySetting(settings);
}

} // namespace orvelo::fuzzing
