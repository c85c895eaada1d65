// The main frame's bookkeeping of the variable Y-scale dialog: the first
// change to a channel's displayed limits keeps its previous limits, so that
// closing the dialog without saving puts them back.
#pragma once

#include "settings/ChannelSettings.h"

#include <array>
#include <vector>

class VariableScaleBackup {
public:
    static constexpr int kChannels = settings::kValueChannelCount;

    // Sets the channel's current maximum and minimum, keeping the old limits
    // on its first change. false (nothing changes) for a channel outside 1 to 18.
    bool Apply(ChannelSettings::ValueTable& table, int channel, std::int32_t maximum, std::int32_t minimum);
    // Puts back every kept channel and forgets them; the channels restored, in order.
    std::vector<int> RestoreAll(ChannelSettings::ValueTable& table);
    // The change of the channel stays (it was saved): its backup is dropped.
    void Commit(int channel);
    bool HasBackup(int channel) const;

private:
    struct Entry {
        bool kept = false;
        std::int32_t defaultMax = 0;
        std::int32_t currentMax = 0;
        std::int32_t currentMin = 0;
    };
    std::array<Entry, kChannels> m_entries{};
};
