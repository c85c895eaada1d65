#include "settings/ColorSettings.h"

#include "platform/SystemColors.h"
#include "settings/SettingsStore.h"

#include "core/LapDataCore.h"
#include "core/LapSelection.h"

#include <algorithm>

namespace {
constexpr int kWrite = 1;
constexpr int kOk = 0;
constexpr int kFailed = 1;

QString ColorKey() { return settings::SubKeyPath(settings::kItemColorInfo); }

QString ChannelColorName(int channel) {
    return settings::TaggedName(settings::kChannelColorProp,
                                QLatin1String(settings::kChannelTags[channel - 1]));
}
}  // namespace

ColorSettings::ColorSettings(SettingsStore& store, ColorSource buttonFace)
    : m_store(store), m_buttonFace(std::move(buttonFace)) {
    if (!m_buttonFace)
        m_buttonFace = [] { return platform::SystemColor(platform::kColorBtnFace); };
    InitChannelColorDefaults();
}

int ColorSettings::LapColorSetting(int op, platform::ColorRef* colors) {
    if (!colors)
        return kFailed;
    LapColorRec rec;
    if (op == kWrite) {
        std::copy(colors, colors + settings::kLapColorCount, rec.colors.begin());
        if (m_store.WriteRecord(ColorKey(), settings::kLapColorProp, rec) != kOk)
            return kFailed;
    } else {
        if (m_store.ReadRecord(ColorKey(), settings::kLapColorProp, &rec) != kOk)
            return kFailed;
        std::copy(rec.colors.begin(), rec.colors.end(), colors);
    }
    TakeLapColors(rec.colors);
    return kOk;
}

void ColorSettings::UseBuiltInLapColors() { TakeLapColors(settings::kLapColorDefaults); }

void ColorSettings::TakeLapColors(const LapColors& colors) {
    m_lapColors = colors;
    if (m_lapColorsTaken)
        m_lapColorsTaken(m_lapColors);
}

void ColorSettings::InitChannelColorDefaults() { m_defaultLapColors.fill(settings::kLapColorDefaults); }

void ColorSettings::CopyDefaultChannelColor(ChannelColorProperty* block) {
    if (!block)
        return;
    block->lapColors = settings::kLapColorDefaults;
    block->background = settings::kChannelBackgroundDefault;
    block->text = settings::kChannelTextDefault;
    block->analysisLine = settings::kChannelAnalysisLineDefault;
    block->checkFlag = 0;
    block->readFlag = 1;
}

platform::ColorRef ColorSettings::ChannelLapColor(const orvelo::LapDataCore& core, int channel, std::size_t row) {
    if (channel < 1 || channel > settings::kValueChannelCount)
        return m_lapColors[0];
    std::vector<platform::ColorRef>& list = m_channelColors[static_cast<std::size_t>(channel - 1)].lapColors;
    if (list.empty())
        list.push_back(m_lapColors[0]);
    if (row < list.size())
        return list[row];
    // Past the channel's own colours a lap keeps the colour the lap list shows it in; read each time,
    // as the compared laps move between slots. A row without a compared lap takes its slot's colour,
    // as the properties pane names it.
    if (const orvelo::SelectedLap* slot = orvelo::ComparedLapSlot(core, row))
        return slot->colour;
    return row < core.SelectedLaps.size() ? core.SelectedLaps[row].colour : list.back();
}

int ColorSettings::LoadLapOverviewWndProp(OverviewWindowColors* block) {
    if (!block)
        return kFailed;
    if (m_store.ReadRecord(ColorKey(), settings::kLapOverViewWndProp, block) != kOk) {
        block->readFlag = 0;
        return kFailed;
    }
    block->readFlag = 1;
    return kOk;
}

int ColorSettings::LoadChannelColorRecord(int channel, ChannelColorProperty* block) {
    if (!block || channel < 1 || channel > settings::kValueChannelCount)
        return kFailed;
    if (m_store.ReadRecord(ColorKey(), ChannelColorName(channel), block) != kOk)
        return kFailed;
    // Stored under its channel's name: a foreign number must not move it.
    block->channelNumber = channel;
    block->readFlag = 1;
    return kOk;
}

void ColorSettings::InitChannelColorTables() {
    InitChannelColorDefaults();
    for (ChannelColorRecord& record : m_channelColors) {
        record = ChannelColorRecord{settings::kChannelBackgroundDefault, settings::kChannelTextDefault,
                                    settings::kChannelAnalysisLineDefault, 0, 0, 0, {}};
    }
    for (int n = 1; n <= settings::kValueChannelCount; ++n) {
        ChannelColorRecord& record = m_channelColors[n - 1];
        ChannelColorProperty block;
        if (m_store.ReadRecord(ColorKey(), ChannelColorName(n), &block) == kOk) {
            record.background = block.background;
            record.text = block.text;
            record.analysisLine = block.analysisLine;
            record.checkFlag = block.checkFlag;
            record.channelNumber = n;  // the value's name gives the channel, not its stored number
            record.readFlag = block.readFlag;
            record.lapColors.assign(block.lapColors.begin(), block.lapColors.end());
        } else {
            record.channelNumber = n;
            record.readFlag = 1;
            const LapColors& row = m_defaultLapColors[n - 1];
            record.lapColors.assign(row.begin(), row.end());
        }
    }
}

int ColorSettings::LoadMapViewProp(MapViewProperty* block) {
    if (!block)
        return kFailed;
    *block = MapViewProperty{};
    if (m_store.ReadRecord(ColorKey(), settings::kMapViewProp, block) == kOk)
        return kOk;
    *block = MapViewProperty{};
    SetDefaultMapViewProp(block);
    return kFailed;
}

void ColorSettings::SetDefaultMapViewProp(MapViewProperty* block) const {
    if (!block)
        return;
    auto& words = block->words;
    std::copy(settings::kMapCourseColorDefaults.begin(), settings::kMapCourseColorDefaults.end(),
              words.begin());
    words[6] = m_buttonFace();
    words[7] = settings::kMapLabelColorDefault;
    words[8] = settings::kMapMarkPenDefault;
    words[9] = settings::kMapPenWidthDefault;
    words[10] = 0;
    words[11] = 0;
    words[12] = 1;
}
