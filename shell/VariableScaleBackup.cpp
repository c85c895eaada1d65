#include "shell/VariableScaleBackup.h"

namespace {
bool InRange(int channel) { return channel >= 1 && channel <= VariableScaleBackup::kChannels; }
}  // namespace

bool VariableScaleBackup::Apply(ChannelSettings::ValueTable& table, int channel, std::int32_t maximum,
                                std::int32_t minimum) {
    if (!InRange(channel))
        return false;
    ChannelValueRec& rec = table[static_cast<std::size_t>(channel - 1)];
    Entry& entry = m_entries[static_cast<std::size_t>(channel - 1)];
    if (!entry.kept)
        entry = Entry{true, rec.defaultMax, rec.currentMax, rec.currentMin};
    rec.currentMax = maximum;
    rec.currentMin = minimum;
    return true;
}

std::vector<int> VariableScaleBackup::RestoreAll(ChannelSettings::ValueTable& table) {
    std::vector<int> restored;
    for (int channel = 1; channel <= kChannels; ++channel) {
        Entry& entry = m_entries[static_cast<std::size_t>(channel - 1)];
        if (!entry.kept)
            continue;
        ChannelValueRec& rec = table[static_cast<std::size_t>(channel - 1)];
        rec.currentMax = entry.currentMax;
        rec.currentMin = entry.currentMin;
        entry = Entry{};
        restored.push_back(channel);
    }
    return restored;
}

void VariableScaleBackup::Commit(int channel) {
    if (InRange(channel))
        m_entries[static_cast<std::size_t>(channel - 1)] = Entry{};
}

bool VariableScaleBackup::HasBackup(int channel) const {
    return InRange(channel) && m_entries[static_cast<std::size_t>(channel - 1)].kept;
}
