#include "settings/ChannelSettings.h"

#include "settings/SettingsBatch.h"
#include "settings/SettingsStore.h"

#include <limits>

namespace {
constexpr int kWrite = 1;
constexpr int kOk = 0;
constexpr int kFailed = 1;

QString NameScaleKey() { return settings::SubKeyPath(settings::kChannelNameScaleInfo); }
}  // namespace

ChannelSettings::ChannelSettings(SettingsStore& store)
    : m_store(store), m_values(settings::kChannelValueDefaults) {
    for (int n = 1; n <= settings::kNamedChannelCount; ++n)
        m_names[n - 1] = DefaultNameRec(n);
}

int ChannelSettings::MapDrawModeSetting(int op, std::int32_t* mode) {
    if (!mode)
        return kFailed;
    if (op == kWrite)
        return m_store.RegWriteDword(NameScaleKey(), settings::kMapDrawModeName, mode);
    std::array<std::uint8_t, 4> bytes{};
    if (m_store.ReadExact(NameScaleKey(), settings::kMapDrawModeName, platform::kRegDword, bytes.data(), 4) != kOk)
        return kFailed;
    std::int32_t stored = 0;
    settings_bytes::Get(bytes.data(), &stored);
    // The setup page uses the mode as a radio-button index.
    if (stored < settings::kMapDrawModeOffsetOff || stored > settings::kMapDrawModeGps)
        return kFailed;
    *mode = stored;
    return kOk;
}

void ChannelSettings::LoadMapDrawMode() {
    m_mapDrawMode = settings::kMapDrawModeDefault;
    MapDrawModeSetting(0, &m_mapDrawMode);
}

int ChannelSettings::ChannelMaxValueSetting(int op, int channel) {
    if (channel < 1 || channel > settings::kValueChannelCount)
        return kFailed;
    const QString name = settings::NumberedName(settings::kChannelMaxValue, channel);
    ChannelValueRec& rec = m_values[channel - 1];
    return op == kWrite ? m_store.WriteRecord(NameScaleKey(), name, rec)
                         : m_store.ReadRecord(NameScaleKey(), name, &rec);
}

int ChannelSettings::SaveChannelValueTable() {
    SettingsBatch batch(m_store);
    for (int n = 1; n <= settings::kValueChannelCount; ++n) {
        if (ChannelMaxValueSetting(kWrite, n) != kOk)
            return kFailed;
    }
    return batch.End();
}

void ChannelSettings::LoadChannelValueTable() {
    m_values.fill(ChannelValueRec{});
    for (int n = 1; n <= settings::kValueChannelCount; ++n) {
        ChannelValueRec& rec = m_values[n - 1];
        if (ChannelMaxValueSetting(0, n) == kOk) {
            FixLimits(&rec, n, true);
            if (LimitsInOrder(rec))
                continue;
        }
        rec = settings::kChannelValueDefaults[n - 1];
        FixLimits(&rec, n, false);
    }
}

void ChannelSettings::FixLimits(ChannelValueRec* rec, int channel, bool wasRead) {
    if (channel == settings::kHandleChannel)
        FixHandleLimits(rec, wasRead);
    else if (channel == settings::kAccelChannel)
        FixAccelLimits(rec, wasRead);
}

bool ChannelSettings::LimitsInOrder(const ChannelValueRec& rec) {
    // Scales divide by maximum - minimum, which must be a positive 32-bit number.
    const auto inOrder = [](std::int64_t maximum, std::int64_t minimum) {
        return maximum > minimum && maximum - minimum <= std::numeric_limits<std::int32_t>::max();
    };
    return inOrder(rec.defaultMax, rec.defaultMin) && inOrder(rec.currentMax, rec.currentMin);
}

void ChannelSettings::FixHandleLimits(ChannelValueRec* rec, bool wasRead) {
    rec->defaultMax = 100;
    rec->secondFlag = 1;
    rec->defaultMin = 0;
    if (!wasRead)
        return;
    rec->lowestMax = 0;
    if (rec->currentMax > 100)
        rec->currentMax = 100;
    if (rec->currentMin >= 50)
        rec->currentMin = 0;
}

void ChannelSettings::FixAccelLimits(ChannelValueRec* rec, bool wasRead) {
    rec->defaultMax = 100;
    rec->lowestMax = 50;
    rec->firstStep = 10;
    if (wasRead && rec->currentMax > 100)
        rec->currentMax = 100;
}

int ChannelSettings::ChannelNameSetting(int op, int channel) {
    if (channel < 1 || channel > settings::kNamedChannelCount)
        return kFailed;
    const QString name = settings::NumberedName(settings::kChannelNameProp, channel);
    ChannelNameRec& rec = m_names[channel - 1];
    if (op == kWrite)
        return m_store.WriteRecord(NameScaleKey(), name, rec);
    if (m_store.ReadRecord(NameScaleKey(), name, &rec) != kOk)
        return kFailed;
    // Tables are indexed by the number: a foreign value must not move the name.
    rec.channelNumber = channel;
    return kOk;
}

void ChannelSettings::LoadChannelNameTable() {
    for (int n = 1; n <= settings::kNamedChannelCount; ++n) {
        ChannelNameRec& rec = m_names[n - 1];
        rec = ChannelNameRec{};
        rec.channelNumber = n;
        if (n > settings::kValueChannelCount) {
            // Lap time and distance: written by the setup page, never read.
            rec = DefaultNameRec(n);
        } else if (ChannelNameSetting(0, n) != kOk) {
            rec = DefaultNameRec(n);
        }
    }
}

ChannelNameRec ChannelSettings::DefaultNameRec(int channel) {
    ChannelNameRec rec;
    rec.channelNumber = channel;
    if (channel < 1 || channel > settings::kNamedChannelCount)
        return rec;
    const QString name = QString::fromUtf16(settings::kChannelNames[channel - 1]);
    ChannelNameRec::SetText(&rec.defaultName, name);
    if (channel <= settings::kValueChannelCount)
        ChannelNameRec::SetText(&rec.currentName, name);
    return rec;
}
