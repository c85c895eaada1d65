// One logger channel (1 to 18) with copies of its limits and names as the
// settings hold them when it is set; graph panes, scale panes and the Y-scale
// dialog keep one per channel they show.
#pragma once

#include "settings/SettingsRecords.h"

#include <QString>

class ChannelSettings;

class CChannel {
public:
    explicit CChannel(ChannelSettings& settings);

    // Stores n and copies the channel's limits, names and current name; a
    // number outside 1 to 18 leaves empty records and no name.
    void SetChannel(int n);

    int Number() const { return m_number; }
    const ChannelValueRec& Values() const { return m_values; }
    const ChannelNameRec& Names() const { return m_names; }
    const QString& CurrentName() const { return m_currentName; }

private:
    ChannelSettings& m_settings;
    ChannelValueRec m_values;
    ChannelNameRec m_names;
    QString m_currentName;
    int m_number = 0;
};
