// The properties pane's rows: the lap-time and distance groups of grid A, the channel groups of
// grid B, their rows per compared lap, and the values the cursor messages write into them.
#include "properties/CPropertiesWnd.h"

#include "properties/CLapPropertyGridCtrl.h"

#include "coursemap/CMapView.h"
#include "settings/AppSettings.h"

#include <tuple>

using properties::kChannelCount;

namespace {
// Row i of rows gets the value and the lap number, when there is such a row; the lap number's
// text is made only when the row shows another lap.
void WriteRow(const std::optional<std::vector<CPropGridPropExt*>>& rows, int row, int lapNumber,
              const QString& value) {
    if (!rows || row < 0 || row >= static_cast<int>(rows->size()))
        return;
    CPropGridPropExt* item = (*rows)[static_cast<std::size_t>(row)];
    item->SetValue(value);
    if (item->NamedLap() != lapNumber) {
        item->SetName(properties::LapNumberName(lapNumber));
        item->SetNamedLap(lapNumber);
    }
}

void ClearRows(const std::vector<CPropGridPropExt*>& rows) {
    for (CPropGridPropExt* row : rows) {
        row->SetValue(QString());
        row->SetName(QString());
        row->SetNamedLap(CPropGridPropExt::kNoLap);
    }
}

void DeleteRows(CPropGridPropExt& group, std::optional<std::vector<CPropGridPropExt*>>& rows) {
    if (!rows)
        return;
    for (CPropGridPropExt* row : *rows)
        group.RemoveSubItem(row, true);
    rows.reset();
}
}  // namespace

std::vector<CPropGridPropExt*> CPropertiesWnd::ChannelRows(int channel) const {
    if (channel < 1 || channel > kChannelCount)
        return {};
    return m_valueRows[static_cast<std::size_t>(channel - 1)].value_or(Rows{});
}

// ----- values -----

void CPropertiesWnd::SetChannelValue(int channel, int lapNumber, int row, std::optional<std::int32_t> value) {
    if (channel < 1 || channel > kChannelCount)
        return;
    WriteRow(m_valueRows[static_cast<std::size_t>(channel - 1)], row, lapNumber,
             value ? properties::ChannelValueText(channel, *value) : QString());
}

void CPropertiesWnd::SetLapTimeValue(int lapNumber, int row, std::optional<std::uint32_t> time) {
    if (m_xMode != 1)
        WriteRow(m_lapTimeRows, row, lapNumber, time ? properties::LapTimeValueText(*time) : QString());
}

void CPropertiesWnd::SetDistanceValue(int lapNumber, int row, std::optional<std::int32_t> distance) {
    if (distance)
        m_map->MoveCursorMarks(lapNumber, row, *distance);
    if (m_xMode == 1)
        WriteRow(m_distanceRows, row, lapNumber, distance ? properties::DistanceValueText(*distance) : QString());
}

// ----- groups -----

void CPropertiesWnd::BuildChannelGroups() {
    m_lapRowCount = kFirstLapRowCount;
    const ChannelSettings::NameTable& names = m_settings.Channels().ChannelNameTable();
    const auto makeGroup = [this](const QString& name, int id) {
        auto* group = new CPropGridPropExt(name);
        group->SetGroupFlag(true);
        group->SetId(id);
        group->SetGroupTextColor(m_viewColors.text);
        return group;
    };
    m_lapTimeGroup = makeGroup(ChannelNameRec::Text(names[properties::kLapTimeId - 1].defaultName), properties::kLapTimeId);
    m_distanceGroup =
        makeGroup(ChannelNameRec::Text(names[properties::kDistanceId - 1].defaultName), properties::kDistanceId);
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        const QString name = ChannelNameRec::Text(names[static_cast<std::size_t>(channel - 1)].currentName);
        m_channelGroups[static_cast<std::size_t>(channel - 1)] = makeGroup(name, channel);
    }
    ApplyGridColors();
    for (int channel : properties::kChannelGroupOrder) {
        CPropGridPropExt& group = ChannelGroup(channel);
        m_gridB->AddProperty(&group);
        group.Show(channel == 1);
    }
}

CPropGridPropExt* CPropertiesWnd::ShownLapGroup() const { return m_xMode == 1 ? m_distanceGroup : m_lapTimeGroup; }

CPropertiesWnd::Rows* CPropertiesWnd::ShownLapRows() {
    std::optional<Rows>& rows = m_xMode == 1 ? m_distanceRows : m_lapTimeRows;
    return rows ? &*rows : nullptr;
}

void CPropertiesWnd::RebuildRows(bool keepValues) {
    if (!keepValues || m_lapRowCount != m_lastBuiltCount)
        m_map->SetOverlapLayers(m_lapRowCount);  // the marks go with the values
    if (m_lastBuiltCount == 0 && m_lastBuiltMask == 0) {
        for (int channel = 1; channel <= kChannelCount; ++channel) {
            if (InMask(channel, m_channelMask))
                RebuildChannelRows(channel);
        }
    } else if (m_channelMask == m_lastBuiltMask && m_lapRowCount == m_lastBuiltCount) {
        for (int channel = 1; channel <= kChannelCount; ++channel) {
            if (InMask(channel, m_channelMask) && !keepValues)
                ClearChannelRowValues(channel);
        }
    } else {
        for (int channel = 1; channel <= kChannelCount; ++channel)
            UpdateChannelGroup(channel, keepValues);
        for (int channel = 1; channel <= kChannelCount; ++channel) {
            if (InMask(channel, m_lastBuiltMask) && !InMask(channel, m_channelMask))
                DeleteChannelRows(channel);
        }
    }
    m_lastBuiltMask = m_channelMask;
    m_lastBuiltCount = m_lapRowCount;
    update();
}

