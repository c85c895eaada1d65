// The colours of the properties pane's rows: a lap's name side in its compared-lap colour, a
// channel's values in the channel's lap colours over the channel's (or the view's) background,
// and what changes when the colour dialogs answer.
#include "properties/CPropertiesWnd.h"

#include "properties/CLapPropertyGridCtrl.h"

#include "core/LapDataCore.h"
#include "platform/SystemColors.h"
#include "settings/AppSettings.h"

using properties::kChannelCount;

platform::ColorRef CPropertiesWnd::SlotColor(int row) const {
    const auto& selected = m_core.SelectedLaps;
    // A row with no slot of its own has no lap colour; it reads in the view's text colour.
    return row >= 0 && static_cast<std::size_t>(row) < selected.size() ? selected[static_cast<std::size_t>(row)].colour
                                                                     : m_viewColors.text;
}

platform::ColorRef CPropertiesWnd::ChannelLapColor(int channel, int row) {
    return m_settings.Colors().ChannelLapColor(m_core, channel, static_cast<std::size_t>(std::max(row, 0)));
}

void CPropertiesWnd::ChannelBaseColors(int channel, platform::ColorRef& background, platform::ColorRef& text) const {
    const ChannelColorRecord& record =
        m_settings.Colors().ChannelColorRecords()[static_cast<std::size_t>(channel - 1)];
    const bool own = record.checkFlag != 0;
    background = own ? record.background : m_viewColors.background;
    text = own ? record.text : m_viewColors.text;
}

void CPropertiesWnd::ColorLapRow(CPropGridPropExt& row, int index) const {
    const platform::ColorRef highlight = platform::SystemColor(platform::kColorBtnHighlight);
    const platform::ColorRef color = SlotColor(index);
    row.SetNameTextColor(color);
    row.SetValueTextColor(color);
    row.SetNameBackColor(highlight);
    row.SetValueBackColor(highlight);
}

void CPropertiesWnd::RecolorLapRows() {
    for (const std::optional<Rows>* rows : {&m_lapTimeRows, &m_distanceRows}) {
        if (!*rows)
            continue;
        for (CPropGridPropExt* row : **rows) {
            ColorLapRow(*row, row->RowIndex());
            row->Redraw();
        }
    }
}

void CPropertiesWnd::RecolorValueRows(const std::function<void(CPropGridPropExt&, platform::ColorRef)>& recolor) {
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        const auto& rows = m_valueRows[static_cast<std::size_t>(channel - 1)];
        if (!InMask(channel, m_channelMask) || !rows)
            continue;
        platform::ColorRef background = 0;
        platform::ColorRef text = 0;
        ChannelBaseColors(channel, background, text);
        for (CPropGridPropExt* row : *rows) {
            recolor(*row, background);
            row->Redraw();
        }
    }
}

void CPropertiesWnd::RecolorChannelLapColors() {
    RecolorValueRows([this](CPropGridPropExt& row, platform::ColorRef background) {
        row.SetNameTextColor(SlotColor(row.RowIndex()));
        row.SetNameBackColor(background);
    });
}

void CPropertiesWnd::RecolorChannelRows() {
    RecolorValueRows([this](CPropGridPropExt& row, platform::ColorRef background) {
        row.SetNameBackColor(background);
        row.SetValueTextColor(ChannelLapColor(row.Id(), row.RowIndex()));
        row.SetValueBackColor(background);
    });
}

void CPropertiesWnd::RecolorChannelBackgrounds() {
    RecolorValueRows([](CPropGridPropExt& row, platform::ColorRef background) {
        row.SetValueBackColor(background);
        row.SetNameBackColor(background);
    });
}

void CPropertiesWnd::ApplyGridColors() {
    platform::PropertyGrid::CustomColors colors = m_gridB->GetCustomColors();
    colors.groupText = m_viewColors.text;
    m_gridB->SetCustomColors(colors);
}
