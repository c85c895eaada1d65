// The colour settings of "Item_Color_Info" as the program uses them at run
// time: LapColorTable, the 18 channel colour records, the default lap-colour
// table, and the built-in colours of the overview window and the course maps.
// Colours are COLORREF (0x00BBGGRR).
#pragma once

#include "platform/ColorRef.h"
#include "settings/SettingsDefaults.h"
#include "settings/SettingsRecords.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class SettingsStore;
namespace orvelo {
class LapDataCore;
}

// One channel's graph colours at run time; a lap compared past its lap colours
// is drawn in its slot's colour.
struct ChannelColorRecord {
    platform::ColorRef background = 0;
    platform::ColorRef text = 0;
    platform::ColorRef analysisLine = 0;
    std::int32_t checkFlag = 0;
    std::int32_t channelNumber = 0;
    std::int32_t readFlag = 0;
    std::vector<platform::ColorRef> lapColors;
};

class ColorSettings {
public:
    using LapColors = std::array<platform::ColorRef, settings::kLapColorCount>;
    using ColorSource = std::function<platform::ColorRef()>;

    // buttonFace gives the desktop's button-face colour for the map
    // defaults; empty means the platform's system colour.
    explicit ColorSettings(SettingsStore& store, ColorSource buttonFace = {});

    // Told each time LapColorTable() takes new colours; the application
    // recolours the compared laps of its data core from the table.
    using LapColorsTaken = std::function<void(const LapColors&)>;
    void SetLapColorsTaken(LapColorsTaken taken) { m_lapColorsTaken = std::move(taken); }

    // Op 1 writes the seven colours as "Lap_Color_Prop", any other op reads
    // them into colors. Only on success does LapColorTable() take them and
    // pass them on. 0 ok, 1 failure, also for an empty pointer.
    int LapColorSetting(int op, platform::ColorRef* colors);
    // The stored colours could not be read: the built-in ones are taken and
    // passed on instead.
    void UseBuiltInLapColors();
    const LapColors& LapColorTable() const { return m_lapColors; }

    // Every row of the default lap-colour table = the built-in lap colours.
    void InitChannelColorDefaults();
    // The reset values; the channel number is left alone.
    static void CopyDefaultChannelColor(ChannelColorProperty* block);
    // Reads "LapOverView_WndProp" into block with its read flag 1; on failure
    // only the read flag changes, to 0, and the result is 1.
    int LoadLapOverviewWndProp(OverviewWindowColors* block);
    // Reads channel 1 to 18's "Channel_Color_Prop_<tag>" with its read flag 1
    // and that channel's number, whatever number it was stored with.
    int LoadChannelColorRecord(int channel, ChannelColorProperty* block);
    // Fills the 18 channel colour records from the store or the defaults.
    void InitChannelColorTables();
    // The built-in map colours; words 3 to 5 stay as the block holds them.
    void SetDefaultMapViewProp(MapViewProperty* block) const;
    // The stored "Map_View_Prop", or the built-in map colours when it cannot be read; 0 when read.
    int LoadMapViewProp(MapViewProperty* block);

    // Channel 1 to 18's colour for the lap in row `row` of the compared laps. Rows past the
    // channel's lap colours take the colour of that compared lap's slot (a row without one, the
    // slot of that number; an empty list starts with the base lap's colour), so every window shows
    // that lap in the colour of its list row.
    platform::ColorRef ChannelLapColor(const orvelo::LapDataCore& core, int channel, std::size_t row);

    std::array<ChannelColorRecord, settings::kValueChannelCount>& ChannelColorRecords() {
        return m_channelColors;
    }
    const std::array<LapColors, settings::kValueChannelCount>& DefaultLapColorTable() const {
        return m_defaultLapColors;
    }

private:
    void TakeLapColors(const LapColors& colors);

    SettingsStore& m_store;
    ColorSource m_buttonFace;
    LapColors m_lapColors = settings::kLapColorDefaults;
    LapColorsTaken m_lapColorsTaken;
    std::array<LapColors, settings::kValueChannelCount> m_defaultLapColors{};
    std::array<ChannelColorRecord, settings::kValueChannelCount> m_channelColors;
};
