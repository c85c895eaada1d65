// Where each setting lives in the store (key, sub-key, value name) and the
// built-in value that applies while it is missing, side by side.
#pragma once

#include "settings/SettingsRecords.h"

#include <QString>

#include <array>
#include <cstdint>

namespace settings {

// The settings key under HKEY_CURRENT_USER and its four sub-keys.
inline const QString kSettingsKeyPath =
    QStringLiteral("Software\\") + QStringLiteral("Varnek_Orvelo\\AppData\\") + QStringLiteral("ver1.0");
inline const QString kMapSegInfo = QStringLiteral("Map_Seg_Info");
inline const QString kItemColorInfo = QStringLiteral("Item_Color_Info");
inline const QString kChannelNameScaleInfo = QStringLiteral("Channel_NameScale_Info");
inline const QString kWindowViewInfo = QStringLiteral("Window_View_Info");

// The full path of a sub-key: the settings key, '\' and its name.
inline QString SubKeyPath(const QString& subKey) { return kSettingsKeyPath + QChar('\\') + subKey; }
// "%s_%d": a base name and a number.
inline QString NumberedName(const QString& base, int number) {
    return base + QChar('_') + QString::number(number);
}
// "%s_%d_%d" and "%s_%d_%d_%d": work area, window and pane numbers.
inline QString NumberedName(const QString& base, int first, int second) {
    return NumberedName(NumberedName(base, first), second);
}
inline QString NumberedName(const QString& base, int first, int second, int third) {
    return NumberedName(NumberedName(base, first, second), third);
}
// "%s_%s": a base name and a channel tag.
inline QString TaggedName(const QString& base, const QString& tag) { return base + QChar('_') + tag; }

// Window_View_Info.
inline const QString kScaleControlWndPlace = QStringLiteral("ScaleControl_WndPlace");
inline const QString kLogTimeWndPlace = QStringLiteral("LogTime_WndPlace");
inline const QString kLogTimeWndView = QStringLiteral("LogTimeWndView");
inline const QString kWorkAreaNum = QStringLiteral("WorkArea_num");
inline const QString kWorkAreaIdMax = QStringLiteral("WorkArea_idmax");
inline const QString kWorkAreaStat = QStringLiteral("WorkArea_stat");
// Per work area (+ "_<wa>"), graph window (+ "_<wa>_<window>") and pane
// (+ "_<wa>_<window>_<pane>"); the spellings are the stored ones.
inline const QString kWorkAreaProp = QStringLiteral("WorkArea_Prop");
inline const QString kWorlAreaWndStat = QStringLiteral("WorlArea_wnd_stat");
inline const QString kWorkAreaWindowProp = QStringLiteral("WorkArea_Window_Prop");
inline const QString kWorkAreaWndViewH = QStringLiteral("WorkArea_wnd_view_h");
inline const QString kChanelViewProp = QStringLiteral("ChanelView_Prop");

// Item_Color_Info.
inline const QString kLapColorProp = QStringLiteral("Lap_Color_Prop");
inline const QString kLapOverViewWndProp = QStringLiteral("LapOverView_WndProp");
inline const QString kChannelColorProp = QStringLiteral("Channel_Color_Prop");  // + "_<tag>"
inline const QString kMapViewProp = QStringLiteral("Map_View_Prop");

// Channel_NameScale_Info.
inline const QString kMapDrawModeName = QStringLiteral("Map_DrawMode");
inline const QString kChannelMaxValue = QStringLiteral("Channel_Max_Value");  // + "_<1..18>"
inline const QString kChannelNameProp = QStringLiteral("Channel_Name_Prop");  // + "_<1..20>"

constexpr int kValueChannelCount = 18;  // channels with limits and colours
constexpr int kNamedChannelCount = 20;  // and two more with names: lap time, distance
constexpr int kLapColorCount = 7;       // base lap and overlay laps 1 to 6

// Tags of channels 1 to 18, used in "Channel_Color_Prop_<tag>".
inline constexpr std::array<const char*, kValueChannelCount> kChannelTags = {
    "RPM",  "Speed", "GX",   "GY",   "Press1", "Press2", "Temp1", "Temp2", "Handle",
    "Accel", "Volt",  "Gear", "Angl", "ANA1",   "ANA2",   "ANA3",  "ANA4",  "ANA5"};

// Built-in names of channels 1 to 20.
inline constexpr std::array<const char16_t*, kNamedChannelCount> kChannelNames = {
    u"RPM",    u"Speed",  u"G Horiz.", u"G Vert.", u"Press.1", u"Press.2", u"Temp.1",
    u"Temp.2", u"Handle", u"Accel",    u"Volt",    u"Gear",    u"Angl",    u"ANA1",
    u"ANA2",   u"ANA3",   u"ANA4",     u"ANA5",    u"Lap time", u"Distance"};

// Limits of channels 1 to 18: first flag, second flag, default max, current
// max, lowest max, default min, current min, first step, second step.
inline constexpr std::array<ChannelValueRec, kValueChannelCount> kChannelValueDefaults = {{
    {0, 0, 20000, 20000, 8000, 0, 0, 1000, 1000},
    {0, 0, 400, 400, 200, 0, 0, 20, 50},
    {1, 1, 5, 5, 2, 0, 0, 1, 1},
    {1, 1, 5, 5, 2, 0, 0, 1, 1},
    {1, 0, 10, 10, 5, 0, 0, 1, 1},
    {1, 0, 10, 10, 5, 0, 0, 1, 1},
    {0, 0, 1023, 1023, 500, 0, 0, 100, 100},
    {0, 0, 1023, 1023, 500, 0, 0, 100, 100},
    {0, 1, 100, 100, 20, 0, 0, 20, 10},
    {0, 0, 100, 100, 50, 0, 0, 10, 10},
    {0, 0, 20, 20, 10, 0, 0, 2, 2},
    {0, 0, 8, 8, 5, 0, 0, 1, 1},
    {0, 1, 90, 90, 50, 0, 0, 10, 10},
    {0, 0, 100, 100, 50, 0, 0, 10, 10},
    {0, 0, 100, 100, 50, 0, 0, 10, 10},
    {0, 0, 100, 100, 50, 0, 0, 10, 10},
    {0, 0, 100, 100, 50, 0, 0, 10, 10},
    {0, 0, 100, 100, 50, 0, 0, 10, 10},
}};

// Channels whose stored limits are corrected on loading.
constexpr int kHandleChannel = 9;
constexpr int kAccelChannel = 10;

// COLORREF (0x00BBGGRR): red, green, maroon, cyan, magenta, purple, teal.
inline constexpr std::array<std::uint32_t, kLapColorCount> kLapColorDefaults = {
    0x0000FF, 0x00FF00, 0x000080, 0xFFFF00, 0xFF00FF, 0x800080, 0x808000};

constexpr std::uint32_t kChannelBackgroundDefault = 0xFFFFFF;
constexpr std::uint32_t kChannelTextDefault = 0x808080;
constexpr std::uint32_t kChannelAnalysisLineDefault = 0x000000;

inline constexpr OverviewWindowColors kOverviewWindowDefaults = {0xFFFFFF, 0x808080, 0x000000,
                                                                 0xF0F0F0, 1, 1};

// Map_View_Prop: words 3 to 5 are kept as the caller holds them and word 6
// is the button-face colour of the desktop.
inline constexpr std::array<std::uint32_t, 3> kMapCourseColorDefaults = {0x787878, 0xFF4000, 0x8A8A8A};
constexpr std::uint32_t kMapLabelColorDefault = 0x566D34;
constexpr std::uint32_t kMapMarkPenDefault = 0x8000FF;
constexpr std::uint32_t kMapPenWidthDefault = 3;

// Map_DrawMode: 1 offset OFF, 2 offset ON, 3 GPS.
constexpr std::int32_t kMapDrawModeOffsetOff = 1;
constexpr std::int32_t kMapDrawModeGps = 3;
constexpr std::int32_t kMapDrawModeDefault = kMapDrawModeOffsetOff;

// The framework profile: the key it lives under and its entries.
inline const QString kProfileKeyPath = QStringLiteral("Software\\Varnek_Quendrix\\Varnek Quendrix");
inline const QString kLogFileSection = QStringLiteral("Varnek_LogFile");
inline const QString kLogFileEntry = QStringLiteral("Varnek_LogFile_search");
inline const QString kMapFileSection = QStringLiteral("Varnek_MapFile");
inline const QString kMapFileEntry = QStringLiteral("Varnek_MapFile_search");
inline const QString kNothingPath = QStringLiteral("NothingPath");
inline const QString kWorkspaceSection = QStringLiteral("Workspace");
inline const QString kApplicationLookEntry = QStringLiteral("ApplicationLook");
constexpr int kApplicationLookDefault = 214;
// The main window's placement as the framework keeps it: the normal rectangle (left, top, right,
// bottom: 16 bytes), the placement flags and the show command.
inline const QString kWindowPlacementSection = QStringLiteral("Workspace\\WindowPlacement");
inline const QString kMainWindowRectEntry = QStringLiteral("MainWindowRect");
inline const QString kFlagsEntry = QStringLiteral("Flags");
inline const QString kShowCmdEntry = QStringLiteral("ShowCmd");

}  // namespace settings
