// The binary records the settings store keeps, field by field in stored order.
// Stored as little-endian 32-bit words and UTF-16 characters through
// settings_bytes::Encode / Decode; the sizes are checked at compile time.
#pragma once

#include "platform/WindowPlacement.h"
#include "settings/SettingsBytes.h"

#include <QString>

#include <array>
#include <cstdint>

// Scale limits and steps of one channel ("Channel_Max_Value_<n>").
struct ChannelValueRec {
    static constexpr std::size_t kSize = 36;
    std::int32_t firstFlag = 0;
    std::int32_t secondFlag = 0;
    std::int32_t defaultMax = 0;
    std::int32_t currentMax = 0;
    std::int32_t lowestMax = 0;  // lowest value that may be entered as maximum
    std::int32_t defaultMin = 0;
    std::int32_t currentMin = 0;
    std::int32_t firstStep = 0;
    std::int32_t secondStep = 0;

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) {
        f(r.firstFlag), f(r.secondFlag), f(r.defaultMax), f(r.currentMax), f(r.lowestMax);
        f(r.defaultMin), f(r.currentMin), f(r.firstStep), f(r.secondStep);
    }
    bool operator==(const ChannelValueRec&) const = default;
};

// Names of one channel ("Channel_Name_Prop_<n>").
struct ChannelNameRec {
    static constexpr std::size_t kSize = 272;
    static constexpr std::size_t kNameChars = 64;
    using Name = std::array<char16_t, kNameChars>;
    Name defaultName{};  // NUL-padded
    Name currentName{};
    std::array<std::int32_t, 3> reserved{};
    std::int32_t channelNumber = 0;

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) {
        f(r.defaultName), f(r.currentName), f(r.reserved), f(r.channelNumber);
    }
    bool operator==(const ChannelNameRec&) const = default;

    // The text up to the first NUL, never past the 64 characters.
    static QString Text(const Name& name);
    // False when the text does not fit with its NUL; the name is then left alone.
    static bool SetText(Name* name, const QString& text);
};

// Seven lap colours: base lap, overlay laps 1 to 6 ("Lap_Color_Prop").
struct LapColorRec {
    static constexpr std::size_t kSize = 28;
    std::array<std::uint32_t, 7> colors{};

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) { f(r.colors); }
    bool operator==(const LapColorRec&) const = default;
};

// Colours of one channel's graphs ("Channel_Color_Prop_<tag>").
struct ChannelColorProperty {
    static constexpr std::size_t kSize = 52;
    std::array<std::uint32_t, 7> lapColors{};  // base lap, overlay laps 1 to 6
    std::uint32_t background = 0;
    std::uint32_t text = 0;
    std::uint32_t analysisLine = 0;
    std::int32_t checkFlag = 0;  // check box of the channel colour dialog
    std::int32_t channelNumber = 0;
    std::int32_t readFlag = 0;  // 1 once read; the colour dialog's change count

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) {
        f(r.lapColors), f(r.background), f(r.text), f(r.analysisLine);
        f(r.checkFlag), f(r.channelNumber), f(r.readFlag);
    }
    bool operator==(const ChannelColorProperty&) const = default;
};

// Colours of the lap overview window ("LapOverView_WndProp").
struct OverviewWindowColors {
    static constexpr std::size_t kSize = 24;
    std::uint32_t background = 0;
    std::uint32_t text = 0;
    std::uint32_t analysisLine = 0;
    std::uint32_t gridLine = 0;
    std::int32_t gridEnabled = 0;
    std::int32_t readFlag = 0;  // 1 once read; the colour dialog's change count

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) {
        f(r.background), f(r.text), f(r.analysisLine), f(r.gridLine), f(r.gridEnabled), f(r.readFlag);
    }
    bool operator==(const OverviewWindowColors&) const = default;
};

// Colours and pens of the course maps ("Map_View_Prop"), thirteen words:
// 0-2 course colours, 6 background, 7 label colour, 8 position-mark pen,
// 9 pen width, 11 extra-layer flag; 3-5, 10 and 12 are only stored.
struct MapViewProperty {
    static constexpr std::size_t kSize = 52;
    std::array<std::uint32_t, 13> words{};

    template <class R, class F>
    static constexpr void Fields(R& r, F&& f) { f(r.words); }
    bool operator==(const MapViewProperty&) const = default;
};

// Placement of a floating window ("ScaleControl_WndPlace", "LogTime_WndPlace"):
// the platform's 44-byte record, read and written by SettingsStore.
using WindowPlacementRec = platform::WindowPlacement;

static_assert(settings_bytes::StoredSize<ChannelValueRec>() == ChannelValueRec::kSize);
static_assert(settings_bytes::StoredSize<ChannelNameRec>() == ChannelNameRec::kSize);
static_assert(settings_bytes::StoredSize<LapColorRec>() == LapColorRec::kSize);
static_assert(settings_bytes::StoredSize<ChannelColorProperty>() == ChannelColorProperty::kSize);
static_assert(settings_bytes::StoredSize<OverviewWindowColors>() == OverviewWindowColors::kSize);
static_assert(settings_bytes::StoredSize<MapViewProperty>() == MapViewProperty::kSize);
static_assert(ChannelValueRec::kSize == 36 && ChannelNameRec::kSize == 272 && LapColorRec::kSize == 28);
static_assert(ChannelColorProperty::kSize == 52 && OverviewWindowColors::kSize == 24);
static_assert(MapViewProperty::kSize == 52 && WindowPlacementRec::kSize == 44);
