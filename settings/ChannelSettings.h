// The per-channel settings of "Channel_NameScale_Info" as the program uses
// them at run time: the scale limits of channels 1 to 18, the names of
// channels 1 to 20 and the global map drawing mode, with their loaders and
// savers. "op" 1 writes, any other op reads; 0 ok, 1 failure.
#pragma once

#include "settings/SettingsDefaults.h"
#include "settings/SettingsRecords.h"

#include <array>
#include <cstdint>

class SettingsStore;

class ChannelSettings {
public:
    using ValueTable = std::array<ChannelValueRec, settings::kValueChannelCount>;
    using NameTable = std::array<ChannelNameRec, settings::kNamedChannelCount>;

    // The tables start on their built-in defaults.
    explicit ChannelSettings(SettingsStore& store);

    // Writes *mode as "Map_DrawMode", or reads it into *mode. A stored mode
    // outside 1 to 3 counts as missing and leaves *mode alone.
    int MapDrawModeSetting(int op, std::int32_t* mode);
    // MapDrawMode() = the stored mode, 1 when it cannot be read.
    void LoadMapDrawMode();

    // Channel 1 to 18's record of ChannelValueTable() under "Channel_Max_Value_<n>".
    int ChannelMaxValueSetting(int op, int channel);
    int SaveChannelValueTable();
    // Every channel's stored record, or its built-in one when it is missing
    // or its maxima are not above its minima.
    void LoadChannelValueTable();

    // Channel 1 to 20's record of ChannelNameTable() under "Channel_Name_Prop_<n>".
    int ChannelNameSetting(int op, int channel);
    void LoadChannelNameTable();

    ValueTable& ChannelValueTable() { return m_values; }
    NameTable& ChannelNameTable() { return m_names; }
    // The global map drawing mode: 1 offset OFF, 2 offset ON, 3 GPS.
    std::int32_t& MapDrawMode() { return m_mapDrawMode; }

    // Defaults of one name record: number n, built-in name as default name
    // and, for channels 1 to 18, as current name too.
    static ChannelNameRec DefaultNameRec(int channel);

private:
    // The corrections of the Handle and Accel limits.
    static void FixLimits(ChannelValueRec* rec, int channel, bool wasRead);
    static void FixHandleLimits(ChannelValueRec* rec, bool wasRead);
    static void FixAccelLimits(ChannelValueRec* rec, bool wasRead);
    // Both maxima above their minima: what a stored record must hold to be taken.
    static bool LimitsInOrder(const ChannelValueRec& rec);

    SettingsStore& m_store;
    ValueTable m_values;
    NameTable m_names;
    std::int32_t m_mapDrawMode = settings::kMapDrawModeDefault;
};