void CPropertiesWnd::UpdateChannelGroup(int channel, bool keepValues) {
    const bool now = InMask(channel, m_channelMask);
    const bool before = InMask(channel, m_lastBuiltMask);
    if (!now) {
        CPropGridPropExt& group = ChannelGroup(channel);
        if (group.IsVisible())
            group.Show(false);
    } else if (!before || m_lapRowCount != m_lastBuiltCount) {
        RebuildChannelRows(channel);
    } else if (!keepValues) {
        ClearChannelRowValues(channel);
    }
}

void CPropertiesWnd::AddChannelRows(int channel) {
    CPropGridPropExt& group = ChannelGroup(channel);
    platform::ColorRef background = 0;
    platform::ColorRef text = 0;
    ChannelBaseColors(channel, background, text);
    Rows rows;
    for (int i = 0; i < m_lapRowCount; ++i) {
        auto* row = new CPropGridPropExt(QString(), QString());
        row->SetId(channel);
        row->SetRowIndex(i);
        row->SetNameTextColor(SlotColor(i));
        row->SetNameBackColor(background);
        row->SetValueTextColor(ChannelLapColor(channel, i));
        row->SetValueBackColor(background);
        group.AddSubItem(row);
        rows.push_back(row);
    }
    m_valueRows[static_cast<std::size_t>(channel - 1)] = std::move(rows);
}

void CPropertiesWnd::DeleteChannelRows(int channel) {
    DeleteRows(ChannelGroup(channel), m_valueRows[static_cast<std::size_t>(channel - 1)]);
}

void CPropertiesWnd::RebuildChannelRows(int channel) {
    DeleteChannelRows(channel);
    AddChannelRows(channel);
    CPropGridPropExt& group = ChannelGroup(channel);
    group.Expand(false);
    group.Show(true);
    group.Expand(true);
    m_gridB->viewport()->update();
}

void CPropertiesWnd::ClearChannelRowValues(int channel) {
    if (const auto& rows = m_valueRows[static_cast<std::size_t>(channel - 1)])
        ClearRows(*rows);
}

void CPropertiesWnd::ClearAllValues() {
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        if (InMask(channel, m_channelMask))
            ClearChannelRowValues(channel);
    }
    if (m_lapTimeRows && m_distanceRows)
        ClearLapRowValues();
}

void CPropertiesWnd::ShowStartGroups() {
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        DeleteChannelRows(channel);
        CPropGridPropExt& group = ChannelGroup(channel);
        group.Expand(false);
        group.Show(channel == 1);
    }
    DeleteLapRows();
    for (CPropGridPropExt* group : {m_lapTimeGroup, m_distanceGroup}) {
        group->Expand(false);
        group->Show(true);
    }
    m_channelMask = 0;
    m_lastBuiltMask = 0;
    m_lastBuiltCount = 0;
    m_lapRowCount = kFirstLapRowCount;
    m_lastShownMode = -1;
    FitStartLapRow();
    update();
}

// ----- lap rows -----

void CPropertiesWnd::ShowLapGroup(bool keepValues) {
    if (!m_lapTimeRows || !m_distanceRows || m_lapRowCount != m_lapTimeGroup->SubItemCount()) {
        DeleteLapRows();
        BuildLapRows();
    } else if (!keepValues) {
        ClearLapRowValues();
    }
    CPropGridPropExt* shown = ShownLapGroup();
    CPropGridPropExt* other = shown == m_distanceGroup ? m_lapTimeGroup : m_distanceGroup;
    shown->Expand(false);
    if (m_lastShownMode != m_xMode) {
        other->Show(false);
        shown->Show(true);
        m_lastShownMode = m_xMode;
    }
    shown->Expand(true);
    update();
}

void CPropertiesWnd::BuildLapRows() {
    for (auto [group, rows, id] : {std::tuple{m_lapTimeGroup, &m_lapTimeRows, properties::kLapTimeId},
                                   std::tuple{m_distanceGroup, &m_distanceRows, properties::kDistanceId}}) {
        Rows built;
        for (int i = 0; i < m_lapRowCount; ++i) {
            auto* row = new CPropGridPropExt(QString(), QString());
            row->SetRowIndex(i);
            ColorLapRow(*row, i);
            row->SetId(id);
            group->AddSubItem(row);
            built.push_back(row);
        }
        *rows = std::move(built);
    }
}

void CPropertiesWnd::DeleteLapRows() {
    DeleteRows(*m_lapTimeGroup, m_lapTimeRows);
    DeleteRows(*m_distanceGroup, m_distanceRows);
}

void CPropertiesWnd::ClearLapRowValues() {
    if (Rows* rows = ShownLapRows())
        ClearRows(*rows);
    CPropGridPropExt* shown = ShownLapGroup();
    CPropGridPropExt* other = shown == m_distanceGroup ? m_lapTimeGroup : m_distanceGroup;
    m_lapTimeGroup->Expand(false);
    m_distanceGroup->Expand(false);
    other->Show(false);
    shown->Expand(true);
    shown->Redraw();
}

// ----- names -----

void CPropertiesWnd::UpdateChannelNames() {
    const ChannelSettings::NameTable& names = m_settings.Channels().ChannelNameTable();
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        CPropGridPropExt& group = ChannelGroup(channel);
        const QString name = ChannelNameRec::Text(names[static_cast<std::size_t>(channel - 1)].currentName);
        if (group.Name() == name)
            continue;
        group.SetName(name);
        if (group.IsVisible() && group.IsExpanded()) {
            // Closed and opened again, so the group is laid out anew under its new name.
            group.Expand(false);
            if (InMask(channel, m_channelMask))
                group.Expand(true);
        }
    }
}
