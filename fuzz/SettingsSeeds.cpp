#include "fuzz/SettingsSeeds.h"

#include "platform/RegistryFileBackend.h"
#include "platform/WindowPlacement.h"
#include "settings/AppSettings.h"
#include "settings/SettingsDefaults.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

namespace orvelo::fuzzing {

namespace {

void WriteChannelValues(AppSettings& settings)
{
    ChannelSettings& channels = settings.Channels();
    std::int32_t mode = settings::kMapDrawModeGps;
    channels.MapDrawModeSetting(1, &mode);
    channels.ChannelValueTable()[0].currentMax = 14000;
    channels.SaveChannelValueTable();
}

// Names are long records: a few channels only, so that the seed stays small.
void WriteChannelNames(AppSettings& settings)
{
    ChannelSettings& channels = settings.Channels();
    ChannelNameRec::SetText(&channels.ChannelNameTable()[0].currentName, QStringLiteral("Drehzahl ü"));
    for (const int channel : {1, 9, settings::kNamedChannelCount})
        channels.ChannelNameSetting(1, channel);
}

// One setting of each kind.
void WriteOneOfEach(AppSettings& settings)
{
    ChannelSettings& channels = settings.Channels();
    std::int32_t mode = settings::kMapDrawModeOffsetOff + 1;
    channels.MapDrawModeSetting(1, &mode);
    channels.ChannelMaxValueSetting(1, settings::kHandleChannel);
    channels.ChannelNameSetting(1, 2);
    std::array<platform::ColorRef, settings::kLapColorCount> lapColors = settings::kLapColorDefaults;
    settings.Colors().LapColorSetting(1, lapColors.data());
    ChannelColorProperty block;
    ColorSettings::CopyDefaultChannelColor(&block);
    block.channelNumber = 1;
    settings.Store().WriteRecord(settings::SubKeyPath(settings::kItemColorInfo),
                                 settings::TaggedName(settings::kChannelColorProp,
                                                      QLatin1String(settings::kChannelTags[0])),
                                 block);
}

void WriteColors(AppSettings& settings)
{
    ColorSettings& colors = settings.Colors();
    std::array<platform::ColorRef, settings::kLapColorCount> lapColors = settings::kLapColorDefaults;
    lapColors[0] = 0x123456;
    colors.LapColorSetting(1, lapColors.data());
    SettingsStore& store = settings.Store();
    const QString key = settings::SubKeyPath(settings::kItemColorInfo);
    store.WriteRecord(key, settings::kLapOverViewWndProp, settings::kOverviewWindowDefaults);
    for (int channel = 1; channel <= settings::kValueChannelCount; ++channel) {
        ChannelColorProperty block;
        ColorSettings::CopyDefaultChannelColor(&block);
        block.channelNumber = channel;
        store.WriteRecord(key,
                          settings::TaggedName(settings::kChannelColorProp,
                                               QLatin1String(settings::kChannelTags[channel - 1])),
                          block);
    }
    MapViewProperty mapView;
    colors.SetDefaultMapViewProp(&mapView);
    store.WriteRecord(key, settings::kMapViewProp, mapView);
}

void WriteWindows(AppSettings& settings)
{
    SettingsStore& store = settings.Store();
    const QString key = settings::SubKeyPath(settings::kWindowViewInfo);
    platform::WindowPlacement placement;
    placement.showCommand = platform::WindowPlacement::kShowNormal;
    placement.normalLeft = 10;
    placement.normalTop = 20;
    placement.normalRight = 410;
    placement.normalBottom = 320;
    const QByteArray bytes = placement.ToBytes();
    store.RegWriteBinary(key, settings::kScaleControlWndPlace, bytes.constData(),
                         static_cast<std::uint32_t>(bytes.size()));
    store.RegWriteBinary(key, settings::kLogTimeWndPlace, bytes.constData(),
                         static_cast<std::uint32_t>(bytes.size()));
    const std::uint32_t num = 2;
    const std::uint32_t idMax = 3;
    const std::int32_t shown = 1;
    store.RegWriteDword(key, settings::kWorkAreaNum, &num);
    store.RegWriteDword(key, settings::kWorkAreaIdMax, &idMax);
    store.RegWriteDword(key, settings::kLogTimeWndView, &shown);
    store.RegWriteString(key, settings::kWorkAreaStat, QStringLiteral("101"));
}

void WriteProfile(AppSettings& settings)
{
    FrameworkProfile& profile = settings.Profile();
    profile.WriteProfileString(settings::kLogFileSection, settings::kLogFileEntry,
                               QStringLiteral("/home/driver/Läufe/2026"));
    profile.WriteProfileString(settings::kMapFileSection, settings::kMapFileEntry, settings::kNothingPath);
    profile.WriteProfileInt(settings::kWorkspaceSection, settings::kApplicationLookEntry,
                            settings::kApplicationLookDefault);
}

// The settings file after the writers ran on a fresh store.
QByteArray SettingsFileOf(const std::vector<std::function<void(AppSettings&)>>& writers)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fputs("cannot make a scratch folder\n", stderr);
        std::exit(1);
    }
    auto backend = std::make_unique<platform::RegistryFileBackend>(folder.path());
    const QString path = backend->FilePath();
    {
        AppSettings settings(std::move(backend), [] { return platform::ColorRef{0xF0F0F0}; });
        settings.Store().CreateSettingsKeys();
        for (const auto& write : writers)
            write(settings);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        std::exit(1);
    }
    return file.readAll();
}

QByteArray Utf16WithMark(const QByteArray& utf8)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (const QChar c : QString::fromUtf8(utf8)) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

void WriteFile(const std::string& dir, int index, const QByteArray& bytes)
{
    QFile file(QString::fromStdString(dir) + QStringLiteral("/settings-%1.reg").arg(index));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
        std::exit(1);
    }
}

} // namespace

int WriteSettingsSeeds(const std::string& dir)
{
    const std::vector<std::vector<std::function<void(AppSettings&)>>> kinds = {
        {},
        {WriteChannelValues},
        {WriteChannelNames},
        {WriteColors},
        {WriteWindows, WriteProfile},
        {WriteOneOfEach, WriteWindows, WriteProfile},
    };
    int index = 0;
    QByteArray mixed;
    for (const auto& writers : kinds) {
        mixed = SettingsFileOf(writers);
        WriteFile(dir, index++, mixed);
    }
    WriteFile(dir, index++, Utf16WithMark(mixed));
    WriteFile(dir, index++, QByteArray(mixed).replace("\n", "\r\n"));
    return index;
}

} // namespace orvelo::fuzzing
