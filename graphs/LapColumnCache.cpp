#include "graphs/LapColumnCache.h"

#include "core/LapDataCore.h"

const LapColumns* LapColumnCache::Columns(const orvelo::LapDataCore& core, const orvelo::LapRef& lapRef,
                                          int channel) {
    const orvelo::Lap* lap = core.ResolveLap(lapRef);
    const graphs::GraphChannel* row = graphs::GraphChannelOf(channel);
    if (!lap || !row)
        return nullptr;
    const Key key{static_cast<int>(lapRef.set), lapRef.fileId, lapRef.lapIndex};
    auto found = m_laps.find(key);
    const auto channelIndex = static_cast<std::size_t>(channel - 1);
    if (found == m_laps.end() || found->second.positionCount != lap->positions.size()) {
        DropLapsThatAreGone(core);
        LapColumns columns;
        columns.positionCount = lap->positions.size();
        columns.drawable = columns.positionCount;
        columns.time.reserve(columns.positionCount);
        columns.distance.reserve(columns.positionCount);
        columns.values[channelIndex].reserve(columns.positionCount);
        for (const orvelo::PositionRec& sample : lap->positions) {
            if (sample.lapEndMark != 0 && columns.drawable == columns.positionCount)
                columns.drawable = columns.time.size();
            columns.time.push_back(sample.time);
            columns.distance.push_back(sample.runningDistance);
            columns.values[channelIndex].push_back(row->value(sample));
        }
        found = m_laps.insert_or_assign(key, std::move(columns)).first;
    }
    std::vector<std::int32_t>& values = found->second.values[channelIndex];
    if (values.size() != lap->positions.size()) {
        values.clear();
        values.reserve(lap->positions.size());
        for (const orvelo::PositionRec& sample : lap->positions)
            values.push_back(row->value(sample));
    }
    return &found->second;
}

void LapColumnCache::DropLapsThatAreGone(const orvelo::LapDataCore& core) {
    for (auto it = m_laps.begin(); it != m_laps.end();) {
        const auto& [set, fileId, lapIndex] = it->first;
        if (core.ResolveLap(orvelo::LapRef{static_cast<orvelo::FileSet>(set), fileId, lapIndex}))
            ++it;
        else
            it = m_laps.erase(it);
    }
}
